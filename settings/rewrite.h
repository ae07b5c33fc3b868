#pragma once
// Putting new bytes in an existing file (or a new one) so that everything
// else about it stays as it was: owner, group, mode, access list, extended
// attributes, hard links. No widgets, no wording.
#include <QByteArray>

#include <sys/stat.h>

namespace settings {

struct RewriteResult
{
    int error = 0;           // an errno value; 0 when the bytes are on the disk
    bool backupKept = false; // the old bytes are only in backupPath() now
};

// Replaces the file at target, an ordinary file open as fd (read-write) with
// old its status, or creates it when fd is -1. A temporary renamed over the
// old file where the new one can be made the same in every attribute, which
// a crash cannot leave half-written; else the file is written in place
// behind a synced backup. Either way a failure leaves the old bytes whole.
RewriteResult rewrite(const QByteArray &target, int fd, const struct stat &old, const QByteArray &bytes);

// Where a save in place keeps the old bytes while it writes; one that is
// still there after a crash holds the last content known to be whole.
QByteArray backupPath(const QByteArray &target);

// Whether the open file begins with the settings file's header line.
bool holdsSettings(int fd);

} // namespace settings

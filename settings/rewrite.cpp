#include "settings/rewrite.h"

#include "settings/settingsfile.h"

#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <functional>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace settings {

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The whole file, from its start.
std::optional<QByteArray> readAll(int fd)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, off_t(bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) return bytes;
        bytes.append(buffer, n);
    }
}

// The bytes as the file's whole content, on the disk.
bool put(int fd, const QByteArray &bytes)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) && ::ftruncate(fd, off_t(bytes.size())) == 0
           && ::fsync(fd) == 0;
}

QByteArray directoryOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArrayLiteral(".") : slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray &path) { return path.mid(path.lastIndexOf('/') + 1); }

// A name or its removal lasts a crash only once the directory is on the disk too.
void syncDirectory(const QByteArray &dir)
{
    if (const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Temporaries are named ".NAME.XXXXXX", six letters or digits, beside NAME.
QByteArray temporaryPrefix(const QByteArray &target) { return directoryOf(target) + "/." + nameOf(target) + '.'; }

bool isTemporaryName(const QByteArray &name, const QByteArray &prefix)
{
    if (name.size() != prefix.size() + 6 || !name.startsWith(prefix)) return false;
    for (const char c : name.mid(prefix.size()))
        if (!QChar::isLetterOrNumber(uchar(c)) || uchar(c) > 0x7f) return false;
    return true;
}

// What a save that was killed, or lost the power, between naming its
// temporary and renaming it left: only files of that name that hold settings
// (or nothing yet), and none that a running save holds locked.
void removeStaleTemporaries(const QByteArray &target)
{
    const QByteArray prefix = '.' + nameOf(target) + '.';
    DIR *dir = ::opendir(directoryOf(target).constData());
    if (!dir) return;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name, prefix)) continue;
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st{};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_size == 0 || holdsSettings(fd))
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

struct Temporary
{
    int fd = -1;
    QByteArray name; // empty while it has none
};

// A new file beside the target, locked for as long as this save has it.
// Unnamed where the file system allows, so that a kill leaves nothing.
Temporary createTemporary(const QByteArray &target, mode_t mode)
{
    const int fd = ::open(directoryOf(target).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (fd >= 0) ::flock(fd, LOCK_EX);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return {fd, {}};
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (int attempt = 0; attempt < 3; ++attempt) {
        QByteArray name = temporaryPrefix(target) + "XXXXXX";
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) return {};
        // Another save's clean-up may have taken it before the lock did.
        struct stat st{};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0
            && ::fchmod(fd, mode & ~mask) == 0)
            return {fd, name};
        ::close(fd);
    }
    errno = EAGAIN;
    return {};
}

// Links an unnamed temporary in under a free temporary name.
bool nameTemporary(Temporary &temporary, const QByteArray &target)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(temporary.fd);
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = temporaryPrefix(target);
        for (int i = 0; i < 6; ++i) name += letters[QRandomGenerator::global()->bounded(62)];
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            temporary.name = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

using Attributes = std::map<QByteArray, QByteArray>;

// Every extended attribute this process may read, the access list
// (system.posix_acl_access) among them; nullopt when they cannot be read.
std::optional<Attributes> attributesOf(int fd)
{
    Attributes all;
    ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0) return errno == ENOTSUP ? std::optional(all) : std::nullopt;
    QByteArray names(size, '\0');
    if ((size = ::flistxattr(fd, names.data(), size_t(names.size()))) < 0) return std::nullopt;
    for (const QByteArray &name : names.left(size).split('\0')) {
        if (name.isEmpty()) continue;
        ssize_t length = ::fgetxattr(fd, name.constData(), nullptr, 0);
        QByteArray value(qMax<ssize_t>(length, 0), '\0');
        if (length < 0 || (length = ::fgetxattr(fd, name.constData(), value.data(), size_t(value.size()))) < 0)
            return std::nullopt;
        all[name] = value.left(length);
    }
    return all;
}

// Gives the new file the old one's owner, group, mode and extended
// attributes; false when it cannot be made the same in all of them.
bool copyAttributes(int from, const struct stat &old, int to)
{
    // The owner first: giving a file away clears its set-ID bits.
    if (::fchown(to, old.st_uid, old.st_gid) != 0) return false;
    const auto wanted = attributesOf(from);
    const auto inherited = attributesOf(to); // a folder's default access list, a security label
    if (!wanted || !inherited) return false;
    for (const auto &entry : *inherited)
        if (!wanted->count(entry.first) && ::fremovexattr(to, entry.first.constData()) != 0) return false;
    for (const auto &[name, value] : *wanted)
        if (::fsetxattr(to, name.constData(), value.constData(), size_t(value.size()), 0) != 0) return false;
    // The mode last (it sets the access list's mask as the old file had it),
    // and read back: the kernel quietly drops a set-group-ID bit the saver
    // may not give.
    struct stat now{};
    return ::fchmod(to, old.st_mode & 07777) == 0 && ::fstat(to, &now) == 0 && now.st_uid == old.st_uid
           && now.st_gid == old.st_gid && (now.st_mode & 07777) == (old.st_mode & 07777) && attributesOf(to) == wanted;
}

constexpr int kCannotKeep = -1;

// Bytes in a new file named to, beside target, all of it on the disk before
// it has that name; prepare gives it its attributes (false: kCannotKeep).
int writeAndRename(const QByteArray &target, const QByteArray &bytes, mode_t mode,
                   const std::function<bool(int)> &prepare, const QByteArray &to)
{
    Temporary temporary = createTemporary(target, mode);
    if (temporary.fd < 0) return errno;
    const auto discard = qScopeGuard([&temporary] {
        ::close(temporary.fd);
        if (!temporary.name.isEmpty()) ::unlink(temporary.name.constData());
    });
    // Written before the attributes: a write clears set-ID bits and capabilities.
    if (!writeAll(temporary.fd, bytes)) return errno;
    if (!prepare(temporary.fd)) return kCannotKeep;
    if (::fsync(temporary.fd) != 0) return errno;
    if (temporary.name.isEmpty() && !nameTemporary(temporary, target)) return errno;
    if (::rename(temporary.name.constData(), to.constData()) != 0) return errno;
    temporary.name.clear();
    return 0;
}

// A temporary with every attribute of the old file, renamed over it.
int replaceByRename(const QByteArray &target, int fd, const struct stat &old, const QByteArray &bytes)
{
    const auto same = [&](int to) { return fd < 0 || copyAttributes(fd, old, to); };
    if (const int error = writeAndRename(target, bytes, fd < 0 ? 0666 : 0600, same, target)) return error;
    // A backup an interrupted save in place left is older than this.
    ::unlink(backupPath(target).constData());
    syncDirectory(directoryOf(target));
    return 0;
}

// The old file written over, behind a synced copy of its bytes that goes
// only once the new bytes are on the disk: a crash leaves the copy, which
// loading then prefers. A failed write puts the old bytes back in the blocks
// they had, which needs no free space, and if even that fails the copy stays.
RewriteResult rewriteInPlace(const QByteArray &target, int fd, const struct stat &old, const QByteArray &bytes)
{
    // A write by anyone but root clears set-ID bits, and any write drops
    // file capabilities: that would change the file, so it is not done.
    if (((old.st_mode & 06000) && ::geteuid() != 0) || ::fgetxattr(fd, "security.capability", nullptr, 0) >= 0)
        return {EPERM};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return {errno};
    const auto oldBytes = readAll(fd);
    if (!oldBytes) return {errno};
    const QByteArray backup = backupPath(target);
    struct stat st{};
    const bool made = ::lstat(backup.constData(), &st) != 0; // else a cut-short save's, older still
    if (made) {
        // Readable by whoever may read the file; by its group only if it can have that group.
        const auto readable = [&old](int to) {
            const bool group = ::fchown(to, uid_t(-1), old.st_gid) == 0;
            return ::fchmod(to, old.st_mode & (group ? 0666 : 0606)) == 0;
        };
        if (const int error = writeAndRename(target, *oldBytes, 0600, readable, backup))
            return {error == kCannotKeep ? EPERM : error};
        syncDirectory(directoryOf(target));
    }
    if (put(fd, bytes)) {
        ::unlink(backup.constData());
        syncDirectory(directoryOf(target));
        return {};
    }
    const int error = errno;
    if (!put(fd, *oldBytes)) return {error, true};
    if (made) ::unlink(backup.constData());
    return {error};
}

} // namespace

RewriteResult rewrite(const QByteArray &target, int fd, const struct stat &old, const QByteArray &bytes)
{
    removeStaleTemporaries(target);
    // Whether the rename could keep everything is plain in advance for a
    // file of someone else's (it cannot be given to them) or with other
    // names (they would keep the old bytes); the rest shows in the copying.
    if (fd >= 0 && ((::geteuid() != 0 && ::geteuid() != old.st_uid) || old.st_nlink > 1))
        return rewriteInPlace(target, fd, old, bytes);
    const int error = replaceByRename(target, fd, old, bytes);
    if (error == kCannotKeep) return rewriteInPlace(target, fd, old, bytes);
    return {error};
}

QByteArray backupPath(const QByteArray &target) { return directoryOf(target) + "/." + nameOf(target) + ".bak"; }

bool holdsSettings(int fd)
{
    QByteArray head(kHeadBytes, '\0');
    const ssize_t n = ::pread(fd, head.data(), size_t(head.size()), 0);
    return n > 0 && startsWithHeader(head.left(n));
}

} // namespace settings

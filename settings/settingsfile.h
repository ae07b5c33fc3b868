#pragma once
// The settings file's twelve lines: the writer and readsettings.
#include "settings/values.h"

#include <QByteArray>
#include <QIODevice>
#include <optional>

namespace settings {

// The twelve lines (and "voice=1" before "end" when the voice is on) in code
// page 932, each ending CR LF. nullopt, with error
// set, when a set-up text holds a character the code page cannot represent.
std::optional<QByteArray> writeSettings(const Values &values, QString *error = nullptr);

// The longest text a set-up field takes from a file, as many characters as a
// text box holds: a longer one is no set-up, and would only freeze the window.
constexpr qsizetype kLongestField = 65535;

// Whether a file's first bytes (at least kHeadBytes of them, or all it has)
// are the header line, in code page 932 or UTF-8: a settings file of ours.
constexpr qsizetype kHeadBytes = 64;
bool startsWithHeader(const QByteArray &head);

enum class ReadResult { Applied, TooLong, Unreadable };

// Applies every line it recognises, in file order; anything else is skipped,
// and so is a line too long for any field (a number with thousands of blanks).
// A file with a field value longer than kLongestField changes nothing:
// TooLong; nor does one that cannot be read to its end: Unreadable. The file
// is read in pieces, twice when it turns out not to be UTF-8, so it must be
// seekable; its size costs time, never memory.
ReadResult readsettings(QIODevice &file, Values &values);
// The same over bytes in memory; false unless Applied.
bool readsettings(const QByteArray &bytes, Values &values);

} // namespace settings

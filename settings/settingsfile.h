#pragma once
// The settings file's twelve lines: the writer and readsettings.
#include "settings/values.h"

#include <QByteArray>
#include <optional>

namespace settings {

// The twelve lines (and "voice=1" before "end" when the voice is on) in code
// page 932, each ending CR LF. nullopt, with error
// set, when a set-up text holds a character the code page cannot represent.
std::optional<QByteArray> writeSettings(const Values &values, QString *error = nullptr);

// The longest text a set-up field takes from a file, as many characters as a
// text box holds: a longer one is no set-up, and would only freeze the window.
constexpr qsizetype kLongestField = 65535;

// Applies every line it recognises, in file order; anything else is skipped.
// A file with a field value longer than kLongestField changes nothing: false.
bool readsettings(const QByteArray &bytes, Values &values);

} // namespace settings

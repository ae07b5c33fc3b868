#pragma once
// Where the settings file lies, and saving and loading it.
#include "settings/values.h"

#include <QByteArray>
#include <QString>

namespace settings {

enum class LoadStatus { Absent, Failed, Loaded };
struct LoadResult
{
    LoadStatus status;
    QString reason; // why, in the operator's words, when Failed
};
struct SaveResult
{
    bool ok;
    QString reason; // why, in the operator's words, when not ok
};

// "korvane.ini", relative: it names the file in the working directory of the
// moment, whatever bytes that directory's path holds.
QByteArray settingsPath();
// Absent: no ordinary file there. Failed (a link loop among the reasons):
// values untouched.
LoadResult load(const QByteArray &path, Values &values);
// Replaces an ordinary file, or the settings file a link leads to (keeping
// the link), and nothing else about it (see rewrite.h); anything else is
// refused. A failed save leaves the old file byte for byte as it was.
SaveResult save(const QByteArray &path, const Values &values);

} // namespace settings

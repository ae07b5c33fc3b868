#pragma once
// Where the settings file lies, and saving and loading it.
#include "settings/values.h"

#include <QString>

namespace settings {

enum class LoadStatus { Absent, Failed, Loaded };
struct LoadResult
{
    LoadStatus status;
    QString reason; // why, when Failed
};
struct SaveResult
{
    bool ok;
    QString reason; // why, when not ok
};

// "korvane.ini" in the working directory.
QString settingsPath();
// Absent: no ordinary file there. Failed: values untouched.
LoadResult load(const QString &path, Values &values);
// Replaces the file atomically: a failed save leaves the old file as it was.
SaveResult save(const QString &path, const Values &values);

} // namespace settings

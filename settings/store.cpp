#include "settings/store.h"

#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace settings {

QString settingsPath()
{
    return QDir::toNativeSeparators(QDir::current().filePath(QStringLiteral("korvane.ini")));
}

LoadResult load(const QString &path, Values &values)
{
    if (!QFileInfo(path).isFile()) return {LoadStatus::Absent, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {LoadStatus::Failed, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {LoadStatus::Failed, file.errorString()};
    readsettings(bytes, values);
    return {LoadStatus::Loaded, {}};
}

SaveResult save(const QString &path, const Values &values)
{
    QString error;
    const auto bytes = writeSettings(values, &error);
    if (!bytes) return {false, error};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};
    if (file.write(*bytes) != bytes->size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit()) return {false, file.errorString()};
    return {true, {}};
}

} // namespace settings

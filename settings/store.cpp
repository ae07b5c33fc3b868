#include "settings/store.h"

#include "settings/rewrite.h"
#include "settings/settingsfile.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settings {

namespace {

// What went wrong, as an operator would put it.
QString describe(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("ディスクの空きが足りません。");
    case EFBIG: return QStringLiteral("ファイルの大きさの上限を超えます。");
    case EACCES:
    case EPERM: return QStringLiteral("書き込みが許可されていません。");
    case EROFS: return QStringLiteral("読み取り専用の場所です。");
    case ENOENT: return QStringLiteral("フォルダが見つかりません。");
    case ENOTDIR: return QStringLiteral("途中のフォルダがフォルダではありません。");
    case ELOOP: return QStringLiteral("リンクが循環しています。");
    case EWOULDBLOCK: return QStringLiteral("ほかのコルヴァンがこのファイルを保存している最中です。");
    case ENAMETOOLONG: return QStringLiteral("パスが長すぎます。");
    case EIO: return QStringLiteral("ディスクの読み書きに失敗しました。");
    default: return QStringLiteral("ファイルの読み書きに失敗しました（エラー番号 %1）。").arg(error);
    }
}

SaveResult failed(const QString &why) { return {false, why}; }

const QString kLoop = QStringLiteral("korvane.ini はリンクですが、リンクが循環しています。");

} // namespace

QByteArray settingsPath() { return QByteArrayLiteral("korvane.ini"); }

LoadResult load(const QByteArray &path, Values &values)
{
    struct stat st{};
    if (::stat(path.constData(), &st) != 0)
        return errno == ELOOP ? LoadResult{LoadStatus::Failed, kLoop} : LoadResult{LoadStatus::Absent, {}};
    if (!S_ISREG(st.st_mode)) return {LoadStatus::Absent, {}};
    // Non-blocking, so that whatever replaces the file meanwhile cannot hold
    // us. A save in place that was cut short left the last whole content in
    // its backup.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    char resolved[PATH_MAX];
    int fd = ::realpath(path.constData(), resolved) ? ::open(backupPath(resolved).constData(), flags | O_NOFOLLOW) : -1;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) ::close(fd);
        if ((fd = ::open(path.constData(), flags)) < 0) return {LoadStatus::Failed, describe(errno)};
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {LoadStatus::Absent, {}};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle))
        return {LoadStatus::Failed, describe(EIO)};
    switch (readsettings(file, values)) {
    case ReadResult::Applied: return {LoadStatus::Loaded, {}};
    case ReadResult::TooLong:
        return {LoadStatus::Failed, QStringLiteral("設定の値が長すぎます（%1 文字まで）。").arg(kLongestField)};
    case ReadResult::Unreadable: break;
    }
    return {LoadStatus::Failed, describe(EIO)};
}

SaveResult save(const QByteArray &path, const Values &values)
{
    QString error;
    const auto bytes = writeSettings(values, &error);
    if (!bytes) return failed(error);

    // The file to replace: the path itself, or where its links lead, but
    // only when that is a settings file already: a link may come with a
    // folder from anyone, and lead to any file of the user's.
    QByteArray target = path;
    struct stat st{};
    const bool exists = ::lstat(path.constData(), &st) == 0;
    const bool link = exists && S_ISLNK(st.st_mode);
    if (link) {
        char resolved[PATH_MAX];
        if (!::realpath(path.constData(), resolved) || ::stat(resolved, &st) != 0) {
            if (errno == ELOOP) return failed(kLoop);
            if (errno == ENOENT) return failed(QStringLiteral("korvane.ini はリンクですが、リンク先のファイルがありません。"));
            return failed(describe(errno));
        }
        target = resolved;
    }
    const QString notOrdinary =
        QStringLiteral("korvane.ini という名前で、普通のファイルではないもの（フォルダ、装置、パイプなど）があります。");
    if (exists && !S_ISREG(st.st_mode)) return failed(notOrdinary);
    const int fd = exists ? ::open(target.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC) : -1;
    const auto close = qScopeGuard([fd] {
        if (fd >= 0) ::close(fd);
    });
    if (exists && fd < 0) return failed(describe(errno));
    if (exists && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) return failed(notOrdinary);
    if (link && !holdsSettings(fd))
        return failed(QStringLiteral("korvane.ini はリンクで、リンク先がコルヴァンの設定ファイルではないため、書き換えません。"));
    const RewriteResult result = rewrite(target, fd, st, *bytes);
    if (result.backupKept)
        return failed(describe(result.error) + QStringLiteral("\n以前の設定は %1 に残してあり、読み込むとそちらが読まれます。")
                                                   .arg(QString::fromLocal8Bit(backupPath(target))));
    if (result.error) return failed(describe(result.error));
    return {true, {}};
}

} // namespace settings

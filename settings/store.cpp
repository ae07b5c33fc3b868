#include "settings/store.h"

#include "settings/settingsfile.h"

#include <QFile>

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
    case ENAMETOOLONG: return QStringLiteral("パスが長すぎます。");
    case EIO: return QStringLiteral("ディスクの読み書きに失敗しました。");
    default: return QStringLiteral("ファイルの読み書きに失敗しました（エラー番号 %1）。").arg(error);
    }
}

SaveResult failed(const QString &why) { return {false, why}; }

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

QByteArray directoryOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArrayLiteral(".") : slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

} // namespace

QByteArray settingsPath() { return QByteArrayLiteral("korvane.ini"); }

LoadResult load(const QByteArray &path, Values &values)
{
    struct stat st{};
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {LoadStatus::Absent, {}};
    // Non-blocking, so that whatever replaces the file meanwhile cannot hold us.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {LoadStatus::Failed, describe(errno)};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {LoadStatus::Absent, {}};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return {LoadStatus::Failed, describe(EIO)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {LoadStatus::Failed, describe(EIO)};
    if (!readsettings(bytes, values))
        return {LoadStatus::Failed, QStringLiteral("設定の値が長すぎます（%1 文字まで）。").arg(kLongestField)};
    return {LoadStatus::Loaded, {}};
}

SaveResult save(const QByteArray &path, const Values &values)
{
    QString error;
    const auto bytes = writeSettings(values, &error);
    if (!bytes) return failed(error);

    // The file to replace: the path itself, or where its links lead.
    QByteArray target = path;
    struct stat st{};
    const bool exists = ::lstat(path.constData(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.constData(), resolved) || ::stat(resolved, &st) != 0)
            return failed(QStringLiteral("korvane.ini はリンクですが、リンク先のファイルがありません。"));
        target = resolved;
    }
    if (exists && !S_ISREG(st.st_mode))
        return failed(QStringLiteral("korvane.ini という名前で、普通のファイルではないもの（フォルダ、装置、パイプなど）があります。"));
    if (exists && ::access(target.constData(), W_OK) != 0) return failed(describe(errno));

    // Written beside the old file and renamed over it only once every byte is
    // on the disk: a full disk or a size limit leaves the old file whole.
    const QByteArray dir = directoryOf(target);
    QByteArray temp = dir + "/.korvane.ini.XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return failed(describe(errno));
    // Keep the old file's owner and permissions, or give a new one what the
    // user's mask allows: it is the same file to its user.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, exists ? st.st_mode & 07777 : 0666 & ~mask);
    if (exists && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // Not ours to give away: the file becomes the saver's, as a new one would.
    }
    bool ok = writeAll(fd, *bytes) && ::fsync(fd) == 0;
    int saved = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && ::rename(temp.constData(), target.constData()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return failed(describe(saved));
    }
    // The new name lasts a crash only once the directory is on the disk too.
    if (const int dirfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dirfd >= 0) {
        ::fsync(dirfd);
        ::close(dirfd);
    }
    return {true, {}};
}

} // namespace settings

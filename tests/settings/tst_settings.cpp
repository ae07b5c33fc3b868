// The settings file: its bytes as written, how any file reads, and saving and
// loading against real files, links, a full disk, a size limit and a mount
// point. (Pipes, devices and dangling links in its place: the window's scenarios.)
#include "settings/settingsfile.h"
#include "settings/store.h"
#include "support/table.h"

#include <QtTest>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using settings::LoadStatus;
using settings::Values;

namespace {

Values defaults()
{
    Values v;
    v.fields = {"10", "0", "10", "0", "10", "0"};
    return v;
}

QString describe(const Values &v)
{
    return "[" + QStringList(v.fields.begin(), v.fields.end()).join("][") + "] " + (v.firstLeft ? "L " : "R ")
           + QString::number(v.wtime[0]) + " " + QString::number(v.wtime[1]) + " " + QString::number(v.wtime[2]);
}

QByteArray bytesOf(const char *path)
{
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void put(const char *path, const QByteArray &bytes)
{
    QFile file(QString::fromLatin1(path));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

uint openFiles() { return QDir(QStringLiteral("/proc/self/fd")).count(); }

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    // Mounts made here live in a namespace of this process's own, so that
    // even a crash cannot leave one behind.
    void initTestCase()
    {
        if (::unshare(CLONE_NEWNS) == 0) ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    }
    void init()
    {
        const QByteArray here = QFile::encodeName(tmp.path()) + '/' + QTest::currentTestFunction() + '-'
                                + (QTest::currentDataTag() ? QTest::currentDataTag() : "");
        QVERIFY(::mkdir(here.constData(), 0755) == 0 && ::chdir(here.constData()) == 0);
    }

    // The bytes as written, read back as they were. (What the file cannot
    // hold is refused, naming the field: the window's scenarios.)
    void written()
    {
        const QByteArray header = QByteArray::fromHex("5b835283 8b839483 40839390 dd92e883 74834083 43838b5d");
        QCOMPARE(*settings::writeSettings(defaults()),
                 header + "\r\ntext1(0).text=10\r\ntext1(1).text=0\r\ntext1(2).text=10\r\ntext1(3).text=0\r\n"
                          "text1(4).text=10\r\ntext1(5).text=0\r\nfirst=0\r\nwtime1=0\r\nwtime2=0\r\nwtime3=0\r\nend\r\n");
        Values awkward{{"", "  5 ", "a=b=", "十分", "ｶﾀｶﾅ", QString(65535, u'９')}, false, {-32768, 32767, -1}};
        Values back{{"x", "x", "x", "x", "x", "x"}, true, {7, 7, 7}};
        QVERIFY(settings::readsettings(*settings::writeSettings(awkward), back));
        QCOMPARE(describe(back), describe(awkward));
    }

    // How any file reads, a file a line of reader.txt; even fifty megabytes
    // well within the two seconds a window may take to appear.
    void reader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("values"); // after reading over defaults(), after why not
        for (const QStringList &row : testing::rows(QFINDTESTDATA("reader.txt"), 3))
            QTest::newRow(qPrintable(row[0])) << testing::unescaped(row[1]) << row[2];
    }
    void reader()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, values);
        put("korvane.ini", file);
        Values v = defaults();
        QElapsedTimer timer;
        timer.start();
        const settings::LoadResult loaded = settings::load("korvane.ini", v);
        QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(loaded.reason + describe(v), values); // a reason only when it failed
    }

    void saveAndLoad()
    {
        Values v = defaults();
        struct stat st{};
        ::umask(027);
        QVERIFY(settings::save(settings::settingsPath(), v).ok && ::stat("korvane.ini", &st) == 0);
        QCOMPARE(st.st_mode & 07777, 0640u); // a new file: what the user's mask allows, the mask left as it was
        QCOMPARE(::umask(027), mode_t(027));
        put("korvane.ini", QByteArray(5000, 'x') + "\r\nwtime1=99\r\n"); // an older, longer file, its own mode kept
        QVERIFY(::chmod("korvane.ini", 0604) == 0 && (::geteuid() != 0 || ::chown("korvane.ini", 1234, 1234) == 0));
        v.wtime = {9, 8, 7};
        const uint fds = openFiles();
        QVERIFY(settings::save(settings::settingsPath(), v).ok && openFiles() == fds);
        QVERIFY(::stat("korvane.ini", &st) == 0 && (st.st_mode & 07777) == 0604 && (::geteuid() != 0 || st.st_uid == 1234));
        QCOMPARE(bytesOf("korvane.ini"), *settings::writeSettings(v));
        Values back;
        QCOMPARE(settings::load(settings::settingsPath(), back).status, LoadStatus::Loaded);
        QCOMPARE(describe(back), describe(v));
        QCOMPARE(QDir(".").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"korvane.ini"});
        // Through a link to a file elsewhere: that file is written, the link kept.
        QVERIFY(::mkdir("elsewhere", 0755) == 0 && ::rename("korvane.ini", "elsewhere/real.ini") == 0);
        QVERIFY(::symlink("elsewhere/real.ini", "korvane.ini") == 0);
        v.wtime[0] = 1;
        QVERIFY(settings::save("korvane.ini", v).ok);
        QVERIFY(::lstat("korvane.ini", &st) == 0 && S_ISLNK(st.st_mode));
        QCOMPARE(bytesOf("elsewhere/real.ini"), *settings::writeSettings(v));
        // Folder names from Japanese archives are code page 932, not UTF-8.
        QVERIFY(::mkdir("\x8a\xee\x95\x88", 0755) == 0 && ::chdir("\x8a\xee\x95\x88") == 0);
        QVERIFY(settings::save(settings::settingsPath(), v).ok);
        QCOMPARE(settings::load(settings::settingsPath(), back).status, LoadStatus::Loaded);
        // Removed here: QTemporaryDir reads names as UTF-8 and cannot name this folder.
        QVERIFY(::unlink("korvane.ini") == 0 && ::chdir("..") == 0 && ::rmdir("\x8a\xee\x95\x88") == 0);
    }

    // A write that fails part-way leaves the old file byte for byte, says why
    // in Japanese, and leaves no half-written file behind.
    void failedWrite_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << QStringLiteral("ディスクの空きが足りません。");
        QTest::newRow("file-size limit") << QStringLiteral("ファイルの大きさの上限を超えます。");
        QTest::newRow("a mount point: no rename") << QStringLiteral("ファイルの読み書きに失敗しました（エラー番号 16）。");
    }
    void failedWrite()
    {
        QFETCH(QString, reason);
        const QByteArray kind = QTest::currentDataTag();
        if (kind == "full disk") {
            QVERIFY(::mkdir("disk", 0755) == 0);
            if (::mount("tmpfs", "disk", "tmpfs", 0, "size=64k") != 0)
                QSKIP("cannot mount a small tmpfs here (needs root): the full-disk case is not tried");
            QVERIFY(::chdir("disk") == 0);
        }
        put("korvane.ini", "[old]\r\nwtime1=5\r\n");
        QByteArray mounted = kind == "full disk" ? QFile::encodeName(QDir::currentPath()) : QByteArray();
        if (kind.startsWith("a mount") && ::mount("korvane.ini", "korvane.ini", nullptr, MS_BIND, nullptr) == 0)
            mounted = "korvane.ini"; // a file bound over itself: it cannot be renamed over
        else if (kind.startsWith("a mount"))
            QSKIP("cannot bind-mount here (needs root): the mount-point case is not tried");
        const auto unmount = qScopeGuard([&] { // also when a check fails
            if (!mounted.isEmpty()) ::umount2(mounted.constData(), MNT_DETACH);
        });
        for (QFile filler("filler"); kind == "full disk" && (filler.isOpen() || filler.open(QIODevice::WriteOnly));)
            if (filler.write(QByteArray(4096, 'f')) < 4096 || !filler.flush()) break;
        const pid_t child = ::fork();
        if (child == 0) { // the limit in a child alone; SIGXFSZ ignored makes it EFBIG
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64, 64};
            if (kind == "file-size limit") ::setrlimit(RLIMIT_FSIZE, &limit);
            const uint fds = openFiles();
            ::_exit(settings::save("korvane.ini", defaults()).reason == reason && openFiles() == fds ? 0 : 1);
        }
        int status = -1;
        QVERIFY(::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(bytesOf("korvane.ini"), QByteArray("[old]\r\nwtime1=5\r\n"));
        QCOMPARE(QDir(".").entryList(QDir::Hidden | QDir::Files).filter(".korvane").size(), 0);
    }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"

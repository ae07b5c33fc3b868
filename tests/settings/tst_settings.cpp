// The settings file: its bytes as written, how any file reads, and saving and
// loading against real files, links, users, access lists, kills, a full
// disk, a size limit and a mount point. (Pipes, devices and dangling links in
// its place: the window's scenarios.)
#include "settings/settingsfile.h"
#include "settings/store.h"
#include "support/table.h"

#include <QtTest>

#include <csignal>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
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
           + QString::number(v.wtime[0]) + " " + QString::number(v.wtime[1]) + " " + QString::number(v.wtime[2]) + (v.voice ? " voice" : "");
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

QStringList folder() { return QDir(".").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System); }

// A shell command's output, run in the current folder.
QByteArray sh(const QString &command)
{
    QProcess p;
    p.start("sh", {"-c", command});
    p.waitForFinished(-1);
    return p.exitCode() == 0 ? p.readAllStandardOutput() : "failed: " + command.toUtf8() + '\n' + p.readAllStandardError();
}

// The most memory this process has held, in KiB, since the last reset.
qint64 peakKiB(bool reset)
{
    if (QFile clear("/proc/self/clear_refs"); reset && clear.open(QIODevice::WriteOnly)) clear.write("5");
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    return QRegularExpression("VmHWM:\\s*(\\d+)").match(status.readAll()).captured(1).toLongLong();
}

// Users who share a club's group, made once and kept (another run of the
// tests may be using them): korvane-a saves korvane-b's file.
const char *const kA = "korvane-a";
const QString kClub = "chown root:korvane-club . && chmod 2775 . && chown korvane-b:korvane-club korvane.ini && chmod 664 korvane.ini";
const char *const kNoUsers = "not root: no users can be made to save as, so the shared-file cases are not tried";
bool haveUsers()
{
    for (int attempt = 0; ::geteuid() == 0 && attempt < 5 && !::getpwnam("korvane-b"); ++attempt) // another run may be adding them too
        sh("groupadd -f korvane-club; for u in korvane-a korvane-b; do id $u || useradd -r -M -G korvane-club $u; done");
    return ::geteuid() == 0;
}

// Runs what in a child as the user ("root": as the test runs); wait with finished().
pid_t spawnAs(const char *user, const std::function<int()> &what)
{
    const pid_t child = ::fork();
    if (child != 0) return child;
    const passwd *pw = ::getpwnam(user);
    if (std::strcmp(user, "root") != 0
        && (!pw || ::initgroups(user, pw->pw_gid) != 0 || ::setgid(pw->pw_gid) != 0 || ::setuid(pw->pw_uid) != 0))
        ::_exit(99);
    ::_exit(what());
}
int finished(pid_t child) { int status = -1; return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
// From here on this process cannot make a file without a name (open with
// O_TMPFILE fails), as on a file system that has no such files.
bool noUnnamedFiles()
{
    sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])), // the flags' low half
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{sizeof code / sizeof *code, code};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}
// Whether a child here can be kept from making files without a name.
bool unnamedFilesCanBeRefused()
{
    return finished(spawnAs("root", [] { return noUnnamedFiles() && ::open(".", O_TMPFILE | O_RDWR, 0600) < 0 ? 0 : 1; })) == 0;
}
bool saveAs(const char *user, const Values &v, bool unnamed = true)
{
    return finished(spawnAs(user, [&] { return (unnamed || noUnnamedFiles()) && settings::save("korvane.ini", v).ok ? 0 : 1; })) == 0;
}

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
        ::close(0); // as when started with no standard input: a file may then get descriptor 0
        ::chmod(QFile::encodeName(tmp.path()).constData(), 0755); // for the other users
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

    // How any file reads, a file a line of reader.txt; whatever its size or
    // its bytes, reading holds little more than a piece of it at a time.
    void reader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("values"); // after reading over defaults(), after why not
        for (const QStringList &row : testing::rows(QFINDTESTDATA("reader.txt"), 3))
            QTest::newRow(qPrintable(row[0])) << testing::unescaped(row[1]) << QString::fromUtf8(testing::unescaped(row[2]));
    }
    void reader()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, values);
        put("korvane.ini", file);
        Values v = defaults();
        const qint64 before = peakKiB(true);
        const settings::LoadResult loaded = settings::load("korvane.ini", v);
        QVERIFY2(peakKiB(false) - before < 8192, qPrintable(QString::number(peakKiB(false) - before) + " KiB"));
        QCOMPARE(loaded.reason + describe(v), values); // a reason only when it failed
    }

    void saveAndLoad()
    {
        Values v = defaults();
        struct stat st{};
        ::umask(027);
        put(".korvane.ini.Ab3xYz", ""); // a temporary a crash left: removed, and no descriptor left open
        put(".korvane.ini.AAAAAA", "mine"); // a file of a temporary's shape that is not one: kept, and no hindrance
        const uint fds = openFiles();
        QVERIFY(settings::save(settings::settingsPath(), v).ok && ::stat("korvane.ini", &st) == 0 && openFiles() == fds);
        QCOMPARE(folder(), (QStringList{".korvane.ini.AAAAAA", "korvane.ini"}));
        QVERIFY(bytesOf(".korvane.ini.AAAAAA") == "mine" && ::unlink(".korvane.ini.AAAAAA") == 0);
        QCOMPARE(st.st_mode & 07777, 0640u); // a new file: what the user's mask allows, the mask left as it was
        QCOMPARE(::umask(027), mode_t(027));
        if (unnamedFilesCanBeRefused()) { // the same where files cannot be made without a name
            QVERIFY(::unlink("korvane.ini") == 0);
            QCOMPARE(finished(spawnAs("root", [&] { return noUnnamedFiles() && settings::save(settings::settingsPath(), v).ok && ::umask(027) == 027 ? 0 : 1; })), 0);
            QVERIFY(::stat("korvane.ini", &st) == 0 && (st.st_mode & 07777) == 0640);
        }
        put("korvane.ini", QByteArray(5000, 'x') + "\r\nwtime1=99\r\n"); // an older, longer file, its own mode kept
        put(".korvane.ini.bak", "[old]\r\nwtime1=98\r\n"); // a cut-short save's copy, older than what is saved now
        QVERIFY(::chmod("korvane.ini", 0604) == 0 && (::geteuid() != 0 || ::chown("korvane.ini", 1234, 1234) == 0));
        v.wtime = {9, 8, 7};
        QVERIFY(settings::save(settings::settingsPath(), v).ok && openFiles() == fds);
        QVERIFY(::stat("korvane.ini", &st) == 0 && (st.st_mode & 07777) == 0604 && (::geteuid() != 0 || st.st_uid == 1234));
        QCOMPARE(bytesOf("korvane.ini"), *settings::writeSettings(v));
        Values back;
        QCOMPARE(settings::load(settings::settingsPath(), back).status, LoadStatus::Loaded);
        QCOMPARE(describe(back), describe(v));
        QCOMPARE(folder(), QStringList{"korvane.ini"});
        QVERIFY(::mkdir(".korvane.ini.bak", 0755) == 0); // a folder where the copy would be: the file is read, nothing left open
        QVERIFY(settings::load(settings::settingsPath(), back).status == LoadStatus::Loaded && openFiles() == fds && ::rmdir(".korvane.ini.bak") == 0);
        // Folder names from Japanese archives are code page 932, not UTF-8.
        QVERIFY(::mkdir("\x8a\xee\x95\x88", 0755) == 0 && ::chdir("\x8a\xee\x95\x88") == 0);
        QVERIFY(settings::save(settings::settingsPath(), v).ok);
        QCOMPARE(settings::load(settings::settingsPath(), back).status, LoadStatus::Loaded);
        // Removed here: QTemporaryDir reads names as UTF-8 and cannot name this folder.
        QVERIFY(::unlink("korvane.ini") == 0 && ::chdir("..") == 0 && ::rmdir("\x8a\xee\x95\x88") == 0);
    }

    // A link is followed only to a settings file of ours, in either encoding;
    // anything else it leads to is left byte for byte, and a loop is named so.
    void links_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QString>("reason");
        for (const QStringList &row : testing::rows(QFINDTESTDATA("links.txt"), 3))
            QTest::newRow(qPrintable(row[0])) << testing::unescaped(row[1]) << (row[2] == "saved" ? QString() : row[2]);
    }
    void links()
    {
        QFETCH(QByteArray, target);
        QFETCH(QString, reason);
        QVERIFY(::mkdir("elsewhere", 0755) == 0);
        if (target == "loop") QVERIFY(::symlink("../korvane.ini", "elsewhere/next") == 0);
        else put("elsewhere/next", target);
        QVERIFY(::symlink("elsewhere/next", "korvane.ini") == 0);
        Values v{{"9"}};
        QCOMPARE(settings::save("korvane.ini", v).reason, reason);
        QVERIFY(QFileInfo("korvane.ini").isSymLink());
        QCOMPARE(bytesOf("elsewhere/next"), reason.isEmpty() ? *settings::writeSettings(v) : target == "loop" ? "(none)" : target);
        QCOMPARE(settings::load("korvane.ini", v).reason, target == "loop" ? reason : QString());
    }

    // Saving changes the file's bytes and nothing else about it, whoever
    // saves, and leaves nothing beside it: a file a line of owners.txt.
    void keepsTheFile_data()
    {
        QTest::addColumn<QByteArray>("saver");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("setup");
        for (const QStringList &row : testing::rows(QFINDTESTDATA("owners.txt"), 4))
            QTest::newRow(qPrintable(row[0])) << row[1].toUtf8() << (row[2] == "saved") << row[3];
    }
    void keepsTheFile()
    {
        QFETCH(QByteArray, saver);
        QFETCH(bool, saved);
        QFETCH(QString, setup);
        if (!haveUsers()) QSKIP(kNoUsers);
        put("korvane.ini", *settings::writeSettings(defaults()));
        QCOMPARE(sh(kClub + " && " + setup), "");
        const QString look = "stat -c '%U:%G %A %h' korvane.ini; getfattr -d -m - -e hex korvane.ini";
        const QByteArray before = sh(look);
        const QStringList files = folder();
        Values v = defaults();
        v.fields[0] = "99";
        QCOMPARE(saveAs(saver, v), saved);
        QCOMPARE(sh(look), before);
        QCOMPARE(bytesOf("korvane.ini"), *settings::writeSettings(saved ? v : defaults()));
        QCOMPARE(folder(), files);
        if (files.contains("other.ini")) QCOMPARE(bytesOf("other.ini"), *settings::writeSettings(saved ? v : defaults()));
    }

    // Saves killed at random moments, again and again: the file always reads
    // whole, old or new, and the next save leaves nothing beside it.
    void killed_data()
    {
        QTest::addColumn<QByteArray>("saver");
        QTest::addColumn<bool>("unnamed"); // whether the file system has files without a name
        QTest::newRow("renamed over b's file by root") << QByteArray("root") << true;
        QTest::newRow("renamed over b's file by root, no unnamed files") << QByteArray("root") << false;
        QTest::newRow("written in place over b's file by a") << QByteArray(kA) << true;
    }
    void killed()
    {
        QFETCH(QByteArray, saver);
        QFETCH(bool, unnamed);
        if (!haveUsers()) QSKIP(kNoUsers);
        if (!unnamed && !unnamedFilesCanBeRefused())
            QSKIP("no seccomp filter can be set here: saves without unnamed files are not tried");
        // On a tmpfs, where no fsync waits, a kill lands inside a write as often as not.
        QVERIFY(::mkdir("disk", 0755) == 0 && ::mount("tmpfs", "disk", "tmpfs", 0, "size=8m") == 0 && ::chdir("disk") == 0);
        const auto unmount = qScopeGuard([] { ::umount2(QFile::encodeName(QDir::currentPath()).constData(), MNT_DETACH); });
        Values v[3] = {defaults(), defaults(), defaults()};
        v[1].fields[0] = QString(settings::kLongestField, u'1'); // sixteen blocks: a kill may tear its write
        v[2].wtime[2] = 2;
        put("korvane.ini", *settings::writeSettings(v[0]));
        QCOMPARE(sh(kClub), "");
        QStringList whole;
        QByteArrayList written;
        for (const Values &each : v) whole << describe(each), written << *settings::writeSettings(each);
        QRandomGenerator random(20);
        int leftBehind = 0;
        for (int kill = 0; kill < 200; ++kill) {
            const pid_t child = spawnAs(saver, [&]() -> int {
                if (!unnamed && (!noUnnamedFiles() || ::open(".", O_TMPFILE | O_RDWR, 0600) >= 0)) return 98;
                for (int i = 1;; i = 3 - i) settings::save("korvane.ini", v[i]);
            });
            ::usleep(random.bounded(20000));
            QVERIFY(::kill(child, SIGKILL) == 0 && finished(child) == -1);
            Values back;
            QCOMPARE(settings::load("korvane.ini", back).status, LoadStatus::Loaded);
            QVERIFY2(whole.contains(describe(back)), qPrintable(QString::number(kill) + ": " + describe(back)));
            if (saver == "root") QVERIFY(written.contains(bytesOf("korvane.ini"))); // the rename: whole on the disk too
            leftBehind += folder().size() > 1;
        }
        // Named temporaries that kills left are gone with the next save.
        if (!unnamed) QVERIFY(leftBehind > 0);
        QVERIFY(saveAs(saver, v[1], unnamed));
        QCOMPARE(folder(), QStringList{"korvane.ini"});
        QCOMPARE(sh("stat -c '%U:%G %a' korvane.ini"), "korvane-b:korvane-club 664\n");
    }

    // A write that fails part-way leaves the old file byte for byte, says why
    // in Japanese, and leaves no half-written file or backup behind; also
    // when another user's file is written in place, the disk's last free
    // block going to the backup.
    void failedWrite_data()
    {
        QTest::addColumn<QString>("reason");
        for (const char *saver : {"", ", in place"}) {
            QTest::addRow("full disk%s", saver) << QStringLiteral("ディスクの空きが足りません。");
            QTest::addRow("file-size limit%s", saver) << QStringLiteral("ファイルの大きさの上限を超えます。");
        }
        QTest::newRow("full disk, not a block for the copy, in place") << QStringLiteral("ディスクの空きが足りません。");
        QTest::newRow("a mount point: no rename") << QStringLiteral("ファイルの読み書きに失敗しました（エラー番号 16）。");
    }
    void failedWrite()
    {
        QFETCH(QString, reason);
        const QByteArray kind = QTest::currentDataTag();
        const bool inPlace = kind.endsWith("in place");
        if (inPlace && !haveUsers()) QSKIP(kNoUsers);
        if (kind.startsWith("full disk")) {
            QVERIFY(::mkdir("disk", 0755) == 0);
            if (::mount("tmpfs", "disk", "tmpfs", 0, "size=64k") != 0)
                QSKIP("cannot mount a small tmpfs here (needs root): the full-disk case is not tried");
            QVERIFY(::chdir("disk") == 0);
        }
        put("korvane.ini", "[old]\r\nwtime1=5\r\n");
        if (inPlace) QCOMPARE(sh(kClub), "");
        QByteArray mounted = kind.startsWith("full disk") ? QFile::encodeName(QDir::currentPath()) : QByteArray();
        if (kind.startsWith("a mount") && ::mount("korvane.ini", "korvane.ini", nullptr, MS_BIND, nullptr) == 0)
            mounted = "korvane.ini"; // a file bound over itself: it cannot be renamed over
        else if (kind.startsWith("a mount"))
            QSKIP("cannot bind-mount here (needs root): the mount-point case is not tried");
        const auto unmount = qScopeGuard([&] { // also when a check fails
            if (!mounted.isEmpty()) ::umount2(mounted.constData(), MNT_DETACH);
        });
        QFile filler("filler"); // the disk full but for one block, or with none left for the copy
        while (kind.startsWith("full disk") && (filler.isOpen() || filler.open(QIODevice::WriteOnly)))
            if (filler.write(QByteArray(4096, 'f')) < 4096 || !filler.flush()) {
                const qint64 keep = QFileInfo("filler").size() / 4096 * 4096 - (kind.contains("not a block") ? 0 : 4096);
                QVERIFY(::truncate("filler", keep) == 0);
                break;
            }
        Values v = defaults();
        v.fields[0] = QString(5000, u'5'); // two blocks
        QCOMPARE(finished(spawnAs(inPlace ? kA : "root", [&] { // the limit in a child alone; SIGXFSZ ignored makes it EFBIG
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64, 64};
            if (kind.startsWith("file-size limit")) ::setrlimit(RLIMIT_FSIZE, &limit);
            const uint fds = openFiles();
            return settings::save("korvane.ini", v).reason == reason && openFiles() == fds ? 0 : 1;
        })), 0);
        QCOMPARE(bytesOf("korvane.ini"), QByteArray("[old]\r\nwtime1=5\r\n"));
        QCOMPARE(QDir(".").entryList(QDir::Hidden | QDir::Files).filter(".korvane").size(), 0);
    }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"

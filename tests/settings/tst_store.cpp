// Saving and loading against real files, links, pipes, devices, a full disk
// and a file-size limit.
#include "settings/settingsfile.h"
#include "settings/store.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using settings::LoadStatus;

namespace {

const QByteArray kOld = "[old]\r\nwtime1=5\r\n";

settings::Values sample()
{
    settings::Values v;
    v.fields = {"1", "2", "3", "4", "5", "6"};
    v.wtime = {9, 8, 7};
    return v;
}

QByteArray bytesOf(const QByteArray &path)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void put(const QByteArray &path, const QByteArray &bytes)
{
    QFile file(QFile::decodeName(path));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void init()
    {
        const QByteArray here = QFile::encodeName(tmp.path()) + '/' + QTest::currentTestFunction() + '-'
                                + (QTest::currentDataTag() ? QTest::currentDataTag() : "");
        QVERIFY(::mkdir(here.constData(), 0755) == 0);
        QVERIFY(::chdir(here.constData()) == 0);
    }

    void savedReadsBack()
    {
        put("korvane.ini", QByteArray(5000, 'x') + "\r\nwtime1=99\r\n"); // an older, longer file
        QVERIFY(settings::save(settings::settingsPath(), sample()).ok);
        QCOMPARE(bytesOf("korvane.ini"), *settings::writeSettings(sample()));
        settings::Values back;
        QCOMPARE(settings::load(settings::settingsPath(), back).status, LoadStatus::Loaded);
        QCOMPARE(back.fields, sample().fields);
        QCOMPARE(back.wtime, sample().wtime);
        QCOMPARE(QDir(".").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
    }

    // Names that are not an ordinary file: loading finds nothing, saving refuses and touches nothing.
    void notAFile_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::newRow("pipe") << QByteArray("mkfifo korvane.ini");
        QTest::newRow("folder") << QByteArray("mkdir korvane.ini");
        QTest::newRow("link to a pipe") << QByteArray("mkfifo p && ln -s p korvane.ini");
        QTest::newRow("link to a device") << QByteArray("ln -s /dev/null korvane.ini");
        QTest::newRow("dangling link") << QByteArray("ln -s nowhere korvane.ini");
    }
    void notAFile()
    {
        QFETCH(QByteArray, setup);
        QCOMPARE(std::system(setup.constData()), 0);
        struct stat was{}, target{};
        QVERIFY(::lstat("korvane.ini", &was) == 0);
        ::stat("korvane.ini", &target);

        settings::Values v = sample();
        QCOMPARE(settings::load("korvane.ini", v).status, LoadStatus::Absent);
        const settings::SaveResult saved = settings::save("korvane.ini", v);
        QVERIFY(!saved.ok);
        QVERIFY(saved.reason.startsWith("korvane.ini "));

        struct stat now{}, nowTarget{};
        QVERIFY(::lstat("korvane.ini", &now) == 0);
        ::stat("korvane.ini", &nowTarget);
        QCOMPARE(now.st_ino, was.st_ino);
        QCOMPARE(nowTarget.st_ino, target.st_ino);
        QCOMPARE(nowTarget.st_mode, target.st_mode);
    }

    void linkToFileIsFollowedAndKept()
    {
        QVERIFY(::mkdir("elsewhere", 0755) == 0);
        put("elsewhere/real.ini", kOld);
        QVERIFY(::symlink("elsewhere/real.ini", "korvane.ini") == 0);
        QVERIFY(settings::save("korvane.ini", sample()).ok);
        struct stat st{};
        QVERIFY(::lstat("korvane.ini", &st) == 0 && S_ISLNK(st.st_mode));
        QCOMPARE(bytesOf("elsewhere/real.ini"), *settings::writeSettings(sample()));
    }

    // A write that fails part-way leaves the old file byte for byte, says why
    // in Japanese, and leaves no half-written file behind.
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << true << QStringLiteral("ディスクの空きが足りません。");
        QTest::newRow("file-size limit") << false << QStringLiteral("ファイルの大きさの上限を超えます。");
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(bool, fullDisk);
        QFETCH(QString, reason);
        if (fullDisk) {
            QVERIFY(::mkdir("disk", 0755) == 0);
            if (::mount("tmpfs", "disk", "tmpfs", 0, "size=64k") != 0)
                QSKIP("cannot mount a small tmpfs here (needs root): the full-disk case is not tried");
            QVERIFY(::chdir("disk") == 0);
        }
        put("korvane.ini", kOld);
        if (fullDisk) {
            QFile filler("filler");
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size() && filler.flush()) {}
        }
        // The limit applies to the child alone; SIGXFSZ ignored turns it into EFBIG.
        int pipeEnds[2];
        QVERIFY(::pipe(pipeEnds) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64, 64};
            if (!fullDisk) ::setrlimit(RLIMIT_FSIZE, &limit);
            const QByteArray said = settings::save("korvane.ini", sample()).reason.toUtf8();
            (void)!::write(pipeEnds[1], said.constData(), size_t(said.size()));
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        QByteArray said;
        char buffer[512];
        for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
        ::close(pipeEnds[0]);
        ::waitpid(child, nullptr, 0);

        QCOMPARE(QString::fromUtf8(said), reason);
        QCOMPARE(bytesOf("korvane.ini"), kOld);
        QCOMPARE(QDir(".").entryList(QDir::Hidden | QDir::Files).filter(".korvane").size(), 0);
        if (fullDisk) {
            QVERIFY(::chdir("..") == 0);
            ::umount("disk");
        }
    }

    // Folder names from Japanese archives are code page 932, not UTF-8.
    void folderNameNotUtf8()
    {
        const char name[] = "\x8a\xee\x95\x88"; // 棋譜 in code page 932
        QVERIFY(::mkdir(name, 0755) == 0 && ::chdir(name) == 0);
        QVERIFY(settings::save(settings::settingsPath(), sample()).ok);
        settings::Values back;
        QCOMPARE(settings::load(settings::settingsPath(), back).status, LoadStatus::Loaded);
        QCOMPARE(back.wtime, sample().wtime);
    }

    void hugeFiles_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("status");
        QTest::newRow("fifty megabytes of lines") << QByteArray("text1(0).text=5\r\nwtime1=3\r\n") << int(LoadStatus::Loaded);
        QTest::newRow("one field too long for a box") << QByteArray("text1(0).text=" + QByteArray(65536, '7')) << int(LoadStatus::Failed);
    }
    void hugeFiles()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, status);
        put("korvane.ini", "wtime2=4\r\n" + line.repeated(qMax<qsizetype>(1, 50'000'000 / line.size())));
        settings::Values v = sample();
        QElapsedTimer timer;
        timer.start();
        const settings::LoadResult result = settings::load("korvane.ini", v);
        QCOMPARE(int(result.status), status);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(v.wtime[1], status == int(LoadStatus::Loaded) ? 4 : 8); // a refused file changes nothing
    }
};

QTEST_APPLESS_MAIN(TestStore)
#include "tst_store.moc"

// What the cues tell the device, the beeper and the report, in order, for the
// files present in the working directory.
#include "sound/cues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Device, beeper and report all write to one log so their order shows.
struct Log
{
    QStringList lines;
};

class FakeDevice : public sound::MediaDevice
{
public:
    explicit FakeDevice(Log &log) : log_(log) {}
    bool openOk = true;
    bool playOk = true;
    void setFileName(const QString &name) override { log_.lines << QStringLiteral("file:") + name; }
    bool open() override
    {
        log_.lines << QStringLiteral("open");
        return openOk;
    }
    bool play() override
    {
        log_.lines << QStringLiteral("play");
        return playOk;
    }
    void close() override { log_.lines << QStringLiteral("close"); }

private:
    Log &log_;
};

class FakeBeeper : public sound::Beeper
{
public:
    explicit FakeBeeper(Log &log) : log_(log) {}
    void beepThreeTimes() override { log_.lines << QStringLiteral("beep3"); }

private:
    Log &log_;
};

} // namespace

class TestCues : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void warning_data();
    void warning();
    void timesup_data();
    void timesup();

private:
    void makeFiles(const QStringList &files, const QStringList &dirs);

    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
};

void TestCues::init()
{
    previousDir_ = QDir::currentPath();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir::setCurrent(dir_->path()));
}

void TestCues::cleanup()
{
    QDir::setCurrent(previousDir_);
    dir_.reset();
}

void TestCues::makeFiles(const QStringList &files, const QStringList &dirs)
{
    for (const QString &name : files) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF");
    }
    for (const QString &name : dirs) QVERIFY(QDir().mkdir(name));
}

void TestCues::warning_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("dirs");
    QTest::addColumn<bool>("openOk");
    QTest::addColumn<bool>("playOk");
    QTest::addColumn<QStringList>("expected");

    const QStringList both1{"warning1.wav", "warning.wav"};
    const auto played = [](const char *file) {
        return QStringList{"close", QStringLiteral("file:") + QLatin1String(file), "open", "play"};
    };
    QTest::newRow("1: own and shared file") << 1 << both1 << QStringList() << true << true << played("warning1.wav");
    QTest::newRow("2: own and shared file") << 2 << QStringList{"warning2.wav", "warning.wav"} << QStringList()
                                            << true << true << played("warning2.wav");
    QTest::newRow("3: own file only") << 3 << QStringList{"warning3.wav"} << QStringList() << true << true
                                      << played("warning3.wav");
    QTest::newRow("1: shared file only") << 1 << QStringList{"warning.wav"} << QStringList() << true << true
                                         << played("warning.wav");
    // warning.wav is named without looking; the device reports it missing.
    QTest::newRow("1: no file") << 1 << QStringList() << QStringList() << true << true << played("warning.wav");
    QTest::newRow("1: own name is a folder") << 1 << QStringList{"warning.wav"} << QStringList{"warning1.wav"}
                                             << true << true << played("warning.wav");
    QTest::newRow("2: only the other warnings' files")
        << 2 << QStringList{"warning1.wav", "warning3.wav"} << QStringList() << true << true << played("warning.wav");
    QTest::newRow("1: open fails") << 1 << both1 << QStringList() << false << true
                                   << QStringList{"close", "file:warning1.wav", "open", "beep3"};
    QTest::newRow("3: open fails, no file") << 3 << QStringList() << QStringList() << false << false
                                            << QStringList{"close", "file:warning.wav", "open", "beep3"};
    QTest::newRow("2: play fails") << 2 << QStringList{"warning2.wav"} << QStringList() << true << false
                                   << QStringList{"close", "file:warning2.wav", "open", "play", "beep3"};
}

void TestCues::warning()
{
    QFETCH(int, number);
    QFETCH(QStringList, files);
    QFETCH(QStringList, dirs);
    QFETCH(bool, openOk);
    QFETCH(bool, playOk);
    QFETCH(QStringList, expected);
    makeFiles(files, dirs);

    Log log;
    FakeDevice device(log);
    device.openOk = openOk;
    device.playOk = playOk;
    FakeBeeper beeper(log);
    sound::Cues cues(device, beeper, [&log](const QString &m) { log.lines << QStringLiteral("report:") + m; });
    switch (number) {
    case 1: cues.timeswarning1(); break;
    case 2: cues.timeswarning2(); break;
    case 3: cues.timeswarning3(); break;
    }
    QCOMPARE(log.lines, expected);
}

void TestCues::timesup_data()
{
    QTest::addColumn<bool>("openOk");
    QTest::addColumn<bool>("playOk");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");

    const QString message = QStringLiteral(" 時間切れです。\n先手の負け  ");
    const QString report = QStringLiteral("report:") + message;
    QTest::newRow("sound plays while the box is up")
        << true << true << message << QStringList{"close", "file:end.wav", "open", "play", report, "close"};
    QTest::newRow("open fails: beeps, then the box")
        << false << true << message << QStringList{"close", "file:end.wav", "open", "beep3", report, "close"};
    QTest::newRow("play fails: beeps, then the box")
        << true << false << message << QStringList{"close", "file:end.wav", "open", "play", "beep3", report, "close"};
    QTest::newRow("empty message") << true << true << QString()
                                   << QStringList{"close", "file:end.wav", "open", "play", "report:", "close"};
}

void TestCues::timesup()
{
    QFETCH(bool, openOk);
    QFETCH(bool, playOk);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);
    // end.wav is used as named even when a folder stands in its place.
    makeFiles({}, {"end.wav"});

    Log log;
    FakeDevice device(log);
    device.openOk = openOk;
    device.playOk = playOk;
    FakeBeeper beeper(log);
    sound::Cues cues(device, beeper, [&log](const QString &m) { log.lines << QStringLiteral("report:") + m; });
    cues.timesup(message);
    QCOMPARE(log.lines, expected);
}

QTEST_GUILESS_MAIN(TestCues)
#include "tst_cues.moc"

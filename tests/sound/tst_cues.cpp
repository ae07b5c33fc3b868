// What the cues tell the device, the beeper and the report, in order, for the
// files present in the working directory and the device's answers.
#include "sound/cues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Device, beeper and report all write to one log so their order shows.
struct Fakes : sound::MediaDevice, sound::Beeper
{
    QStringList log;
    bool openOk = true, playOk = true;
    std::function<void()> failed;
    void setFileName(const QString &name) override { log << QStringLiteral("file:") + name; }
    bool open() override { return log << QStringLiteral("open"), openOk; }
    bool play() override { return log << QStringLiteral("play"), playOk; }
    void close() override { log << QStringLiteral("close"); }
    void setFailureHandler(std::function<void()> handler) override { failed = std::move(handler); }
    void beepThreeTimes() override { log << QStringLiteral("beep3"); }
};

} // namespace

class TestCues : public QObject
{
    Q_OBJECT

private slots:
    void cue_data();
    void cue();
    void handlerGoesWithTheCues();
};

void TestCues::cue_data()
{
    QTest::addColumn<int>("number"); // 0: timesup
    QTest::addColumn<QStringList>("files"); // a name ending in / is a folder
    QTest::addColumn<QString>("answers"); // open, play, late failure: 1 ok, 0 fails
    QTest::addColumn<QStringList>("expected");

    const auto played = [](const char *file) {
        return QStringList{"close", QStringLiteral("file:") + QLatin1String(file), "open", "play"};
    };
    const QStringList both1{"warning1.wav", "warning.wav"};
    QTest::newRow("1: own and shared file") << 1 << both1 << "111" << played("warning1.wav");
    QTest::newRow("2: own file") << 2 << QStringList{"warning2.wav", "warning.wav"} << "111" << played("warning2.wav");
    QTest::newRow("3: own file only") << 3 << QStringList{"warning3.wav"} << "111" << played("warning3.wav");
    QTest::newRow("1: shared file only") << 1 << QStringList{"warning.wav"} << "111" << played("warning.wav");
    // warning.wav is named without looking; the device finds it missing.
    QTest::newRow("1: no file") << 1 << QStringList() << "111" << played("warning.wav");
    QTest::newRow("1: own name is a folder") << 1 << QStringList{"warning.wav", "warning1.wav/"} << "111"
                                             << played("warning.wav");
    QTest::newRow("2: only the others' files") << 2 << QStringList{"warning1.wav", "warning3.wav"} << "111"
                                               << played("warning.wav");
    QTest::newRow("1: open fails") << 1 << both1 << "011" << QStringList{"close", "file:warning1.wav", "open", "beep3"};
    QTest::newRow("2: play fails") << 2 << QStringList{"warning2.wav"} << "101"
                                   << played("warning2.wav") + QStringList{"beep3"};
    QTest::newRow("3: fails after play") << 3 << QStringList() << "110" << played("warning.wav") + QStringList{"beep3"};

    const QString report = QStringLiteral("report: 時間切れです。\n先手の負け  ");
    // end.wav is used as named even when a folder stands in its place.
    QTest::newRow("timesup: sound while the box is up") << 0 << QStringList{"end.wav/"} << "111"
                                                       << played("end.wav") + QStringList{report, "close"};
    QTest::newRow("timesup: open fails, beeps before the box")
        << 0 << QStringList() << "011" << QStringList{"close", "file:end.wav", "open", "beep3", report, "close"};
    QTest::newRow("timesup: play fails") << 0 << QStringList() << "101"
                                         << played("end.wav") + QStringList{"beep3", report, "close"};
    QTest::newRow("timesup: fails while the box is up") << 0 << QStringList() << "110"
                                                        << played("end.wav") + QStringList{report, "beep3", "close"};
}

void TestCues::cue()
{
    QFETCH(int, number);
    QFETCH(QStringList, files);
    QFETCH(QString, answers);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    for (const QString &name : files) {
        QFile f(name);
        QVERIFY(name.endsWith(u'/') ? QDir().mkdir(name) : f.open(QIODevice::WriteOnly));
    }

    Fakes fakes;
    fakes.openOk = answers[0] == u'1';
    fakes.playOk = answers[1] == u'1';
    // The device reports a late failure when the event loop next runs: inside
    // the box, or after a warning cue has returned.
    const auto late = [&] {
        if (answers[2] == u'0') fakes.failed();
    };
    sound::Cues cues(fakes, fakes, [&](const QString &m) {
        fakes.log << QStringLiteral("report:") + m;
        late();
    });
    switch (number) {
    case 0: cues.timesup(QStringLiteral(" 時間切れです。\n先手の負け  ")); break;
    case 1: cues.timeswarning1(); late(); break;
    case 2: cues.timeswarning2(); late(); break;
    case 3: cues.timeswarning3(); late(); break;
    }
    QDir::setCurrent(previous);
    QCOMPARE(fakes.log, expected);
}

// The device outlives the cues; its handler must not call into them after.
void TestCues::handlerGoesWithTheCues()
{
    Fakes fakes;
    std::make_unique<sound::Cues>(fakes, fakes, sound::Cues::Report()).reset();
    QVERIFY(!fakes.failed);
}

QTEST_GUILESS_MAIN(TestCues)
#include "tst_cues.moc"

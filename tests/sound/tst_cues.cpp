// What the cues tell the device and the beeper, in order, for the files
// present in the working directory and the device's answers.
#include "sound/cues.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Device and beeper write to one log so their order shows.
struct Fakes : sound::MediaDevice, sound::Beeper
{
    QStringList log;
    QString answers; // open, play, late failure: 1 ok, 0 fails
    std::function<void()> failed;
    void setFileName(const QString &name) override { log << name; }
    bool open() override { return log << "open", answers[0] == u'1'; }
    bool play() override { return log << "play", answers[1] == u'1'; }
    void close() override { log << "close"; }
    void setFailureHandler(std::function<void()> handler) override { failed = std::move(handler); }
    void beepThreeTimes() override { log << "beep3"; }
};

} // namespace

class TestCues : public QObject
{
    Q_OBJECT
private slots:
    void cue_data()
    {
        QTest::addColumn<int>("number"); // 0: the time-out's sound
        QTest::addColumn<QStringList>("files"); // a name ending in / is a folder
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("own and shared file") << 1 << QStringList{"warning1.wav", "warning.wav"} << "111" << "close warning1.wav open play";
        QTest::newRow("own file") << 2 << QStringList{"warning2.wav"} << "111" << "close warning2.wav open play";
        QTest::newRow("shared file only") << 3 << QStringList{"warning.wav", "warning1.wav"} << "111" << "close warning.wav open play";
        QTest::newRow("no file: named unseen") << 1 << QStringList() << "111" << "close warning.wav open play";
        QTest::newRow("own name a folder") << 1 << QStringList{"warning1.wav/"} << "111" << "close warning.wav open play";
        QTest::newRow("open fails") << 2 << QStringList{"warning2.wav"} << "011" << "close warning2.wav open beep3";
        QTest::newRow("play fails") << 3 << QStringList() << "101" << "close warning.wav open play beep3";
        QTest::newRow("fails after play") << 1 << QStringList() << "110" << "close warning.wav open play beep3";
        QTest::newRow("time-out, a folder in end.wav's place") << 0 << QStringList{"end.wav/"} << "111" << "close end.wav open play";
        QTest::newRow("time-out, open fails") << 0 << QStringList() << "011" << "close end.wav open beep3";
        QTest::newRow("time-out, play fails") << 0 << QStringList() << "101" << "close end.wav open play beep3";
    }
    void cue()
    {
        QFETCH(int, number);
        QFETCH(QStringList, files);
        QFETCH(QString, answers);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        for (const QString &name : files) {
            QFile file(name);
            QVERIFY(name.endsWith(u'/') ? QDir().mkdir(name) : file.open(QIODevice::WriteOnly));
        }
        Fakes fakes;
        fakes.answers = answers;
        {
            sound::Cues cues(fakes, fakes);
            void (sound::Cues::*const cue[4])() = {&sound::Cues::timesupSound, &sound::Cues::timeswarning1,
                                                   &sound::Cues::timeswarning2, &sound::Cues::timeswarning3};
            (cues.*cue[number])();
            if (answers[2] == u'0') fakes.failed(); // the device learns of it later
        }
        QDir::setCurrent(previous);
        QCOMPARE(fakes.log.join(u' '), expected);
        QVERIFY(!fakes.failed); // the device outlives the cues: no call into them after
    }
};

QTEST_GUILESS_MAIN(TestCues)
#include "tst_cues.moc"

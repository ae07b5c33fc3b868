// The display rule, timeformat and the display-mode button.
#include "clockrig.h"
#include "clock/timeformat.h"

using namespace cltest;

class TestClockDisplay : public QObject
{
    Q_OBJECT
private slots:
    void timeformat_data()
    {
        QTest::addColumn<qint64>("s");
        QTest::addColumn<QString>("text");
        const struct { qint64 s; const char *text; } rows[] = {
            {0, "0:00"}, {5, "0:05"}, {10, "0:10"}, {59, "0:59"}, {60, "1:00"}, {600, "10:00"}, {610, "10:10"}, {3599, "59:59"},
            {3600, "60:00"}, {32767, "546:07"}, {-60, "-1:00"}, {-5, "0:0-5"}, {-65, "-1:0-5"},
            {32768, "546:08"}, {59940, "999:00"}};
        for (const auto &r : rows) QTest::addRow("%lld", r.s) << r.s << QString(r.text);
    }
    void timeformat()
    {
        QFETCH(qint64, s);
        QFETCH(QString, text);
        QCOMPARE(gameclock::timeformat(s), text);
    }

    void clockText_data()
    {
        QTest::addColumn<double>("t");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("600") << 600.0 << "600" << "10:00";
        QTest::newRow("599.9") << 599.9 << "599" << "9:59";
        QTest::newRow("0.4") << 0.4 << "0" << "0:00";
        QTest::newRow("7.5") << 7.5 << "7" << "0:07";
        QTest::newRow("-0.2 rounds down") << -0.2 << "-1" << "0:0-1";
        QTest::newRow("past 16 bits") << 32768.5 << "32768" << "546:08";
        QTest::newRow("999 minutes") << 59940.0 << "59940" << "999:00";
        QTest::newRow("1e9") << 1e9 << "1000000000" << "16666666:40";
    }
    void clockText()
    {
        QFETCH(double, t);
        QFETCH(QString, seconds);
        QFETCH(QString, minutes);
        QCOMPARE(gameclock::clockText(t, -1), seconds);
        QCOMPARE(gameclock::clockText(t, 0), minutes);
    }

    void modeWithoutGameSetsUp()
    {
        Rig r;
        r.run("mode");
        QCOMPARE(r.panel.clock[0], "600");
        QCOMPARE(r.panel.clock[1], "600");
        QCOMPARE(r.panel.mode, caption::toMinutes);
        QCOMPARE(r.panel.move, caption::start);
        QVERIFY(!r.panel.timer);
        r.run("mode");
        QCOMPARE(r.panel.clock[0], "10:00");
        QCOMPARE(r.panel.mode, caption::toSeconds);
        QCOMPARE(r.s().secdisp, 0);
    }

    // The redraw during a game: the running clock from its live values once it
    // has ticked, every other clock from what its player has banked.
    void modeDuringGame_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("leftRed");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("rightRed");
        QTest::newRow("running, live") << "set;move;run 100.4" << "499" << false << "600" << false;
        QTest::newRow("paused, pressed twice") << "set;move;run 100.8;wait 0.3;pause;mode"
                                               << "8:19" << false << "10:00" << false;
        QTest::newRow("waiting keeps increment") << "set;move;run 5;move;run 1" << "605" << false << "599" << false;
        QTest::newRow("not ticked since set-up") << "set;move;run 100;set;move" << "600" << false << "600" << false;
        QTest::newRow("waiting in byo-yomi") << "f0=0;f5=30;set;move;run 2;move;f5=20;run 1"
                                             << "30" << true << "599" << false;
        QTest::newRow("running in byo-yomi") << "f0=0;f5=30;set;move;run 2.6" << "27" << true << "600" << false;
    }
    void modeDuringGame()
    {
        QFETCH(QString, script);
        QFETCH(QString, left);
        QFETCH(bool, leftRed);
        QFETCH(QString, right);
        QFETCH(bool, rightRed);
        Rig r;
        r.run(script);
        ClockState before = r.s();
        const bool timer = r.panel.timer;
        const QString pause = r.panel.pause, move = r.panel.move;
        r.run("mode");
        QCOMPARE(r.panel.clock[0], left);
        QCOMPARE(r.panel.red[0], leftRed);
        QCOMPARE(r.panel.clock[1], right);
        QCOMPARE(r.panel.red[1], rightRed);
        // Nothing but the texts, colours and mode changes.
        QCOMPARE(r.panel.timer, timer);
        QCOMPARE(r.panel.pause, pause);
        QCOMPARE(r.panel.move, move);
        QVERIFY(r.panel.notices.isEmpty());
        before.secdisp = r.s().secdisp;
        QCOMPARE(Rig::stateText(r.s()), Rig::stateText(before));
    }
};

QTEST_GUILESS_MAIN(TestClockDisplay)
#include "tst_clockdisplay.moc"

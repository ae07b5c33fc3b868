// The set button: what it reads, draws and resets, and what it refuses.
#include "clockrig.h"

using namespace cltest;

class TestClockSetup : public QObject
{
    Q_OBJECT
private slots:
    void setup_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("lamps");
        QTest::addColumn<int>("turn");
        QTest::addColumn<int>("addtime");
        QTest::addColumn<double>("lefttime");
        QTest::addColumn<double>("righttime");
        QTest::newRow("defaults") << "set" << "10:00" << "10:00" << "10" << -1 << 10 << 600.0 << 600.0;
        QTest::newRow("seconds mode") << "mode" << "600" << "600" << "10" << -1 << 10 << 600.0 << 600.0;
        QTest::newRow("reset keeps mode") << "mode;set" << "600" << "600" << "10" << -1 << 10 << 600.0 << 600.0;
        QTest::newRow("RIGHT first") << "first=1;set" << "10:00" << "10:00" << "01" << 0 << 10 << 600.0 << 600.0;
        QTest::newRow("neither keeps LEFT") << "set;first=-1;set" << "10:00" << "10:00" << "10" << -1 << 10 << 600.0 << 600.0;
        QTest::newRow("neither keeps RIGHT") << "first=1;set;first=-1;set" << "10:00" << "10:00" << "01" << 0 << 10 << 600.0 << 600.0;
        QTest::newRow("minutes 1.5") << "f0=1.5;set" << "1:30" << "10:00" << "10" << -1 << 10 << 90.0 << 600.0;
        QTest::newRow("seconds 75") << "f2=0;f3=75;set" << "10:00" << "1:15" << "10" << -1 << 10 << 600.0 << 75.0;
        QTest::newRow("zero time") << "f0=0;set" << "0:00" << "10:00" << "10" << -1 << 10 << 0.0 << 600.0;
        QTest::newRow("zero time, seconds") << "f0=0;mode" << "0" << "600" << "10" << -1 << 10 << 0.0 << 600.0;
        QTest::newRow("full-width") << "f0=１．５;f3=＋５;set" << "1:30" << "10:05" << "10" << -1 << 10 << 90.0 << 605.0;
        QTest::newRow("blanks") << "f2= 7 ;set" << "10:00" << "7:00" << "10" << -1 << 10 << 600.0 << 420.0;
        QTest::newRow("negative seconds") << "f0=0;f1=-5;set" << "0:0-5" << "10:00" << "10" << -1 << 10 << -5.0 << 600.0;
        QTest::newRow("999 minutes") << "f0=999;set" << "999:00" << "10:00" << "10" << -1 << 10 << 59940.0 << 600.0;
        QTest::newRow("999 minutes, seconds") << "f0=999;mode" << "59940" << "600" << "10" << -1 << 10 << 59940.0 << 600.0;
        QTest::newRow("increment 2.5") << "f4=2.5;set" << "10:00" << "10:00" << "10" << -1 << 2 << 600.0 << 600.0;
        QTest::newRow("increment 3.5") << "f4=3.5;set" << "10:00" << "10:00" << "10" << -1 << 4 << 600.0 << 600.0;
        QTest::newRow("increment -2.5") << "f4=-2.5;set" << "10:00" << "10:00" << "10" << -1 << -2 << 600.0 << 600.0;
        QTest::newRow("increment 32767.4") << "f4=32767.4;set" << "10:00" << "10:00" << "10" << -1 << 32767 << 600.0 << 600.0;
        QTest::newRow("increment -32768.5") << "f4=-32768.5;set" << "10:00" << "10:00" << "10" << -1 << -32768 << 600.0 << 600.0;
    }
    void setup()
    {
        QFETCH(QString, script);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(QString, lamps);
        QFETCH(int, turn);
        QFETCH(int, addtime);
        QFETCH(double, lefttime);
        QFETCH(double, righttime);
        Rig r;
        r.run(script);
        QCOMPARE(r.panel.clock[0], left);
        QCOMPARE(r.panel.clock[1], right);
        QCOMPARE(QString("%1%2").arg(r.panel.lamp[0]).arg(r.panel.lamp[1]), lamps);
        QCOMPARE(r.s().turn, turn);
        QCOMPARE(r.s().addtime, addtime);
        QCOMPARE(r.s().lefttime, lefttime);
        QCOMPARE(r.s().righttime, righttime);
        QCOMPARE(r.panel.move, caption::start);
        QCOMPARE(r.panel.pause, caption::pause);
        QVERIFY(!r.panel.timer);
        QVERIFY(r.panel.notices.isEmpty());
    }

    // Set abandons a game in any state and leaves it ready to start afresh.
    void setDuringGame_data()
    {
        QTest::addColumn<QString>("script");
        // Both players in byo-yomi, so both clocks are red.
        const QString game = "f0=0;f1=5;f2=0;f3=5;f5=30;w=3,100,100;set;move;run 8;move;run 8;move;run 2";
        QTest::newRow("running") << game;
        QTest::newRow("paused") << game + ";pause";
        QTest::newRow("timed out") << game + ";run 40";
    }
    void setDuringGame()
    {
        QFETCH(QString, script);
        Rig r;
        r.run(script);
        QVERIFY(r.panel.red[0] && r.panel.red[1]);
        QCOMPARE(r.s().leftwarn1, -1);
        r.run("f0=2;f1=0;f2=10;f3=0;set");
        QVERIFY(!r.panel.timer);
        QCOMPARE(r.panel.moves[0], "0");
        QCOMPARE(r.panel.moves[1], "0");
        QVERIFY(!r.panel.red[0] && !r.panel.red[1]);
        QCOMPARE(r.panel.clock[0], "2:00");
        QCOMPARE(r.panel.clock[1], "10:00");
        QCOMPARE(r.panel.move, caption::start);
        QCOMPARE(r.panel.pause, caption::pause);
        QCOMPARE(r.s().leftbyoon, 0);
        QCOMPARE(r.s().leftwarn1, 0);
        QCOMPARE(r.s().leftmoves, 0);
        QCOMPARE(r.s().turn, -1);
    }

    // A refused set-up says which field once and changes nothing at all.
    void refused_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        const char *const states[][3] = {{"fresh", "", "set"},
                                         {"running", "f5=30;set;move;run 3;move;run 2", "set"},
                                         {"mode, fresh", "", "mode"},
                                         {"mode, set up", "set", "mode"}};
        for (const auto &st : states)
            for (int f = 0; f < 6; ++f)
                for (const char *bad : {"", " ", "abc", "1:30", "1e3", "--1"})
                    QTest::addRow("%s, field %d, '%s'", st[0], f, bad) << st[1] << st[2] << f << bad;
        const QString paused = "f5=30;set;move;run 3;pause";
        QTest::newRow("increment 40000") << "" << "set" << 4 << "40000";
        QTest::newRow("increment 40000, running") << "set;move;run 1" << "set" << 4 << "40000";
        QTest::newRow("increment 32767.5") << "" << "set" << 4 << "32767.5";
        QTest::newRow("increment 40000, mode") << "" << "mode" << 4 << "40000";
        QTest::newRow("minutes 99999999") << "" << "set" << 0 << "99999999";
        QTest::newRow("minutes 99999999, right") << "set;move;run 1" << "set" << 2 << "99999999";
        QTest::newRow("seconds beyond 1e9") << "" << "set" << 1 << "1000000001";
        QTest::newRow("byo-yomi beyond 1e9") << "" << "set" << 5 << "1000000001";
        QTest::newRow("letters, paused") << paused << "set" << 3 << "x";
    }
    void refused()
    {
        QFETCH(QString, before);
        QFETCH(QString, button);
        QFETCH(int, field);
        QFETCH(QString, text);
        Rig r;
        r.run(before);
        const QString snap = r.snapshot();
        r.panel.fields[field] = text;
        r.run(button);
        QCOMPARE(r.panel.notices.size(), 1);
        const QString n = r.panel.notices[0];
        const char *const names[] = {"LEFT", "LEFT", "RIGHT", "RIGHT", "通常加算", "切れ後"};
        QVERIFY2(n.contains(names[field]), qPrintable(n));
        if (field < 4) {
            QVERIFY2(n.contains(field % 2 ? "秒" : "分"), qPrintable(n));
            QVERIFY2(!n.contains(field < 2 ? "RIGHT" : "LEFT"), qPrintable(n));
        }
        QCOMPARE(r.snapshot(), snap);
    }
};

QTEST_GUILESS_MAIN(TestClockSetup)
#include "tst_clocksetup.moc"

// The move button: start, charging a move, increment or fresh byo-yomi, move numbers.
#include "clockrig.h"

using namespace cltest;

class TestClockMove : public QObject
{
    Q_OBJECT
private slots:
    void move_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("side"); // the player whose values are checked
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("byo");
        QTest::addColumn<int>("byoon");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("turn");
        const QString byo30 = "f0=0;f1=0;f5=30;mode;move;";
        QTest::newRow("start") << "f5=30;set;move" << 0 << 600.0 << 30.0 << 0 << "10:00" << false << "1/0" << -1;
        QTest::newRow("start, RIGHT first") << "first=1;f5=30;set;move" << 1 << 600.0 << 30.0 << 0 << "10:00" << false << "0/1" << 0;
        QTest::newRow("100.3 + 10") << "f0=0;f1=110.3;set;move;wait 10;move" << 0 << 110.3 << 0.0 << 0 << "1:50" << false << "1/1" << 0;
        QTest::newRow("100.3 + 10, seconds") << "f0=0;f1=110.3;mode;move;wait 10;move" << 0 << 110.3 << 0.0 << 0 << "110" << false << "1/1" << 0;
        QTest::newRow("increment 0") << "f4=0;set;move;wait 7.25;move" << 0 << 592.75 << 0.0 << 0 << "9:52" << false << "1/1" << 0;
        QTest::newRow("second press 0.1 s later") << "set;move;wait 5;move;wait 0.1;move" << 1 << 609.9 << 0.0 << 0 << "10:09" << false << "2/1" << -1;
        QTest::newRow("both moved") << "set;move;wait 1;move;wait 2;move" << 1 << 608.0 << 0.0 << 0 << "10:08" << false << "2/1" << -1;
        QTest::newRow("main ran out 5 s before") << "f0=1;f5=30;mode;move;run 65;move" << 0 << -5.0 << 30.0 << -1 << "30" << true << "1/1" << 0;
        QTest::newRow("main runs out at the press") << "f0=0;f1=5;f5=30;set;move;wait 5;move" << 0 << 0.0 << 30.0 << -1 << "0:30" << true << "1/1" << 0;
        QTest::newRow("fresh period") << "f0=1;f5=30;mode;move;run 65;move;move;run 12;move" << 0 << -17.0 << 30.0 << -1 << "30" << true << "2/2" << 0;
        QTest::newRow("period out, no tick yet") << byo30 + "run 29.8;wait 0.3;move" << 0 << -30.1 << 30.0 << -1 << "30" << true << "1/1" << 0;
        QTest::newRow("byo field edited") << byo30 + "f5=20;wait 1;move" << 0 << -1.0 << 20.0 << -1 << "20" << true << "1/1" << 0;
        QTest::newRow("byo field unusable") << byo30 + "f5=abc;wait 1;move" << 0 << -1.0 << 30.0 << -1 << "30" << true << "1/1" << 0;
        QTest::newRow("across midnight") << "at 86390;set;move;wait 15;move" << 0 << 595.0 << 0.0 << 0 << "9:55" << false << "1/1" << 0;
    }
    void move()
    {
        QFETCH(QString, script);
        QFETCH(int, side);
        QFETCH(double, time);
        QFETCH(double, byo);
        QFETCH(int, byoon);
        QFETCH(QString, text);
        QFETCH(bool, red);
        QFETCH(QString, moves);
        QFETCH(int, turn);
        Rig r;
        r.run(script);
        ClockState c = r.s();
        const Player p = side == 0 ? leftPlayer(c) : rightPlayer(c);
        QCOMPARE(p.time, time);
        QCOMPARE(p.byo, byo);
        QCOMPARE(p.byoon, byoon);
        QCOMPARE(r.panel.clock[side], text);
        QCOMPARE(r.panel.red[side], red);
        QCOMPARE(r.panel.moves[0] + "/" + r.panel.moves[1], moves);
        QCOMPARE(c.turn, turn);
        QVERIFY(r.panel.timer);
        QCOMPARE(r.panel.move, caption::switchTurn);
        QVERIFY(r.panel.notices.isEmpty());
    }

    // Presses that must change nothing, not even with time gone by.
    void inert_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("press");
        const QString timedOut = "f0=0;f1=1;set;move;run 2";
        QTest::newRow("move before set-up") << "" << "move";
        QTest::newRow("move while paused") << "set;move;wait 3;pause" << "move";
        QTest::newRow("move after time-out") << timedOut << "move";
        QTest::newRow("pause before set-up") << "" << "pause";
        QTest::newRow("pause before start") << "set" << "pause";
        QTest::newRow("pause after time-out") << timedOut << "pause";
    }
    void inert()
    {
        QFETCH(QString, before);
        QFETCH(QString, press);
        Rig r;
        r.run(before);
        const QString snap = r.snapshot();
        r.run(press);
        r.time.advance(3);
        r.run(press);
        QCOMPARE(r.snapshot(), snap);
    }

    void moveNumbersStop()
    {
        Rig r;
        r.run("set;move");
        for (int i = 0; i < 70000; ++i) r.clock.command1Click();
        QCOMPARE(r.s().leftmoves, 32767);
        QCOMPARE(r.s().rightmoves, 32767);
        QCOMPARE(r.panel.moves[0], "32767");
        QCOMPARE(r.panel.moves[1], "32767");
    }
};

QTEST_GUILESS_MAIN(TestClockMove)
#include "tst_clockmove.moc"

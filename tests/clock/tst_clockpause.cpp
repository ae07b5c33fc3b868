// Pause and resume: only the running stretches are charged.
#include "clockrig.h"

using namespace cltest;

class TestClockPause : public QObject
{
    Q_OBJECT
private slots:
    void pause_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("side");
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("byo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        // The pause itself draws nothing, so rows without ticks still show the set-up's "10:00".
        QTest::newRow("paused time free") << "set;move;wait 10;pause;wait 60;pause;run 5" << 0 << 590.0 << 0.0 << "9:45" << false;
        QTest::newRow("300.4 at last tick") << "f0=6;f1=0.4;set;move;run 60;pause;wait 60;pause;run 0.2" << 0 << 300.4 << 0.0 << "5:00" << false;
        QTest::newRow("23:59:50 to 00:00:05") << "at 86390;set;move;wait 15;pause" << 0 << 585.0 << 0.0 << "10:00" << false;
        QTest::newRow("resumed after midnight") << "at 86380;set;move;wait 10;pause;wait 30;pause;wait 5;pause" << 0 << 585.0 << 0.0 << "10:00" << false;
        QTest::newRow("repeated pauses") << "set;move;wait 3;pause;wait 50;pause;wait 4;pause;wait 50;pause;wait 2;pause" << 0 << 591.0 << 0.0 << "10:00" << false;
        QTest::newRow("right player") << "first=1;set;move;wait 7;pause" << 1 << 593.0 << 0.0 << "10:00" << false;
        QTest::newRow("byo-yomi charged, not reloaded") << "f0=0;f5=30;mode;move;run 2;move;move;wait 4;pause;wait 100;pause;run 1"
                                                        << 0 << -2.0 << 26.0 << "25" << true;
        QTest::newRow("main out between tick and pause") << "f0=0;f1=10;f5=30;mode;move;run 9.8;wait 1.2;pause;wait 60;pause;run 0.2"
                                                         << 0 << -1.0 << 28.8 << "28" << true;
    }
    void pause()
    {
        QFETCH(QString, script);
        QFETCH(int, side);
        QFETCH(double, time);
        QFETCH(double, byo);
        QFETCH(QString, text);
        QFETCH(bool, red);
        Rig r;
        r.run(script);
        QCOMPARE(side == 0 ? r.s().lefttime : r.s().righttime, time);
        QCOMPARE(side == 0 ? r.s().leftbyo : r.s().rightbyo, byo);
        QCOMPARE(r.panel.clock[side], text);
        QCOMPARE(r.panel.red[side], red);
    }

    void captionsLampsTimer()
    {
        Rig r;
        r.run("set;move;wait 0.2;tick;wait 0.2;tick"); // left lamp now dark
        QVERIFY(!r.panel.lamp[0]);
        r.run("wait 1;pause");
        QCOMPARE(r.panel.pause, caption::resume);
        QVERIFY(!r.panel.timer);
        QVERIFY(r.panel.lamp[0] && !r.panel.lamp[1]);
        r.run("wait 5;pause");
        QCOMPARE(r.panel.pause, caption::pause);
        QVERIFY(r.panel.timer);
        QCOMPARE(r.s().starttime, r.time.secondsSinceMidnight());
        QCOMPARE(r.panel.move, caption::switchTurn);
        QCOMPARE(r.panel.moves[0], "1"); // a resume is no move
    }
};

QTEST_GUILESS_MAIN(TestClockPause)
#include "tst_clockpause.moc"

// The tick: live times, byo-yomi, warnings, blinking and the time-out.
#include "clockrig.h"

using namespace cltest;

class TestClockTick : public QObject
{
    Q_OBJECT
private slots:
    // After the start, each move and each resume, the next tick is phased to
    // come a millisecond after the running player's next whole second.
    void phase_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<double>("phase");
        QTest::newRow("start, whole minutes") << "set;move" << 0.001;
        QTest::newRow("start, 0.35 s past") << "f1=0.35;set;move" << 0.151;
        QTest::newRow("opponent after a move") << "f3=0.5;set;move;wait 2.25;move" << 0.101;
        QTest::newRow("mover's own time after a move") << "f4=0;set;move;wait 2.25;move;wait 1;move" << 0.151;
        QTest::newRow("byo-yomi period") << "f0=0;f4=0;f5=30;set;move;wait 2.3;move;wait 0.5;move" << 0.001;
        QTest::newRow("main time out during a pause") << "f0=0;f1=1;f5=30;set;move;wait 1.3;pause;pause" << 0.101;
        QTest::newRow("resume") << "set;move;wait 12.46;pause;wait 9;pause" << 0.141;
    }
    void phase()
    {
        QFETCH(QString, script);
        QFETCH(double, phase);
        Rig rig;
        rig.run(script);
        QVERIFY2(qAbs(rig.panel.phase - phase) < 1e-6, qPrintable(QString::number(rig.panel.phase, 'g', 10)));
    }

    // Each player's own key plays his move only; the opponent's does nothing.
    void playerKeys_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("moves"); // Label11/Label12
        QTest::newRow("first mover's key starts") << "set;key 0" << "1/0";
        QTest::newRow("opponent's key does not start") << "set;key 1" << "0/0";
        QTest::newRow("right first") << "first=1;set;key 1" << "0/1";
        QTest::newRow("mover's key ends his move") << "set;key 0;wait 1;key 0" << "1/1";
        QTest::newRow("waiting player's key does nothing") << "set;key 0;wait 1;key 1;key 1" << "1/0";
        QTest::newRow("keys while paused do nothing") << "set;key 0;pause;key 0;key 1" << "1/0";
        QTest::newRow("keys before set-up do nothing") << "key 0;key 1" << "/";
    }
    void playerKeys()
    {
        QFETCH(QString, script);
        QFETCH(QString, moves);
        Rig rig;
        rig.run(script);
        QCOMPARE(rig.panel.moves[0] + "/" + rig.panel.moves[1], moves);
    }

    void tick_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("cues"); // every cue so far, in order
        const QString outL = "out:LEFT PLAYER 時間切れです";
        // Main 60, byo-yomi 30, no increment, warnings at 10, 0 and 0.
        const QString worked = "f0=1;f4=0;f5=30;w=10,0,0;mode;move;run ";
        const struct { const char *e, *text; bool red; const char *cues; } example[] = {
            {"0.2", "59", false, ""}, {"49.6", "10", false, "w1"}, {"50.2", "9", false, "w1"},
            {"59.6", "0", false, "w1 w2"}, {"60.2", "29", true, "w1 w2"},
            {"80.2", "9", true, "w1 w2 w1"}, // byo-yomi keeps its own flags
            {"89.6", "0", true, "w1 w2 w1 w2"}, {"90", "0", true, "w1 w2 w1 w2 out:LEFT PLAYER 時間切れです"}};
        for (const auto &x : example)
            QTest::addRow("worked example, e %s", x.e) << worked + x.e << 0 << x.text << x.red << x.cues;
        const QString quiet = "w=100,100,100;f4=0;";
        QTest::newRow("all thresholds 10") << "f0=1;f4=0;w=10,10,10;mode;move;run 55" << 0 << "5" << false << "w1";
        QTest::newRow("threshold 0, main and byo flags") << "f0=1;f4=0;mode;move;run 61" << 0 << "0" << false << "w1 w1 " + outL;
        QTest::newRow("threshold never reached") << quiet + "f0=1;mode;move;run 61" << 0 << "0" << false << outL;
        QTest::newRow("increment lifts time back") << "f0=1;f2=1;f4=20;w=50,100,100;mode;move;run 10.4;move;run 1;move;run 20"
                                                   << 0 << "49" << false << "w1";
        QTest::newRow("once per byo-yomi period") << "f0=0;f5=30;w=25,100,100;mode;move;run 6;move;run 1;move;run 6"
                                                  << 0 << "24" << true << "w1 w1";
        QTest::newRow("again after new set-up") << "f0=1;f4=0;w=55,100,100;mode;move;run 6;set;move;run 6"
                                                << 0 << "54" << false << "w1 w1";
        QTest::newRow("main 0, byo 30") << quiet + "f0=0;f5=30;mode;move;run 0.2" << 0 << "29" << true << "";
        QTest::newRow("main 0, byo 0") << quiet + "f0=0;mode;move;run 0.2" << 0 << "0" << false << outL;
        QTest::newRow("byo 0, main nearly out") << quiet + "f0=1;mode;move;run 59.8" << 0 << "0" << false << "";
        QTest::newRow("byo 0, main out") << quiet + "f0=1;mode;move;run 60" << 0 << "0" << false << outL;
        QTest::newRow("byo field edited") << quiet + "f0=0;f1=2;f5=30;mode;move;f5=20;run 2.2" << 0 << "19" << true << "";
        QTest::newRow("byo field unusable") << quiet + "f0=0;f1=2;f5=30;mode;move;f5=x;run 2.2" << 0 << "29" << true << "";
        QTest::newRow("across midnight") << quiet + "at 86395;f0=1;mode;move;run 10" << 0 << "50" << false << "";
        const QString out = quiet + "f0=0;f1=1;f2=0;f3=1;mode;move;run 2";
        QTest::newRow("right, default name") << "first=1;" + out << 1 << "0" << false << "out:RIGHT PLAYER 時間切れです";
        QTest::newRow("right default, left renamed") << "first=1;name0=Al;" + out << 1 << "0" << false << "out:RIGHT PLAYER 時間切れです";
        QTest::newRow("right renamed") << "first=1;name1=Bob;" + out << 1 << "0" << false << "out:Bob 時間切れです";
        QTest::newRow("left default, right renamed") << "name1=Bob;" + out << 0 << "0" << false << outL;
        QTest::newRow("changed name") << "name0=山田;" + out << 0 << "0" << false << "out:山田 時間切れです";
        QTest::newRow("empty name") << "name0=;" + out << 0 << "0" << false << "out: 時間切れです";
    }
    void tick()
    {
        QFETCH(QString, script);
        QFETCH(int, side);
        QFETCH(QString, text);
        QFETCH(bool, red);
        QFETCH(QString, cues);
        Rig r;
        r.run(script);
        QCOMPARE(r.panel.clock[side], text);
        QCOMPARE(r.panel.red[side], red);
        QCOMPARE(r.cues.log.join(u' '), cues);
        QVERIFY(r.panel.notices.isEmpty());
        const bool out = cues.contains("out:");
        QCOMPARE(r.panel.timer, !out);
        if (out) {
            QCOMPARE(r.panel.move, caption::pleaseSet);
            QCOMPARE(side == 0 ? r.s().lefttime : r.s().righttime, 0.0);
            // The game is over: the move and pause buttons do nothing.
            const QString snap = r.snapshot();
            r.run("wait 1;move;pause;wait 1;move");
            QCOMPARE(r.snapshot(), snap);
        }
    }

    // The waiting player's values and controls stay as they were, time-out included.
    void otherSideUntouched_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("waiting");
        const QString game = "f0=0;f1=20;f2=0;f3=20;f5=5;w=15,100,100;mode;move;run 5;move;run 6;move";
        QTest::newRow("left runs") << game << 1;
        QTest::newRow("right runs") << "first=1;" + game << 0;
    }
    void otherSideUntouched()
    {
        QFETCH(QString, script);
        QFETCH(int, waiting);
        Rig r;
        r.run(script);
        QCOMPARE(r.cues.log.size(), 2); // each has had his warning
        const QString snap = r.sideSnapshot(waiting);
        r.run("run 40");
        QVERIFY(r.cues.log.last().startsWith("out:"));
        QCOMPARE(r.sideSnapshot(waiting), snap);
    }

    // The running lamp changes at every tick; the end of a move darkens it and
    // makes it light first at the mover's next stint.
    void lampBlinks()
    {
        Rig r;
        r.run("set;move");
        QString seen;
        for (const char *step : {"tick", "tick", "tick", "move", "tick", "move", "tick", "tick"}) {
            r.run(QString("wait 0.2;") + step);
            seen += QString("%1%2 ").arg(r.panel.lamp[0]).arg(r.panel.lamp[1]);
        }
        QCOMPARE(seen, "10 00 10 00 01 00 10 00 ");
    }

    // The report's nested event loop delivers ticks; they must not report again.
    void timeoutReportedOnce()
    {
        Rig r;
        r.run("w=100,100,100;f0=0;f1=1;mode;move");
        bool reporting = false;
        r.cues.duringReport = [&] {
            reporting = r.clock.reportingTimeout();
            for (int i = 0; i < 5; ++i) r.run("wait 0.2;tick");
        };
        r.run("run 2");
        QVERIFY(reporting);
        QVERIFY(!r.clock.reportingTimeout());
        QCOMPARE(r.cues.log, QStringList{"out:LEFT PLAYER 時間切れです"});
        QCOMPARE(r.panel.clock[0], "0");
        QCOMPARE(r.panel.move, caption::pleaseSet);
        QVERIFY(!r.panel.timer);
    }
};

QTEST_GUILESS_MAIN(TestClockTick)
#include "tst_clocktick.moc"

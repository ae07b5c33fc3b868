// The game clock's rules, a game a row: set-up, moves, ticks, warnings, the
// time-out, pause, the display and its mode, the players' keys, the ticks' phase.
#include "clock/steadymidnightclock.h"
#include "clock/timeformat.h"
#include "clockrig.h"

#include <thread>

using namespace cltest;

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected"); // the items that matter, "key=value|..."
        const auto row = [](const char *name, const char *script, const char *expected) {
            QTest::newRow(name) << QString::fromUtf8(script) << QString::fromUtf8(expected);
        };
        // Set-up.
        row("defaults", "set", "L=10:00|R=10:00|lamps=10|turn=-1|add=10|time=600/600|move=start|pause=pause|timer=off|moves=0/0");
        row("RIGHT first", "first=1;set", "lamps=01|turn=0");
        row("neither chosen keeps the turn", "first=1;set;first=-1;set", "lamps=01|turn=0");
        row("fractions, seconds past 59", "f0=1.5;f2=0;f3=75;set", "L=1:30|R=1:15|time=90/75");
        row("full-width, blanks", "f0=１．５;f3=＋５;f2= 7 ;set", "L=1:30|R=7:05");
        row("negative seconds", "f0=0;f1=-5;set", "L=0:0-5|time=-5/600");
        row("increment half to even", "f4=2.5;set", "add=2");
        row("increment rounded up", "f4=3.5;set", "add=4");
        row("smallest increment", "f4=-32768.5;set", "add=-32768");
        row("largest increment", "f4=32767.4;set", "add=32767");
        row("increment too small", "f4=-32769;set", "notice=「通常加算（秒）」は -32768 から 32767 までの数にしてください。|move=set|L=");
        row("increment too large", "f4=32767.5;set", "move=set|timer=off");
        row("not a number", "f1=1:30;set", "notice=「LEFT の持ち時間（秒）」の「1:30」は数として読めません。数を入力してください。|move=set");
        row("empty field", "f5=;set", "notice=「切れ後 一手（秒）」の「」は数として読めません。数を入力してください。");
        row("main time too large", "f2=16666667;set", "notice=「RIGHT の持ち時間（分）」の「16666667」は大きすぎます。");
        row("largest main time", "f2=16666666;f3=40;mode", "R=1000000000");
        row("largest seconds", "f1=1000000000;f0=0;set", "time=1000000000/600");
        row("refused during a game", "set;move;run 1;f0=x;set", "move=switch|timer=on|L=9:59|moves=1/0");
        row("set-up ends RIGHT's byo-yomi", "first=1;f2=0;f5=30;set;move;run 3;set", "red=00|R=0:00");
        row("set-up ends a game", "f0=0;f5=30;set;move;run 3;move;run 5;set", "L=0:00|R=10:00|red=00|timer=off|moves=0/0|move=start|time=0/600|byoon=0/0|byo=0/0");
        // The display and its mode.
        row("mode before set-up sets up", "mode", "L=600|R=600|mode=分秒表示|move=start|moves=0/0");
        row("mode back", "mode;mode", "L=10:00|mode=秒表示|secdisp=0");
        row("set-up keeps the mode", "mode;set", "L=600");
        row("refused mode change", "f0=x;mode", "mode=秒表示|L=");
        row("mode before the first tick of a new game", "f0=5;set;move;run 2;f0=3;set;move;mode", "L=180");
        row("mode while paused", "set;move;run 2.2;pause;mode", "L=597|R=600|pause=resume|timer=off");
        row("mode and back while paused", "set;move;run 2.2;pause;mode;mode", "L=9:57|mode=秒表示|secdisp=0");
        row("mode shows the mover's increment", "set;move;wait 5;move;mode", "L=605|R=600");
        row("mode while in byo-yomi", "f0=0;f5=30;set;move;run 7.6;pause;mode", "L=22|red=10");
        row("mode, waiting in byo-yomi", "f0=0;f4=0;f5=30;set;move;run 5;move;mode", "L=30|red=10|R=600");
        // The move button.
        row("start", "set;move", "moves=1/0|move=switch|timer=on|time=600/600|byo=0/0");
        row("start, RIGHT first", "first=1;f5=20;set;move", "moves=0/1|byo=20/20");
        row("increment after a move", "f0=0;f1=100.3;set;move;move", "time=110.3/600|L=1:50|moves=1/1|turn=0|lamps=00");
        row("no increment", "f4=0;set;move;wait 3.5;move", "time=596.5/600|L=9:56");
        row("main time ran out 5 s before", "f0=0;f1=10;f4=0;f5=30;set;move;wait 15;move", "time=-5/600|L=0:30|red=10|byoon=-1/0|byo=30/30");
        row("half a second left is main time", "f0=0;f1=10;f4=0;set;move;wait 9.5;move", "time=0.5/600|byoon=0/0|L=0:00|red=00");
        row("a stint of nothing", "set;move;move", "time=610/600");
        row("a stint over midnight", "at 86399;set;move;wait 2;move", "time=608/600");
        row("a lamp lights at each stint's first tick", "set;move;run 0.2;move;run 0.2;move;run 0.2", "lamps=10");
        row("numbers count both sides", "set;move;move;move", "moves=2/1|turn=-1");
        row("largest move number", "f4=0;set;moves 65540", "moves=32767/32767");
        row("presses before set-up", "move;move", "moves=/|move=set|timer=off");
        row("presses while paused", "set;move;pause;wait 5;move", "moves=1/0|time=600/600|pause=resume");
        row("presses after a time-out", "f0=0;set;move;tick;move;pause", "moves=1/0|move=set|pause=pause|timer=off");
        // The tick: the worked example, main 60, byo-yomi 30, warnings at 10, 0, 0.
        const char *worked = "f0=1;f4=0;f5=30;w=10,0,0;mode;move;run ";
        const struct { const char *e, *expected; } example[] = {
            {"0.2", "L=59|lamps=10|cues="}, {"0.4", "lamps=00"}, {"0.6", "lamps=10"}, {"49.6", "L=10|cues=w1"}, {"50.2", "L=9|cues=w1"},
            {"59.6", "L=0|cues=w1,w2"}, {"60.2", "L=29|red=10|cues=w1,w2"}, {"89.6", "L=0|red=10|cues=w1,w2,w1,w2"},
            {"90", "L=0|cues=w1,w2,w1,w2,out:LEFT PLAYER 時間切れです|move=set|timer=off|time=0/600"}};
        for (const auto &x : example)
            QTest::addRow("worked example at %s", x.e) << QString(worked) + x.e << QString::fromUtf8(x.expected);
        row("right player's clock alone", "first=1;f4=0;w=598,0,0;set;move;run 2.4", "L=10:00|R=9:57|lamps=00|cues=w1|time=600/600");
        row("all thresholds 10", "f0=1;f4=0;w=10,10,10;mode;move;run 55", "L=5|cues=w1");
        row("second and third", "f0=1;f4=0;w=100,40,30;mode;move;run 31", "cues=w2,w3");
        row("a threshold never reached", "w=100,100,100;f0=1;mode;move;run 61", "L=0|cues=out:LEFT PLAYER 時間切れです");
        row("main flags once a game", "f0=1;f2=1;f4=20;w=50,100,100;mode;move;run 10.4;move;run 1;move;run 20", "L=49|cues=w1");
        row("byo flags once a period", "f0=0;f5=30;w=25,100,100;mode;move;run 6;move;run 1;move;run 6", "L=24|red=10|cues=w1,w1");
        row("flags cleared by set-up", "f0=1;f4=0;w=55,100,100;mode;move;run 6;set;move;run 6", "cues=w1,w1");
        row("byo flags cleared by set-up", "first=1;f2=0;f5=30;w=25,100,100;mode;move;run 6;set;move;run 6", "cues=w1,w1");
        row("main 0, byo-yomi 30", "w=100,100,100;f0=0;f5=30;mode;move;run 0.2", "L=29|red=10|byo=29.8/30");
        row("main 0, byo-yomi 0", "w=100,100,100;f0=0;mode;move;run 0.2", "L=0|red=00|cues=out:LEFT PLAYER 時間切れです");
        row("main time just left", "w=100,100,100;f0=1;mode;move;run 59.8", "L=0|cues=|byo=0/0");
        row("byo-yomi edited in the game", "f0=0;f1=5;f5=30;set;move;f5=10;run 6", "L=0:09|red=10");
        row("unusable byo-yomi edit", "f0=0;f1=5;f5=30;set;move;f5=x;run 6", "L=0:29");
        row("empty name", "name0=;f0=0;set;move;tick", "cues=w1,out: 時間切れです");
        row("a name", "name1=羽生;first=1;f2=0;set;move;tick", "cues=w1,out:羽生 時間切れです|R=0:00");
        row("right's default", "first=1;f2=0;set;move;tick", "cues=w1,out:RIGHT PLAYER 時間切れです");
        row("reported once", "reportTicks=5;f0=0;set;move;run 1", "cues=w1,out:LEFT PLAYER 時間切れです|timer=off");
        row("ticks after a pause", "set;move;run 1;pause;tick;tick", "L=9:59|lamps=10");
        row("running over midnight", "at 86399;set;move;run 3", "L=9:57");
        // Pause and resume.
        row("pause banks the stint", "set;move;run 2.4;pause", "time=597.6/600|pause=resume|timer=off|lamps=10");
        row("pause, RIGHT to move", "first=1;set;move;wait 3;pause", "time=600/597|lamps=01");
        row("pause in byo-yomi", "f0=0;f1=1;f4=0;f5=30;set;move;wait 1.5;move;move;wait 4;pause", "byo=26/30|time=-0.5/600");
        row("resume", "set;move;run 2;pause;wait 60;pause;run 1", "L=9:57|pause=pause|timer=on");
        row("pause before the start", "set;pause", "pause=pause|timer=off");
        row("main time out during a pause", "f0=0;f1=1;f5=30;set;move;wait 1.3;pause;pause;tick", "L=0:29|red=10");
        row("pause over midnight", "at 86390;set;move;wait 15;pause", "time=585/600");
        row("pauses add the running stretches", "set;move;wait 1;pause;wait 9;pause;wait 2;pause", "time=597/600");
        // The players' keys: the running player's alone, or the first mover's.
        row("first mover's key starts", "set;key 0", "moves=1/0");
        row("other key does not start", "set;key 1", "moves=0/0|timer=off");
        row("RIGHT first, his key", "first=1;set;key 1", "moves=0/1");
        row("mover's key ends his move", "set;key 0;wait 1;key 0", "moves=1/1|time=609/600");
        row("waiting player's key", "set;key 0;wait 1;key 1;key 1", "moves=1/0");
        row("keys while paused", "set;key 0;pause;key 0;key 1", "moves=1/0");
        // Ticks phased to come at the running player's next whole second.
        row("phase at the start", "set;move", "phase=0.000");
        row("phase, 0.35 s past", "f1=0.35;set;move", "phase=0.150");
        row("phase of the opponent", "f3=0.5;set;move;wait 2.25;move", "phase=0.100");
        row("phase of the mover again", "f4=0;set;move;wait 2.25;move;wait 1;move", "phase=0.150");
        row("phase of a first period", "f0=0;f5=30.5;set;move", "phase=0.100");
        row("phase of a byo-yomi period", "f0=0;f4=0;f5=30;set;move;wait 2.3;move;wait 0.5;move", "phase=0.000");
        row("phase, main time out in a pause", "f0=0;f1=1;f5=30;set;move;wait 1.3;pause;pause", "phase=0.100");
        row("phase at a resume", "set;move;wait 12.46;pause;wait 9;pause", "phase=0.140");
        row("phase at RIGHT's resume", "first=1;set;move;wait 1.3;pause;pause", "phase=0.100");
    }
    void rules()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        Rig rig;
        rig.run(script);
        QStringList got;
        for (const QString &item : expected.split(u'|'))
            got << item.section(u'=', 0, 0) + "=" + rig.observe(item.section(u'=', 0, 0));
        QCOMPARE(got.join(u'|'), expected);
    }

    void timeformat_data()
    {
        QTest::addColumn<qint64>("s");
        QTest::addColumn<QString>("text");
        const struct { qint64 s; const char *text; } rows[] = {{0, "0:00"}, {9, "0:09"}, {10, "0:10"}, {59, "0:59"},
            {60, "1:00"}, {3600, "60:00"}, {32767, "546:07"}, {-60, "-1:00"}, {-5, "0:0-5"}, {-65, "-1:0-5"}};
        for (const auto &r : rows) QTest::addRow("%lld", r.s) << r.s << QString(r.text);
    }
    void timeformat()
    {
        QFETCH(qint64, s);
        QFETCH(QString, text);
        QCOMPARE(gameclock::timeformat(s), text);
        QCOMPARE(gameclock::clockText(s + 0.9, -1), QString::number(s)); // rounded down
    }

    // The real time of day: it moves on with the monotonic clock, never back.
    void steadyMidnightClock()
    {
        gameclock::SteadyMidnightClock clock;
        const double first = clock.secondsSinceMidnight();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double later = std::fmod(clock.secondsSinceMidnight() - first + 86400, 86400);
        QVERIFY2(later >= 0.05 && later < 1, qPrintable(QString::number(later)));
        const QTime now = QTime::currentTime();
        QVERIFY(std::fabs(clock.secondsSinceMidnight() - now.msecsSinceStartOfDay() / 1000.0) < 1);
    }
};

QTEST_APPLESS_MAIN(TestClock)
#include "tst_clock.moc"

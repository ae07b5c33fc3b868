// The game clock's rules, a game a line of rules.txt: set-up, moves, ticks,
// warnings, the time-out, pause, the display and its mode, the players' keys,
// the ticks' phase; the real time of day. The clock runs without a window: a
// recording panel and cues, and a time of day of the test's own, driven by the
// lines' scripts and read back as their items.
#include "clock/steadymidnightclock.h"
#include "clock/captions.h"
#include "clock/gameclock.h"
#include "support/faketime.h"
#include "support/table.h"

#include <QtTest>
#include <thread>

namespace cltest {

using namespace gameclock;

class FakePanel : public ClockPanel
{
public:
    QString move = caption::pleaseSet, pause = caption::pause, mode = caption::toSeconds;
    QString clock[2], moves[2], fields[6] = {"10", "0", "10", "0", "10", "0"};
    QString names[2] = {caption::defaultName, caption::defaultName};
    bool red[2] = {}, lamp[2] = {}, timer = false;
    int first = 0;
    double phase = -1;
    QStringList notices;

    QString moveCaption() const override { return move; }
    void setMoveCaption(const QString &c) override { move = c; }
    QString pauseCaption() const override { return pause; }
    void setPauseCaption(const QString &c) override { pause = c; }
    void setDisplayModeCaption(const QString &c) override { mode = c; }
    void setClockText(int side, const QString &t) override { clock[side] = t; }
    void setClockRed(int side, bool r) override { red[side] = r; }
    void setLamp(int side, bool lit) override { lamp[side] = lit; }
    void setMoveNumber(int side, const QString &t) override { moves[side] = t; }
    QString fieldText(int i) const override { return fields[i]; }
    int firstChoice() const override { return first; }
    QString playerName(int side) const override { return names[side]; }
    bool timerOn() const override { return timer; }
    void setTimerOn(bool on) override { timer = on; }
    void phaseTicks(double delay) override { phase = delay; }
    void notice(const QString &t) override { notices << t; }
};

struct Rig : ClockCues
{
    testing::FakeTime time;
    FakePanel panel;
    Module1 m1;
    GameClock clock{panel, *this, time, m1};
    QStringList cues;
    int reportTicks = 0;

    void timeswarning1() override { cues << "w1"; }
    void timeswarning2() override { cues << "w2"; }
    void timeswarning3() override { cues << "w3"; }
    void timesup(const QString &m) override
    {
        cues << "out:" + m;
        for (int i = 0; i < reportTicks; ++i) clock.timer1Timer(); // as a modal box's event loop would
    }

    void run(const QString &script)
    {
        for (const QString &step : script.split(u';', Qt::SkipEmptyParts)) {
            const QString key = step.section(u'=', 0, 0), value = step.section(u'=', 1);
            const QString verb = step.section(u' ', 0, 0);
            const double arg = step.section(u' ', 1).toDouble();
            if (key == "first") panel.first = value.toInt();
            else if (key.startsWith("name")) panel.names[key.mid(4).toInt()] = value;
            else if (key == "w") m1 = {value.section(u',', 0, 0).toShort(), value.section(u',', 1, 1).toShort(),
                                       value.section(u',', 2, 2).toShort()};
            else if (key == "reportTicks") reportTicks = value.toInt();
            else if (key.size() == 2 && key[0] == u'f') panel.fields[key.mid(1).toInt()] = value;
            else if (verb == "set") clock.command2Click();
            else if (verb == "move") clock.command1Click();
            else if (verb == "pause") clock.command3Click();
            else if (verb == "mode") clock.command5Click();
            else if (verb == "tick") clock.timer1Timer();
            else if (verb == "key") clock.playerKey(int(arg));
            else if (verb == "wait") time.advance(arg);
            else if (verb == "at") time.ms = qRound64(arg * 1000);
            else if (verb == "moves") for (int k = int(arg); k > 0; --k) clock.command1Click();
            else if (verb == "run")
                for (int k = qRound(arg * 5); k > 0; --k) {
                    time.advance(0.2);
                    if (panel.timer) clock.timer1Timer();
                }
            else qFatal("unknown step '%s'", qPrintable(step));
        }
    }

    // What the window and the clock state show under one key.
    QString observe(const QString &key) const
    {
        const ClockState &s = clock.state();
        const auto pair = [](auto a, auto b) { return QString::number(a, 'g', 10) + "/" + QString::number(b, 'g', 10); };
        const auto flags = [](bool a, bool b) { return QString::number(a) + QString::number(b); };
        if (key == "L" || key == "R") return panel.clock[key == "R"];
        if (key == "red") return flags(panel.red[0], panel.red[1]);
        if (key == "lamps") return flags(panel.lamp[0], panel.lamp[1]);
        if (key == "moves") return panel.moves[0] + "/" + panel.moves[1];
        if (key == "move") return panel.move == caption::start ? "start" : panel.move == caption::switchTurn ? "switch" : "set";
        if (key == "pause") return panel.pause == caption::pause ? "pause" : "resume";
        if (key == "mode") return panel.mode;
        if (key == "timer") return panel.timer ? "on" : "off";
        if (key == "cues") return cues.join(u',');
        if (key == "notice") return panel.notices.value(panel.notices.size() - 1);
        if (key == "time") return pair(s.lefttime, s.righttime);
        if (key == "byo") return pair(s.leftbyo, s.rightbyo);
        if (key == "byoon") return pair(s.leftbyoon, s.rightbyoon);
        if (key == "turn") return QString::number(s.turn);
        if (key == "add") return QString::number(s.addtime);
        if (key == "secdisp") return QString::number(s.secdisp);
        if (key == "phase") return QString::number(panel.phase, 'f', 3);
        qFatal("unknown key '%s'", qPrintable(key));
    }
};

} // namespace cltest

using namespace cltest;

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        for (const QStringList &row : testing::rows(QFINDTESTDATA("rules.txt"), 3)) QTest::newRow(qPrintable(row[0])) << row[1] << row[2];
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

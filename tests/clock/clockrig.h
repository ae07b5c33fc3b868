#pragma once
// A game clock wired to recording stand-ins for the window, the cues and the
// time of day, driven by short scripts so that a table row can hold a game:
//   "f0=1;first=1;name0=X;w=10,0,0"  fields, first mover, names, thresholds
//   "set" "move" "pause" "mode" "tick"  the buttons and one tick
//   "wait 1.5" "at 86390"  advance the time of day / set it
//   "run 10"  10 s of 200 ms ticks while the timer is on
#include "clock/captions.h"
#include "clock/gameclock.h"

#include <QStringList>
#include <QTest>
#include <functional>

namespace cltest {

using namespace gameclock;

class FakeTime : public TimeSource
{
public:
    qint64 ms = 36'000'000; // whole milliseconds, so stint boundaries are exact
    double secondsSinceMidnight() override { return ms / 1000.0; }
    void advance(double s) { ms = (ms + qRound64(s * 1000)) % 86'400'000; }
};

class FakePanel : public ClockPanel
{
public:
    QString move = caption::pleaseSet, pause = caption::pause, mode = caption::toSeconds;
    QString clock[2], moves[2];
    bool red[2] = {}, lamp[2] = {}, timer = false;
    QString fields[6] = {"10", "0", "10", "0", "10", "0"};
    int first = 0;
    QString names[2] = {caption::defaultName, caption::defaultName};
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
    double phase = -1; // the last delay asked for the next tick
    void phaseTicks(double delay) override { phase = delay; }
    void notice(const QString &t) override { notices << t; }
};

class FakeCues : public ClockCues
{
public:
    QStringList log;
    std::function<void()> duringReport; // runs inside the modal report
    void timeswarning1() override { log << "w1"; }
    void timeswarning2() override { log << "w2"; }
    void timeswarning3() override { log << "w3"; }
    void timesup(const QString &m) override
    {
        log << "out:" + m;
        if (duringReport) duringReport();
    }
};

struct Rig
{
    FakeTime time;
    FakePanel panel;
    FakeCues cues;
    Module1 m1;
    GameClock clock{panel, cues, time, m1};

    const ClockState &s() const { return clock.state(); }

    void run(const QString &script)
    {
        for (const QString &step : script.split(u';', Qt::SkipEmptyParts)) {
            if (const qsizetype eq = step.indexOf(u'='); eq >= 0) {
                assign(step.left(eq).trimmed(), step.mid(eq + 1));
                continue;
            }
            const QStringList w = step.split(u' ', Qt::SkipEmptyParts);
            const QString verb = w.value(0);
            const double arg = w.value(1).toDouble();
            if (verb == "set") clock.command2Click();
            else if (verb == "move") clock.command1Click();
            else if (verb == "pause") clock.command3Click();
            else if (verb == "key") clock.playerKey(int(arg));
            else if (verb == "mode") clock.command5Click();
            else if (verb == "tick") clock.timer1Timer();
            else if (verb == "wait") time.advance(arg);
            else if (verb == "at") time.ms = qRound64(arg * 1000);
            else if (verb == "run")
                for (int k = qRound(arg * 5); k > 0; --k) {
                    time.advance(0.2);
                    if (panel.timer) clock.timer1Timer();
                }
            else qFatal("unknown step '%s'", qPrintable(step));
        }
    }

    // Everything the clock shows or keeps, to compare before and after.
    QString snapshot() const
    {
        QStringList v{panel.move, panel.pause, panel.mode, panel.timer ? "on" : "off"};
        for (int i = 0; i < 2; ++i)
            v << panel.clock[i] << panel.moves[i] << QString::number(panel.red[i]) << QString::number(panel.lamp[i]);
        return v.join(u'|') + " state:" + stateText(s()) + " cues:" + cues.log.join(u' ');
    }

    static QString stateText(const ClockState &c)
    {
        QStringList v;
        for (double d : {c.starttime, c.lefttime, c.righttime, c.leftbyo, c.rightbyo,
                         c.leftnow, c.rightnow, c.leftbyonow, c.rightbyonow})
            v << QString::number(d, 'g', 17);
        for (qint16 i : {c.leftbyoon, c.rightbyoon, c.turn, c.secdisp, c.addtime, c.rightblink, c.leftblink,
                         c.leftwarn1, c.leftwarn2, c.leftwarn3, c.rightwarn1, c.rightwarn2, c.rightwarn3,
                         c.leftbyowarn1, c.leftbyowarn2, c.leftbyowarn3,
                         c.rightbyowarn1, c.rightbyowarn2, c.rightbyowarn3, c.leftmoves, c.rightmoves})
            v << QString::number(i);
        return v.join(u'|');
    }

    // One player's fields and controls only.
    QString sideSnapshot(int side) const
    {
        ClockState c = s();
        const Player p = side == 0 ? leftPlayer(c) : rightPlayer(c);
        QStringList v{panel.clock[side], panel.moves[side], QString::number(panel.red[side]),
                      QString::number(panel.lamp[side])};
        for (double d : {p.time, p.byo, p.now, p.byonow}) v << QString::number(d, 'g', 17);
        for (qint16 i : {p.byoon, p.blink, *p.warn[0], *p.warn[1], *p.warn[2],
                         *p.byowarn[0], *p.byowarn[1], *p.byowarn[2], p.moves})
            v << QString::number(i);
        return v.join(u'|');
    }

private:
    void assign(const QString &key, const QString &value)
    {
        if (key == "first") panel.first = value.toInt();
        else if (key.startsWith("name")) panel.names[key.mid(4).toInt()] = value;
        else if (key == "w") {
            const QStringList t = value.split(u',');
            m1.wtime1 = t.value(0).toShort(), m1.wtime2 = t.value(1).toShort(), m1.wtime3 = t.value(2).toShort();
        } else if (key.size() == 2 && key[0] == u'f') panel.fields[key.mid(1).toInt()] = value;
        else qFatal("unknown setting '%s'", qPrintable(key));
    }
};

} // namespace cltest

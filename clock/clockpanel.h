#pragma once
// What the game clock needs of the window: the captions that carry the game
// state, the clock faces, lamps and move numbers, the set-up fields and the
// tick timer. Side 0 is the left player, 1 the right player.
#include <QString>

namespace gameclock {

class ClockPanel
{
public:
    virtual ~ClockPanel() = default;

    virtual QString moveCaption() const = 0;
    virtual void setMoveCaption(const QString &caption) = 0;
    virtual QString pauseCaption() const = 0;
    virtual void setPauseCaption(const QString &caption) = 0;
    virtual void setDisplayModeCaption(const QString &caption) = 0;

    virtual void setClockText(int side, const QString &text) = 0;
    virtual void setClockRed(int side, bool red) = 0;
    virtual void setLamp(int side, bool lit) = 0;
    virtual void setMoveNumber(int side, const QString &text) = 0;

    // Text1(index), 0 to 5.
    virtual QString fieldText(int index) const = 0;
    // 0: "LEFT" chosen, 1: "RIGHT" chosen, -1: neither.
    virtual int firstChoice() const = 0;
    // Text2 (side 0) or Text3 (side 1).
    virtual QString playerName(int side) const = 0;

    virtual bool timerOn() const = 0;
    virtual void setTimerOn(bool on) = 0;
    // The next tick in delay seconds, then every 200 ms from it, while the timer is on.
    virtual void phaseTicks(double delay) = 0;

    // A notice box about unusable input.
    virtual void notice(const QString &text) = 0;
};

// The cues the tick sounds.
class ClockCues
{
public:
    virtual ~ClockCues() = default;
    virtual void timeswarning1() = 0;
    virtual void timeswarning2() = 0;
    virtual void timeswarning3() = 0;
    // Returns when the operator has dismissed the time-out report.
    virtual void timesup(const QString &message) = 0;
    // The voice that reads the time: the next phrase (a file name without
    // ".wav", none: nothing due) in delay seconds, replacing the one aimed
    // before; hushVoice: nothing due, and a phrase being spoken cut off.
    virtual void aimVoice(const QString &phrase, double delay) { Q_UNUSED(phrase); Q_UNUSED(delay); }
    virtual void hushVoice() {}
};

} // namespace gameclock

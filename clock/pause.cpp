// The pause button: banks the running stint and stops the tick; the next
// press restarts it.
#include "clock/gameclock.h"

#include "clock/captions.h"

namespace gameclock {

void GameClock::command3Click()
{
    const Phase now = phase();
    if (now == Phase::Running) {
        const double elapsed = stint();
        run_ += elapsed;
        cues_.hushVoice();
        if (const auto side = runningSide()) pausePlayer(player(*side), elapsed);
        panel_.setTimerOn(false);
        panel_.setPauseCaption(caption::resume);
    } else if (now == Phase::Paused) {
        s_.starttime = time_.secondsSinceMidnight();
        panel_.setTimerOn(true);
        panel_.setPauseCaption(caption::pause);
        alignTicks();
    }
}

void GameClock::pausePlayer(Player p, double elapsed)
{
    charge(p, elapsed);
    panel_.setLamp(p.side, true);
    panel_.setLamp(1 - p.side, false);
}

// A stretch of running time banked against whichever time the player is on.
void GameClock::charge(Player p, double elapsed)
{
    if (p.byoon == 0)
        p.time -= elapsed;
    else if (p.byoon == -1)
        p.byo -= elapsed;
}

} // namespace gameclock

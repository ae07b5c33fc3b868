#include "clock/captions.h"
#include "clock/gameclock.h"

namespace gameclock {

void GameClock::command3Click()
{
    if (!gameUnderway()) return;
    if (panel_.timerOn()) {
        const double elapsed = stint();
        if (s_.turn == -1)
            pausePlayer(leftPlayer(s_), elapsed);
        else if (s_.turn == 0)
            pausePlayer(rightPlayer(s_), elapsed);
        panel_.setTimerOn(false);
        panel_.setPauseCaption(caption::resume);
    } else {
        s_.starttime = time_.secondsSinceMidnight();
        panel_.setTimerOn(true);
        panel_.setPauseCaption(caption::pause);
        if (s_.turn == -1 || s_.turn == 0) alignTicks();
    }
}

void GameClock::pausePlayer(Player p, double elapsed)
{
    if (p.byoon == 0)
        p.time -= elapsed;
    else if (p.byoon == -1)
        p.byo -= elapsed;
    panel_.setLamp(p.side, true);
    panel_.setLamp(1 - p.side, false);
}

} // namespace gameclock

#include "clock/captions.h"
#include "clock/gameclock.h"
#include "clock/timeformat.h"

namespace gameclock {

void GameClock::command5Click()
{
    if (!gameUnderway()) {
        // Check the fields first, so that a refused set-up leaves the mode too.
        const auto setup = readSetup();
        if (!setup) return;
        s_.secdisp = s_.secdisp == -1 ? 0 : -1;
        panel_.setDisplayModeCaption(s_.secdisp == -1 ? caption::toMinutes : caption::toSeconds);
        applySetup(*setup);
        return;
    }
    s_.secdisp = s_.secdisp == -1 ? 0 : -1;
    panel_.setDisplayModeCaption(s_.secdisp == -1 ? caption::toMinutes : caption::toSeconds);
    const int running = s_.turn == -1 ? 0 : 1;
    for (int side = 0; side < 2; ++side) {
        Player p = player(side);
        if (side != running || !ticked_[side]) redrawWaiting(p);
        else if (p.now > 0 || p.byonow > 0) showFace(side, p.now, p.byonow);
    }
}

// A clock that is not running shows what its player has banked, as the end
// of his move drew it (his live values would miss the increment).
void GameClock::redrawWaiting(Player p)
{
    if (p.byoon == -1) showFace(p.side, p.time, p.byo);
    else showTime(p.side, p.time);
}

void GameClock::showTime(int side, double t) { panel_.setClockText(side, clockText(t, s_.secdisp)); }

// What a clock face shows: the main time while any is left, else the
// byo-yomi, in red.
void GameClock::showFace(int side, double main, double byo)
{
    if (main > 0) {
        showTime(side, main);
    } else {
        panel_.setClockRed(side, true);
        showTime(side, byo);
    }
}

} // namespace gameclock

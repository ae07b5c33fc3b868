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
        if (side != running || !ticked_[side]) {
            redrawWaiting(p);
        } else if (p.now > 0) {
            panel_.setClockText(side, clockText(p.now, s_.secdisp));
        } else if (p.byonow > 0) {
            panel_.setClockRed(side, true);
            panel_.setClockText(side, clockText(p.byonow, s_.secdisp));
        }
    }
}

// A clock that is not running shows what its player has banked, as the end
// of his move drew it (his live values would miss the increment).
void GameClock::redrawWaiting(Player p)
{
    if (p.time <= 0 && p.byoon == -1) {
        panel_.setClockRed(p.side, true);
        panel_.setClockText(p.side, clockText(p.byo, s_.secdisp));
    } else {
        panel_.setClockText(p.side, clockText(p.time, s_.secdisp));
    }
}

} // namespace gameclock

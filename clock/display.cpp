// The display-mode button: plain seconds or minutes and seconds.
#include "clock/gameclock.h"

#include "clock/captions.h"

namespace gameclock {

void GameClock::command5Click()
{
    const Phase now = phase();
    const bool underway = now == Phase::Running || now == Phase::Paused;
    // Before a game the press sets one up: a refused set-up leaves the mode too.
    const auto setup = underway ? std::nullopt : readSetup();
    if (!underway && !setup) return;
    s_.secdisp = s_.secdisp == -1 ? 0 : -1;
    panel_.setDisplayModeCaption(s_.secdisp == -1 ? caption::toMinutes : caption::toSeconds);
    if (setup) return applySetup(*setup);
    const auto running = runningSide();
    for (int side = 0; side < 2; ++side) {
        Player p = player(side);
        if (side != running || !ticked_[side]) redrawWaiting(p);
        else if (p.now > 0 || p.byonow > 0) showFace(side, p.now, p.byonow);
    }
}

} // namespace gameclock

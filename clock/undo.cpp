// Taking a press of the move button back, and an arbiter's correction of the
// times while the game is paused: beyond the clock's own steps, both leave
// the state as the game's own steps would have left it.
#include "clock/gameclock.h"

namespace gameclock {

bool GameClock::canUndo() const
{
    const Phase now = phase();
    return (now == Phase::Running || now == Phase::Paused) && !presses_.empty() && !reporting_;
}

// The state of just before the press comes back, the mode of display aside;
// the mover is charged what he had run before it and all the running time
// since, as a pause would charge it, and runs on from now.
void GameClock::undo()
{
    if (!canUndo()) return;
    const bool running = phase() == Phase::Running;
    const double reading = time_.secondsSinceMidnight();
    const double ran = run_ + (running ? stintTo(reading) : 0);
    const Press press = presses_.back();
    presses_.pop_back();
    cues_.hushVoice();
    const qint16 secdisp = s_.secdisp;
    s_ = press.before;
    s_.secdisp = secdisp;
    ticked_ = press.ticked;
    run_ = ran;
    s_.starttime = reading;
    const int side = *sideOfTurn(s_.turn);
    charge(player(side), press.stint + (ran - press.run));
    redrawAfterChange(side);
    if (running) alignTicks();
}

std::array<GameClock::Standing, 2> GameClock::standing()
{
    std::array<Standing, 2> out;
    for (int side = 0; side < 2; ++side) {
        const Player p = player(side);
        out[side].moves = p.moves;
        out[side].main = p.time > 0 ? p.time : 0;
        if (p.byoon == -1) out[side].byo = p.byo;
        else if (p.time <= 0 && side == runningSide()) out[side].byo = live(p, 0).byonow; // his first period, begun in this move
    }
    return out;
}

// Main time left puts a player back into it; none, with a byo-yomi given,
// into that period. Moves made so far cannot be taken back past it.
void GameClock::correct(const std::array<Standing, 2> &standing)
{
    if (phase() != Phase::Paused) return;
    const auto thresholds = module1_.wtimes();
    for (int side = 0; side < 2; ++side) {
        Player p = player(side);
        const Standing &want = standing[side];
        p.moves = want.moves;
        if (want.main > 0) {
            p.time = want.main;
            p.byoon = 0;
            for (int i = 0; i < 3; ++i)
                if (thresholds[i] < want.main) *p.warn[i] = 0; // it can sound again
        } else {
            p.time = 0;
            p.byoon = want.byo ? -1 : 0;
            if (want.byo) p.byo = *want.byo;
        }
        p.now = p.time;
        p.byonow = p.byo;
    }
    presses_.clear();
    cues_.hushVoice();
    redrawAfterChange(*runningSide());
}

// Both faces, move numbers and lamps drawn anew: the player to move lit.
void GameClock::redrawAfterChange(int running)
{
    for (int side = 0; side < 2; ++side) {
        Player p = player(side);
        if (side == running) {
            const Live l = live(p, 0);
            p.now = l.now;
            p.byonow = l.byonow;
            drawFace(side, l.now, l.byonow);
        } else if (p.byoon == -1) {
            drawFace(side, p.time, p.byo);
        } else {
            panel_.setClockRed(side, false);
            showTime(side, p.time);
        }
        showMoves(p);
    }
    panel_.setLamp(running, true);
    panel_.setLamp(1 - running, false);
    player(running).blink = -1; // lit now: the next tick darkens it
}

} // namespace gameclock

// The move button: the first press starts the game, every later one ends the
// running player's move.
#include "clock/gameclock.h"

#include "clock/captions.h"

#include <limits>

namespace gameclock {

namespace {

// Past the largest move number the count stays put rather than wrapping negative.
void countMove(qint16 &moves)
{
    if (moves < std::numeric_limits<qint16>::max()) ++moves;
}

} // namespace

void GameClock::command1Click()
{
    const Phase now = phase();
    if (now == Phase::Running) {
        if (const auto side = runningSide()) endMove(player(*side), player(1 - *side));
    } else if (now == Phase::Ready) {
        startGame();
    }
}

void GameClock::endMove(Player mover, Player opponent)
{
    // One reading: what the mover is charged ends where the opponent's stint begins.
    const double reading = time_.secondsSinceMidnight();
    const double e = stintTo(reading);
    presses_.push_back({s_, ticked_, e, run_ + e});
    cues_.hushVoice();
    run_ += e;
    mover.time -= e;
    if (mover.time > 0) {
        mover.time += s_.addtime;
    } else {
        mover.byo = byoyomiField();
        for (qint16 *flag : mover.byowarn) *flag = 0;
        mover.byoon = -1;
    }
    panel_.setLamp(mover.side, false);
    showFace(mover.side, mover.time, mover.byo);
    mover.blink = 0;
    s_.starttime = reading;
    countMove(opponent.moves);
    showMoves(opponent);
    s_.turn = turnOfSide(opponent.side);
    alignTicks();
}

void GameClock::startGame()
{
    panel_.setTimerOn(true);
    s_.rightbyo = byoyomiField();
    s_.leftbyo = byoyomiField();
    panel_.setMoveCaption(caption::switchTurn);
    s_.starttime = time_.secondsSinceMidnight();
    run_ = 0;
    presses_.clear();
    if (const auto side = runningSide()) {
        Player first = player(*side);
        countMove(first.moves);
        showMoves(first);
        alignTicks();
    }
}

void GameClock::playerKey(int side)
{
    if (runningSide() == side) command1Click();
}

} // namespace gameclock

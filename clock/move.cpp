#include "clock/captions.h"
#include "clock/gameclock.h"

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
    if (panel_.timerOn()) {
        if (s_.turn == -1)
            endMove(leftPlayer(s_), rightPlayer(s_));
        else if (s_.turn == 0)
            endMove(rightPlayer(s_), leftPlayer(s_));
        return;
    }
    if (panel_.moveCaption() != caption::pleaseSet && panel_.pauseCaption() == caption::pause)
        startGame();
}

void GameClock::endMove(Player mover, Player opponent)
{
    const double e = stint();
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
    s_.starttime = time_.secondsSinceMidnight();
    countMove(opponent.moves);
    showMoves(opponent);
    s_.turn = opponent.side == 0 ? -1 : 0;
    alignTicks();
}

void GameClock::startGame()
{
    panel_.setTimerOn(true);
    s_.rightbyo = byoyomiField();
    s_.leftbyo = byoyomiField();
    panel_.setMoveCaption(caption::switchTurn);
    s_.starttime = time_.secondsSinceMidnight();
    if (s_.turn == -1 || s_.turn == 0) {
        Player first = player(s_.turn == -1 ? 0 : 1);
        countMove(first.moves);
        showMoves(first);
        alignTicks();
    }
}

void GameClock::playerKey(int side)
{
    if ((s_.turn == -1 && side == 0) || (s_.turn == 0 && side == 1)) command1Click();
}

} // namespace gameclock

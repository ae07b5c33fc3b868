// syokika: the clock state back to that of a game not set up.
#include "clock/gameclock.h"

namespace gameclock {

void GameClock::syokika()
{
    s_.rightblink = s_.leftblink = 0;
    s_.leftbyoon = s_.rightbyoon = 0;
    s_.leftwarn1 = s_.leftwarn2 = s_.leftwarn3 = 0;
    s_.rightwarn1 = s_.rightwarn2 = s_.rightwarn3 = 0;
    s_.leftbyowarn1 = s_.leftbyowarn2 = s_.leftbyowarn3 = 0;
    s_.rightbyowarn1 = s_.rightbyowarn2 = s_.rightbyowarn3 = 0;
    s_.lefttime = s_.righttime = 0;
    s_.leftbyo = s_.rightbyo = 0;
    s_.leftmoves = s_.rightmoves = 0;
    panel_.setMoveNumber(0, QString::number(s_.leftmoves));
    panel_.setMoveNumber(1, QString::number(s_.rightmoves));
}

} // namespace gameclock

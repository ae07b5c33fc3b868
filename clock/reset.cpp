#include "clock/captions.h"
#include "clock/gameclock.h"

namespace gameclock {

GameClock::GameClock(ClockPanel &panel, ClockCues &cues, TimeSource &time, Module1 &thresholds)
    : panel_(panel), cues_(cues), time_(time), module1_(thresholds)
{
}

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

Player GameClock::player(int side)
{
    return side == 0 ? leftPlayer(s_) : rightPlayer(s_);
}

double GameClock::stint()
{
    double e = time_.secondsSinceMidnight() - s_.starttime;
    if (e < 0) e += 86400.0; // the clock passed midnight since starttime
    return e;
}

void GameClock::showMoves(const Player &p)
{
    panel_.setMoveNumber(p.side, QString::number(p.moves));
}

bool GameClock::gameUnderway() const
{
    const QString caption = panel_.moveCaption();
    return caption != caption::start && caption != caption::pleaseSet;
}

} // namespace gameclock

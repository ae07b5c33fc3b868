#include "clock/clockstate.h"

namespace gameclock {

Player leftPlayer(ClockState &s)
{
    return {0, s.lefttime, s.leftbyo, s.leftbyoon, s.leftblink,
            {&s.leftwarn1, &s.leftwarn2, &s.leftwarn3},
            {&s.leftbyowarn1, &s.leftbyowarn2, &s.leftbyowarn3},
            s.leftmoves, s.leftnow, s.leftbyonow};
}

Player rightPlayer(ClockState &s)
{
    return {1, s.righttime, s.rightbyo, s.rightbyoon, s.rightblink,
            {&s.rightwarn1, &s.rightwarn2, &s.rightwarn3},
            {&s.rightbyowarn1, &s.rightbyowarn2, &s.rightbyowarn3},
            s.rightmoves, s.rightnow, s.rightbyonow};
}

} // namespace gameclock

#pragma once
#include "clock/timesource.h"

#include <chrono>

namespace gameclock {

// Reads the local time of day once, then advances by the monotonic clock, so
// that a wall-clock step (NTP, summer time, the operator setting the clock)
// never charges or gives time to a player.
class SteadyMidnightClock : public TimeSource
{
public:
    SteadyMidnightClock();
    double secondsSinceMidnight() override;

private:
    double startOfDay_;
    std::chrono::steady_clock::time_point origin_;
};

} // namespace gameclock

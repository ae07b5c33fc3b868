#include "clock/steadymidnightclock.h"

#include <QTime>
#include <cmath>

namespace gameclock {

namespace {
constexpr double kDay = 86400.0;
}

SteadyMidnightClock::SteadyMidnightClock()
    : startOfDay_(QTime::currentTime().msecsSinceStartOfDay() / 1000.0),
      origin_(std::chrono::steady_clock::now())
{
}

double SteadyMidnightClock::secondsSinceMidnight()
{
    const std::chrono::duration<double> since = std::chrono::steady_clock::now() - origin_;
    return std::fmod(startOfDay_ + since.count(), kDay);
}

} // namespace gameclock

#pragma once
// The time of day, as the test sets it: whole milliseconds, so that stints add up exactly.
#include "clock/timesource.h"

#include <QtGlobal>

namespace testing {

class FakeTime : public gameclock::TimeSource
{
public:
    qint64 ms = 36'000'000; // 10:00 in the morning
    double secondsSinceMidnight() override { return ms / 1000.0; }
    void advance(double seconds) { ms = (ms + qRound64(seconds * 1000)) % 86'400'000; }
};

} // namespace testing

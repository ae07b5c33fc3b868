#pragma once
// The seconds-since-midnight clock the game clock measures stints with.
namespace gameclock {

class TimeSource
{
public:
    virtual ~TimeSource() = default;
    // Seconds since midnight, from 0 up to just under 86,400, with fractions.
    virtual double secondsSinceMidnight() = 0;
};

} // namespace gameclock

#pragma once
// The three warning thresholds, shared by the tick, the warning-times
// dialog, the settings file and the all-to-zero button.
#include <QtGlobal>
#include <array>

namespace gameclock {

struct Module1
{
    qint16 wtime1 = 0;
    qint16 wtime2 = 0;
    qint16 wtime3 = 0;

    // The three in order, for those that treat them alike.
    std::array<qint16, 3> wtimes() const { return {wtime1, wtime2, wtime3}; }
    void setWtimes(const std::array<qint16, 3> &w)
    {
        wtime1 = w[0];
        wtime2 = w[1];
        wtime3 = w[2];
    }
};

} // namespace gameclock

#pragma once
// The three warning thresholds, shared by the tick, the warning-times
// dialog, the settings file and the all-to-zero button.
#include <QtGlobal>

namespace gameclock {

struct Module1
{
    qint16 wtime1 = 0;
    qint16 wtime2 = 0;
    qint16 wtime3 = 0;
};

} // namespace gameclock

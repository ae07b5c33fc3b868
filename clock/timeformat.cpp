#include "clock/timeformat.h"

#include <cmath>

namespace gameclock {

QString timeformat(const qint64 &s)
{
    const qint64 q = s / 60; // C++ division truncates towards zero
    const qint64 r = s - 60 * q;
    if (r >= 10)
        return QString::number(q) + u':' + QString::number(r);
    return QString::number(q) + QStringLiteral(":0") + QString::number(r);
}

qint64 shownSeconds(double t)
{
    return static_cast<qint64>(std::floor(t));
}

QString clockText(double t, qint16 secdisp)
{
    const qint64 n = shownSeconds(t);
    return secdisp == -1 ? QString::number(n) : timeformat(n);
}

} // namespace gameclock

#pragma once
// How a remaining time becomes a clock label's text.
#include <QString>
#include <QtGlobal>

namespace gameclock {

// Minutes and seconds, minutes never carried into hours ("546:07"); the
// remainder keeps the sign of s, so -5 gives "0:0-5".
QString timeformat(const qint64 &s);

// The whole seconds a clock shows: t rounded down. Wider than 16 bits so that
// long main times show instead of wrapping.
qint64 shownSeconds(double t);

// The clock display rule: plain seconds when secdisp is -1, else timeformat.
QString clockText(double t, qint16 secdisp);

} // namespace gameclock

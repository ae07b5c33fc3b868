#include "common/decimaltext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace common {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

// Folds the full-width forms of digits, sign and point to ASCII.
QChar fold(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return QChar(u'0' + (u - 0xFF10));
    switch (u) {
    case 0xFF0B: return u'+';
    case 0xFF0D: case 0x2212: return u'-';
    case 0xFF0E: return u'.';
    default: return c;
    }
}

} // namespace

std::optional<double> parseDecimal(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;

    QByteArray ascii;
    ascii.reserve(end - begin);
    int digits = 0, points = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = fold(text[i]);
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            ++digits;
        } else if (c == u'.') {
            if (++points > 1) return std::nullopt;
        } else if (c == u'+' || c == u'-') {
            if (i != begin) return std::nullopt;
        } else {
            return std::nullopt;
        }
        ascii.append(char(c.unicode()));
    }
    if (digits == 0) return std::nullopt;

    // The text is a number by now; Qt refuses only one beyond a double's
    // range. One too small is nearest to zero; one too large is infinite, so
    // that callers can call it too large rather than not a number.
    bool ok = false;
    const double value = ascii.toDouble(&ok);
    if (ok) return value;
    const bool negative = ascii.startsWith('-');
    const qsizetype point = ascii.indexOf('.');
    const QByteArray whole = point < 0 ? ascii : ascii.left(point);
    if (std::all_of(whole.begin(), whole.end(), [](char c) { return c < '1' || c > '9'; }))
        return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
}

double roundHalfEven(double x)
{
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff > 0.5) return floor + 1.0;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<qint16> parseInt16(const QString &text)
{
    const auto value = parseDecimal(text);
    if (!value) return std::nullopt;
    const double rounded = roundHalfEven(*value);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace common

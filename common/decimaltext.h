#pragma once
// Reading the numbers an operator types or a settings file holds.
#include <QString>
#include <QtGlobal>
#include <optional>

namespace common {

// A decimal number: blanks around it, an optional sign, digits with an
// optional fraction. Full-width digits, sign and point (as a Japanese input
// method types them) count as their ordinary forms. Nothing else is accepted:
// no exponents, no hexadecimal, no digit grouping. A number beyond a double's
// range reads as an infinity of its sign.
std::optional<double> parseDecimal(const QString &text);

// x rounded to the nearest whole number, an exact half to the even neighbour.
double roundHalfEven(double x);

// parseDecimal, rounded half-to-even, and checked to fit a 16-bit signed integer.
std::optional<qint16> parseInt16(const QString &text);

} // namespace common

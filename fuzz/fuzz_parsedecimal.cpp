// Arbitrary text, read as UTF-8 and as UTF-16, through the number reading:
// what it accepts is exactly the documented grammar, with the value the C
// library reads from it, and parseInt16 is that value rounded and range-checked.
#include "common/decimaltext.h"

#include <QRegularExpression>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

[[noreturn]] void fail(const char *what, const QString &text)
{
    QByteArray hex;
    for (QChar c : text) hex += QByteArray::number(c.unicode(), 16) + ' ';
    std::fprintf(stderr, "fuzz_parsedecimal: %s\n  text (UTF-16 units): %s\n", what, hex.constData());
    std::abort();
}

// The grammar, checked apart from the reader: full-width forms and the
// ideographic blank folded to ASCII, every other non-ASCII unit made a
// character the grammar has no place for, then one regular expression.
std::optional<QByteArray> grammarCore(const QString &text)
{
    QByteArray ascii;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19) ascii += char('0' + (u - 0xFF10));
        else if (u == 0xFF0B) ascii += '+';
        else if (u == 0xFF0D || u == 0x2212) ascii += '-';
        else if (u == 0xFF0E) ascii += '.';
        else if (u == 0x3000) ascii += ' ';
        else if (u < 0x80) ascii += char(u);
        else ascii += '#';
    }
    static const QRegularExpression grammar(QRegularExpression::anchoredPattern(
        QStringLiteral("[ \\t]*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+))[ \\t]*")));
    const auto match = grammar.match(QString::fromLatin1(ascii));
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toLatin1();
}

void check(const QString &text)
{
    const std::optional<double> got = common::parseDecimal(text);

    std::optional<double> want;
    if (const auto core = grammarCore(text)) {
        // strtod too gives an infinity for a number beyond a double's range.
        want = std::strtod(core->constData(), nullptr);
    }
    if (got.has_value() != want.has_value())
        fail(got ? "accepted a text outside the grammar" : "refused a text the grammar allows", text);
    if (got && *got != *want) fail("value differs from strtod's", text);

    const std::optional<qint16> small = common::parseInt16(text);
    if (!got) {
        if (small) fail("parseInt16 accepted what parseDecimal refused", text);
        return;
    }
    const double rounded = common::roundHalfEven(*got);
    // Rounding, checked by its definition: a whole number, nearest, an exact half to even.
    const double off = std::fabs(rounded - *got);
    if (rounded != std::floor(rounded) || off > 0.5 || (off == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        fail("roundHalfEven is not the nearest whole number, half to even", text);
    const bool fits = rounded >= -32768.0 && rounded <= 32767.0;
    if (small.has_value() != fits) fail(fits ? "parseInt16 refused a value in range" : "parseInt16 accepted a value out of range", text);
    if (small && double(*small) != rounded) fail("parseInt16 differs from the rounded decimal", text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // strtod's decimal point must be '.' whatever the environment says.
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    check(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    QString utf16(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(utf16.data(), data, size / 2 * 2);
    check(utf16);
    return 0;
}

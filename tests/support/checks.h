#pragma once
// The checks both test languages share: "ITEMS = VALUES" (or "^=": each
// shown text begins with its value), one value for each item, blanks between
// them; a value with blanks, or an empty one, in double quotes. Colours read
// as names: yellow, grey, cyan, red, black, white.
#include "support/table.h"

#include <QtCore>

namespace testing {

// A value list's words: runs without blanks, or "..." with anything but a quote.
inline QStringList words(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
    QStringList out;
    for (const QRegularExpressionMatch &m : word.globalMatch(text))
        out << QString::fromUtf8(unescaped(m.captured(1).isNull() ? m.captured(2) : m.captured(1)));
    return out;
}

// Checks one line against what observe() shows of each item; empty when it holds,
// else where the first differing item's texts part.
template <typename Observe> QString failedCheck(const QString &line, Observe observe)
{
    static const QRegularExpression check(QStringLiteral("^(.+?) (\\^?)= ?(.*)$"));
    const QRegularExpressionMatch m = check.match(line);
    if (!m.hasMatch()) return "not a check: " + line;
    const QStringList items = m.captured(1).split(u' '), wanted = words(m.captured(3));
    if (items.size() != wanted.size()) return QStringLiteral("%1 items, %2 values: %3").arg(items.size()).arg(wanted.size()).arg(line);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString seen = observe(items[i]);
        if (m.captured(2).isEmpty() ? seen == wanted[i] : seen.startsWith(wanted[i])) continue;
        // Told from where they part, short enough for the test log to keep whole.
        const qsizetype at = std::mismatch(seen.begin(), seen.end(), wanted[i].begin(), wanted[i].end()).first - seen.begin();
        return items[i] + "\n   wanted …" + wanted[i].mid(at, 100) + "\n   shows  …" + seen.mid(at, 100);
    }
    return {};
}

} // namespace testing

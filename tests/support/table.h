#pragma once
// A test's table kept in a text file beside it: a row a line, its columns
// between " | "; blank lines and lines starting with "#" skipped.
#include <QtCore>

namespace testing {

inline QList<QStringList> rows(const QString &path, int columns)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) qFatal("cannot read the table %s", qPrintable(path));
    QList<QStringList> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (const QStringList row = line.split(QStringLiteral(" | ")); row.size() == columns && !line.startsWith(u'#')) rows << row;
    return rows;
}

// A table's text as bytes: \n, \r and \t, \xNN a byte as it is, {N*text} the text N times.
inline QByteArray unescaped(const QString &text)
{
    static const QRegularExpression escape(QStringLiteral("\\\\([nrt]|x[0-9A-Fa-f]{2})|\\{(\\d+)\\*(.+?)\\}"));
    QByteArray bytes;
    qsizetype at = 0;
    for (const QRegularExpressionMatch &m : escape.globalMatch(text)) {
        const QString e = m.captured(1);
        bytes += text.mid(at, m.capturedStart() - at).toUtf8();
        bytes += e.isEmpty() ? unescaped(m.captured(3)).repeated(m.captured(2).toInt())
                             : QByteArray(1, e == "n" ? '\n' : e == "r" ? '\r' : e == "t" ? '\t' : char(e.mid(1).toInt(nullptr, 16)));
        at = m.capturedEnd();
    }
    return bytes + text.mid(at).toUtf8();
}

} // namespace testing

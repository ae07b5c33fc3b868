#include "settings/settingsfile.h"

#include "common/decimaltext.h"
#include "settings/cp932.h"

#include <QStringDecoder>
#include <QStringList>

namespace settings {

std::optional<QByteArray> writeSettings(const Values &values, QString *error)
{
    QStringList lines{QStringLiteral("[コルヴァン設定ファイル]")};
    for (int i = 0; i < 6; ++i) lines << QStringLiteral("text1(%1).text=").arg(i) + values.fields[i];
    lines << (values.firstLeft ? QStringLiteral("first=0") : QStringLiteral("first=1"));
    for (int i = 0; i < 3; ++i) lines << QStringLiteral("wtime%1=%2").arg(i + 1).arg(values.wtime[i]);
    lines << QStringLiteral("end");

    QByteArray bytes;
    for (int i = 0; i < lines.size(); ++i) {
        const auto encoded = cp932::encode(lines[i]);
        if (!encoded) {
            if (error)
                *error = QStringLiteral("欄 %1 の「%2」には設定ファイルに書けない文字があります。")
                             .arg(i - 1)
                             .arg(values.fields[i - 1]);
            return std::nullopt;
        }
        bytes += *encoded + "\r\n";
    }
    return bytes;
}

namespace {

// A file a Linux editor wrote is UTF-8; anything else is the code page.
QString decodeFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    return cp932::decode(bytes);
}

void applyLine(const QString &line, Values &values)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) return;
    const QString key = line.left(equals);
    const QString value = line.mid(equals + 1);
    for (int i = 0; i < 6; ++i) {
        if (key == QStringLiteral("text1(%1).text").arg(i)) {
            values.fields[i] = value;
            return;
        }
    }
    if (key == QLatin1String("first")) {
        if (const auto number = common::parseDecimal(value)) values.firstLeft = *number == 0;
        return;
    }
    for (int i = 0; i < 3; ++i) {
        if (key == QStringLiteral("wtime%1").arg(i + 1)) {
            if (const auto number = common::parseInt16(value)) values.wtime[i] = *number;
            return;
        }
    }
}

} // namespace

void readsettings(const QByteArray &bytes, Values &values)
{
    const QString text = decodeFile(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
        applyLine(text.mid(start, end - start), values);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
        start = end + 1;
    }
}

} // namespace settings

#include "settings/settingsfile.h"

#include "common/decimaltext.h"
#include "common/wording.h"
#include "settings/cp932.h"

#include <QStringDecoder>
#include <QStringTokenizer>

namespace settings {

std::optional<QByteArray> writeSettings(const Values &values, QString *error)
{
    const auto refuse = [error](const QString &why) {
        if (error) *error = why;
        return std::nullopt;
    };
    QByteArray bytes = *cp932::encode(QStringLiteral("[コルヴァン設定ファイル]")) + "\r\n";
    for (int i = 0; i < 6; ++i) {
        const QString &text = values.fields[i];
        // A line break would end the line early and the rest would read as another key.
        if (text.contains(u'\r') || text.contains(u'\n'))
            return refuse(QStringLiteral("「%1」に改行が入っているため、設定ファイルに書けません。")
                              .arg(common::setupFieldName(i)));
        const auto encoded = cp932::encode(text);
        if (!encoded)
            return refuse(QStringLiteral("「%1」の%2には、設定ファイルに書けない文字があります。")
                              .arg(common::setupFieldName(i), common::quoted(text)));
        bytes += "text1(" + QByteArray::number(i) + ").text=" + *encoded + "\r\n";
    }
    bytes += values.firstLeft ? "first=0\r\n" : "first=1\r\n";
    for (int i = 0; i < 3; ++i)
        bytes += "wtime" + QByteArray::number(i + 1) + '=' + QByteArray::number(values.wtime[i]) + "\r\n";
    // Only when on: a file saved with the voice off is the file it always was.
    if (values.voice) bytes += "voice=1\r\n";
    bytes += "end\r\n";
    return bytes;
}

namespace {

// A file a Linux editor wrote is UTF-8 (the decoder drops a byte-order mark);
// anything else is the code page.
QString decodeFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? cp932::decode(bytes) : text;
}

const QString kFieldKeys[6] = {
    QStringLiteral("text1(0).text"), QStringLiteral("text1(1).text"), QStringLiteral("text1(2).text"),
    QStringLiteral("text1(3).text"), QStringLiteral("text1(4).text"), QStringLiteral("text1(5).text"),
};
const QString kThresholdKeys[3] = {QStringLiteral("wtime1"), QStringLiteral("wtime2"), QStringLiteral("wtime3")};

// Applies lines in file order. The text stays alive while it reads, so field
// values are kept as views and copied once at the end, and a number that
// repeats its key's last value is not read again: a file of millions of
// lines costs little more than its decoding.
class Reader
{
public:
    explicit Reader(Values &values) : values_(values) {}

    // false when a field's value is longer than a text box can take.
    bool apply(QStringView line)
    {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) return true;
        const QStringView key = line.left(equals);
        const QStringView value = line.mid(equals + 1);
        for (int i = 0; i < 6; ++i) {
            if (key == kFieldKeys[i]) {
                fields_[i] = value;
                return value.size() <= kLongestField;
            }
        }
        if (key == u"first") {
            if (const auto n = number(3, value, false)) values_.firstLeft = *n == 0;
            return true;
        }
        if (key == u"voice") {
            if (const auto n = number(4, value, false)) values_.voice = *n != 0;
            return true;
        }
        for (int i = 0; i < 3; ++i) {
            if (key == kThresholdKeys[i]) {
                if (const auto n = number(i, value, true)) values_.wtime[i] = qint16(*n);
                return true;
            }
        }
        return true;
    }

    void finish()
    {
        for (int i = 0; i < 6; ++i)
            if (fields_[i]) values_.fields[i] = fields_[i]->toString();
    }

private:
    // The value read as a number (as a 16-bit threshold when int16); slot 3 is "first", 4 "voice".
    std::optional<double> number(int slot, QStringView value, bool int16)
    {
        if (!last_[slot] || *last_[slot] != value) {
            last_[slot] = value;
            const QString text = value.toString();
            if (!int16) lastNumber_[slot] = common::parseDecimal(text);
            else if (const auto n = common::parseInt16(text)) lastNumber_[slot] = *n;
            else lastNumber_[slot].reset();
        }
        return lastNumber_[slot];
    }

    Values &values_;
    std::optional<QStringView> fields_[6];
    std::optional<QStringView> last_[5];
    std::optional<double> lastNumber_[5];
};

} // namespace

bool readsettings(const QByteArray &bytes, Values &values)
{
    const QString text = decodeFile(bytes);
    Values read = values;
    Reader reader(read);
    // A line ends at CR LF, at a CR alone or at an LF alone; the empty line
    // between CR and LF says nothing.
    for (const QStringView lines : QStringTokenizer(text, u'\n'))
        for (const QStringView line : QStringTokenizer(lines, u'\r'))
            if (!reader.apply(line)) return false;
    reader.finish();
    values = read;
    return true;
}

} // namespace settings

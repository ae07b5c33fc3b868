#include "settings/settingsfile.h"

#include "common/decimaltext.h"
#include "common/wording.h"
#include "settings/cp932.h"

#include <QBuffer>
#include <QStringDecoder>

namespace settings {

namespace {

const QString kHeader = QStringLiteral("[コルヴァン設定ファイル]");

} // namespace

bool startsWithHeader(const QByteArray &head)
{
    for (const QByteArray &header : {*cp932::encode(kHeader), "\xEF\xBB\xBF" + kHeader.toUtf8(), kHeader.toUtf8()})
        if (head.startsWith(header) && (head.size() == header.size() || head[header.size()] == '\r' || head[header.size()] == '\n'))
            return true;
    return false;
}

std::optional<QByteArray> writeSettings(const Values &values, QString *error)
{
    const auto refuse = [error](const QString &why) {
        if (error) *error = why;
        return std::nullopt;
    };
    QByteArray bytes = *cp932::encode(kHeader) + "\r\n";
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
    bytes += "end\r\n";
    return bytes;
}

namespace {

const QString kFieldKeys[6] = {
    QStringLiteral("text1(0).text"), QStringLiteral("text1(1).text"), QStringLiteral("text1(2).text"),
    QStringLiteral("text1(3).text"), QStringLiteral("text1(4).text"), QStringLiteral("text1(5).text"),
};
const QString kThresholdKeys[3] = {QStringLiteral("wtime1"), QStringLiteral("wtime2"), QStringLiteral("wtime3")};

// The longest line a field can take: beyond it only the key matters.
constexpr qsizetype kLongestLine = 13 + 1 + kLongestField;

// Applies lines in file order as decoded pieces of the file arrive; nothing
// grows with the file but a line being put together, and that only up to
// kLongestLine. A number that repeats its key's last value is not read again:
// a file of millions of lines costs little more than its decoding.
class Reader
{
public:
    explicit Reader(Values &values) : values_(values) {}

    // false when a field's value is longer than a text box can take.
    bool feed(QStringView text)
    {
        for (;;) {
            qsizetype end = 0;
            while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') ++end;
            const bool ended = end < text.size();
            const QStringView piece = text.left(end);
            if (skipping_) {
            } else if (ended && partial_.isEmpty()) {
                if (!apply(piece)) return false;
            } else {
                partial_ += piece;
                if (ended || partial_.size() > kLongestLine) {
                    if (!apply(partial_)) return false;
                    partial_.clear();
                    skipping_ = !ended;
                }
            }
            if (!ended) return true;
            skipping_ = false;
            text = text.mid(end + 1);
        }
    }

    void finish()
    {
        for (int i = 0; i < 6; ++i)
            if (fields_[i]) values_.fields[i] = *fields_[i];
    }

private:
    // A line longer than kLongestLine (perhaps seen only in part) is too
    // long for any value: a field's fails the file, any other is skipped.
    bool apply(QStringView line)
    {
        const bool whole = line.size() <= kLongestLine;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) return true;
        const QStringView key = line.left(equals);
        const QStringView value = line.mid(equals + 1);
        for (int i = 0; i < 6; ++i) {
            if (key == kFieldKeys[i]) {
                if (value.size() > kLongestField) return false;
                if (fields_[i] != value) fields_[i] = value.toString();
                return true;
            }
        }
        if (!whole) return true;
        if (key == u"first") {
            if (const auto n = number(3, value, false)) values_.firstLeft = *n == 0;
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

    // The value read as a number (as a 16-bit threshold when int16); slot 3 is "first".
    std::optional<double> number(int slot, QStringView value, bool int16)
    {
        if (!last_[slot] || *last_[slot] != value) {
            last_[slot] = value.toString();
            if (!int16) lastNumber_[slot] = common::parseDecimal(*last_[slot]);
            else if (const auto n = common::parseInt16(*last_[slot])) lastNumber_[slot] = *n;
            else lastNumber_[slot].reset();
        }
        return lastNumber_[slot];
    }

    Values &values_;
    QString partial_;
    bool skipping_ = false; // the rest of a line cut short
    std::optional<QString> fields_[6];
    std::optional<QString> last_[4];
    std::optional<double> lastNumber_[4];
};

} // namespace

ReadResult readsettings(QIODevice &file, Values &values)
{
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    // A file a Linux editor wrote is UTF-8 (the decoder drops a byte-order
    // mark); anything else is the code page, found out at its first invalid
    // byte, and then read again from the start.
    for (const bool utf8 : {true, false}) {
        if (!file.seek(0)) return ReadResult::Unreadable;
        Values read = values;
        Reader reader(read);
        QStringDecoder utf8Decoder(QStringDecoder::Utf8);
        cp932::Decoder cp932Decoder;
        bool tooLong = false;
        // false when the bytes turn out not to be UTF-8.
        const auto decode = [&](const char *bytes, qsizetype size) {
            const QString text = utf8 ? utf8Decoder.decode(QByteArrayView(bytes, size)) : cp932Decoder.decode(bytes, size);
            if (utf8 && utf8Decoder.hasError()) return false;
            // Decoded to the end even so: a later invalid byte makes it another file.
            tooLong = tooLong || !reader.feed(text);
            return true;
        };
        qint64 size = 0;
        bool decoded = true;
        while (decoded && (size = file.read(chunk.data(), chunk.size())) > 0) decoded = decode(chunk.constData(), size);
        if (size < 0) return ReadResult::Unreadable;
        // A line end after the last byte ends the last line, and makes a
        // character the end cut short an invalid one.
        if (!decoded || !decode("\n", 1)) continue;
        if (tooLong) return ReadResult::TooLong;
        reader.finish();
        values = read;
        return ReadResult::Applied;
    }
    return ReadResult::Unreadable; // not reached: the code page decodes anything
}

bool readsettings(const QByteArray &bytes, Values &values)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readsettings(buffer, values) == ReadResult::Applied;
}

} // namespace settings

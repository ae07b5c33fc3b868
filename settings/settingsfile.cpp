#include "settings/settingsfile.h"

#include "common/decimaltext.h"
#include "common/wording.h"
#include "settings/cp932.h"

#include <QBuffer>
#include <QStringDecoder>

#include <cstring>

namespace settings {

namespace {

const QString kHeader = QStringLiteral("[コルヴァン設定ファイル]");

} // namespace

bool startsWithHeader(const QByteArray &head)
{
    for (const QByteArray &header : {*cp932::encode(kHeader), "\xEF\xBB\xBF" + kHeader.toUtf8(), kHeader.toUtf8()}) {
        const QByteArray after = head.mid(header.size(), 1); // the line's end, or the file's
        if (head.startsWith(header) && (after.isEmpty() || after == "\r" || after == "\n")) return true;
    }
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
    // Only when on: a file saved with the voice off is the file it always was.
    if (values.voice) bytes += "voice=1\r\n";
    bytes += "end\r\n";
    return bytes;
}

namespace {

// The longest line a field's value may come in: a text box's characters,
// each at most three bytes in UTF-8 and at least half a byte in code page 932
// (two bytes a character, one a replacement); "text1(N).text=" before it.
// Beyond it only the key matters.
constexpr qsizetype kLongestLine = 14 + 3 * kLongestField;

// Applies lines in file order as the file's bytes arrive. Line ends and keys
// are ASCII, and neither encoding has those bytes inside a character, so a
// line is split and its key matched on its bytes; only the value of a key
// is decoded, and only when it differs from that key's last: a file of
// millions of lines, or of random bytes, costs little more than reading it.
// Nothing grows with the file but a line being put together, and that only
// up to kLongestLine.
class Reader
{
public:
    Reader(Values &values, bool utf8) : values_(values), utf8_(utf8) {}

    // false when a field's value is longer than a text box can take.
    bool feed(const char *bytes, qsizetype size)
    {
        while (size > 0) {
            const auto *lf = static_cast<const char *>(std::memchr(bytes, '\n', size_t(size)));
            const auto *cr = static_cast<const char *>(std::memchr(bytes, '\r', size_t(lf ? lf - bytes : size)));
            const char *end = cr ? cr : lf;
            const qsizetype length = end ? end - bytes : size;
            if (skipping_) {
            } else if (end && partial_.isEmpty()) {
                if (!apply(QByteArrayView(bytes, length))) return false;
            } else {
                partial_.append(bytes, length);
                if (end || partial_.size() > kLongestLine) {
                    if (!apply(partial_)) return false;
                    partial_.clear();
                    skipping_ = !end;
                }
            }
            if (!end) return true;
            skipping_ = false;
            bytes += length + 1;
            size -= length + 1;
        }
        return true;
    }

    void finish()
    {
        for (int i = 0; i < 6; ++i)
            if (fields_[i]) values_.fields[i] = *fields_[i];
    }

private:
    // A line longer than kLongestLine (perhaps seen only in part) is too
    // long for any value: a field's fails the file, any other is skipped.
    bool apply(QByteArrayView line)
    {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) return true;
        const QByteArrayView key = line.first(equals);
        const QByteArrayView value = line.sliced(equals + 1);
        const bool whole = line.size() <= kLongestLine;
        if (key.size() == 13 && key.startsWith("text1(") && key.endsWith(").text") && key[6] >= '0' && key[6] <= '5') {
            const int i = key[6] - '0';
            if (!whole) return false;
            if (!fields_[i] || lastField_[i] != value) {
                lastField_[i] = value.toByteArray();
                fields_[i] = decode(value);
            }
            return fields_[i]->size() <= kLongestField;
        }
        if (!whole) return true;
        if (key == "first") {
            if (const auto n = number(3, value, false)) values_.firstLeft = *n == 0;
        } else if (key == "voice") {
            if (const auto n = number(4, value, false)) values_.voice = *n != 0;
        } else if (key.size() == 6 && key.startsWith("wtime") && key[5] >= '1' && key[5] <= '3') {
            const int i = key[5] - '1';
            if (const auto n = number(i, value, true)) values_.wtime[i] = qint16(*n);
        }
        return true;
    }

    // As the whole file's decoding has these bytes: a value starts and ends
    // between characters, and a byte-order mark inside the file is a character.
    QString decode(QByteArrayView value) const
    {
        if (!utf8_) return cp932::decode(value.toByteArray());
        using Flag = QStringDecoder::Flag;
        QStringDecoder utf8(QStringDecoder::Utf8, Flag::ConvertInitialBom | Flag::Stateless);
        return utf8.decode(value);
    }

    // The value read as a number (as a 16-bit threshold when int16); slot 3 is "first", 4 "voice".
    std::optional<double> number(int slot, QByteArrayView value, bool int16)
    {
        if (!last_[slot] || *last_[slot] != value) {
            last_[slot] = value.toByteArray();
            const QString text = decode(value);
            if (!int16) lastNumber_[slot] = common::parseDecimal(text);
            else if (const auto n = common::parseInt16(text)) lastNumber_[slot] = *n;
            else lastNumber_[slot].reset();
        }
        return lastNumber_[slot];
    }

    Values &values_;
    const bool utf8_;
    QByteArray partial_;
    bool skipping_ = false; // the rest of a line too long for any value
    std::optional<QString> fields_[6];
    QByteArray lastField_[6];
    std::optional<QByteArray> last_[5];
    std::optional<double> lastNumber_[5];
};

} // namespace

ReadResult readsettings(QIODevice &file, Values &values)
{
    // 64 KiB at a time; less for a smaller file.
    QByteArray chunk(qBound(qint64(1), file.size() + 1, qint64(64 * 1024)), Qt::Uninitialized);
    QString decoded(chunk.size() + 4, Qt::Uninitialized);
    // A file a Linux editor wrote is UTF-8 (a byte-order mark before it
    // dropped); anything else is the code page, found out at its first
    // invalid byte, and then read again from the start.
    for (const bool utf8 : {true, false}) {
        if (!file.seek(0)) return ReadResult::Unreadable;
        Values read = values;
        Reader reader(read, utf8);
        QStringDecoder check(QStringDecoder::Utf8);
        bool tooLong = false;
        // false when the bytes turn out not to be UTF-8.
        const auto take = [&](const char *bytes, qsizetype size) {
            if (utf8) check.appendToBuffer(decoded.data(), QByteArrayView(bytes, size));
            if (utf8 && check.hasError()) return false;
            // Checked to the end even so: a later invalid byte makes it another file.
            tooLong = tooLong || !reader.feed(bytes, size);
            return true;
        };
        qint64 size = 0;
        bool valid = true;
        for (bool first = true; valid && (size = file.read(chunk.data(), chunk.size())) > 0; first = false) {
            const qsizetype mark = utf8 && first && size >= 3 && chunk.startsWith("\xEF\xBB\xBF") ? 3 : 0;
            valid = take(chunk.constData() + mark, size - mark);
        }
        if (size < 0) return ReadResult::Unreadable;
        // A line end after the last byte ends the last line, and makes a
        // character the end cut short an invalid one.
        if (!valid || !take("\n", 1)) continue;
        if (tooLong) return ReadResult::TooLong;
        reader.finish();
        values = read;
        return ReadResult::Applied;
    }
    return ReadResult::Unreadable; // not reached: the code page takes any bytes
}

bool readsettings(const QByteArray &bytes, Values &values)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readsettings(buffer, values) == ReadResult::Applied;
}

} // namespace settings

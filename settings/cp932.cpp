#include "settings/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace settings::cp932 {

namespace {

// Runs iconv over the whole input; on an invalid sequence either gives up or,
// with replacement set, emits it and skips one input byte.
std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &in,
                                  const QByteArray *replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return std::nullopt;
    QByteArray out;
    QByteArray buffer(4096, '\0');
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = size_t(in.size());
    bool ok = true;
    while (inLeft > 0) {
        char *outPtr = buffer.data();
        size_t outLeft = size_t(buffer.size());
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.constData(), buffer.size() - qsizetype(outLeft));
        if (r != size_t(-1)) continue;
        if (errno == E2BIG) continue;
        if (!replacement) { ok = false; break; }
        out.append(*replacement);
        ++inPtr;
        --inLeft;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

} // namespace

std::optional<QByteArray> encode(const QString &text)
{
    auto bytes = convert("CP932", "UTF-8", text.toUtf8(), nullptr);
    // A few characters (the yen sign, the overline, the wave dash, ...) encode
    // to bytes that read back as another character: not representable either.
    if (bytes && decode(*bytes) != text) return std::nullopt;
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    const QByteArray replacement("\xEF\xBF\xBD");
    return QString::fromUtf8(convert("UTF-8", "CP932", bytes, &replacement).value_or(QByteArray()));
}

} // namespace settings::cp932

#include "settings/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace settings::cp932 {

namespace {

// Restarting iconv after every invalid byte made a damaged file cost seconds,
// so decoding looks each character up in tables that iconv fills once: the
// same characters, the same errors, each byte at the same small cost.
constexpr char16_t kInvalid = 0xFFFF; // neither is ever a character of the code page
constexpr char16_t kLead = 0xFFFE;
constexpr char16_t kReplacement = 0xFFFD;

struct Tables
{
    char16_t single[256];
    char16_t pair[128][256]; // lead byte 0x80 and up, then the second byte

    Tables()
    {
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        for (int b = 0; b < 256; ++b) {
            const char in[1] = {char(b)};
            single[b] = character(cd, in, 1);
            if (b < 0x80 && single[b] == kLead) single[b] = kInvalid; // (none is; the pair table starts at 0x80)
        }
        for (int lead = 0x80; lead < 0x100; ++lead)
            for (int second = 0; second < 256; ++second) {
                const char in[2] = {char(lead), char(second)};
                pair[lead - 0x80][second] = single[lead] == kLead ? character(cd, in, 2) : kInvalid;
            }
        if (cd != iconv_t(-1)) iconv_close(cd);
    }

    // What iconv makes of exactly these bytes: one character, the start of
    // one (kLead), or nothing (kInvalid).
    static char16_t character(iconv_t cd, const char *bytes, size_t size)
    {
        if (cd == iconv_t(-1)) return kInvalid;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char out[8];
        char *inPtr = const_cast<char *>(bytes);
        char *outPtr = out;
        size_t inLeft = size, outLeft = sizeof out;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
            return errno == EINVAL && size == 1 ? kLead : kInvalid;
        if (inLeft != 0 || outPtr - out != 2) return kInvalid;
        return char16_t(uchar(out[0]) | uchar(out[1]) << 8);
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

// Runs iconv over the whole input; nullopt on any sequence it cannot convert.
std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return std::nullopt;
    QByteArray out;
    QByteArray buffer(4096, '\0');
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = size_t(in.size());
    bool ok = true;
    while (ok && inLeft > 0) {
        char *outPtr = buffer.data();
        size_t outLeft = size_t(buffer.size());
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.constData(), buffer.size() - qsizetype(outLeft));
        ok = r != size_t(-1) || errno == E2BIG;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

} // namespace

std::optional<QByteArray> encode(const QString &text)
{
    auto bytes = convert("CP932", "UTF-8", text.toUtf8());
    // A few characters (the yen sign, the overline, the wave dash, ...) encode
    // to bytes that read back as another character: not representable either.
    if (bytes && decode(*bytes) != text) return std::nullopt;
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    Decoder decoder;
    const QString text = decoder.decode(bytes.constData(), bytes.size());
    return text + decoder.finish();
}

QString Decoder::decode(const char *bytes, qsizetype size)
{
    const Tables &t = tables();
    QString text(size + 1, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const char16_t *const start = out;
    for (qsizetype i = 0; i < size; ++i) {
        const uchar b = uchar(bytes[i]);
        if (lead_ >= 0) {
            const char16_t c = t.pair[lead_ - 0x80][b];
            lead_ = -1;
            if (c != kInvalid) {
                *out++ = c;
                continue;
            }
            *out++ = kReplacement; // the lead byte alone; b starts afresh
        }
        const char16_t c = t.single[b];
        if (c == kLead) lead_ = b;
        else *out++ = c == kInvalid ? kReplacement : c;
    }
    text.truncate(out - start);
    return text;
}

QString Decoder::finish()
{
    const bool pending = lead_ >= 0;
    lead_ = -1;
    return pending ? QString(QChar(kReplacement)) : QString();
}

} // namespace settings::cp932

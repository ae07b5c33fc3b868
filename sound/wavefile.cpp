#include "sound/wavefile.h"

#include <QtEndian>
#include <cstring>

namespace sound {
namespace {

constexpr quint16 formatPcm = 1;
constexpr quint16 formatFloat = 3;
constexpr quint16 formatExtensible = 0xFFFE;

struct Format
{
    quint16 tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    int bits = 0;
};

quint16 u16(const char *p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char *p) { return qFromLittleEndian<quint32>(p); }

std::optional<Samples> fail(QString *error, const char *why)
{
    if (error) *error = QString::fromLatin1(why);
    return std::nullopt;
}

float sampleAt(const char *p, const Format &f)
{
    switch (f.bits) {
    case 8: // 8-bit wave data is unsigned, centred on 128
        return (quint8(*p) - 128) / 128.0f;
    case 16:
        return qint16(u16(p)) / 32768.0f;
    case 24: {
        const qint32 v = qint32(quint32(quint8(p[0])) << 8 | quint32(quint8(p[1])) << 16
                                | quint32(quint8(p[2])) << 24) >> 8;
        return v / 8388608.0f;
    }
    case 32:
        if (f.tag == formatFloat) {
            const quint32 raw = u32(p);
            float v;
            std::memcpy(&v, &raw, sizeof v);
            return v;
        }
        return float(qint32(u32(p)) / 2147483648.0);
    case 64: {
        const quint64 raw = qFromLittleEndian<quint64>(p);
        double v;
        std::memcpy(&v, &raw, sizeof v);
        return float(v);
    }
    }
    return 0;
}

bool supported(const Format &f)
{
    if (f.tag == formatPcm) return f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32;
    if (f.tag == formatFloat) return f.bits == 32 || f.bits == 64;
    return false;
}

} // namespace

std::optional<Samples> decodeWave(const QByteArray &bytes, QString *error)
{
    const char *b = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
        return fail(error, "not a RIFF/WAVE file");

    std::optional<Format> format;
    const char *data = nullptr;
    qsizetype dataSize = 0;
    qsizetype at = 12;
    while (at + 8 <= size && !(format && data)) {
        const char *id = b + at;
        const qsizetype chunk = u32(b + at + 4);
        const char *body = b + at + 8;
        const qsizetype available = size - (at + 8);
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (chunk < 16 || chunk > available) return fail(error, "short fmt chunk");
            Format f;
            f.tag = u16(body);
            f.channels = u16(body + 2);
            f.sampleRate = int(u32(body + 4));
            f.blockAlign = u16(body + 12);
            f.bits = u16(body + 14);
            if (f.tag == formatExtensible) {
                // The real format tag is the first two bytes of the sub-format GUID.
                if (chunk < 40) return fail(error, "short extensible fmt chunk");
                f.tag = u16(body + 24);
            }
            format = f;
        } else if (std::memcmp(id, "data", 4) == 0) {
            data = body;
            // Writers that stream leave the size unset or too large: keep what is there.
            dataSize = qMin(chunk, available);
        }
        at += 8 + chunk + (chunk & 1);
    }
    if (!format) return fail(error, "no fmt chunk");
    if (!data) return fail(error, "no data chunk");

    const Format &f = *format;
    if (!supported(f)) return fail(error, "unsupported sample format");
    if (f.channels != 1 && f.channels != 2) return fail(error, "neither mono nor stereo");
    if (f.sampleRate < 1000 || f.sampleRate > 384000) return fail(error, "unusable sample rate");
    if (f.blockAlign != f.channels * f.bits / 8) return fail(error, "inconsistent block size");

    const qsizetype frames = dataSize / f.blockAlign;
    if (frames == 0) return fail(error, "no sound in the data chunk");

    Samples s;
    s.sampleRate = f.sampleRate;
    s.channels = f.channels;
    s.data.resize(size_t(frames * f.channels));
    const int step = f.bits / 8;
    for (size_t i = 0; i < s.data.size(); ++i)
        s.data[i] = qBound(-1.0f, sampleAt(data + qsizetype(i) * step, f), 1.0f);
    return s;
}

} // namespace sound

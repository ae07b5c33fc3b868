#include "sound/wavefile.h"

#include <QFileInfo>
#include <QtEndian>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sound {
namespace {

constexpr quint16 formatPcm = 1;
constexpr quint16 formatFloat = 3;
constexpr quint16 formatExtensible = 0xFFFE;

quint16 u16(const char *p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char *p) { return qFromLittleEndian<quint32>(p); }

// The server's name for the wave format; INVALID for what we do not play.
// 64-bit floats have none and are narrowed by the caller.
pa_sample_format_t sampleFormat(quint16 tag, int bits)
{
    if (tag == formatPcm) {
        switch (bits) {
        case 8: return PA_SAMPLE_U8;
        case 16: return PA_SAMPLE_S16LE;
        case 24: return PA_SAMPLE_S24LE;
        case 32: return PA_SAMPLE_S32LE;
        }
    }
    if (tag == formatFloat && (bits == 32 || bits == 64)) return PA_SAMPLE_FLOAT32LE;
    return PA_SAMPLE_INVALID;
}

QByteArray narrowDoubles(const char *data, qsizetype count)
{
    QByteArray out(count * qsizetype(sizeof(float)), Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i) {
        const quint64 raw = qFromLittleEndian<quint64>(data + 8 * i);
        double v;
        std::memcpy(&v, &raw, sizeof v);
        qToLittleEndian(float(v), out.data() + 4 * i);
    }
    return out;
}

} // namespace

bool mayBeWaveFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() <= largestWaveFile;
}

std::optional<Pcm> decodeWave(const QByteArray &bytes)
{
    const char *b = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) return std::nullopt;

    const char *fmt = nullptr;
    const char *data = nullptr;
    qsizetype dataSize = 0;
    qsizetype at = 12;
    while (at + 8 <= size && !(fmt && data)) {
        const char *id = b + at;
        const qsizetype chunk = u32(b + at + 4);
        const char *body = b + at + 8;
        const qsizetype available = size - (at + 8);
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (chunk < 16 || chunk > available) return std::nullopt;
            // The real format tag of an extensible header opens its sub-format GUID.
            if (u16(body) == formatExtensible && chunk < 40) return std::nullopt;
            fmt = body;
        } else if (std::memcmp(id, "data", 4) == 0) {
            data = body;
            // Writers that stream leave the size unset or too large: keep what is there.
            dataSize = qMin(chunk, available);
        }
        at += 8 + chunk + (chunk & 1);
    }
    if (!fmt || !data) return std::nullopt;

    const quint16 tag = u16(fmt) == formatExtensible ? u16(fmt + 24) : u16(fmt);
    const int channels = u16(fmt + 2);
    const int blockAlign = u16(fmt + 12);
    const int bits = u16(fmt + 14);
    Pcm pcm;
    pcm.format = {sampleFormat(tag, bits), u32(fmt + 4), quint8(channels)};
    if ((channels != 1 && channels != 2) || !pa_sample_spec_valid(&pcm.format)
        || blockAlign != channels * bits / 8)
        return std::nullopt;
    const qsizetype frames = dataSize / blockAlign;
    if (frames == 0) return std::nullopt;
    pcm.bytes = bits == 64 ? narrowDoubles(data, frames * channels) : QByteArray(data, frames * blockAlign);
    return pcm;
}

std::optional<Pcm> readWave(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st;
    QByteArray bytes;
    // Checked again on the open file: the name may have been given to
    // something else since it was looked at.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= largestWaveFile) {
        bytes.resize(st.st_size);
        // An ordinary file this small is read whole by one call.
        bytes.truncate(qMax(ssize_t(0), ::read(fd, bytes.data(), size_t(bytes.size()))));
    }
    ::close(fd);
    return decodeWave(bytes);
}

} // namespace sound

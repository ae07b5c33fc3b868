#include "sound/pcmformat.h"

#include <cmath>
#include <cstring>

namespace sound {
namespace {

QAudioFormat makeFormat(int rate, int channels, QAudioFormat::SampleFormat type)
{
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(type);
    return f;
}

// Output channel c takes input channel c, a lone input channel feeds them all,
// and a mono output hears the average.
Samples remix(const Samples &in, int channels)
{
    if (in.channels == channels) return in;
    Samples out;
    out.sampleRate = in.sampleRate;
    out.channels = channels;
    const int frames = in.frames();
    out.data.resize(size_t(frames) * size_t(channels));
    for (int i = 0; i < frames; ++i) {
        const float *src = &in.data[size_t(i) * size_t(in.channels)];
        float *dst = &out.data[size_t(i) * size_t(channels)];
        if (channels == 1) {
            float sum = 0;
            for (int c = 0; c < in.channels; ++c) sum += src[c];
            dst[0] = sum / float(in.channels);
        } else {
            for (int c = 0; c < channels; ++c) dst[c] = src[in.channels == 1 ? 0 : c % in.channels];
        }
    }
    return out;
}

// Linear interpolation: plenty for short cue sounds.
Samples resample(const Samples &in, int rate)
{
    if (in.sampleRate == rate || in.frames() == 0) return in;
    Samples out;
    out.sampleRate = rate;
    out.channels = in.channels;
    const int inFrames = in.frames();
    const int outFrames = qMax(1, int(std::llround(double(inFrames) * rate / in.sampleRate)));
    out.data.resize(size_t(outFrames) * size_t(in.channels));
    const double step = double(in.sampleRate) / rate;
    for (int i = 0; i < outFrames; ++i) {
        const double pos = i * step;
        const int a = qMin(int(pos), inFrames - 1);
        const int b = qMin(a + 1, inFrames - 1);
        const float t = float(pos - a);
        for (int c = 0; c < in.channels; ++c) {
            const float va = in.data[size_t(a) * size_t(in.channels) + size_t(c)];
            const float vb = in.data[size_t(b) * size_t(in.channels) + size_t(c)];
            out.data[size_t(i) * size_t(in.channels) + size_t(c)] = va + (vb - va) * t;
        }
    }
    return out;
}

// Qt 6 audio formats are in the machine's own byte order.
template <typename T> void put(char *p, T v) { std::memcpy(p, &v, sizeof v); }

} // namespace

QAudioFormat outputFormat(const QAudioDevice &device, int sampleRate, int channels)
{
    if (device.isNull()) return {};
    for (auto type : {QAudioFormat::Int16, QAudioFormat::Float, QAudioFormat::Int32, QAudioFormat::UInt8}) {
        const QAudioFormat f = makeFormat(sampleRate, channels, type);
        if (device.isFormatSupported(f)) return f;
    }
    const QAudioFormat preferred = device.preferredFormat();
    return device.isFormatSupported(preferred) ? preferred : QAudioFormat();
}

QByteArray encodePcm(const Samples &samples, const QAudioFormat &format)
{
    if (!format.isValid() || samples.channels < 1) return {};
    const Samples s = resample(remix(samples, format.channelCount()), format.sampleRate());
    const int width = format.bytesPerSample();
    QByteArray bytes(qsizetype(s.data.size()) * width, Qt::Uninitialized);
    char *p = bytes.data();
    for (float v : s.data) {
        v = qBound(-1.0f, v, 1.0f);
        switch (format.sampleFormat()) {
        case QAudioFormat::UInt8: *p = char(quint8(std::lround(v * 127.0f) + 128)); break;
        case QAudioFormat::Int16: put<qint16>(p, qint16(std::lround(v * 32767.0f))); break;
        case QAudioFormat::Int32: put<qint32>(p, qint32(std::llround(double(v) * 2147483647.0))); break;
        case QAudioFormat::Float: put<float>(p, v); break;
        default: return {};
        }
        p += width;
    }
    return bytes;
}

} // namespace sound

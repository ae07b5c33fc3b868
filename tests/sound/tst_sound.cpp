// Wave files built byte by byte, handed on to the sound server as they are
// or refused. (What may lie where a wave file is expected, a pipe, a device,
// a folder, a file too large, is tried on the real player by
// scripts/audio_test.sh; what the cues ask of the device, by the window's
// scenarios.)
#include "sound/wavefile.h"

#include <QtTest>
#include <bit>

namespace {

QByteArray le(quint64 v, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i) b += char(v >> (8 * i));
    return b;
}

QByteArray chunk(const char *id, const QByteArray &body, qint64 declared = -1)
{
    return QByteArray(id, 4) + le(quint32(declared < 0 ? body.size() : declared), 4) + body
        + QByteArray(body.size() & 1, '\0');
}

QByteArray fmt(int tag, int channels, int rate, int bits, int blockAlign = -1)
{
    if (blockAlign < 0) blockAlign = channels * bits / 8;
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * blockAlign, 4) + le(blockAlign, 2) + le(bits, 2);
}

// WAVE_FORMAT_EXTENSIBLE around the given sub-format tag.
QByteArray extensible(int subTag, int channels, int rate, int bits)
{
    return fmt(0xFFFE, channels, rate, bits) + le(22, 2) + le(bits, 2) + le(0, 4) + le(subTag, 2)
        + QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
}

QByteArray riff(const QByteArray &chunks) { return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks; }
QByteArray wave(const QByteArray &fmtBody, const QByteArray &data)
{
    return riff(chunk("fmt ", fmtBody) + chunk("data", data));
}

QByteArray f64(double v) { return le(std::bit_cast<quint64>(v), 8); }
QByteArray f32(float v) { return le(std::bit_cast<quint32>(v), 4); }

} // namespace

class TestSound : public QObject
{
    Q_OBJECT
private slots:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("samples");

        const QByteArray six("\x00\x80\xFF\x04\x05\x06", 6), four = six.left(4), no;
        QTest::newRow("8-bit") << wave(fmt(1, 1, 8000, 8), six.left(3)) << "u8 1ch 8000Hz" << six.left(3);
        QTest::newRow("16-bit stereo") << wave(fmt(1, 2, 44100, 16), four) << "s16le 2ch 44100Hz" << four;
        QTest::newRow("24-bit") << wave(fmt(1, 1, 48000, 24), six) << "s24le 1ch 48000Hz" << six;
        QTest::newRow("32-bit") << wave(fmt(1, 1, 22050, 32), four) << "s32le 1ch 22050Hz" << four;
        QTest::newRow("float") << wave(fmt(3, 2, 96000, 32), f32(0.25f) + f32(-2)) << "float32le 2ch 96000Hz"
                               << f32(0.25f) + f32(-2);
        QTest::newRow("double, narrowed") << wave(fmt(3, 2, 8000, 64), f64(0.125) + f64(-0.75)) << "float32le 2ch 8000Hz"
                                          << f32(0.125f) + f32(-0.75f);
        QTest::newRow("extensible 16-bit") << wave(extensible(1, 2, 48000, 16), four) << "s16le 2ch 48000Hz" << four;
        QTest::newRow("extensible float") << wave(extensible(3, 1, 32000, 32), four) << "float32le 1ch 32000Hz" << four;
        QTest::newRow("odd chunk padded, data first")
            << riff(chunk("LIST", "abc") + chunk("data", four.left(2)) + chunk("fmt ", fmt(1, 1, 8000, 16)))
            << "s16le 1ch 8000Hz" << four.left(2);
        // Streaming writers leave the size at its largest; whole frames present are kept.
        QTest::newRow("data size overstated, part frame dropped")
            << riff(chunk("fmt ", fmt(1, 2, 8000, 16)) + chunk("data", six, 0xFFFFFFFF)) << "s16le 2ch 8000Hz" << four;

        const QByteArray good = wave(fmt(1, 1, 8000, 16), four);
        const auto refused = [&](const char *name, const QByteArray &bytes) { QTest::newRow(name) << bytes << "refused" << no; };
        refused("empty", no);
        refused("text", "RIFF....WAVEthis is not sound at all\n");
        refused("not WAVE", QByteArray(good).replace(8, 4, "AVI "));
        refused("big-endian RIFX", QByteArray(good).replace(0, 4, "RIFX"));
        refused("no fmt", riff(chunk("data", four)));
        refused("no data", riff(chunk("fmt ", fmt(1, 1, 8000, 16))));
        refused("short fmt", riff(chunk("fmt ", fmt(1, 1, 8000, 16).left(14)) + chunk("data", four)));
        refused("fmt runs past the end", riff(chunk("fmt ", fmt(1, 1, 8000, 16), 200)));
        refused("short extensible fmt", wave(fmt(0xFFFE, 1, 8000, 16) + le(0, 2), four));
        refused("ADPCM", wave(fmt(2, 1, 8000, 4, 256), four));
        refused("12-bit PCM", wave(fmt(1, 1, 8000, 12, 2), four));
        refused("64-bit PCM", wave(fmt(1, 1, 8000, 64), four + four));
        refused("16-bit float", wave(fmt(3, 1, 8000, 16), four));
        refused("extensible ADPCM", wave(extensible(2, 1, 8000, 16), four));
        refused("three channels", wave(fmt(1, 3, 8000, 16), six));
        refused("no channels", wave(fmt(1, 0, 8000, 16, 2), four));
        refused("block size wrong", wave(fmt(1, 1, 8000, 16, 4), four));
        refused("rate zero", wave(fmt(1, 1, 0, 16), four));
        refused("rate too high for the server", wave(fmt(1, 1, 400000, 16), four));
        refused("less than one frame", wave(fmt(1, 2, 8000, 16), four.left(2)));
    }

    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, format);
        QFETCH(QByteArray, samples);
        const std::optional<sound::Pcm> pcm = sound::decodeWave(bytes);
        char text[PA_SAMPLE_SPEC_SNPRINT_MAX]; // the format as the server's own tools print it
        QCOMPARE(pcm ? QString::fromLatin1(pa_sample_spec_snprint(text, sizeof text, &pcm->format)) : "refused", format);
        QCOMPARE(pcm ? pcm->bytes : QByteArray(), samples);
    }
};

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"

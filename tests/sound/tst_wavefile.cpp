// Wave files built byte by byte here, and by sox, read back as samples; and
// the files that must be refused rather than played as noise.
#include "sound/wavefile.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cstring>

namespace {

QByteArray le(quint32 v, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i) b += char(v >> (8 * i));
    return b;
}

QByteArray chunk(const char *id, const QByteArray &body, qint64 declared = -1)
{
    QByteArray b = QByteArray(id, 4) + le(quint32(declared < 0 ? body.size() : declared), 4) + body;
    if (body.size() & 1) b += '\0';
    return b;
}

QByteArray fmt(int tag, int channels, int rate, int bits, int blockAlign = -1)
{
    if (blockAlign < 0) blockAlign = channels * bits / 8;
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * blockAlign, 4) + le(blockAlign, 2) + le(bits, 2);
}

// WAVE_FORMAT_EXTENSIBLE around the given sub-format tag.
QByteArray fmtExtensible(int subTag, int channels, int rate, int bits)
{
    const QByteArray guidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    return fmt(0xFFFE, channels, rate, bits) + le(22, 2) + le(bits, 2) + le(0, 4) + le(subTag, 2) + guidTail;
}

QByteArray riff(const QByteArray &chunks) { return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks; }

QByteArray wave(const QByteArray &fmtBody, const QByteArray &data)
{
    return riff(chunk("fmt ", fmtBody) + chunk("data", data));
}

QByteArray i16(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values) b += le(quint32(v), 2);
    return b;
}

QByteArray f32(std::initializer_list<float> values)
{
    QByteArray b;
    for (float v : values) {
        quint32 raw;
        std::memcpy(&raw, &v, 4);
        b += le(raw, 4);
    }
    return b;
}

} // namespace

class TestWaveFile : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data();
    void decodes();
    void refuses_data();
    void refuses();
    void readsWhatSoxWrites_data();
    void readsWhatSoxWrites();
};

void TestWaveFile::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QList<float>>("samples");

    QTest::newRow("8-bit is unsigned") << wave(fmt(1, 1, 8000, 8), QByteArray("\x00\x40\x80\xC0\xFF", 5)) << 8000 << 1
                                       << QList<float>{-1, -0.5, 0, 0.5, 127 / 128.0f};
    QTest::newRow("16-bit stereo") << wave(fmt(1, 2, 44100, 16), i16({-32768, 16384, 0, -16384})) << 44100 << 2
                                   << QList<float>{-1, 0.5, 0, -0.5};
    QTest::newRow("24-bit sign-extended")
        << wave(fmt(1, 1, 48000, 24), QByteArray("\x00\x00\x80\x00\x00\x40\x00\x00\xC0\xFF\xFF\xFF", 12)) << 48000
        << 1 << QList<float>{-1, 0.5, -0.5, -1 / 8388608.0f};
    QTest::newRow("32-bit integer") << wave(fmt(1, 1, 22050, 32), le(0x80000000, 4) + le(0x40000000, 4)) << 22050
                                    << 1 << QList<float>{-1, 0.5};
    QTest::newRow("32-bit float, clipped") << wave(fmt(3, 1, 48000, 32), f32({0.25f, -0.75f, 2.0f})) << 48000 << 1
                                           << QList<float>{0.25, -0.75, 1};
    quint64 raw;
    const double eighth = 0.125;
    std::memcpy(&raw, &eighth, 8);
    QTest::newRow("64-bit float") << wave(fmt(3, 1, 48000, 64), le(quint32(raw), 4) + le(quint32(raw >> 32), 4))
                                  << 48000 << 1 << QList<float>{0.125};
    QTest::newRow("extensible 16-bit") << wave(fmtExtensible(1, 2, 48000, 16), i16({16384, -16384})) << 48000 << 2
                                       << QList<float>{0.5, -0.5};
    QTest::newRow("extensible float") << wave(fmtExtensible(3, 1, 32000, 32), f32({-0.5f})) << 32000 << 1
                                      << QList<float>{-0.5};
    QTest::newRow("odd-sized chunk before fmt is padded")
        << riff(chunk("LIST", "abc") + chunk("fmt ", fmt(1, 1, 8000, 16)) + chunk("data", i16({8192})))
        << 8000 << 1 << QList<float>{0.25};
    QTest::newRow("data before fmt") << riff(chunk("data", i16({-8192})) + chunk("fmt ", fmt(1, 1, 8000, 16)))
                                     << 8000 << 1 << QList<float>{-0.25};
    // Streaming writers leave the size at its largest; whole frames present are kept.
    QTest::newRow("data size overstated")
        << riff(chunk("fmt ", fmt(1, 2, 8000, 16)) + chunk("data", i16({16384, 8192, 4096}), 0xFFFFFFFF)) << 8000
        << 2 << QList<float>{0.5, 0.25};
}

void TestWaveFile::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(QList<float>, samples);

    QString error;
    const std::optional<sound::Samples> s = sound::decodeWave(bytes, &error);
    QVERIFY2(s, qPrintable(error));
    QCOMPARE(s->sampleRate, rate);
    QCOMPARE(s->channels, channels);
    QCOMPARE(qsizetype(s->data.size()), samples.size());
    for (qsizetype i = 0; i < samples.size(); ++i) QCOMPARE(s->data[size_t(i)], samples[i]);
}

void TestWaveFile::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray pcm = i16({1, 2, 3, 4});
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("RIFF....WAVEthis is not sound at all\n");
    QTest::newRow("not WAVE") << QByteArray(wave(fmt(1, 1, 8000, 16), pcm)).replace(8, 4, "AVI ");
    QTest::newRow("big-endian RIFX") << QByteArray(wave(fmt(1, 1, 8000, 16), pcm)).replace(0, 4, "RIFX");
    QTest::newRow("no fmt") << riff(chunk("data", pcm));
    QTest::newRow("no data") << riff(chunk("fmt ", fmt(1, 1, 8000, 16)));
    QTest::newRow("short fmt") << riff(chunk("fmt ", fmt(1, 1, 8000, 16).left(14)) + chunk("data", pcm));
    QTest::newRow("fmt runs past the end") << riff(chunk("fmt ", fmt(1, 1, 8000, 16), 200));
    QTest::newRow("short extensible fmt") << wave(fmt(0xFFFE, 1, 8000, 16) + le(0, 2), pcm);
    QTest::newRow("ADPCM") << wave(fmt(2, 1, 8000, 4, 256), pcm);
    QTest::newRow("12-bit PCM") << wave(fmt(1, 1, 8000, 12, 2), pcm);
    QTest::newRow("16-bit float") << wave(fmt(3, 1, 8000, 16), pcm);
    QTest::newRow("extensible ADPCM") << wave(fmtExtensible(2, 1, 8000, 16), pcm);
    QTest::newRow("three channels") << wave(fmt(1, 3, 8000, 16), pcm + pcm.left(4));
    QTest::newRow("no channels") << wave(fmt(1, 0, 8000, 16, 2), pcm);
    QTest::newRow("block size wrong") << wave(fmt(1, 1, 8000, 16, 4), pcm);
    QTest::newRow("rate zero") << wave(fmt(1, 1, 0, 16), pcm);
    QTest::newRow("empty data") << wave(fmt(1, 1, 8000, 16), QByteArray());
    QTest::newRow("less than one frame") << wave(fmt(1, 2, 8000, 16), i16({5}));
}

void TestWaveFile::refuses()
{
    QFETCH(QByteArray, bytes);
    QString error;
    QVERIFY(!sound::decodeWave(bytes, &error));
    QVERIFY(!error.isEmpty());
}

void TestWaveFile::readsWhatSoxWrites_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");

    QTest::newRow("8-bit") << QStringList{"-b", "8", "-e", "unsigned-integer"} << 16000 << 1;
    QTest::newRow("16-bit stereo") << QStringList{"-b", "16"} << 44100 << 2;
    QTest::newRow("24-bit") << QStringList{"-b", "24"} << 48000 << 1;
    QTest::newRow("32-bit") << QStringList{"-b", "32", "-e", "signed-integer"} << 22050 << 2;
    QTest::newRow("float") << QStringList{"-b", "32", "-e", "floating-point"} << 96000 << 1;
    QTest::newRow("double") << QStringList{"-b", "64", "-e", "floating-point"} << 8000 << 1;
}

// A quarter second of 1 kHz at half volume must come back as that.
void TestWaveFile::readsWhatSoxWrites()
{
    QFETCH(QStringList, options);
    QFETCH(int, rate);
    QFETCH(int, channels);
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty()) QSKIP("sox is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    QStringList args{"-n", "-r", QString::number(rate), "-c", QString::number(channels)};
    args << options << path << QStringList{"synth", "0.25", "sine", "1000", "vol", "0.5"};
    QCOMPARE(QProcess::execute(sox, args), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));

    QString error;
    const std::optional<sound::Samples> s = sound::decodeWave(file.readAll(), &error);
    QVERIFY2(s, qPrintable(error));
    QCOMPARE(s->sampleRate, rate);
    QCOMPARE(s->channels, channels);
    QCOMPARE(s->frames(), rate / 4);
    float peak = 0;
    int crossings = 0;
    for (int i = 0; i < s->frames(); ++i) {
        const float v = s->data[size_t(i * channels)];
        peak = std::max(peak, std::abs(v));
        if (i > 0 && (v >= 0) != (s->data[size_t((i - 1) * channels)] >= 0)) ++crossings;
    }
    QVERIFY2(peak > 0.45f && peak < 0.55f, qPrintable(QString::number(peak)));
    // 1000 Hz for 0.25 s crosses zero about 500 times.
    QVERIFY2(crossings >= 495 && crossings <= 505, qPrintable(QString::number(crossings)));
}

QTEST_GUILESS_MAIN(TestWaveFile)
#include "tst_wavefile.moc"

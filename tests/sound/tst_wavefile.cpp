// Wave files built byte by byte, handed to the sound server as they are or
// refused; and the things that may lie where a wave file is expected.
#include "sound/wavefile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <bit>
#include <sys/stat.h>

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

class TestWaveFile : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data();
    void decodes();
    void refuses_data();
    void refuses();
    void notAFile_data();
    void notAFile();
};

void TestWaveFile::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QByteArray>("samples");

    const QByteArray four("\x01\x02\x03\x04\x05\x06", 6);
    const QByteArray three("\x00\x80\xFF", 3);
    QTest::newRow("8-bit") << wave(fmt(1, 1, 8000, 8), three) << int(PA_SAMPLE_U8) << 8000 << 1 << three;
    QTest::newRow("16-bit stereo") << wave(fmt(1, 2, 44100, 16), four.left(4)) << int(PA_SAMPLE_S16LE) << 44100 << 2
                                   << four.left(4);
    QTest::newRow("24-bit") << wave(fmt(1, 1, 48000, 24), four) << int(PA_SAMPLE_S24LE) << 48000 << 1 << four;
    QTest::newRow("32-bit") << wave(fmt(1, 1, 22050, 32), four.left(4)) << int(PA_SAMPLE_S32LE) << 22050 << 1
                            << four.left(4);
    QTest::newRow("float") << wave(fmt(3, 2, 96000, 32), f32(0.25f) + f32(-2)) << int(PA_SAMPLE_FLOAT32LE) << 96000
                           << 2 << f32(0.25f) + f32(-2);
    QTest::newRow("double, narrowed") << wave(fmt(3, 1, 8000, 64), f64(0.125) + f64(-0.75))
                                      << int(PA_SAMPLE_FLOAT32LE) << 8000 << 1 << f32(0.125f) + f32(-0.75f);
    QTest::newRow("extensible 16-bit") << wave(extensible(1, 2, 48000, 16), four.left(4)) << int(PA_SAMPLE_S16LE)
                                       << 48000 << 2 << four.left(4);
    QTest::newRow("extensible float") << wave(extensible(3, 1, 32000, 32), f32(-0.5f)) << int(PA_SAMPLE_FLOAT32LE)
                                      << 32000 << 1 << f32(-0.5f);
    QTest::newRow("odd chunk padded, data first")
        << riff(chunk("LIST", "abc") + chunk("data", four.left(2)) + chunk("fmt ", fmt(1, 1, 8000, 16)))
        << int(PA_SAMPLE_S16LE) << 8000 << 1 << four.left(2);
    // Streaming writers leave the size at its largest; whole frames present are kept.
    QTest::newRow("data size overstated, part frame dropped")
        << riff(chunk("fmt ", fmt(1, 2, 8000, 16)) + chunk("data", four, 0xFFFFFFFF)) << int(PA_SAMPLE_S16LE)
        << 8000 << 2 << four.left(4);
}

void TestWaveFile::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(QByteArray, samples);
    const std::optional<sound::Pcm> pcm = sound::decodeWave(bytes);
    QVERIFY(pcm);
    QCOMPARE(int(pcm->spec.format), format);
    QCOMPARE(int(pcm->spec.rate), rate);
    QCOMPARE(int(pcm->spec.channels), channels);
    QCOMPARE(pcm->bytes, samples);
}

void TestWaveFile::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray pcm = le(0x04030201, 4);
    const QByteArray good = wave(fmt(1, 1, 8000, 16), pcm);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("RIFF....WAVEthis is not sound at all\n");
    QTest::newRow("not WAVE") << QByteArray(good).replace(8, 4, "AVI ");
    QTest::newRow("big-endian RIFX") << QByteArray(good).replace(0, 4, "RIFX");
    QTest::newRow("no fmt") << riff(chunk("data", pcm));
    QTest::newRow("no data") << riff(chunk("fmt ", fmt(1, 1, 8000, 16)));
    QTest::newRow("short fmt") << riff(chunk("fmt ", fmt(1, 1, 8000, 16).left(14)) + chunk("data", pcm));
    QTest::newRow("fmt runs past the end") << riff(chunk("fmt ", fmt(1, 1, 8000, 16), 200));
    QTest::newRow("short extensible fmt") << wave(fmt(0xFFFE, 1, 8000, 16) + le(0, 2), pcm);
    QTest::newRow("ADPCM") << wave(fmt(2, 1, 8000, 4, 256), pcm);
    QTest::newRow("12-bit PCM") << wave(fmt(1, 1, 8000, 12, 2), pcm);
    QTest::newRow("64-bit PCM") << wave(fmt(1, 1, 8000, 64), pcm + pcm);
    QTest::newRow("16-bit float") << wave(fmt(3, 1, 8000, 16), pcm);
    QTest::newRow("extensible ADPCM") << wave(extensible(2, 1, 8000, 16), pcm);
    QTest::newRow("three channels") << wave(fmt(1, 3, 8000, 16), pcm + pcm.left(2));
    QTest::newRow("no channels") << wave(fmt(1, 0, 8000, 16, 2), pcm);
    QTest::newRow("block size wrong") << wave(fmt(1, 1, 8000, 16, 4), pcm);
    QTest::newRow("rate zero") << wave(fmt(1, 1, 0, 16), pcm);
    QTest::newRow("rate too high for the server") << wave(fmt(1, 1, 400000, 16), pcm);
    QTest::newRow("less than one frame") << wave(fmt(1, 2, 8000, 16), pcm.left(2));
}

void TestWaveFile::refuses()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!sound::decodeWave(bytes));
}

// What may stand where a wave file is expected: refused at a look, and again
// by the reader (the name may change hands between the two), never waited on.
void TestWaveFile::notAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("directory") << "dir";
    QTest::newRow("over the size limit") << "big";
    QTest::newRow("missing") << "none";
}

void TestWaveFile::notAFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("end.wav"), good = dir.filePath("good.wav");
    const QByteArray name = QFile::encodeName(path);
    if (kind == "fifo") QCOMPARE(mkfifo(name, 0600), 0);
    if (kind == "zero") QVERIFY(QFile::link("/dev/zero", path));
    if (kind == "dir") QVERIFY(QDir().mkdir(path));
    QFile file(good);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(wave(fmt(1, 1, 8000, 16), QByteArray(2, '\0'))) > 0);
    file.close();
    // A playable file but for its size; sparse, so it costs no disk.
    if (kind == "big") QVERIFY(QFile::copy(good, path) && QFile::resize(path, sound::largestWaveFile + 1));

    QElapsedTimer timer;
    timer.start();
    QVERIFY(!sound::mayBeWaveFile(path));
    QVERIFY(!sound::readWave(path));
    QVERIFY(timer.elapsed() < 100);
    QVERIFY(sound::mayBeWaveFile(good) && sound::readWave(good));
}

QTEST_GUILESS_MAIN(TestWaveFile)
#include "tst_wavefile.moc"

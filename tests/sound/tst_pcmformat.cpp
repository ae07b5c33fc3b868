// Samples packed for an output: sample types, remixing and resampling.
#include "sound/pcmformat.h"

#include <QtTest>
#include <cstring>

namespace {

QAudioFormat format(int rate, int channels, QAudioFormat::SampleFormat type)
{
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(type);
    return f;
}

sound::Samples samples(int rate, int channels, std::vector<float> data) { return {rate, channels, std::move(data)}; }

template <typename T> QByteArray packed(std::initializer_list<T> values)
{
    QByteArray b;
    for (T v : values) b.append(reinterpret_cast<const char *>(&v), sizeof v);
    return b;
}

} // namespace

class TestPcmFormat : public QObject
{
    Q_OBJECT

private slots:
    void encodes_data();
    void encodes();
    void nullDeviceTakesNothing();
};

void TestPcmFormat::encodes_data()
{
    QTest::addColumn<sound::Samples>("in");
    QTest::addColumn<QAudioFormat>("out");
    QTest::addColumn<QByteArray>("expected");

    const auto s8 = QAudioFormat::UInt8, s16 = QAudioFormat::Int16, s32 = QAudioFormat::Int32,
               fl = QAudioFormat::Float;
    QTest::newRow("16-bit, clipped") << samples(8000, 1, {0, 0.5f, -0.5f, 1, -1, 1.5f, -2})
                                     << format(8000, 1, s16)
                                     << packed<qint16>({0, 16384, -16384, 32767, -32767, 32767, -32767});
    QTest::newRow("8-bit unsigned") << samples(8000, 1, {0, 0.5f, -1, 1}) << format(8000, 1, s8)
                                    << packed<quint8>({128, 192, 1, 255});
    QTest::newRow("32-bit") << samples(8000, 1, {0.5f, -1}) << format(8000, 1, s32)
                            << packed<qint32>({1073741824, -2147483647});
    QTest::newRow("float") << samples(8000, 2, {0.25f, -0.125f}) << format(8000, 2, fl)
                           << packed<float>({0.25f, -0.125f});
    QTest::newRow("mono to stereo") << samples(8000, 1, {0.25f, -0.5f}) << format(8000, 2, fl)
                                    << packed<float>({0.25f, 0.25f, -0.5f, -0.5f});
    QTest::newRow("stereo to mono") << samples(8000, 2, {0.5f, 0.25f, -1, 0}) << format(8000, 1, fl)
                                    << packed<float>({0.375f, -0.5f});
    QTest::newRow("stereo to four channels") << samples(8000, 2, {0.5f, -0.5f}) << format(8000, 4, fl)
                                             << packed<float>({0.5f, -0.5f, 0.5f, -0.5f});
    QTest::newRow("doubled rate interpolates") << samples(24000, 1, {0, 1, 0}) << format(48000, 1, fl)
                                               << packed<float>({0, 0.5f, 1, 0.5f, 0, 0});
    QTest::newRow("halved rate") << samples(48000, 1, {0, 0.2f, 0.4f, 0.6f}) << format(24000, 1, fl)
                                 << packed<float>({0, 0.4f});
    QTest::newRow("rate and channels together") << samples(24000, 1, {0, 1}) << format(48000, 2, fl)
                                                << packed<float>({0, 0, 0.5f, 0.5f, 1, 1, 1, 1});
    QTest::newRow("invalid format") << samples(8000, 1, {0.5f}) << QAudioFormat() << QByteArray();
}

void TestPcmFormat::encodes()
{
    QFETCH(sound::Samples, in);
    QFETCH(QAudioFormat, out);
    QFETCH(QByteArray, expected);
    QCOMPARE(sound::encodePcm(in, out), expected);
}

void TestPcmFormat::nullDeviceTakesNothing()
{
    QVERIFY(!sound::outputFormat(QAudioDevice(), 48000, 2).isValid());
}

QTEST_GUILESS_MAIN(TestPcmFormat)
#include "tst_pcmformat.moc"

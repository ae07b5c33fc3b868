// Where the system has no audio output: the device refuses even a good file
// and the beeper hands over to its fallback, both without waiting. The run
// points PulseAudio at a server that does not exist, so no output is found.
// Also the three beeps themselves: three tones of the set length and pitch.
#include "sound/pcmplayer.h"
#include "sound/qtmediadevice.h"
#include "sound/tonebeeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

class TestNoOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void deviceRefusesEveryFile_data();
    void deviceRefusesEveryFile();
    void beeperFallsBack();
    void threeBeeps_data();
    void threeBeeps();
};

void TestNoOutput::initTestCase()
{
    // Read by libpulse when Qt first looks for devices, which is after this.
    qputenv("PULSE_SERVER", "unix:/nonexistent/korvane-no-audio");
    if (sound::PcmPlayer::hasAudioOutput()) QSKIP("an audio output is present despite PULSE_SERVER");
}

void TestNoOutput::deviceRefusesEveryFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("playable wave file") << QStringLiteral("good.wav");
    QTest::newRow("missing file") << QStringLiteral("missing.wav");
}

void TestNoOutput::deviceRefusesEveryFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QFile good(QStringLiteral("good.wav"));
    QVERIFY(good.open(QIODevice::WriteOnly));
    // 16-bit mono 8 kHz, one silent frame
    const uchar header[] = {'R', 'I', 'F', 'F', 38, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                            1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 2, 0,
                            0, 0, 0, 0};
    good.write(reinterpret_cast<const char *>(header), sizeof header);
    good.close();

    sound::QtMediaDevice device;
    device.close(); // harmless with nothing open
    device.setFileName(name);
    const bool opened = device.open();
    QDir::setCurrent(previous);
    QVERIFY(!opened);
    QCOMPARE(device.errorString(), QStringLiteral("no audio output"));
    QVERIFY(!device.play());
    device.close();
    device.close();
}

void TestNoOutput::beeperFallsBack()
{
    int fallbacks = 0;
    sound::ToneBeeper beeper([&fallbacks] { ++fallbacks; });
    QElapsedTimer timer;
    timer.start();
    beeper.beepThreeTimes();
    QCOMPARE(fallbacks, 1);
    beeper.beepThreeTimes();
    QCOMPARE(fallbacks, 2);
    QVERIFY(timer.elapsed() < 1000);
    sound::ToneBeeper silent{std::function<void()>()};
    silent.beepThreeTimes(); // no fallback given: nothing happens, nothing breaks
}

void TestNoOutput::threeBeeps_data()
{
    QTest::addColumn<int>("rate");
    QTest::newRow("48 kHz") << 48000;
    QTest::newRow("44.1 kHz") << 44100;
    QTest::newRow("8 kHz") << 8000;
}

void TestNoOutput::threeBeeps()
{
    QFETCH(int, rate);
    const sound::Samples s = sound::ToneBeeper::threeBeeps(rate);
    QCOMPARE(s.sampleRate, rate);
    QCOMPARE(s.channels, 1);

    // Runs of sound, as (first frame, frame count); zero crossings counted in each.
    QList<QPair<int, int>> runs;
    QList<int> crossings;
    int silentFor = rate; // a run ends after 10 ms of silence
    for (int i = 0; i < s.frames(); ++i) {
        const float v = s.data[size_t(i)];
        QVERIFY(std::abs(v) <= 0.5f);
        if (v != 0) {
            if (silentFor >= rate / 100) {
                runs.append({i, 0});
                crossings.append(0);
            }
            runs.last().second = i - runs.last().first + 1;
            silentFor = 0;
        } else {
            ++silentFor;
        }
        if (i > 0 && !crossings.isEmpty() && (v > 0) != (s.data[size_t(i - 1)] > 0)) ++crossings.last();
    }
    QCOMPARE(runs.size(), 3);
    const int toneFrames = rate * sound::ToneBeeper::toneMs / 1000;
    const int period = toneFrames + rate * sound::ToneBeeper::gapMs / 1000;
    for (int b = 0; b < 3; ++b) {
        QVERIFY2(std::abs(runs[b].first - b * period) <= 2, qPrintable(QString::number(runs[b].first)));
        QVERIFY2(std::abs(runs[b].second - toneFrames) <= 2, qPrintable(QString::number(runs[b].second)));
        const double hz = crossings[b] / 2.0 / (double(runs[b].second) / rate);
        QVERIFY2(std::abs(hz - sound::ToneBeeper::toneHz) < 0.02 * sound::ToneBeeper::toneHz,
                 qPrintable(QString::number(hz)));
        // Ramped ends: no click at either edge of a tone.
        QVERIFY(std::abs(s.data[size_t(runs[b].first)]) < 0.05f);
        QVERIFY(std::abs(s.data[size_t(runs[b].first + runs[b].second - 1)]) < 0.05f);
    }
    QCOMPARE(s.frames(), 2 * period + toneFrames);
}

QTEST_GUILESS_MAIN(TestNoOutput)
#include "tst_nooutput.moc"

// Sounds one cue in the working directory through the real device and beeper,
// for scripts/audio_test.sh to record. Prints each device command with its
// result, the fallback beeps, and how long the cue call held the thread.
//
//   cue_player CUE [report-ms] [wait-ms] [CUE]
//   CUE: warning1|warning2|warning3|timesup|beep
//
// timesup's report keeps the event loop running for report-ms (500), as a
// modal box would; afterwards the program waits wait-ms (1000), sounds the
// second cue if one is given and waits wait-ms again, and exits.
#include "sound/cues.h"
#include "sound/qtmediadevice.h"
#include "sound/tonebeeper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

const char *yesNo(bool ok) { return ok ? "true" : "false"; }

// Passes every command to the real device and tells what it answered.
class TellingDevice : public sound::MediaDevice
{
public:
    void setFileName(const QString &name) override
    {
        say(QStringLiteral("file %1").arg(name));
        real.setFileName(name);
    }
    bool open() override
    {
        const bool ok = real.open();
        say(QStringLiteral("open %1 %2").arg(yesNo(ok), ok ? QString() : real.errorString()).trimmed());
        return ok;
    }
    bool play() override
    {
        const bool ok = real.play();
        say(QStringLiteral("play %1 %2").arg(yesNo(ok), ok ? QString() : real.errorString()).trimmed());
        return ok;
    }
    void close() override
    {
        say(QStringLiteral("close"));
        real.close();
    }

    sound::QtMediaDevice real;
};

void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString cue = args.value(1);
    const int reportMs = args.value(2, QStringLiteral("500")).toInt();
    const int waitMs = args.value(3, QStringLiteral("1000")).toInt();

    TellingDevice device;
    sound::ToneBeeper beeper([] { say(QStringLiteral("fallback beep x3")); });
    struct TellingBeeper : sound::Beeper
    {
        sound::Beeper &real;
        explicit TellingBeeper(sound::Beeper &r) : real(r) {}
        void beepThreeTimes() override
        {
            say(QStringLiteral("beep x3"));
            real.beepThreeTimes();
        }
    } tellingBeeper(beeper);
    sound::Cues cues(device, tellingBeeper, [reportMs](const QString &message) {
        say(QStringLiteral("report %1").arg(message));
        runEvents(reportMs);
        say(QStringLiteral("report dismissed"));
    });

    const auto sound = [&](const QString &cue) {
        QElapsedTimer timer;
        timer.start();
        if (cue == QLatin1String("warning1")) cues.timeswarning1();
        else if (cue == QLatin1String("warning2")) cues.timeswarning2();
        else if (cue == QLatin1String("warning3")) cues.timeswarning3();
        else if (cue == QLatin1String("timesup")) cues.timesup(QStringLiteral("時間切れです"));
        else if (cue == QLatin1String("beep")) tellingBeeper.beepThreeTimes();
        else return false;
        say(QStringLiteral("returned after %1 ms").arg(timer.elapsed()));
        runEvents(waitMs);
        return true;
    };
    const QString second = args.value(4);
    if (!sound(cue) || (!second.isEmpty() && !sound(second))) {
        say(QStringLiteral("usage: cue_player CUE [report-ms] [wait-ms] [CUE]; CUE: warning1|warning2|warning3|timesup|beep"));
        return 2;
    }
    cues.close();
    say(QStringLiteral("exiting"));
    return 0;
}

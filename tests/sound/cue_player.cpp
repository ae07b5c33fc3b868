// Sounds cues in the working directory through the real player, for
// scripts/audio_test.sh to hear and time. Each step is one argument:
//
//   warning1|warning2|warning3|close   call it
//   timesup:MS    the time-out cue; its report runs the event loop MS ms, as a modal box would
//   wait:MS       run the event loop MS ms
//   @FILE         (first) the steps are the lines of FILE
//
// Prints how long each call held the thread (for timesup: until the report
// opened), how many events were dispatched inside it, the beeps, and at the
// end how long the player took to stop, the processor time used and the file
// descriptors it left open. `cue_player --run SCRIPT [ARG]` runs
// bash SCRIPT PLAYER [ARG].
#include "sound/cues.h"
#include "sound/player.h"
#include "sound/pulsemediadevice.h"
#include "sound/tonebeeper.h"

#include <QtCore>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

uint openFiles() { return QDir(QStringLiteral("/proc/self/fd")).count(); }

void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct TellingBeeper : sound::Beeper
{
    sound::Beeper *real = nullptr;
    void beepThreeTimes() override
    {
        say(QStringLiteral("beep x3"));
        real->beepThreeTimes();
    }
};

} // namespace

int main(int argc, char *argv[])
{
    // CTest starts the audio test script through the player it drives, so
    // that the test is tied to the executable it tests.
    if (argc >= 3 && argv[1] == std::string_view("--run")) {
        const QByteArray self = QFile::encodeName(QFileInfo(argv[0]).absoluteFilePath());
        return execl("/bin/bash", "bash", argv[2], self.constData(), argc > 3 ? argv[3] : nullptr, nullptr);
    }
    QCoreApplication app(argc, argv);
    const uint filesBefore = openFiles();
    auto player = std::make_unique<sound::Player>();
    sound::PulseMediaDevice device(*player);
    TellingBeeper beeper;
    sound::ToneBeeper tones(*player, [] { say(QStringLiteral("fallback beep x3")); });
    beeper.real = &tones;
    bool inCall = false;
    int nested = 0; // events run inside the call, outside a report
    QElapsedTimer call;
    sound::Cues cues(device, beeper);

    cues.close(); // the first call into each library costs its symbol look-ups
    QStringList steps = app.arguments().mid(1);
    if (QFile list(steps.value(0).mid(1)); steps.value(0).startsWith(u'@') && list.open(QIODevice::ReadOnly))
        steps = QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        const int ms = step.section(u':', 1).toInt();
        if (step.startsWith(QLatin1String("wait:"))) {
            runEvents(ms);
            continue;
        }
        nested = 0;
        inCall = true;
        QMetaObject::invokeMethod(&app, [&] { nested += inCall; }, Qt::QueuedConnection); // a posted event
        call.start();
        if (step == QLatin1String("warning1")) cues.timeswarning1();
        else if (step == QLatin1String("warning2")) cues.timeswarning2();
        else if (step == QLatin1String("warning3")) cues.timeswarning3();
        else if (step == QLatin1String("close")) cues.close();
        else if (step.startsWith(QLatin1String("timesup:"))) {
            // As the window does: the sound, its report (a modal box's event loop), then close.
            cues.timesupSound();
            say(QStringLiteral("report 時間切れです opened after %1 us").arg(call.nsecsElapsed() / 1000));
            inCall = false;
            runEvents(ms);
            say(QStringLiteral("report dismissed"));
            cues.close();
        } else {
            say(QStringLiteral("unknown step %1").arg(step));
            return 2;
        }
        inCall = false;
        say(QStringLiteral("%1 returned after %2 us, nested events %3").arg(step).arg(call.nsecsElapsed() / 1000).arg(nested));
    }
    QElapsedTimer stopping;
    stopping.start();
    player.reset(); // what the program does last on its way out
    say(QStringLiteral("stopped in %1 ms").arg(stopping.elapsed()));
    say(QStringLiteral("processor time %1 ms, descriptors left open %2") // all threads' time
            .arg(std::clock() * 1000 / CLOCKS_PER_SEC).arg(int(openFiles()) - int(filesBefore)));
    return 0;
}

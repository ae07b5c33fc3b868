#include "sound/cues.h"

#include <QFileInfo>

namespace sound {

Cues::Cues(MediaDevice &device, Beeper &beeper) : device_(device), beeper_(beeper)
{
    // A sound that fails after its cue returned beeps all the same.
    device_.setFailureHandler([this] { beeper_.beepThreeTimes(); });
}

Cues::~Cues() { device_.setFailureHandler({}); }

void Cues::timeswarning1() { warning(QStringLiteral("warning1.wav")); }
void Cues::timeswarning2() { warning(QStringLiteral("warning2.wav")); }
void Cues::timeswarning3() { warning(QStringLiteral("warning3.wav")); }

void Cues::warning(const QString &numberedFile)
{
    device_.close();
    // A player may give each warning its own sound; warning.wav serves the rest.
    device_.setFileName(QFileInfo(numberedFile).isFile() ? numberedFile : QStringLiteral("warning.wav"));
    if (!device_.open() || !device_.play()) beeper_.beepThreeTimes();
}

void Cues::timesupSound()
{
    device_.close();
    device_.setFileName(QStringLiteral("end.wav"));
    if (!device_.open() || !device_.play()) beeper_.beepThreeTimes();
}

void Cues::close() { device_.close(); }

} // namespace sound

#pragma once
// The three warning cues and the time-out cue.
#include "sound/beeper.h"
#include "sound/mediadevice.h"

#include <QString>

namespace sound {

class Cues
{
public:
    Cues(MediaDevice &device, Beeper &beeper);
    ~Cues();

    void timeswarning1();
    void timeswarning2();
    void timeswarning3();
    // The time-out's sound, end.wav, which lasts until close(): the window
    // shows its report meanwhile.
    void timesupSound();
    // Closes the device, as the main window does when it unloads.
    void close();

private:
    void warning(const QString &numberedFile);

    MediaDevice &device_;
    Beeper &beeper_;
};

} // namespace sound

#pragma once
// The three warning cues and the time-out cue.
#include "sound/beeper.h"
#include "sound/mediadevice.h"

#include <QString>
#include <functional>

namespace sound {

class Cues
{
public:
    // report shows the time-out message in a modal box and returns when it is dismissed.
    using Report = std::function<void(const QString &message)>;

    Cues(MediaDevice &device, Beeper &beeper, Report report);
    ~Cues();

    void timeswarning1();
    void timeswarning2();
    void timeswarning3();
    void timesup(const QString &message);
    // Closes the device, as the main window does when it unloads.
    void close();

private:
    void warning(const QString &numberedFile);

    MediaDevice &device_;
    Beeper &beeper_;
    Report report_;
};

} // namespace sound

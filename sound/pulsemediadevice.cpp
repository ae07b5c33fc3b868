#include "sound/pulsemediadevice.h"

#include "sound/wavefile.h"

#include <QFileInfo>

namespace sound {

PulseMediaDevice::PulseMediaDevice(Player &player) : player_(player) {}

void PulseMediaDevice::setFileName(const QString &name) { fileName_ = name; }

bool PulseMediaDevice::open()
{
    opened_ = mayBeWaveFile(fileName_) ? QFileInfo(fileName_).absoluteFilePath() : QString();
    return !opened_.isEmpty();
}

bool PulseMediaDevice::play()
{
    if (opened_.isEmpty()) return false;
    player_.playFile(opened_, [this] {
        if (failed_) failed_();
    });
    return true;
}

void PulseMediaDevice::close()
{
    opened_.clear();
    player_.stop();
}

void PulseMediaDevice::setFailureHandler(std::function<void()> handler) { failed_ = std::move(handler); }

} // namespace sound

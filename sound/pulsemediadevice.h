#pragma once
// The media device the program plays its wave files with. open() looks at the
// file without opening it; reading, decoding and playing happen on the
// Player's thread, and a failure there comes back through the failure handler.
#include "sound/mediadevice.h"
#include "sound/player.h"

namespace sound {

class PulseMediaDevice : public MediaDevice
{
public:
    explicit PulseMediaDevice(Player &player);

    void setFileName(const QString &name) override;
    bool open() override;
    bool play() override;
    void close() override;
    void setFailureHandler(std::function<void()> handler) override;

private:
    Player &player_;
    QString fileName_;
    QString opened_; // absolute, so a later change of directory does not matter
    std::function<void()> failed_;
};

} // namespace sound

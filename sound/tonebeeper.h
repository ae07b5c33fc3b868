#pragma once
// The program's own beep: a short tone three times in a row, played by the
// Player. Where it cannot be played (no sound server or sink) the injected
// fallback runs instead, on the caller's thread (the program passes three
// QApplication::beep() calls; sound/ stays free of widgets).
#include "sound/beeper.h"
#include "sound/player.h"

#include <functional>
#include <memory>

namespace sound {

class ToneBeeper : public Beeper
{
public:
    ToneBeeper(Player &player, std::function<void()> fallback);

    // Hands the three beeps to the player and returns at once.
    void beepThreeTimes() override;

private:
    Player &player_;
    std::function<void()> fallback_;
    std::shared_ptr<const Pcm> beeps_;
};

} // namespace sound

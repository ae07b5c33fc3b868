#pragma once
// The program's own beep: a short tone three times in a row on the audio
// output. Where the system has no audio output the injected fallback runs
// instead (the program passes three QApplication::beep() calls; sound/ stays
// free of widgets). Use it from the UI thread.
#include "sound/beeper.h"
#include "sound/pcmplayer.h"
#include "sound/samples.h"

#include <functional>

namespace sound {

class ToneBeeper : public Beeper
{
public:
    static constexpr int toneHz = 880;
    static constexpr int toneMs = 120;
    static constexpr int gapMs = 80;

    explicit ToneBeeper(std::function<void()> fallback);
    ~ToneBeeper() override;

    // Queues all three beeps and returns at once.
    void beepThreeTimes() override;

    // The three beeps as played, mono at sampleRate.
    static Samples threeBeeps(int sampleRate);

private:
    std::function<void()> fallback_;
    PcmPlayer player_;
};

} // namespace sound

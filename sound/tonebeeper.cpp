#include "sound/tonebeeper.h"

#include <cmath>
#include <numbers>

namespace sound {
namespace {
constexpr int rate = 48000;
constexpr float level = 0.5f;
// Ramping each tone in and out keeps its edges from clicking.
constexpr int rampMs = 5;
} // namespace

ToneBeeper::ToneBeeper(std::function<void()> fallback) : fallback_(std::move(fallback)) {}

ToneBeeper::~ToneBeeper() = default;

Samples ToneBeeper::threeBeeps(int sampleRate)
{
    const int tone = sampleRate * toneMs / 1000;
    const int gap = sampleRate * gapMs / 1000;
    const int ramp = sampleRate * rampMs / 1000;
    Samples s;
    s.sampleRate = sampleRate;
    s.channels = 1;
    s.data.assign(size_t(3 * tone + 2 * gap), 0.0f);
    for (int beep = 0; beep < 3; ++beep) {
        float *out = s.data.data() + beep * (tone + gap);
        for (int i = 0; i < tone; ++i) {
            const float edge = std::min({1.0f, float(i) / ramp, float(tone - 1 - i) / ramp});
            out[i] = level * edge * float(std::sin(2 * std::numbers::pi * toneHz * i / sampleRate));
        }
    }
    return s;
}

void ToneBeeper::beepThreeTimes()
{
    // Loaded afresh each time so a change of default output is followed.
    if (player_.load(threeBeeps(rate)) && player_.start()) return;
    player_.unload();
    if (fallback_) fallback_();
}

} // namespace sound

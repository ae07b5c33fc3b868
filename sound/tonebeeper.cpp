#include "sound/tonebeeper.h"

#include <cmath>
#include <numbers>

namespace sound {
namespace {

constexpr int rate = 48000;
constexpr int toneHz = 880;
constexpr int toneMs = 120;
constexpr int gapMs = 80;
constexpr float level = 0.5f;
// Ramping each tone in and out keeps its edges from clicking.
constexpr int rampMs = 5;

Pcm threeBeeps()
{
    constexpr int tone = rate * toneMs / 1000;
    constexpr int gap = rate * gapMs / 1000;
    constexpr int ramp = rate * rampMs / 1000;
    Pcm pcm;
    pcm.format = {PA_SAMPLE_FLOAT32NE, rate, 1};
    pcm.bytes.fill('\0', qsizetype((3 * tone + 2 * gap) * sizeof(float)));
    float *out = reinterpret_cast<float *>(pcm.bytes.data());
    for (int beep = 0; beep < 3; ++beep, out += tone + gap) {
        for (int i = 0; i < tone; ++i) {
            const float edge = std::min({1.0f, float(i) / ramp, float(tone - 1 - i) / ramp});
            out[i] = level * edge * float(std::sin(2 * std::numbers::pi * toneHz * i / rate));
        }
    }
    return pcm;
}

} // namespace

ToneBeeper::ToneBeeper(Player &player, std::function<void()> fallback)
    : player_(player), fallback_(std::move(fallback)), beeps_(std::make_shared<const Pcm>(threeBeeps()))
{
}

void ToneBeeper::beepThreeTimes() { player_.playPcm(beeps_, fallback_); }

} // namespace sound

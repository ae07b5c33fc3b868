#pragma once
// A sound ready for the output: interleaved samples in a format the sound
// server takes as it is (it resamples and remixes them itself).
#include <QByteArray>
#include <pulse/sample.h>

namespace sound {

struct Pcm
{
    pa_sample_spec format{};
    QByteArray bytes; // whole frames only
};

} // namespace sound

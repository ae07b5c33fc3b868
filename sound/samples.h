#pragma once
// Decoded sound held as interleaved floats in [-1, 1], whatever the source.
#include <cstddef>
#include <vector>

namespace sound {

struct Samples
{
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> data; // frames * channels values, channel by channel within a frame

    int frames() const { return channels > 0 ? int(data.size() / std::size_t(channels)) : 0; }
};

} // namespace sound

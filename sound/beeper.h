#pragma once
// The fallback the cues sound when playback fails.
namespace sound {

class Beeper
{
public:
    virtual ~Beeper() = default;
    // Three beeps in a row, without waiting for them to end.
    virtual void beepThreeTimes() = 0;
};

} // namespace sound

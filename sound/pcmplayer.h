#pragma once
// One sound held in memory and played on the default audio output through a
// QAudioSink that pulls from a buffer, so the calling (UI) thread never waits.
// Lives on a thread with an event loop: the sink is fed from it.
#include "sound/samples.h"

#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <memory>

namespace sound {

class PcmPlayer
{
public:
    PcmPlayer();
    ~PcmPlayer();
    PcmPlayer(const PcmPlayer &) = delete;
    PcmPlayer &operator=(const PcmPlayer &) = delete;

    // Whether the system has an audio output to play on at all.
    static bool hasAudioOutput();

    // Converts samples for the default output and readies a sink for it;
    // false when there is no output or it takes no format we can make.
    bool load(const Samples &samples);
    // Starts the loaded sound from its beginning and returns at once; false
    // when nothing is loaded or the sink reports an error on starting.
    bool start();
    // Silences the sound at once; it stays loaded.
    void stop();
    // Stops and lets go of the sound and the sink.
    void unload();
    bool isLoaded() const { return sink_ != nullptr; }

private:
    QByteArray pcm_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace sound

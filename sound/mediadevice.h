#pragma once
// The playback component the cues drive: name a file, open it, play it
// without waiting, close it. Each command acts at once.
#include <QString>
#include <functional>

namespace sound {

class MediaDevice
{
public:
    virtual ~MediaDevice() = default;
    // The file the next open() opens, relative to the working directory.
    virtual void setFileName(const QString &name) = 0;
    // false: the file cannot be played (missing, or no small ordinary file).
    virtual bool open() = 0;
    // Starts the open file from its beginning and returns at once; false on error.
    virtual bool play() = 0;
    // Stops any sound and closes the device; harmless when nothing is open.
    virtual void close() = 0;
    // A device that learns of a failure only after play() returned (the file
    // turned out unreadable, or there is no audio output) calls handler then,
    // on the thread that called play(), unless another command came since.
    virtual void setFailureHandler(std::function<void()> handler) { Q_UNUSED(handler); }
};

} // namespace sound

#pragma once
// The playback component the cues drive: name a file, open it, play it
// without waiting, close it. Each command acts at once.
#include <QString>

namespace sound {

class MediaDevice
{
public:
    virtual ~MediaDevice() = default;
    // The file the next open() opens, relative to the working directory.
    virtual void setFileName(const QString &name) = 0;
    // false: the device raised an error (the file is missing, unreadable or
    // not a playable wave file, or there is no audio output).
    virtual bool open() = 0;
    // Starts the open file from its beginning and returns at once; false on error.
    virtual bool play() = 0;
    // Stops any sound and closes the device; harmless when nothing is open.
    virtual void close() = 0;
};

} // namespace sound

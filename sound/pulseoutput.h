#pragma once
// One sound at a time on the PulseAudio server, driven from the sound thread's
// main loop. The stream exists only while a sound is being started, played or
// drained: once it has been heard to its end, or cut off, it is let go, so the
// sink can fall idle. So is the connection, unless it is held.
#include "sound/pcm.h"

#include <QtGlobal>
#include <functional>
#include <memory>
#include <pulse/context.h>
#include <pulse/mainloop-api.h>
#include <pulse/stream.h>

namespace sound {

class PulseOutput
{
public:
    // failed(id): the sound id could not be started (no server, no sink, a
    // format the server refuses, or no answer in time). A sound cut off by
    // the server or the sink going away once it plays is no failure.
    PulseOutput(pa_mainloop_api *api, std::function<void(quint64 id)> failed);
    ~PulseOutput();
    PulseOutput(const PulseOutput &) = delete;
    PulseOutput &operator=(const PulseOutput &) = delete;

    // Cuts off what plays and starts pcm.
    void play(quint64 id, std::shared_ptr<const Pcm> pcm);
    // Cuts off what plays, and lets go of the server unless it is held.
    void stop();
    // Held, the connection is made now and kept between sounds, so that a
    // sound starts without connecting first; a lost one is made afresh at the
    // next sound. Let go, it goes once no sound plays.
    void hold(bool on);

    // How long connecting and starting a sound may take.
    static constexpr int startTimeoutMs = 1000;

private:
    void connect();
    void startStream();
    void write(size_t bytes);
    void end(bool failed);
    void dropStream();
    void dropContext();

    pa_mainloop_api *api_;
    std::function<void(quint64)> failed_;
    pa_context *context_ = nullptr;
    pa_stream *stream_ = nullptr;
    pa_time_event *deadline_ = nullptr;
    std::shared_ptr<const Pcm> pcm_;
    qsizetype written_ = 0;
    quint64 id_ = 0;
    bool hold_ = false;
};

} // namespace sound

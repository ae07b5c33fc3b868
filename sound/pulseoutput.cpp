#include "sound/pulseoutput.h"

#include <pulse/proplist.h>
#include <pulse/timeval.h>
#include <utility>

namespace sound {
namespace {

// The name the desktop's volume mixer shows for the program and its stream.
constexpr char appName[] = "コルヴァン";

pa_proplist *properties()
{
    pa_proplist *p = pa_proplist_new();
    pa_proplist_sets(p, PA_PROP_APPLICATION_NAME, appName);
    pa_proplist_sets(p, PA_PROP_APPLICATION_ICON_NAME, KORVANE_APP_ID);
    pa_proplist_sets(p, PA_PROP_MEDIA_ROLE, "event");
    return p;
}

} // namespace

PulseOutput::PulseOutput(pa_mainloop_api *api, std::function<void(quint64)> failed)
    : api_(api), failed_(std::move(failed))
{
}

PulseOutput::~PulseOutput()
{
    hold_ = false;
    stop();
}

// Each sound connects afresh, unless the connection is held: a server that
// went away since is found at once, and no connection outlives its sound.
void PulseOutput::play(quint64 id, std::shared_ptr<const Pcm> pcm)
{
    stop();
    id_ = id;
    pcm_ = std::move(pcm);
    written_ = 0;
    timeval at;
    pa_timeval_add(pa_gettimeofday(&at), pa_usec_t(startTimeoutMs) * PA_USEC_PER_MSEC);
    deadline_ = api_->time_new(api_, &at, [](pa_mainloop_api *, pa_time_event *, const timeval *, void *self) {
        static_cast<PulseOutput *>(self)->end(true);
    }, this);
    if (!context_) connect();
    else if (pa_context_get_state(context_) == PA_CONTEXT_READY) startStream();
    // else the held connection is still being made: its readiness starts the stream
}

void PulseOutput::stop()
{
    dropStream();
    if (!hold_) dropContext();
}

void PulseOutput::hold(bool on)
{
    if (on == hold_) return;
    hold_ = on;
    if (on && !context_) connect();
    else if (!on && !stream_ && !pcm_) dropContext();
}

// Taken out of the members first: letting go can call back into end().
void PulseOutput::dropContext()
{
    if (pa_context *context = std::exchange(context_, nullptr)) {
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
}

void PulseOutput::connect()
{
    pa_proplist *props = properties();
    context_ = pa_context_new_with_proplist(api_, appName, props);
    pa_proplist_free(props);
    if (!context_) return end(true);
    pa_context_set_state_callback(context_, [](pa_context *c, void *self) {
        auto *out = static_cast<PulseOutput *>(self);
        const pa_context_state_t state = pa_context_get_state(c);
        if (state == PA_CONTEXT_READY) {
            if (out->pcm_) out->startStream(); // else held, for sounds to come
        } else if (!PA_CONTEXT_IS_GOOD(state)) {
            // Once the sound plays, a lost server merely ends it.
            out->end(out->deadline_ != nullptr);
        }
    }, this);
    // No autospawn: starting a sound server is not the clock's business, and
    // the spawn would wait for a child process.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) end(true);
}

void PulseOutput::startStream()
{
    pa_proplist *props = properties();
    stream_ = pa_stream_new_with_proplist(context_, appName, &pcm_->format, nullptr, props);
    pa_proplist_free(props);
    if (!stream_) return end(true);
    pa_stream_set_state_callback(stream_, [](pa_stream *s, void *self) {
        auto *out = static_cast<PulseOutput *>(self);
        const pa_stream_state_t state = pa_stream_get_state(s);
        if (state == PA_STREAM_READY && out->deadline_) {
            out->api_->time_free(out->deadline_);
            out->deadline_ = nullptr;
        } else if (!PA_STREAM_IS_GOOD(state)) {
            out->end(out->deadline_ != nullptr);
        }
    }, this);
    pa_stream_set_write_callback(stream_, [](pa_stream *, size_t bytes, void *self) {
        static_cast<PulseOutput *>(self)->write(bytes);
    }, this);
    if (pa_stream_connect_playback(stream_, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0) end(true);
}

// Feeds what the server asks for; after the last bytes, waits for them to be heard.
void PulseOutput::write(size_t bytes)
{
    const qsizetype left = pcm_->bytes.size() - written_;
    if (left == 0) return;
    const qsizetype n = qMin(qsizetype(bytes), left);
    pa_stream_write(stream_, pcm_->bytes.constData() + written_, size_t(n), nullptr, 0, PA_SEEK_RELATIVE);
    written_ += n;
    if (written_ < pcm_->bytes.size()) return;
    // A stream cut off since is still alive while its drain is pending, so
    // the next one cannot have its address.
    pa_operation_unref(pa_stream_drain(stream_, [](pa_stream *s, int, void *self) {
        auto *out = static_cast<PulseOutput *>(self);
        if (s == out->stream_) out->end(false);
    }, this));
}

// A held connection outlives a sound heard to its end while it is good.
void PulseOutput::end(bool failed)
{
    const bool report = failed && pcm_; // once, and not for a sound already let go
    dropStream();
    if (failed || !hold_ || !context_ || pa_context_get_state(context_) != PA_CONTEXT_READY) dropContext();
    if (report) failed_(id_);
}

void PulseOutput::dropStream()
{
    if (deadline_) {
        api_->time_free(deadline_);
        deadline_ = nullptr;
    }
    pcm_.reset();
    if (pa_stream *stream = std::exchange(stream_, nullptr)) {
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }
}

} // namespace sound

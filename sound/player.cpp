#include "sound/player.h"

#include "sound/pulseoutput.h"
#include "sound/wavefile.h"

#include <pulse/mainloop.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace sound {

Player::Player()
    : loop_(pa_mainloop_new()), wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), thread_(&Player::run, this)
{
}

Player::~Player()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    eventfd_write(wake_, 1);
    thread_.join();
    ::close(wake_);
    pa_mainloop_free(loop_);
}

void Player::playFile(const QString &path, std::function<void()> failed)
{
    Request request;
    request.path = path;
    post(std::move(request), std::move(failed));
}

void Player::playPcm(std::shared_ptr<const Pcm> pcm, std::function<void()> failed)
{
    Request request;
    request.pcm = std::move(pcm);
    post(std::move(request), std::move(failed));
}

void Player::stop() { post({}, {}); }

void Player::holdServer(bool on)
{
    {
        const std::lock_guard lock(mutex_);
        hold_ = on;
    }
    eventfd_write(wake_, 1);
}

void Player::post(Request request, std::function<void()> failed)
{
    request.id = ++latest_;
    failed_ = std::move(failed);
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(request);
    }
    // An eventfd rather than pa_mainloop_wakeup(): the loop forgets a wakeup
    // that comes between two of its iterations, this stays readable.
    eventfd_write(wake_, 1);
}

// The sound thread.
void Player::run()
{
    PulseOutput output(pa_mainloop_get_api(loop_), [this](quint64 id) { reportFailure(id); });
    output_ = &output;
    pa_mainloop_api *api = pa_mainloop_get_api(loop_);
    pa_io_event *wake = api->io_new(api, wake_, PA_IO_EVENT_INPUT, [](pa_mainloop_api *, pa_io_event *, int fd,
                                                                       pa_io_event_flags_t, void *self) {
        eventfd_t count;
        eventfd_read(fd, &count);
        static_cast<Player *>(self)->takeRequest();
    }, this);
    pa_mainloop_run(loop_, nullptr);
    api->io_free(wake);
}

void Player::takeRequest()
{
    std::optional<Request> request;
    bool hold;
    {
        const std::lock_guard lock(mutex_);
        if (quit_) return pa_mainloop_quit(loop_, 0);
        request.swap(pending_);
        hold = hold_;
    }
    output_->hold(hold);
    if (!request) return;
    std::shared_ptr<const Pcm> pcm = request->pcm;
    if (!request->path.isEmpty()) {
        if (std::optional<Pcm> read = readWave(request->path)) pcm = std::make_shared<const Pcm>(std::move(*read));
        else reportFailure(request->id);
    }
    if (pcm) output_->play(request->id, std::move(pcm));
    else output_->stop();
}

// On the sound thread; the check and the callback run on the caller's.
void Player::reportFailure(quint64 id)
{
    QMetaObject::invokeMethod(
        &home_,
        [this, id] {
            if (id != latest_ || !failed_) return;
            const std::function<void()> failed = std::exchange(failed_, {});
            failed();
        },
        Qt::QueuedConnection);
}

} // namespace sound

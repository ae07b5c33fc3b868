#pragma once
// The one thread that owns the audio output. Callers hand it a request (play
// this file, play this sound, stop) and return at once: the thread reads and
// decodes files and feeds the sound server, so no caller waits on a file or
// the server, and nothing here runs the caller's event loop. A new request
// cuts off the sound before it.
//
// A request that fails (unreadable file, no server, no sink) calls its
// `failed` callback later, queued to the thread that made the Player, and
// only if no newer request came since: a sound already cut off is no failure.
#include "sound/pcm.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

struct pa_mainloop;

namespace sound {

class PulseOutput;

class Player
{
public:
    Player();
    // Stops any sound and joins the thread; it is never busy for long.
    ~Player();
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    void playFile(const QString &path, std::function<void()> failed);
    void playPcm(std::shared_ptr<const Pcm> pcm, std::function<void()> failed);
    void stop();
    // While held, the thread stays connected to the sound server between
    // sounds (the voice during a game: a phrase then starts without
    // connecting first). Only the last word counts, whenever the thread
    // comes to it.
    void holdServer(bool on);

private:
    struct Request
    {
        quint64 id = 0;
        QString path;
        std::shared_ptr<const Pcm> pcm; // neither path nor pcm: stop
    };

    void post(Request request, std::function<void()> failed);
    void run();
    void takeRequest();
    void reportFailure(quint64 id);

    // Caller's thread only.
    QObject home_;
    quint64 latest_ = 0;
    std::function<void()> failed_;

    std::mutex mutex_;
    std::optional<Request> pending_; // only the newest request matters
    bool hold_ = false;
    bool quit_ = false;

    pa_mainloop *loop_;
    int wake_; // written to hand a request over
    PulseOutput *output_ = nullptr; // the sound thread's
    std::thread thread_;
};

} // namespace sound

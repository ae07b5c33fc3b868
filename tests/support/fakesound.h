#pragma once
// A sound device and beeper in one that play nothing: they log what they are
// asked, in order, and succeed or fail as the test says.
#include "sound/beeper.h"
#include "sound/mediadevice.h"
#include "sound/speaker.h"

#include <QStringList>
#include <QTimer>
#include <functional>

namespace testing {

struct FakeSound : sound::MediaDevice, sound::Beeper, sound::Speaker
{
    QStringList log;         // file names, "open", "play", "close", "beep3"
    QString answers = "111"; // open, play, a failure told later: 1 succeeds, 0 fails
    std::function<void()> failed;
    QObject alive; // a failure not told yet is not told once the fake is gone

    void setFileName(const QString &name) override { log << name; }
    bool open() override { return log << "open", answers[0] == u'1'; }
    bool play() override
    {
        if (answers[2] == u'0') QTimer::singleShot(0, &alive, [this] { if (failed) failed(); }); // as the sound thread would
        return log << "play", answers[1] == u'1';
    }
    void close() override { log << "close"; }
    void setFailureHandler(std::function<void()> handler) override { failed = std::move(handler); }
    void beepThreeTimes() override { log << "beep3"; }
    bool ready = false; // stood by for a phrase, and not hushed since
    void say(const QString &phrase) override { log << "say:" + phrase; }
    void standBy() override { ready = true; }
    void hush() override { ready = false; } // called at every press, whether the voice is on or not
};

} // namespace testing

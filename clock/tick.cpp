#include "clock/captions.h"
#include "clock/gameclock.h"

#include "common/decimaltext.h"

#include <cmath>

namespace gameclock {

namespace {
constexpr double kTickSeconds = 0.2;
// How long after the whole second the tick comes: none, as the timer never
// fires early and rounds its delay up to a whole millisecond.
constexpr double kTickLead = 0;
} // namespace

// A tick every 200 ms measures the whole stint, so its phase costs no time; but
// phased to fall just after each whole second of the running player's time,
// his clock shows each new second, and a time-out, the moment it comes.
void GameClock::alignTicks()
{
    const Player p = player(s_.turn == -1 ? 0 : 1);
    double remaining = p.time;
    if (p.byoon == -1) remaining = p.byo;
    else if (p.time <= 0) remaining = byoyomiField() + p.time; // his first period counts from zero
    const double sinceWhole = remaining - std::floor(remaining);
    panel_.phaseTicks(std::fmod(sinceWhole, kTickSeconds) + kTickLead);
}

void GameClock::timer1Timer()
{
    // A tick that arrives after the timer was stopped must not run a finished game.
    if (reporting_ || !panel_.timerOn()) return;
    nowcheck();
}

void GameClock::nowcheck()
{
    const double e = stint();
    if (s_.turn == -1)
        tickPlayer(leftPlayer(s_), e);
    else if (s_.turn == 0)
        tickPlayer(rightPlayer(s_), e);
}

void GameClock::tickPlayer(Player p, double e)
{
    ticked_[p.side] = true;
    p.now = p.time - e;
    if (p.now <= 0 && p.byoon == 0) {
        // The first period counts from the moment the main time reached zero.
        p.byo = byoyomiField() + p.now;
        p.byonow = p.byo;
    } else if (p.byoon == -1) {
        p.byonow = p.byo - e;
    }

    panel_.setLamp(p.side, p.blink == 0);
    p.blink = p.blink == 0 ? -1 : 0;

    warnings(p);

    if (p.now > 0 || p.byonow > 0) showFace(p.side, p.now, p.byonow);
    else timeout(p);
}

void GameClock::warnings(Player p)
{
    const bool inMain = p.now > 0;
    const double q = inMain ? p.now : p.byonow;
    qint16 *const *flags = inMain ? p.warn : p.byowarn;
    const double r = common::roundHalfEven(q);
    const qint16 thresholds[3] = {module1_.wtime1, module1_.wtime2, module1_.wtime3};
    for (int i = 0; i < 3; ++i) {
        if (r != thresholds[i]) continue;
        if (*flags[i] == 0) {
            if (i == 0) cues_.timeswarning1();
            else if (i == 1) cues_.timeswarning2();
            else cues_.timeswarning3();
            *flags[i] = -1;
        }
        return; // the first equal threshold decides
    }
}

void GameClock::timeout(Player p)
{
    reporting_ = true;
    p.byonow = 0;
    showTime(p.side, p.byonow);
    const QString name = panel_.playerName(p.side);
    QString message;
    if (name == caption::defaultName)
        message = p.side == 0 ? QStringLiteral("LEFT PLAYER 時間切れです") : QStringLiteral("RIGHT PLAYER 時間切れです");
    else
        message = name + QStringLiteral(" 時間切れです");
    cues_.timesup(message);
    panel_.setMoveCaption(caption::pleaseSet);
    p.time = 0;
    panel_.setTimerOn(false);
    reporting_ = false;
}

} // namespace gameclock

// One tick of Timer1: the running player's clock brought up to date, his lamp
// blinked, his warnings sounded, and his time-out reported.
#include "clock/gameclock.h"

#include "clock/captions.h"
#include "common/decimaltext.h"

namespace gameclock {

void GameClock::timer1Timer()
{
    // A tick that arrives after the timer was stopped must not run a finished game.
    if (reporting_ || phase() != Phase::Running) return;
    nowcheck();
}

void GameClock::nowcheck()
{
    const double e = stint();
    if (const auto side = runningSide()) tickPlayer(player(*side), e);
}

void GameClock::tickPlayer(Player p, double e)
{
    ticked_[p.side] = true;
    const Live l = live(p, e);
    p.now = l.now;
    if (l.firstPeriod) p.byo = l.byonow;
    p.byonow = l.byonow;

    panel_.setLamp(p.side, p.blink == 0);
    p.blink = p.blink == 0 ? -1 : 0;

    warnings(p);

    if (p.now > 0 || p.byonow > 0) {
        showFace(p.side, p.now, p.byonow);
        aimNext(p, l, true);
    } else {
        timeout(p);
    }
}

void GameClock::warnings(Player p)
{
    const bool inMain = p.now > 0;
    const double q = inMain ? p.now : p.byonow;
    qint16 *const *flags = inMain ? p.warn : p.byowarn;
    const double r = common::roundHalfEven(q);
    const auto thresholds = module1_.wtimes();
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
    cues_.hushVoice();
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

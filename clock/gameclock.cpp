// What the game clock's handlers share: where the game stands, whose clock
// runs and what it has left, and how a clock face is drawn.
#include "clock/gameclock.h"

#include "clock/captions.h"
#include "clock/timeformat.h"
#include "common/decimaltext.h"

#include <cmath>

namespace gameclock {

namespace {
constexpr double kDay = 86400.0;
constexpr double kTickSeconds = 0.2;
} // namespace

GameClock::GameClock(ClockPanel &panel, ClockCues &cues, TimeSource &time, Module1 &thresholds)
    : panel_(panel), cues_(cues), time_(time), module1_(thresholds)
{
}

Phase GameClock::phase() const
{
    if (panel_.timerOn()) return Phase::Running;
    const QString move = panel_.moveCaption();
    if (move == caption::pleaseSet) return Phase::NotSetUp;
    if (move == caption::start) return Phase::Ready;
    return Phase::Paused;
}

std::optional<int> GameClock::runningSide() const { return sideOfTurn(s_.turn); }

Player GameClock::player(int side)
{
    return side == 0 ? leftPlayer(s_) : rightPlayer(s_);
}

double GameClock::stintTo(double reading)
{
    double e = reading - s_.starttime;
    if (e < 0) e += kDay; // the clock passed midnight since starttime
    return e;
}

double GameClock::stint() { return stintTo(time_.secondsSinceMidnight()); }

// The main time left after the stint; once it is gone, the byo-yomi: his
// first period counts from the moment the main time reached zero, a later
// one from its banked value.
GameClock::Live GameClock::live(const Player &p, double e)
{
    const double now = p.time - e;
    if (now <= 0 && p.byoon == 0) return {now, byoyomiField() + now, true};
    if (p.byoon == -1) return {now, p.byo - e, false};
    return {now, p.byonow, false};
}

double GameClock::byoyomiField()
{
    if (const auto number = common::parseDecimal(panel_.fieldText(5)); number && std::fabs(*number) <= kMaxSeconds)
        byoyomi_ = *number;
    return byoyomi_;
}

// A tick every 200 ms measures the whole stint, so its phase costs no time; but
// aimed to fall just after each whole second of the running player's time,
// his clock shows each new second, and a time-out, the moment it comes. Each
// tick aims the next, so a late one costs only itself.
void GameClock::alignTicks()
{
    const auto side = runningSide();
    if (!side) return;
    const Player p = player(*side);
    aimNext(p, live(p, 0));
}

// The next tick and the voice's next phrase, from the live values of a moment.
void GameClock::aimNext(const Player &p, const Live &l, bool atTick)
{
    const double remaining = l.now > 0 ? l.now : l.byonow;
    const double sinceWhole = remaining - std::floor(remaining);
    panel_.phaseTicks(std::fmod(sinceWhole, kTickSeconds));
    if (!atTick || byoyomiField() != voicePeriod_) aimVoice(p, l, 0);
}

void GameClock::showMoves(const Player &p)
{
    panel_.setMoveNumber(p.side, QString::number(p.moves));
}

void GameClock::showTime(int side, double t) { panel_.setClockText(side, clockText(t, s_.secdisp)); }

// What a clock face shows: the main time while any is left, else the
// byo-yomi, in red.
void GameClock::showFace(int side, double main, double byo)
{
    if (main > 0) {
        showTime(side, main);
    } else {
        panel_.setClockRed(side, true);
        showTime(side, byo);
    }
}

// A clock that is not running shows what its player has banked, as the end
// of his move drew it (his live values would miss the increment).
void GameClock::redrawWaiting(Player p)
{
    if (p.byoon == -1) showFace(p.side, p.time, p.byo);
    else showTime(p.side, p.time);
}

// A face whose values were changed from outside the game's flow (an undo, a
// correction): black again where it shows main time.
void GameClock::drawFace(int side, double main, double byo)
{
    panel_.setClockRed(side, false);
    showFace(side, main, byo);
}

} // namespace gameclock

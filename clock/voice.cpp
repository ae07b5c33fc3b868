// The voice that reads the time, as a timekeeper does: in byo-yomi "10秒",
// "20秒" … while ten seconds or more of the period are left, then 1 to 9 on
// the last nine seconds ("9": one second left); in main time "残り10分です",
// 5, 3 and 1 minutes once a game as the time passes each mark, and with no
// byo-yomi the main time's last nine seconds counted the same way.
#include "clock/gameclock.h"

namespace gameclock {

namespace {

constexpr double kMarks[4] = {600, 300, 180, 60};
const char *const kMarkPhrases[4] = {"left10min", "left5min", "left3min", "left1min"};
constexpr int kLongestTens = 9; // "90秒": the pack has no more

QString count(int k) { return QStringLiteral("count%1").arg(k); }

} // namespace

std::optional<GameClock::VoiceCue> GameClock::nextVoiceCue(const Player &p, const Live &l, double after)
{
    std::optional<VoiceCue> best;
    const auto offer = [&](double delay, const QString &phrase, int mark) {
        if (delay > after && (!best || delay < best->delay)) best = VoiceCue{phrase, delay, mark};
    };
    const double period = byoyomiField();
    const bool inFirst = p.byoon == 0; // main time, or the period it ran out into during this move
    if (inFirst)
        for (int i = 0; i < 4; ++i)
            if (!marks_[p.side][i]) offer(l.now - kMarks[i], QString::fromLatin1(kMarkPhrases[i]), i);
    if (period <= 0) {
        if (inFirst)
            for (int k = 1; k <= 9; ++k) offer(l.now - (10 - k), count(k), -1);
        return best;
    }
    // The period's seconds left; in main time, what they will be once it is gone.
    const double left = inFirst ? period + l.now : l.byonow;
    for (int j = 1; j <= kLongestTens && period - 10 * j >= 10; ++j)
        offer(left - (period - 10 * j), QStringLiteral("sec%1").arg(10 * j), -1);
    for (int k = 1; k <= 9; ++k)
        if (10 - k <= period - 1) offer(left - (10 - k), count(k), -1);
    return best;
}

QString GameClock::voiceDue()
{
    const auto side = runningSide();
    if (!voice_ || !side || phase() != Phase::Running) return {};
    const VoiceCue due = *voice_;
    if (due.mark >= 0) marks_[*side][due.mark] = true;
    const Player p = player(*side);
    aimVoice(p, live(p, stint()), 0.001); // past the one due now, however the clock reads it
    return due.phrase;
}

void GameClock::aimVoice(const Player &p, const Live &l, double after)
{
    voicePeriod_ = byoyomiField();
    voice_ = nextVoiceCue(p, l, after);
    cues_.aimVoice(voice_ ? voice_->phrase : QString(), voice_ ? voice_->delay : 0);
}

// A mark the set-up starts at or below is never called.
void GameClock::markVoice(int side, double mainTime)
{
    for (int i = 0; i < 4; ++i) marks_[side][i] = mainTime <= kMarks[i];
}

} // namespace gameclock

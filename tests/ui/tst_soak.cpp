// A twelve-hour game through the window, on a fake time of day that passes
// midnight, checked tick by tick against a ledger the test keeps itself.
//
// The ledger counts in whole microseconds. Ticks fall on even microseconds and
// every button press on an odd one, so the time left at a tick is never an
// exact half second and its rounding is never in doubt.
#include "support/fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <random>

namespace {

using us = qint64;
constexpr us kSecond = 1'000'000;
constexpr us kTick = 200'000;
constexpr us kDay = 86'400 * kSecond;
constexpr us kOrigin = 19 * 3600 * kSecond; // the game starts at 19:00
constexpr us kMidnight = kDay - kOrigin;      // since the origin
constexpr us kLength = 12 * 3600 * kSecond;

// The set-up: main time, increment, byo-yomi, warning thresholds (seconds).
constexpr int kMain[2] = {90 * 60, 100 * 60};
constexpr int kIncrement = 3;
constexpr int kByoyomi = 60;
constexpr int kWarn[3] = {45, 30, 15};

struct Side
{
    us bank;          // main time left when the current part of a stint began
    bool byo = false; // a fresh period each move
    us period = 0;    // what is left of the period, when byo
    bool fired[2][3] = {}; // warnings sounded: [0] in main time, [1] in this period
    int moves = 0;
    int periods = 0; // byo-yomi periods begun
    int pausesInMain = 0, pausesInFirstPeriod = 0, pausesInByo = 0;
    int warnings[2] = {}; // sounded in main time, in byo-yomi
};

class Soak
{
public:
    QString failure;
    Side side[2] = {{kMain[0] * kSecond}, {kMain[1] * kSecond}};
    int midnightStints = 0;
    int ticks = 0;

    explicit Soak(testing::Rig &rig) : rig_(rig)
    {
        label_[0] = rig.find<QLabel>("Label11");
        label_[1] = rig.find<QLabel>("Label12");
    }

    bool play()
    {
        std::mt19937_64 random(20240601);
        auto uniform = [&random](us lo, us hi) { return lo + us(random() % quint64(hi - lo + 1)); };
        auto even = [](us v) { return v & ~us(1); };

        at(3 * kSecond + 1);
        rig_.window->Command1_Click(0);
        mover_ = 0;
        side[0].moves = 1;
        partStart_ = now_;
        if (!checkBanks("start")) return false;

        while (now_ < kLength) {
            Side &m = side[mover_];
            const us stintStart = now_;
            // Quick moves, now and then a long think; in byo-yomi well inside the period.
            us think = m.byo ? uniform(2, 55) * kSecond : (random() % 40 == 0 ? uniform(20, 90) : uniform(1, 12)) * kSecond;
            // Once for each player, a pause after his main time ran out but before he moved.
            const bool pauseInFirstPeriod = !m.byo && m.bank < 20 * kSecond && m.pausesInFirstPeriod == 0;
            if (pauseInFirstPeriod) think = m.bank + uniform(5, 40) * kSecond;
            if (!m.byo) think = std::min(think, m.bank + (kByoyomi - 5) * kSecond);
            think = even(think + uniform(0, kSecond));
            us moveAt = stintStart + think;

            // Now and then a pause inside a stint.
            us pauseAt = -1;
            if (pauseInFirstPeriod)
                pauseAt = stintStart + m.bank + even(uniform(kSecond, think - m.bank - kSecond));
            else if (random() % 120 == 0)
                pauseAt = stintStart + even(uniform(0, think));
            if (pauseAt >= 0) {
                const us pause = even(random() % 4 == 0 ? uniform(60, 20 * 60) * kSecond : uniform(2, 60) * kSecond);
                // The stint that passes midnight runs, so the clock's own wrap is tested.
                if (pauseAt - 60 * kSecond > kMidnight || pause + pauseAt + 60 * kSecond < kMidnight) {
                    if (!run(pauseAt) || !pressPause()) return false;
                    at(now_ + pause);
                    if (!pressPause()) return false;
                    moveAt += pause;
                }
            }
            if (!run(moveAt) || !pressMove()) return false;
        }
        return true;
    }

private:
    // The mover's time left now, as the clock should see it: in main time
    // (inMain) or of the byo-yomi period.
    us remaining(bool &inMain) const
    {
        const Side &m = side[mover_];
        const us elapsed = now_ - partStart_;
        if (m.byo) {
            inMain = false;
            return m.period - elapsed;
        }
        const us main = m.bank - elapsed;
        inMain = main > 0;
        return inMain ? main : kByoyomi * kSecond + main; // the first period began when main time ran out
    }

    void at(us t)
    {
        now_ = t;
        rig_.time.now = double((kOrigin + t) % kDay) / kSecond;
    }

    bool fail(const QString &what)
    {
        failure = QStringLiteral("at %1 s of the game (move %2/%3): %4")
                      .arg(double(now_) / kSecond, 0, 'f', 6)
                      .arg(side[0].moves)
                      .arg(side[1].moves)
                      .arg(what);
        return false;
    }

    static bool near(double clock, us ledger) { return std::fabs(clock - double(ledger) / kSecond) <= 1e-6; }

    // Ticks every 200 ms up to t while the timer runs.
    bool run(us t)
    {
        for (us tick = (now_ / kTick + 1) * kTick; tick < t; tick += kTick) {
            at(tick);
            if (!this->tick()) return false;
        }
        at(t);
        return true;
    }

    bool tick()
    {
        ++ticks;
        bool inMain = false;
        const us left = remaining(inMain);
        if (left <= 0) return fail("the ledger ran out of time");
        // A warning is due at the first tick at which its threshold is the
        // time left rounded to the second, once in main time and once a period.
        Side &m = side[mover_];
        QStringList expected;
        for (int i = 0; i < 3; ++i) {
            if (m.fired[inMain ? 0 : 1][i] || left >= kWarn[i] * kSecond + kSecond / 2) continue;
            m.fired[inMain ? 0 : 1][i] = true;
            ++m.warnings[inMain ? 0 : 1];
            expected << "close" << QStringLiteral("file:warning%1.wav").arg(i + 1) << "open" << "play";
        }
        const qsizetype logged = rig_.device.log.size();
        rig_.window->Timer1_Timer();
        const QStringList sounded = rig_.device.log.mid(logged);
        if (sounded != expected)
            return fail(QStringLiteral("%1 s left, cues [%2], expected [%3]")
                            .arg(double(left) / kSecond)
                            .arg(sounded.join(u' '), expected.join(u' ')));
        const gameclock::ClockState &s = rig_.window->gameClock().state();
        const double now = mover_ == 0 ? (inMain ? s.leftnow : s.leftbyonow) : (inMain ? s.rightnow : s.rightbyonow);
        if (!near(now, left))
            return fail(QStringLiteral("clock shows %1 s left, ledger %2").arg(now, 0, 'f', 9).arg(double(left) / kSecond, 0, 'f', 6));
        return true;
    }

    bool pressPause()
    {
        const bool pausing = !paused_;
        if (pausing) {
            Side &m = side[mover_];
            const us elapsed = now_ - partStart_;
            if (m.byo) ++m.pausesInByo, m.period -= elapsed;
            else if (m.bank - elapsed <= 0) ++m.pausesInFirstPeriod, m.bank -= elapsed;
            else ++m.pausesInMain, m.bank -= elapsed;
        } else {
            partStart_ = now_;
        }
        paused_ = pausing;
        rig_.window->Command3_Click();
        return checkBanks(pausing ? "pause" : "resume");
    }

    bool pressMove()
    {
        Side &m = side[mover_];
        const us elapsed = now_ - partStart_;
        if (partStart_ < kMidnight && kMidnight <= now_) ++midnightStints;
        if (m.byo) {
            if (m.period - elapsed <= 0) return fail("the ledger timed out in byo-yomi");
        } else {
            m.bank -= elapsed;
            if (m.bank > 0) m.bank += kIncrement * kSecond;
            else if (m.bank + kByoyomi * kSecond <= 0) return fail("the ledger timed out in main time");
            else m.byo = true;
        }
        if (m.byo) {
            m.period = kByoyomi * kSecond;
            ++m.periods;
            for (bool &f : m.fired[1]) f = false;
        }
        mover_ = 1 - mover_;
        ++side[mover_].moves;
        partStart_ = now_;
        rig_.window->Command1_Click(0);
        return checkBanks("move");
    }

    // Each player's banked time, byo-yomi state and move number.
    bool checkBanks(const char *after)
    {
        const gameclock::ClockState &s = rig_.window->gameClock().state();
        for (int i = 0; i < 2; ++i) {
            const Side &p = side[i];
            const double time = i == 0 ? s.lefttime : s.righttime;
            const double byo = i == 0 ? s.leftbyo : s.rightbyo;
            const bool byoon = (i == 0 ? s.leftbyoon : s.rightbyoon) == -1;
            const int moves = i == 0 ? s.leftmoves : s.rightmoves;
            QString wrong;
            if (byoon != p.byo) wrong = QStringLiteral("byo-yomi %1, ledger %2").arg(byoon).arg(p.byo);
            else if (!p.byo && !near(time, p.bank))
                wrong = QStringLiteral("banks %1 s, ledger %2").arg(time, 0, 'f', 9).arg(double(p.bank) / kSecond, 0, 'f', 6);
            else if (p.byo && !near(byo, p.period))
                wrong = QStringLiteral("period %1 s, ledger %2").arg(byo, 0, 'f', 9).arg(double(p.period) / kSecond, 0, 'f', 6);
            else if (moves != p.moves || label_[i]->text() != QString::number(p.moves))
                wrong = QStringLiteral("move %1 shown %2, ledger %3").arg(moves).arg(label_[i]->text()).arg(p.moves);
            if (!wrong.isEmpty()) return fail(QStringLiteral("after %1, player %2 %3").arg(after).arg(i).arg(wrong));
        }
        return true;
    }

    testing::Rig &rig_;
    QLabel *label_[2];
    us now_ = 0;
    us partStart_ = 0;
    int mover_ = 0;
    bool paused_ = false;
};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void twelveHours()
    {
        // Each warning's own file, so the log tells the three apart.
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        for (const char *name : {"warning1.wav", "warning2.wav", "warning3.wav"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        testing::Rig rig;
        const QString fields[6] = {QString::number(kMain[0] / 60), "0", QString::number(kMain[1] / 60), "0",
                                   QString::number(kIncrement), QString::number(kByoyomi)};
        for (int i = 0; i < 6; ++i) rig.find<QLineEdit>(QStringLiteral("Text1(%1)").arg(i))->setText(fields[i]);
        rig.find<QRadioButton>("Option1(0)")->setChecked(true);
        rig.window->module1() = {kWarn[0], kWarn[1], kWarn[2]};
        rig.time.now = double(kOrigin) / kSecond;
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        rig.window->Command2_Click();

        Soak soak(rig);
        QVERIFY2(soak.play(), qPrintable(soak.failure));
        qInfo("%d ticks, moves %d/%d, byo-yomi periods %d/%d, warnings in byo-yomi %d/%d", soak.ticks,
              soak.side[0].moves, soak.side[1].moves, soak.side[0].periods, soak.side[1].periods,
              soak.side[0].warnings[1], soak.side[1].warnings[1]);

        QCOMPARE(rig.boxes.shown.size(), 0); // no time-out, no notice
        QCOMPARE(rig.beeper.calls, 0);
        QCOMPARE(soak.midnightStints, 1);
        QVERIFY(soak.ticks > 150'000);
        for (const Side &p : soak.side) {
            // Every threshold once in main time; byo-yomi long enough for many periods.
            QCOMPARE(p.warnings[0], 3);
            QVERIFY(p.periods > 100);
            QVERIFY(p.warnings[1] > p.periods);
            QVERIFY(p.pausesInFirstPeriod > 0);
            QVERIFY(p.pausesInMain > 0 && p.pausesInByo > 0);
        }
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"

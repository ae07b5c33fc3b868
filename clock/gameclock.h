#pragma once
// The game clock: set-up, the move button, the tick, pause and resume and the
// display-mode button, acting on the window through ClockPanel.
#include "clock/clockpanel.h"
#include "clock/clockstate.h"
#include "clock/module1.h"
#include "clock/timesource.h"

#include <array>
#include <optional>
#include <vector>

namespace gameclock {

// Where the game stands, as the move and pause buttons' captions and the
// tick timer tell it.
enum class Phase { NotSetUp, Ready, Running, Paused };

class GameClock
{
public:
    GameClock(ClockPanel &panel, ClockCues &cues, TimeSource &time, Module1 &thresholds);

    void syokika();              // reset
    void command2Click();        // "セット"
    void command1Click();        // the move button
    void timer1Timer();          // one tick of Timer1
    void command3Click();        // pause and resume
    void command5Click();        // display mode
    // A player's own key (side 0 left, 1 right): the move button, for the
    // player whose clock runs, or who moves first before the start; nothing
    // for his opponent.
    void playerKey(int side);

    // "一手戻す": the last press of the move button taken back, as if it had
    // never been made, while the game is under way; press after press.
    void undo();
    bool canUndo() const;
    // What each player has left, and his move number; for an arbiter's
    // correction while the game is paused. byo: the seconds left of his
    // byo-yomi period, where it has begun.
    struct Standing
    {
        double main;
        std::optional<double> byo;
        qint16 moves;
    };
    std::array<Standing, 2> standing();
    void correct(const std::array<Standing, 2> &standing);

    // The phrase the voice was aimed at, now that its moment has come; the
    // next one is aimed.
    QString voiceDue();

    Phase phase() const;
    const ClockState &state() const { return s_; }
    bool reportingTimeout() const { return reporting_; }

private:
    struct Setup
    {
        qint16 addtime;
        double lefttime;
        double righttime;
        double byoyomi;
    };
    // A running player's live values after a stint of e seconds.
    struct Live
    {
        double now;
        double byonow;
        bool firstPeriod; // his main time ran out during this move: the period counts from then
    };

    // setup.cpp
    std::optional<Setup> readSetup();
    void applySetup(const Setup &setup);
    // move.cpp
    void endMove(Player mover, Player opponent);
    void startGame();
    // tick.cpp
    void nowcheck();
    void tickPlayer(Player p, double e);
    void warnings(Player p);
    void timeout(Player p);
    // pause.cpp
    void pausePlayer(Player p, double elapsed);
    static void charge(Player p, double elapsed);
    // undo.cpp
    void redrawAfterChange(int running);

    // gameclock.cpp: what several handlers share.
    std::optional<int> runningSide() const; // the side turn names; none for any other value
    Player player(int side);
    double stintTo(double reading); // the stint up to a reading of the clock
    double stint();
    Live live(const Player &p, double e);
    double byoyomiField();
    void alignTicks();
    // At a tick the voice keeps its aim unless the byo-yomi field changed:
    // a phrase due this very moment must not be lost to the tick.
    void aimNext(const Player &p, const Live &l, bool atTick = false);
    // voice.cpp: what the running player's clock calls next, after `after` seconds from now.
    struct VoiceCue
    {
        QString phrase;
        double delay;
        int mark; // a main-time mark's index, else -1
    };
    std::optional<VoiceCue> nextVoiceCue(const Player &p, const Live &l, double after);
    void markVoice(int side, double mainTime); // marks the set-up starts at or below: never called
    void aimVoice(const Player &p, const Live &l, double after);
    void showMoves(const Player &p);
    void showTime(int side, double t);
    void showFace(int side, double main, double byo);
    void redrawWaiting(Player p);
    void drawFace(int side, double main, double byo);

    // Far beyond any game, yet small enough that whole seconds stay exact in a double.
    static constexpr double kMaxSeconds = 1e9;

    ClockPanel &panel_;
    ClockCues &cues_;
    TimeSource &time_;
    Module1 &module1_;
    ClockState s_;
    // The last byo-yomi field value that read correctly: an unusable edit
    // during a game must not take a player's period away.
    double byoyomi_ = 0;
    // Whether each player's clock has ticked since the set-up; until then his
    // live values belong to the previous game.
    std::array<bool, 2> ticked_{false, false};
    // Set while the time-out report is open, so that ticks delivered by its
    // nested event loop cannot report the same time-out again.
    bool reporting_ = false;
    // The game's running time (pauses not counted) up to starttime, and each
    // press of the move button since the start, for undo.
    double run_ = 0;
    struct Press
    {
        ClockState before; // the clock state just before the press
        std::array<bool, 2> ticked;
        double stint; // what the press charged the mover
        double run;   // the game's running time at the press
    };
    std::vector<Press> presses_;
    // The voice's main-time marks called for each player this game, and the phrase aimed at.
    std::array<std::array<bool, 4>, 2> marks_{};
    std::optional<VoiceCue> voice_;
    double voicePeriod_ = 0; // the byo-yomi field's seconds the voice was aimed with
};

// turn as a side, 0 left and 1 right, and back.
inline std::optional<int> sideOfTurn(qint16 turn)
{
    if (turn == -1) return 0;
    if (turn == 0) return 1;
    return std::nullopt;
}
inline qint16 turnOfSide(int side) { return side == 0 ? -1 : 0; }

} // namespace gameclock

#pragma once
// Form1: the clock face and control panel.
#include "clock/clockpanel.h"
#include "clock/gameclock.h"
#include "clock/module1.h"
#include "clock/timesource.h"
#include "settings/values.h"
#include "sound/beeper.h"
#include "sound/cues.h"
#include "sound/mediadevice.h"
#include "sound/speaker.h"
#include "ui/form1layout.h"
#include "ui/messageboxes.h"
#include "ui/timecorrection.h"
#include "ui/twipslayout.h"

#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <optional>
#include <memory>

class QTimer;

namespace ui {

class Form2;
class Stage;
class IdleInhibitor;

// What the window is given from outside, so that tests can stand in for it.
struct Services
{
    gameclock::TimeSource &time;
    MessageBoxes &boxes;
    sound::MediaDevice &device;
    sound::Beeper &beeper;
    sound::Speaker &speaker;
    std::function<bool(const QUrl &)> openUrl;
    // Off only in a benchmark build that measures what phasing the ticks gains.
    bool alignTicks = true;
    // Held while a clock runs; none: the desktop is left alone.
    IdleInhibitor *inhibitor = nullptr;
};

class MainWindow : public QMainWindow, private gameclock::ClockPanel, private gameclock::ClockCues
{
    Q_OBJECT
public:
    explicit MainWindow(Services services, QWidget *parent = nullptr);
    ~MainWindow() override;

    gameclock::Module1 &module1() { return module1_; }
    const gameclock::GameClock &gameClock() const { return clock_; }
    Form2 *form2() const { return form2_; }
    TimeCorrection *timeCorrection() const { return correction_; }

    void Command1_Click(int index);
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Timer1_Timer();
    void m12_Click();
    void m13_Click();
    void m14_Click();
    void mUndo_Click();    // 一手戻す
    void mCorrect_Click(); // 時間修正…
    void mVoice_Click();   // 読み上げ, on or off
    void mAbout_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void fitScreen();
    void buildMenu();
    void setFocusOrder();
    void Form_Load();
    void Form_Unload();
    settings::Values settingsValues() const;
    void applySettings(const settings::Values &values);
    void readSettingsFile(bool reportAbsent);
    void updateCommands(); // what the menu offers in the game's phase

    // ClockPanel
    QString moveCaption() const override;
    void setMoveCaption(const QString &caption) override;
    QString pauseCaption() const override;
    void setPauseCaption(const QString &caption) override;
    void setDisplayModeCaption(const QString &caption) override;
    void setClockText(int side, const QString &text) override;
    void setClockRed(int side, bool red) override;
    void setLamp(int side, bool lit) override;
    void setMoveNumber(int side, const QString &text) override;
    QString fieldText(int index) const override;
    int firstChoice() const override;
    QString playerName(int side) const override;
    bool timerOn() const override;
    void setTimerOn(bool on) override;
    void phaseTicks(double delay) override;
    void notice(const QString &text) override;
    // ClockCues
    void timeswarning1() override;
    void timeswarning2() override;
    void timeswarning3() override;
    void timesup(const QString &message) override;
    void aimVoice(const QString &phrase, double delay) override;
    void hushVoice() override;

    Services services_;
    gameclock::Module1 module1_;
    sound::Cues cues_;
    gameclock::GameClock clock_;
    TwipsLayout layout_;
    Stage *stage_ = nullptr;
    Form1Controls controls_;
    QTimer *timer1_ = nullptr;
    QTimer *phase_ = nullptr; // one shot: the tick on the whole second, and Timer1 restarted from it
    Form2 *form2_ = nullptr;
    QPointer<TimeCorrection> correction_;
    QAction *mUndo_ = nullptr, *mCorrect_ = nullptr, *mVoice_ = nullptr;
    QTimer *voiceTimer_ = nullptr; // one shot: the voice's next phrase
    std::optional<bool> lamp_[2]; // what each lamp shows: lit, dark, or nothing yet
};

} // namespace ui

// How the game clock's view of the window maps onto the controls.
#include "ui/mainwindow.h"

#include "ui/clockface.h"
#include "ui/fitlabel.h"
#include "ui/idleinhibitor.h"
#include "ui/setupfield.h"
#include "ui/wrapbutton.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <cmath>

namespace ui {

QString MainWindow::moveCaption() const { return controls_.command1->text(); }
void MainWindow::setMoveCaption(const QString &caption)
{
    controls_.command1->setText(caption);
    updateCommands();
}
QString MainWindow::pauseCaption() const { return controls_.command3->text(); }
void MainWindow::setPauseCaption(const QString &caption)
{
    controls_.command3->setText(caption);
    updateCommands();
}
void MainWindow::setDisplayModeCaption(const QString &caption) { controls_.command5->setText(caption); }

void MainWindow::setClockText(int side, const QString &text) { controls_.label1[side]->setFaceText(text); }
void MainWindow::setClockRed(int side, bool red) { controls_.label1[side]->setRed(red); }

void MainWindow::setLamp(int side, bool lit)
{
    lamp_[side] = lit;
    QLabel *lamp = controls_.image1[side];
    const QPixmap picture = controls_.image2[lit ? 0 : 1]->pixmap();
    lamp->setPixmap(picture);
    if (!lamp->testAttribute(Qt::WA_OpaquePaintEvent) && picture.deviceIndependentSize().toSize() == lamp->size()) {
        // The clock face's box reaches under the lamp (its digits do not), so
        // each blink repainted the face's large outline text as well. The
        // picture covers the lamp whole: on top and opaque, it repaints alone.
        lamp->setAttribute(Qt::WA_OpaquePaintEvent);
        lamp->raise();
    }
    // Whose turn it is: the lamp lit last, which for a running clock is the one
    // that blinks. A screen reader is told as the turn changes hands: Qt tells
    // it of every description set, the same or not, and a lamp blinks five
    // times a second.
    const auto describe = [](QLabel *lamp, const QString &text) {
        if (lamp->accessibleDescription() != text) lamp->setAccessibleDescription(text);
    };
    if (lit) {
        describe(controls_.image1[side], QStringLiteral("手番"));
        describe(controls_.image1[1 - side], QString());
    }
}

void MainWindow::setMoveNumber(int side, const QString &text)
{
    (side == 0 ? controls_.label11 : controls_.label12)->setCaption(text);
    updateCommands(); // a press was made or taken back
}

QString MainWindow::fieldText(int index) const { return controls_.text1[index]->text(); }

int MainWindow::firstChoice() const
{
    if (controls_.option1[0]->isChecked()) return 0;
    if (controls_.option1[1]->isChecked()) return 1;
    return -1;
}

QString MainWindow::playerName(int side) const { return (side == 0 ? controls_.text2 : controls_.text3)->text(); }

bool MainWindow::timerOn() const { return timer1_->isActive(); }

void MainWindow::setTimerOn(bool on)
{
    if (on) {
        timer1_->start();
    } else {
        timer1_->stop();
        phase_->stop();
    }
    updateCommands();
    if (IdleInhibitor *inhibitor = services_.inhibitor) on ? inhibitor->hold() : inhibitor->release();
}

void MainWindow::phaseTicks(double delay)
{
    if (!services_.alignTicks || !timer1_->isActive()) return;
    // Whole milliseconds, rounded up: never before the moment asked for.
    const int ms = int(std::ceil(delay * 1000));
    // Timer1's own beat falls there already (its next tick keeps the beat
    // of the ones before, however late this one came).
    if (!phase_->isActive() && std::abs(timer1_->remainingTime() - ms) <= 1) return;
    timer1_->start(); // from now, so that it cannot come before the shot
    phase_->start(ms);
}

void MainWindow::notice(const QString &text) { services_.boxes.notice(text); }

// The voice's timer runs whether or not the voice is on, so that switching
// it on mid-game takes up the count where it stands.
void MainWindow::aimVoice(const QString &phrase, double delay)
{
    if (phrase.isEmpty()) {
        voiceTimer_->stop();
        return;
    }
    voiceTimer_->start(int(std::ceil(delay * 1000))); // never before its moment
    if (mVoice_->isChecked()) services_.speaker.standBy();
}

void MainWindow::hushVoice()
{
    voiceTimer_->stop();
    services_.speaker.hush();
}

void MainWindow::timeswarning1() { cues_.timeswarning1(); }
void MainWindow::timeswarning2() { cues_.timeswarning2(); }
void MainWindow::timeswarning3() { cues_.timeswarning3(); }
// The player must learn that time is up even when the sound failed; the end
// sound lasts as long as the report.
void MainWindow::timesup(const QString &message)
{
    cues_.timesupSound();
    // The clock stops with this report, which may stay up long after.
    if (services_.inhibitor) services_.inhibitor->release();
    services_.boxes.timeoutReport(message);
    cues_.close();
}

} // namespace ui

// How the game clock's view of the window maps onto the controls.
#include "ui/mainwindow.h"

#include "ui/setupfield.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cmath>

namespace ui {

namespace {
const char *const kClocks[2] = {"Label1(0)", "Label1(1)"};
const char *const kLamps[2] = {"Image1(0)", "Image1(1)"};
} // namespace

QString MainWindow::moveCaption() const { return control<QPushButton>("Command1(0)")->text(); }
void MainWindow::setMoveCaption(const QString &caption) { control<QPushButton>("Command1(0)")->setText(caption); }
QString MainWindow::pauseCaption() const { return control<QPushButton>("Command3")->text(); }
void MainWindow::setPauseCaption(const QString &caption) { control<QPushButton>("Command3")->setText(caption); }
void MainWindow::setDisplayModeCaption(const QString &caption) { control<QPushButton>("Command5")->setText(caption); }

void MainWindow::setClockText(int side, const QString &text)
{
    auto *label = control<QLabel>(kClocks[side]);
    if (label->text() == text) return; // a tick mostly redraws the same second
    label->setText(text);
    // The label sizes itself to its text about a fixed centre.
    const int width = std::max(label->fontMetrics().horizontalAdvance(text) + 8, 45);
    const int left = int(std::lround(clockCentre_[side] - width / 2.0));
    label->setGeometry(left, label->y(), width, label->height());
}

void MainWindow::setClockRed(int side, bool red)
{
    auto *label = control<QLabel>(kClocks[side]);
    QPalette palette = label->palette();
    const QColor colour = red ? QColor(255, 0, 0) : QColor(0, 0, 0);
    if (palette.color(QPalette::WindowText) == colour) return;
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void MainWindow::setLamp(int side, bool lit)
{
    const QPixmap picture = control<QLabel>(lit ? "Image2(0)" : "Image2(1)")->pixmap();
    auto *lamp = control<QLabel>(kLamps[side]);
    lamp->setPixmap(picture);
    if (!lamp->testAttribute(Qt::WA_OpaquePaintEvent) && picture.deviceIndependentSize() == QSizeF(lamp->size())) {
        // The clock face's box reaches under the lamp (its digits do not), so
        // each blink repainted the face's large outline text as well. The
        // picture covers the lamp whole: on top and opaque, it repaints alone.
        lamp->setAttribute(Qt::WA_OpaquePaintEvent);
        lamp->raise();
    }
}

void MainWindow::setMoveNumber(int side, const QString &text)
{
    control<QLabel>(side == 0 ? "Label11" : "Label12")->setText(text);
}

QString MainWindow::fieldText(int index) const { return field(index)->text(); }

int MainWindow::firstChoice() const
{
    if (control<QRadioButton>("Option1(0)")->isChecked()) return 0;
    if (control<QRadioButton>("Option1(1)")->isChecked()) return 1;
    return -1;
}

QString MainWindow::playerName(int side) const
{
    return control<QLineEdit>(side == 0 ? "Text2" : "Text3")->text();
}

bool MainWindow::timerOn() const { return timer1_->isActive(); }

void MainWindow::setTimerOn(bool on)
{
    if (on) timer1_->start();
    else timer1_->stop();
}

void MainWindow::notice(const QString &text) { services_.boxes.notice(text); }

void MainWindow::timeswarning1() { cues_.timeswarning1(); }
void MainWindow::timeswarning2() { cues_.timeswarning2(); }
void MainWindow::timeswarning3() { cues_.timeswarning3(); }
void MainWindow::timesup(const QString &message) { cues_.timesup(message); }

} // namespace ui

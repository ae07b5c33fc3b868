// The window's event handlers.
#include "ui/mainwindow.h"

#include "ui/about.h"
#include "ui/form2.h"
#include "ui/setupfield.h"
#include "ui/timecorrection.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTimer>

namespace ui {

void MainWindow::Form_Load()
{
    // secdisp starts at 0 (minutes and seconds) with the clock state.
    clock_.syokika();
    readSettingsFile(false);
}

void MainWindow::Command1_Click(int) { clock_.command1Click(); }

namespace {

// The key on a player's own side of the keyboard: the outer key of the bottom
// letter row, Z on the left and / on the right on Japanese and US keyboards
// alike (and ろ, right of / on a Japanese one). Known by its place where the
// platform tells it (X11 and Wayland give the evdev code plus 8), else by what
// it types. -1: neither.
int playerSide(const QKeyEvent &event)
{
    switch (event.nativeScanCode()) {
    case 44 + 8: return 0;
    case 53 + 8:
    case 89 + 8: return 1;
    case 0: break;
    default: return -1;
    }
    if (event.key() == Qt::Key_Z) return 0;
    if (event.key() == Qt::Key_Slash) return 1;
    return -1;
}

} // namespace

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // A key held down repeats; typing into a text box is typing; with Ctrl,
    // Alt or the logo key it is a command (Ctrl+Z while undo has nothing to
    // undo must not start LEFT's clock).
    constexpr Qt::KeyboardModifiers commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->isAutoRepeat() || (event->modifiers() & commandKeys)
        || qobject_cast<QLineEdit *>(QApplication::focusWidget())) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (const int side = playerSide(*event); side >= 0) clock_.playerKey(side);
    else if (event->key() == Qt::Key_P || event->key() == Qt::Key_Pause) Command3_Click();
    else QMainWindow::keyPressEvent(event);
}
void MainWindow::Command2_Click()
{
    clock_.command2Click();
    services_.boxes.prepareTimeoutReport();
}
void MainWindow::Command3_Click() { clock_.command3Click(); }
void MainWindow::Command5_Click() { clock_.command5Click(); }
void MainWindow::Timer1_Timer() { clock_.timer1Timer(); }

void MainWindow::Command4_Click()
{
    close();
    if (form2_) form2_->close();
    QApplication::exit(0);
}

namespace {

// The guide as installed beside the program (bin/../share/doc/korvane).
QString installedReadme()
{
    const QString path = QDir(QCoreApplication::applicationDirPath())
                             .filePath(QStringLiteral("../share/doc/korvane/readme.txt"));
    return QFileInfo(path).isFile() ? QDir::cleanPath(path) : QString();
}

// The copy shipped inside the program, written out for the viewer. It goes to
// the user's own cache folder: a fixed name in the shared temp folder would
// belong to whichever user opened help first, and fail for everyone else.
QString extractedReadme()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) return {};
    const QString path = QDir(folder).filePath(QStringLiteral("readme.txt"));
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(":/readme.txt"), path)) return {};
    return path;
}

} // namespace

void MainWindow::Command6_Click()
{
    QString path = QDir::current().filePath(QStringLiteral("readme.txt"));
    if (!QFileInfo(path).isFile()) path = installedReadme();
    if (path.isEmpty()) path = extractedReadme();
    if (path.isEmpty() || !services_.openUrl(QUrl::fromLocalFile(path)))
        services_.boxes.notice(QStringLiteral("ヘルプ（readme.txt）を開けませんでした。"));
}

void MainWindow::Command7_Click()
{
    for (SetupField *field : controls_.text1) field->setStoredText(QStringLiteral("0"));
    module1_.setWtimes({0, 0, 0});
}

void MainWindow::mUndo_Click() { clock_.undo(); }

void MainWindow::mCorrect_Click()
{
    if (clock_.phase() != gameclock::Phase::Paused || correction_) return;
    correction_ = new TimeCorrection(clock_.standing(), services_.boxes, [this](const TimeCorrection::Standing &s) {
        clock_.correct(s);
    }, this);
    correction_->open();
}

void MainWindow::mVoice_Click()
{
    if (!mVoice_->isChecked()) services_.speaker.hush();
    else if (voiceTimer_->isActive()) services_.speaker.standBy(); // a phrase is aimed
}

void MainWindow::updateCommands()
{
    if (!mUndo_) return; // the menu is built after the controls
    mUndo_->setEnabled(clock_.canUndo());
    mCorrect_->setEnabled(clock_.phase() == gameclock::Phase::Paused);
}

void MainWindow::m14_Click()
{
    if (form2_) {
        form2_->close(); // unstored typing is discarded
        form2_ = nullptr;
    }
    form2_ = new Form2(module1_, services_.boxes);
    form2_->setWindowIcon(windowIcon());
    connect(form2_, &QObject::destroyed, this, [this, dialog = form2_] {
        if (form2_ == dialog) form2_ = nullptr;
    });
    form2_->show();
}

void MainWindow::mAbout_Click() { services_.boxes.about(aboutText()); }

} // namespace ui

// What a Wayland compositor shows of the window, against what the window drew.
// A game is played step by step: the window's own timers are held and its
// ticks come from here, on the test's time. After each step, once every
// change is painted and the compositor has shown the last frame, a
// weston-screenshooter shot of the screen must hold the window's own grab,
// pixel for pixel but for antialiasing. wayland_frames.sh runs it under a
// headless weston; one PASS or FAIL line a step, and a FAIL's two pictures
// kept in the folder.
#include "support/fakes.h"

#include <QtWidgets>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// A tick of 0.2 s within the same second blinks the lamp alone.
const char *const kSteps[] = {
    "shown", "click Command2", "click Command1(0)", "tick 0.5", "tick 0.2", "tick 0.2", "click Command5",
    "tick 0.2", "tick 0.2", "click Command1(0)", "tick 0.5", "tick 0.2", "click Command3",
    "maximize", "click Command3", "tick 0.5", "tick 0.2",
};

// Where the grab's top rows lie in the shot, or (-1, -1).
QPoint locate(const QImage &shot, const QImage &grab, int rows)
{
    const size_t bytes = size_t(grab.width()) * 4;
    for (int y = 0; y + grab.height() <= shot.height(); ++y)
        for (int x = 0; x + grab.width() <= shot.width(); ++x) {
            int row = 0;
            while (row < rows && !std::memcmp(shot.constScanLine(y + row) + x * 4, grab.constScanLine(row), bytes)) ++row;
            if (row == rows) return {x, y};
        }
    return {-1, -1};
}

// Two colours that are not the same one drawn twice: the raster engine's
// antialiasing of the large clock text varies by a few levels with the
// region it is painted in (up to 12 of 255 seen); a stale pixel is text
// against ground, or yellow against grey.
bool apart(QRgb a, QRgb b)
{
    constexpr int kNoise = 48;
    return qAbs(qRed(a) - qRed(b)) > kNoise || qAbs(qGreen(a) - qGreen(b)) > kNoise || qAbs(qBlue(a) - qBlue(b)) > kNoise;
}

class Frames : public QObject
{
public:
    Frames()
    {
        qApp->installEventFilter(this);
        for (QTimer *timer : rig_.window->findChildren<QTimer *>(Qt::FindDirectChildrenOnly)) held_ << timer;
        rig_.window->show();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == rig_.window.get()) ++paints_;
        if (event->type() == QEvent::Timer && held_.contains(watched)) return true;
        if (watched != rig_.window->windowHandle()) return false;
        if (event->type() == QEvent::Expose && step_ < 0 && rig_.window->windowHandle()->isExposed()) {
            step_ = 0;
            settle();
        }
        // The update asked for below, which Qt's Wayland plugin hands over
        // only once the compositor has shown the last frame. Not passed on:
        // the window would repaint itself whole.
        if (event->type() == QEvent::UpdateRequest && awaiting_) {
            awaiting_ = false;
            if (paints_ != paintsBefore_ || !ready_()) settle();
            else QTimer::singleShot(0, this, [this] { compare(); });
            return true;
        }
        return false;
    }
    // Every update that was pending when settle() ran has been painted by now.
    void customEvent(QEvent *) override
    {
        awaiting_ = true;
        rig_.window->windowHandle()->requestUpdate();
    }

private:
    // Until a round passes with nothing painted: the updates pending, then the
    // compositor's frame.
    void settle()
    {
        paintsBefore_ = paints_;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User), INT_MIN);
    }

    void act(const QString &step)
    {
        const QString verb = step.section(u' ', 0, 0), name = step.section(u' ', 1);
        if (verb == "click") rig_.find<QAbstractButton>(name)->click();
        if (verb == "tick") {
            rig_.time.advance(name.toDouble());
            rig_.window->Timer1_Timer();
        }
        if (verb == "maximize") { // the compositor answers with the size
            rig_.window->showMaximized();
            ready_ = [this, was = rig_.window->size()] { return rig_.window->size() != was; };
        }
    }

    QImage shot()
    {
        QTemporaryDir dir;
        QProcess shooter;
        shooter.setWorkingDirectory(dir.path());
        shooter.start(QStringLiteral("weston-screenshooter"), {});
        shooter.waitForFinished(-1);
        const QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.png")});
        return files.isEmpty() ? QImage() : QImage(dir.filePath(files.first())).convertToFormat(QImage::Format_RGB32);
    }

    void compare()
    {
        const double dpr = rig_.window->devicePixelRatioF();
        const QImage grab = rig_.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage screen = shot();
        const QPoint at = locate(screen, grab, int(rig_.window->menuBar()->height() * dpr));
        // Not found, it differs whole. The last device row and column left
        // out: at scale 2 Qt's window frame covers the last row.
        QRect differ = at.x() < 0 ? grab.rect() : QRect();
        for (int y = 0; at.x() >= 0 && y + 1 < grab.height(); ++y)
            for (int x = 0; x + 1 < grab.width(); ++x)
                if (apart(screen.pixel(at + QPoint(x, y)), grab.pixel(x, y))) differ |= QRect(x, y, 1, 1);
        if (differ.isNull()) {
            std::printf("PASS: %s\n", kSteps[step_]);
        } else {
            ++failed_;
            const QString base = QStringLiteral("wayland_frames-x%1-%2").arg(dpr).arg(step_);
            grab.save(base + "-window.png");
            (at.x() < 0 ? screen : screen.copy(QRect(at, grab.size()))).save(base + "-screen.png");
            std::printf("FAIL: %s: the screen %s in %d,%d %dx%d of its device pixels (%s-*.png)\n", kSteps[step_],
                        at.x() < 0 ? "does not show the window" : "differs from the window", differ.x(), differ.y(),
                        differ.width(), differ.height(), qPrintable(base));
        }
        std::fflush(stdout);
        ready_ = [] { return true; };
        if (++step_ == int(std::size(kSteps))) {
            QCoreApplication::exit(failed_ ? 1 : 0);
            return;
        }
        act(QString::fromLatin1(kSteps[step_]));
        settle();
    }

    testing::Rig rig_;
    QObjectList held_; // the window's timers: its ticks come from act()
    int step_ = -1;
    int paints_ = 0, paintsBefore_ = 0;
    bool awaiting_ = false;
    std::function<bool()> ready_ = [] { return true; };
    int failed_ = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0); // a blinking cursor would paint on its own
    Frames frames;
    return QApplication::exec();
}

#pragma once
// For start-up benchmarks (bench builds only, never the shipped program): when
// KORVANE_REPORT_SHOWN names a file, the moment the window's first frame is on
// screen is written to it once, as
// CLOCK_REALTIME nanoseconds on one line, so that a script can subtract the
// moment it started the process. Without the variable nothing is installed.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace bench {

namespace detail {

class FirstFrameReport : public QObject
{
public:
    FirstFrameReport(QWidget &window, QByteArray path)
        : QObject(QCoreApplication::instance()), window_(window), path_(std::move(path))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched == window_.windowHandle() && window_.windowHandle()->isExposed()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // The widgets paint and flush while this expose is handled; a
            // zero timer runs once that is done.
            QTimer::singleShot(0, this, [this] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                if (FILE *file = std::fopen(path_.constData(), "w")) {
                    std::fprintf(file, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fclose(file);
                }
                deleteLater();
            });
        }
        return false;
    }

private:
    QWidget &window_;
    QByteArray path_;
};

} // namespace detail

// Call before the window is shown.
inline void reportFirstFrame(QWidget &window)
{
    const QByteArray path = qgetenv("KORVANE_REPORT_SHOWN");
    if (!path.isEmpty()) new detail::FirstFrameReport(window, path);
}

} // namespace bench

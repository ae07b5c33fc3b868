// Ten minutes of play as fast as it goes: 3000 ticks of 0.2 s with the redraw
// each asks for, a move every five seconds and warning cues, on the clock's
// real window (fake time and sound) or on the baseline label. Prints the cost
// of a tick and the resident memory before and after, one "key value" a line.
//   playbench korvane|baseline [ticks]
#include "bench/baselinewindow.h"
#include "support/fakes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

namespace {

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Counts paints of the widgets that show the time, to tell the ticks that
// redrew a clock face from those that did not.
class PaintWatch : public QObject
{
public:
    QSet<QObject *> faces;
    int facePaints = 0;
    int paints = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (faces.contains(watched)) ++facePaints;
        }
        return false;
    }
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(double(v.size()) * p))];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || (std::strcmp(argv[1], "korvane") && std::strcmp(argv[1], "baseline"))) {
        std::fprintf(stderr, "usage: playbench korvane|baseline [ticks]\n");
        return 2;
    }
    const bool clock = std::strcmp(argv[1], "korvane") == 0;
    const int ticks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3000;
    QApplication app(argc, argv);
    PaintWatch watch;
    app.installEventFilter(&watch);

    std::unique_ptr<testing::Rig> rig;
    std::unique_ptr<bench::BaselineWindow> baseline;
    QWidget *window = nullptr;
    std::function<void()> tick;
    std::function<void()> move = [] {};
    if (clock) {
        rig = std::make_unique<testing::Rig>();
        window = rig->window.get();
        // Four minutes each, then 30 s a move: five-second moves run both
        // sides into byo-yomi but never out of time.
        const char *fields[] = {"4", "0", "4", "0", "0", "30"};
        for (int i = 0; i < 6; ++i) rig->find<QLineEdit>(QStringLiteral("Text1(%1)").arg(i))->setText(fields[i]);
        rig->window->module1() = {60, 30, 10};
        watch.faces = {rig->find<QLabel>("Label1(0)"), rig->find<QLabel>("Label1(1)")};
        tick = [&rig] {
            rig->time.advance(0.2);
            rig->window->Timer1_Timer();
        };
        move = [&rig] {
            QTest::mouseClick(rig->find<QPushButton>("Command1(0)"), Qt::LeftButton);
            rig->sound.log.clear(); // the fake's own record is no part of the program
        };
    } else {
        baseline = std::make_unique<bench::BaselineWindow>();
        window = baseline.get();
        watch.faces = {window};
        tick = [&baseline] { baseline->step(); };
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    if (clock) {
        QTest::mouseClick(rig->find<QPushButton>("Command2"), Qt::LeftButton);
        QTest::mouseClick(rig->find<QPushButton>("Command1(0)"), Qt::LeftButton);
    }
    QCoreApplication::sendPostedEvents();

    const long before = residentKb();
    std::vector<double> all, faces;
    all.reserve(ticks);
    QElapsedTimer timer;
    const int paintsBefore = watch.paints;
    for (int i = 0; i < ticks; ++i) {
        const int facePaints = watch.facePaints;
        timer.start();
        tick();
        // The redraw the tick asked for: the pending update requests paint
        // what changed and flush it to the window system.
        QCoreApplication::sendPostedEvents();
        const double us = timer.nsecsElapsed() / 1000.0;
        all.push_back(us);
        if (watch.facePaints != facePaints) faces.push_back(us);
        if (i % 25 == 24) {
            move();
            QCoreApplication::sendPostedEvents();
        }
    }
    const long after = residentKb();

    std::printf("ticks %d\n", ticks);
    std::printf("paints %d\n", watch.paints - paintsBefore);
    std::printf("tick_mean_us %.1f\n", std::accumulate(all.begin(), all.end(), 0.0) / all.size());
    std::printf("tick_median_us %.1f\n", percentile(all, 0.5));
    std::printf("tick_p99_us %.1f\n", percentile(all, 0.99));
    std::printf("redraw_ticks %zu\n", faces.size());
    std::printf("redraw_median_us %.1f\n", percentile(faces, 0.5));
    std::printf("rss_before_kb %ld\n", before);
    std::printf("rss_after_kb %ld\n", after);
    std::printf("rss_growth_kb %ld\n", after - before);
    return 0;
}

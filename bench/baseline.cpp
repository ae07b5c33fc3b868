// The baseline program: a bare Qt window whose one label a 200 ms timer
// rewrites. Started and measured by bench/compare.sh beside the clock.
#include "bench/baselinewindow.h"
#include "bench/firstframe.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    bench::BaselineWindow window;
    bench::reportFirstFrame(window);
    window.show();
    QTimer timer;
    timer.setInterval(200);
    QObject::connect(&timer, &QTimer::timeout, &window, [&window] { window.step(); });
    timer.start();
    return app.exec();
}

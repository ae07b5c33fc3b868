#include "clock/steadymidnightclock.h"
#include "sound/qtmediadevice.h"
#include "sound/tonebeeper.h"
#include "ui/appsetup.h"
#include "ui/mainwindow.h"
#include "ui/messageboxes.h"
#include "ui/startupreport.h"

#include <QApplication>
#include <QDesktopServices>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Wayland desktops find the window's desktop entry, and so its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVANE_APP_ID));
    ui::installFontSubstitutes();
    ui::loadQtTranslation(app);

    gameclock::SteadyMidnightClock time;
    ui::QtMessageBoxes boxes;
    sound::QtMediaDevice device;
    sound::ToneBeeper beeper([] {
        for (int i = 0; i < 3; ++i) QApplication::beep();
    });
    ui::MainWindow window({time, boxes, device, beeper, &QDesktopServices::openUrl});
    boxes.setParent(&window);
    ui::reportFirstFrame(window);
    window.show();
    return app.exec();
}

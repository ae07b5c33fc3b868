#include "clock/steadymidnightclock.h"
#include "sound/player.h"
#include "sound/pulsemediadevice.h"
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
    ui::installFontSubstitutes();
    ui::loadQtTranslation(app);

    gameclock::SteadyMidnightClock time;
    ui::QtMessageBoxes boxes;
    sound::Player player; // outlives the device, the beeper and the window that use it
    sound::PulseMediaDevice device(player);
    sound::ToneBeeper beeper(player, [] {
        for (int i = 0; i < 3; ++i) QApplication::beep();
    });
    ui::MainWindow window({time, boxes, device, beeper, &QDesktopServices::openUrl});
    boxes.setParent(&window);
    ui::reportFirstFrame(window);
    window.show();
    return app.exec();
}

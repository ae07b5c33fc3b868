#include "ui/app.h"

#include "clock/steadymidnightclock.h"
#include "sound/player.h"
#include "sound/pulsemediadevice.h"
#include "sound/tonebeeper.h"
#include "sound/voice.h"
#include "ui/appsetup.h"
#include "ui/commandline.h"
#include "ui/idleinhibitor.h"
#include "ui/mainwindow.h"
#include "ui/messageboxes.h"

#include <QApplication>
#include <QDesktopServices>
#include <csignal>
#include <memory>

namespace ui {

int runApp(int argc, char *argv[], const AppOptions &options)
{
    if (const auto status = commandline::answerFirst(argc, argv)) return *status;
    // A save that meets a file-size limit must fail with a notice, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    auto guard = std::make_unique<commandline::SessionGuard>();
    QApplication app(argc, argv);
    guard.reset();
    if (const auto status = commandline::refuseLeftovers(argc, argv)) return *status;
    // Wayland desktops find the window's desktop entry, and so its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVANE_APP_ID));
    loadQtTranslation(app);

    gameclock::SteadyMidnightClock time;
    QtMessageBoxes boxes;
    sound::Player player; // outlives the device, the beeper and the window that use it
    sound::PulseMediaDevice device(player);
    sound::ToneBeeper beeper(player, [] {
        for (int i = 0; i < 3; ++i) QApplication::beep();
    });
    sound::Voice voice; // as the player: it outlives the window
    DesktopIdleInhibitor inhibitor(kAppTitle, QStringLiteral("対局時計が動いています"));
    MainWindow window({time, boxes, device, beeper, voice, &QDesktopServices::openUrl, options.alignTicks, &inhibitor});
    boxes.setParent(&window);
    if (options.beforeShow) options.beforeShow(window);
    window.show();
    return app.exec();
}

} // namespace ui

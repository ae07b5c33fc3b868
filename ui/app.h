#pragma once
// The program: its application object, the main window over the real time,
// sound and message boxes, and the event loop.
#include <functional>

class QWidget;

namespace ui {

// What benchmark builds change; the program itself takes the defaults.
struct AppOptions
{
    // Sees the main window just before it is first shown.
    std::function<void(QWidget &)> beforeShow;
    // Ticks phased to the running player's whole seconds.
    bool alignTicks = true;
};

int runApp(int argc, char *argv[], const AppOptions &options = {});

} // namespace ui

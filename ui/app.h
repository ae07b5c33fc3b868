#pragma once
// The program: its application object, the main window over the real time,
// sound and message boxes, and the event loop.
#include <functional>

class QWidget;

namespace ui {

// beforeShow, if given, sees the main window just before it is first shown
// (benchmark builds hook in there).
int runApp(int argc, char *argv[], const std::function<void(QWidget &)> &beforeShow = {});

} // namespace ui

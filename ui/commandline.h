#pragma once
// What the program answers on its terminal instead of opening the window:
// --help and --version (with or without a display), an argument it does not
// know, and a start outside any graphical session.
#include <QtGlobal>
#include <optional>

namespace ui::commandline {

// Before the application object: the exit status once --help or --version
// is answered on standard output, or 1 once there is plainly no display to
// open the window on; else nothing.
std::optional<int> answerFirst(int argc, char *argv[]);

// After the application object took Qt's own options (-platform, -style...):
// 2, said on standard error, when an argument is left; else nothing.
std::optional<int> refuseLeftovers(int argc, char *argv[]);

// While it lives, a window system that cannot be reached (a display that is
// not there, no usable platform plugin) ends the program with status 1 and
// the same word as no display at all, instead of Qt's abort.
class SessionGuard
{
public:
    SessionGuard();
    ~SessionGuard();
    SessionGuard(const SessionGuard &) = delete;
    SessionGuard &operator=(const SessionGuard &) = delete;

private:
    QtMessageHandler previous_;
};

} // namespace ui::commandline

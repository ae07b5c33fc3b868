// Watches a window from outside, through the X server: prints a line for each
// rectangle drawn into it (XDamage, raw rectangles) and for each new top-level
// window mapped, stamped with CLOCK_MONOTONIC when the event reached us.
//
//   damagewatch WINDOW SECONDS
//
//   ready                      once watching (events before it are not seen)
//   D <µs> <x> <y> <w> <h> <ms>
//                              a rectangle drawn, in window coordinates, and
//                              the server's own time of it (whole ms of the
//                              same monotonic clock): how late we heard of it
//   M <µs> <window>            a window mapped on the root (a dialog box)
//
// It stops after SECONDS or when the window goes away. bench/displaylag.sh
// reads the lines.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>

namespace {

long long nowMicroseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000LL + ts.tv_nsec / 1000;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW SECONDS\n", argv[0]);
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const long long end = nowMicroseconds() + std::llround(std::atof(argv[2]) * 1e6);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "damagewatch: cannot open the display\n");
        return 1;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "damagewatch: the X server has no DAMAGE extension\n");
        return 1;
    }
    // Raw rectangles: one event per drawing request, nothing merged or held back.
    XDamageCreate(display, window, XDamageReportRawRectangles);
    XSelectInput(display, window, StructureNotifyMask);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    // The server reports the whole window as drawn when the watch begins: not news.
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("ready\n");

    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        // Stamp the events as they arrive: wait on the socket, not in Xlib.
        while (XPending(display) == 0) {
            const long long left = end - nowMicroseconds();
            if (left <= 0) return 0;
            if (poll(&fd, 1, int(left / 1000) + 1) < 0 && errno != EINTR) return 1;
        }
        const long long stamp = nowMicroseconds();
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify) {
                const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
                std::printf("D %lld %d %d %d %d %lu\n", stamp, damage.area.x, damage.area.y, damage.area.width,
                            damage.area.height, damage.timestamp);
            } else if (event.type == MapNotify && event.xmap.event != window) {
                std::printf("M %lld 0x%lx\n", stamp, event.xmap.window);
            } else if (event.type == DestroyNotify && event.xdestroywindow.window == window) {
                return 0;
            }
        }
    }
}

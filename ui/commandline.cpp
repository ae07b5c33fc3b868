#include "ui/commandline.h"

#include "version.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ui::commandline {
namespace {

constexpr char kHelp[] = "使い方: korvane [--help | --version]\n"
                         "囲碁・将棋の対局時計コルヴァンのウィンドウを開きます。設定ファイル korvane.ini と\n"
                         "音のファイルは、起動したディレクトリで探します。\n"
                         "  -h, --help   この説明を表示して終わります\n"
                         "  --version    バージョンを表示して終わります\n"
                         "\n"
                         "Usage: korvane [--help | --version]\n"
                         "Opens the window of Korvane, a game clock for Go and shogi. The settings file\n"
                         "korvane.ini and the sound files are looked up in the directory it is started in.\n"
                         "  -h, --help   show this help and exit\n"
                         "  --version    show the version and exit\n";

constexpr char kNoSession[] =
    "korvane: ウィンドウを開けません。グラフィカルなセッション（X11 または Wayland）の中で起動してください。\n"
    "korvane: cannot open a window: start it inside a graphical session (X11 or Wayland).\n";

bool is(const char *argument, const char *name) { return std::strcmp(argument, name) == 0; }

QtMessageHandler forward = nullptr; // the handler the guard stands in front of

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) return forward(type, context, message); // Qt's own account of what failed
    std::fputs(kNoSession, stderr);
    std::fflush(stderr);
    std::_Exit(1); // where Qt would abort, and leave a core behind
}

} // namespace

std::optional<int> answerFirst(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (is(argv[i], "--help") || is(argv[i], "-h")) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (is(argv[i], "--version")) {
            std::printf("korvane %s\n", KORVANE_VERSION);
            return 0;
        }
    }
    // No display, and none named to Qt: nothing to try.
    bool displayNamed = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) displayNamed |= is(argv[i], "-platform") || is(argv[i], "-display");
    if (displayNamed) return std::nullopt;
    std::fputs(kNoSession, stderr);
    return 1;
}

std::optional<int> refuseLeftovers(int argc, char *argv[])
{
    if (argc < 2) return std::nullopt;
    std::fprintf(stderr, "korvane: 不明な引数「%s」です。使い方は korvane --help で表示します。\n"
                         "korvane: unknown argument '%s'; see korvane --help.\n", argv[1], argv[1]);
    return 2;
}

SessionGuard::SessionGuard() : previous_(qInstallMessageHandler(handler)) { forward = previous_; }

SessionGuard::~SessionGuard() { qInstallMessageHandler(previous_); }

} // namespace ui::commandline

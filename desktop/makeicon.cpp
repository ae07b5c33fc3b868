// Build-time tool: writes the window's icon as a PNG for the desktop's icon theme.
#include "ui/appsetup.h"
#include "ui/pictures.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    ui::installFontSubstitutes();
    return ui::pictures::appIcon().pixmap(32, 32).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}

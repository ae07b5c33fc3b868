// Build-time tool: renders the scalable icon as PNGs for the desktop's icon
// theme, so the installed sizes and the window's icon come from one drawing.
//
//   makeicon icon.svg SIZE OUT.png [SIZE OUT.png]...
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char *argv[])
{
    if (argc < 4 || argc % 2) return 2;
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) return 1;
    for (int i = 2; i + 1 < argc; i += 2) {
        const int size = QByteArray(argv[i]).toInt();
        const QString out = QString::fromLocal8Bit(argv[i + 1]);
        if (size <= 0 || !QDir().mkpath(QFileInfo(out).path())) return 1;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        if (!image.save(out, "PNG")) return 1;
    }
    return 0;
}

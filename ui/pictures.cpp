#include "ui/pictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ui::pictures {

namespace {

// A pixmap of size logical pixels at the zoom, in device pixels, with a
// painter whose coordinates are the picture's own at zoom 1.
struct Canvas
{
    Canvas(QSizeF logical, double zoom, double dpr)
        : pixmap(QSize(int(std::lround(logical.width() * zoom * dpr)), int(std::lround(logical.height() * zoom * dpr))))
    {
        pixmap.setDevicePixelRatio(dpr);
    }
    QPixmap pixmap;
};

// The edge a whole number of device pixels, so the square stays sharp at any scale.
QPixmap lamp(const QColor &face, double zoom, double dpr)
{
    Canvas canvas(QSizeF(kLampSide, kLampSide), zoom, dpr);
    const int side = canvas.pixmap.width(), edge = std::max(1, int(std::lround(2 * zoom * dpr)));
    canvas.pixmap.fill(Qt::black);
    canvas.pixmap.setDevicePixelRatio(1); // painted in device pixels, as measured
    {
        QPainter painter(&canvas.pixmap);
        painter.fillRect(edge, edge, side - 2 * edge, side - 2 * edge, face);
    }
    canvas.pixmap.setDevicePixelRatio(dpr);
    return canvas.pixmap;
}

} // namespace

QPixmap litLamp(double zoom, double dpr) { return lamp(QColor(255, 255, 0), zoom, dpr); }
QPixmap darkLamp(double zoom, double dpr) { return lamp(QColor(160, 160, 160), zoom, dpr); }

QPixmap helpFace(double zoom, double dpr)
{
    Canvas canvas(QSizeF(kHelpFaceSide, kHelpFaceSide), zoom, dpr);
    QPainter painter(&canvas.pixmap);
    painter.scale(zoom, zoom);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, kHelpFaceSide, kHelpFaceSide), QColor(224, 224, 224));
    painter.setPen(QPen(QColor(48, 48, 48), 1.5));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawEllipse(QRectF(3, 3, 25, 25));
    painter.setBrush(QColor(48, 48, 48));
    painter.drawEllipse(QRectF(10, 11, 3, 4));
    painter.drawEllipse(QRectF(18, 11, 3, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(10, 14, 11, 8), 200 * 16, 140 * 16);
    return canvas.pixmap;
}

// Drawn by Qt's SVG icon engine from the same file as the installed icons.
QIcon appIcon() { return QIcon(QStringLiteral(":/korvane.svg")); }

} // namespace ui::pictures

#include "ui/pictures.h"

#include <QFont>
#include <QPainter>
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
        pixmap.fill(Qt::transparent);
    }
    QPixmap pixmap;
};

QPixmap lamp(const QColor &face, double zoom, double dpr)
{
    Canvas canvas(QSizeF(40, 40), zoom, dpr);
    QPainter painter(&canvas.pixmap);
    painter.scale(zoom, zoom);
    painter.fillRect(QRectF(0, 0, 40, 40), Qt::black);
    painter.fillRect(QRectF(2, 2, 36, 36), face);
    return canvas.pixmap;
}

} // namespace

QPixmap litLamp(double zoom, double dpr) { return lamp(QColor(255, 255, 0), zoom, dpr); }
QPixmap darkLamp(double zoom, double dpr) { return lamp(QColor(160, 160, 160), zoom, dpr); }

QPixmap helpFace(double zoom, double dpr)
{
    Canvas canvas(QSizeF(31, 31), zoom, dpr);
    QPainter painter(&canvas.pixmap);
    painter.scale(zoom, zoom);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, 31, 31), QColor(224, 224, 224));
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

QIcon appIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(255, 255, 0));
    QPainter painter(&pixmap);
    painter.setPen(QColor(255, 0, 0));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(26);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("コ"));
    return QIcon(pixmap);
}

} // namespace ui::pictures

#include "ui/pictures.h"

#include <QPainter>

#include <algorithm>

namespace ui::pictures {

namespace {

// The edge is a whole number of device pixels, so the square stays sharp at
// any scale.
QPixmap lamp(const QColor &face, qreal scale)
{
    const int side = qRound(40 * scale), edge = std::max(1, qRound(2 * scale));
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    painter.fillRect(edge, edge, side - 2 * edge, side - 2 * edge, face);
    painter.end();
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

} // namespace

QPixmap litLamp(qreal scale) { return lamp(QColor(255, 255, 0), scale); }
QPixmap darkLamp(qreal scale) { return lamp(QColor(160, 160, 160), scale); }

QPixmap helpFace(qreal scale)
{
    QPixmap pixmap(qRound(31 * scale), qRound(31 * scale));
    pixmap.setDevicePixelRatio(scale); // the painter below draws in layout pixels
    pixmap.fill(QColor(224, 224, 224));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(48, 48, 48), 1.5));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawEllipse(QRectF(3, 3, 25, 25));
    painter.setBrush(QColor(48, 48, 48));
    painter.drawEllipse(QRectF(10, 11, 3, 4));
    painter.drawEllipse(QRectF(18, 11, 3, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(10, 14, 11, 8), 200 * 16, 140 * 16);
    return pixmap;
}

// Drawn by Qt's SVG icon engine from the same file as the installed icons.
QIcon appIcon() { return QIcon(QStringLiteral(":/korvane.svg")); }

} // namespace ui::pictures

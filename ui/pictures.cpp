#include "ui/pictures.h"

#include <QFont>
#include <QPainter>

namespace ui::pictures {

namespace {

QPixmap lamp(const QColor &face)
{
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    painter.fillRect(2, 2, 36, 36, face);
    return pixmap;
}

} // namespace

QPixmap litLamp() { return lamp(QColor(255, 255, 0)); }
QPixmap darkLamp() { return lamp(QColor(160, 160, 160)); }

QPixmap helpFace()
{
    QPixmap pixmap(31, 31);
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

#include "ui/clockface.h"

#include "ui/look.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
constexpr int kPad = 2; // pixels each side of the text, inside the box
}

ClockFace::ClockFace(QWidget *parent, const QRect &twips, double points, double room)
    : QLabel(parent), twips_(twips), points_(points), room_(room)
{
    setAlignment(Qt::AlignCenter);
    setFont(look::font(points, true));
    fit();
}

void ClockFace::setFaceText(const QString &text)
{
    if (text == this->text()) return; // most ticks redraw the same second
    setText(text);
    fit();
}

void ClockFace::setRed(bool red)
{
    QPalette palette = this->palette();
    const QColor colour = red ? look::kRed : look::kBlack;
    if (palette.color(QPalette::WindowText) == colour) return;
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void ClockFace::setZoom(double zoom)
{
    zoom_ = zoom;
    fit();
}

void ClockFace::fit()
{
    const int room = look::pixels(room_, zoom_) - 2 * kPad;
    const QFont font = look::fitted(look::font(points_ * zoom_, true), text(), room);
    int width = QFontMetrics(font).horizontalAdvance(text());
    if (font != this->font()) setFont(font);
    width = std::max(width + 2 * kPad, look::pixels(twips_.width(), zoom_));
    const double centre = look::exactPixels(twips_.x() + twips_.width() / 2.0, zoom_);
    setGeometry(int(std::lround(centre - width / 2.0)), look::pixels(twips_.y(), zoom_), width,
                look::pixels(twips_.height(), zoom_));
}

} // namespace ui

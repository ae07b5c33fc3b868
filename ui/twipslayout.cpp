#include "ui/twipslayout.h"

#include "ui/look.h"

#include <algorithm>
#include <cmath>

namespace ui {

void TwipsLayout::add(QWidget *widget, const char *name, const QRect &twips, const std::optional<QFont> &font,
                      Sizing sizing)
{
    widget->setObjectName(QString::fromLatin1(name));
    entries_.push_back({widget, twips, font, sizing, 0});
    apply(entries_.back());
}

QWidget *TwipsLayout::rule(QWidget *parent, const char *name, int x1, int y1, int x2, int y2, int pixels)
{
    auto *line = new QWidget(parent);
    line->setObjectName(QString::fromLatin1(name));
    // Drawn in the text's colour, whichever the window's palette gives.
    line->setBackgroundRole(QPalette::WindowText);
    line->setAutoFillBackground(true);
    entries_.push_back({line, QRect(QPoint(x1, y1), QPoint(x2, y2)), std::nullopt, Fixed, pixels});
    apply(entries_.back());
    line->lower();
    return line;
}

void TwipsLayout::setZoom(double zoom)
{
    zoom_ = zoom;
    for (const Entry &entry : entries_) apply(entry);
    for (const auto &step : steps_) step(zoom);
}

void TwipsLayout::apply(const Entry &entry) const
{
    QWidget *widget = entry.widget;
    if (!widget) return;
    if (entry.thickness > 0) {
        // A rule: its thickness centred on its line, at least a pixel wide.
        const int thick = std::max(1, int(std::lround(entry.thickness * zoom_)));
        const int x = look::pixels(entry.twips.left(), zoom_), y = look::pixels(entry.twips.top(), zoom_);
        if (entry.twips.left() == entry.twips.right())
            widget->setGeometry(x - thick / 2, y, thick, look::pixels(entry.twips.height() - 1, zoom_));
        else
            widget->setGeometry(x, y - thick / 2, look::pixels(entry.twips.width() - 1, zoom_), thick);
        return;
    }
    if (entry.font) {
        QFont font = *entry.font;
        font.setPointSizeF(entry.font->pointSizeF() * zoom_);
        widget->setFont(font);
    }
    widget->setGeometry(look::pixels(entry.twips, zoom_));
    if (entry.sizing == AutoSize) widget->resize(widget->sizeHint());
}

} // namespace ui

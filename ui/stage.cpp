#include "ui/stage.h"

#include "ui/look.h"

#include <algorithm>
#include <cmath>

namespace ui {

Stage::Stage(QSize layout, std::function<void(double)> zoomed, QWidget *parent)
    : QWidget(parent), layout_(layout), zoomed_(std::move(zoomed)), client_(new QWidget(this))
{
    for (QWidget *ground : {static_cast<QWidget *>(this), client_}) {
        QPalette palette = ground->palette();
        palette.setColor(QPalette::Window, look::kCyan);
        ground->setPalette(palette);
        ground->setAutoFillBackground(true);
    }
    setMinimumSize(layout_);
    client_->setGeometry(QRect(QPoint(), layout_));
}

void Stage::fitInto(QSize room)
{
    const double zoom = std::min({1.0, double(room.width()) / layout_.width(), double(room.height()) / layout_.height()});
    setMinimumSize(int(std::floor(layout_.width() * zoom)), int(std::floor(layout_.height() * zoom)));
}

void Stage::resizeEvent(QResizeEvent *)
{
    const double zoom = std::min(double(width()) / layout_.width(), double(height()) / layout_.height());
    const QSize size(int(std::floor(layout_.width() * zoom)), int(std::floor(layout_.height() * zoom)));
    client_->setGeometry(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size));
    if (zoom == zoom_) return;
    zoom_ = zoom;
    zoomed_(zoom);
}

} // namespace ui

#pragma once
// The window's pictures, drawn here rather than shipped.
#include <QIcon>
#include <QPixmap>

namespace ui::pictures {

QPixmap litLamp();   // 40 x 40 yellow square on a black edge
QPixmap darkLamp();  // the same in grey
QPixmap helpFace();  // 31 x 31 greyscale face
QIcon appIcon();     // 32 x 32, red lettering on yellow

} // namespace ui::pictures

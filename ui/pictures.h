#pragma once
// The window's pictures, drawn here rather than shipped. Each is drawn for a
// scale, the device pixels of one layout pixel, so it stays sharp on a screen
// of any density: the pixmap has size x scale device pixels and that scale as
// its device pixel ratio.
#include <QIcon>
#include <QPixmap>

namespace ui::pictures {

QPixmap litLamp(qreal scale = 1);   // 40 x 40 yellow square on a black edge
QPixmap darkLamp(qreal scale = 1);  // the same in grey
QPixmap helpFace(qreal scale = 1);  // 31 x 31 greyscale face
QIcon appIcon();                    // red lettering on yellow, any size

} // namespace ui::pictures

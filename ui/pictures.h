#pragma once
// The window's pictures, drawn here rather than shipped. Each is drawn for a
// zoom of the layout and a device pixel ratio, so that it stays sharp.
#include <QIcon>
#include <QPixmap>

namespace ui::pictures {

QPixmap litLamp(double zoom = 1, double dpr = 1);  // 40 x 40 yellow square on a black edge
QPixmap darkLamp(double zoom = 1, double dpr = 1); // the same in grey
QPixmap helpFace(double zoom = 1, double dpr = 1); // 31 x 31 greyscale face
QIcon appIcon();                                   // red lettering on yellow

} // namespace ui::pictures

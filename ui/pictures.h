#pragma once
// The window's pictures, drawn here rather than shipped. Each is drawn for a
// zoom of the layout and a device pixel ratio, so that it stays sharp.
#include <QIcon>
#include <QPixmap>

namespace ui::pictures {

// Their sides in pixels at zoom 1.
constexpr int kLampSide = 40;
constexpr int kHelpFaceSide = 31;

QPixmap litLamp(double zoom = 1, double dpr = 1);  // a yellow square on a black edge
QPixmap darkLamp(double zoom = 1, double dpr = 1); // the same in grey
QPixmap helpFace(double zoom = 1, double dpr = 1); // a greyscale face
QIcon appIcon();                                   // red lettering on yellow

} // namespace ui::pictures

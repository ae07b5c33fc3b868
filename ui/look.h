#pragma once
// What both windows share in how they look: the one font, the colours, and
// the twips the layout is given in.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <climits>

namespace ui::look {

// 15 twips make a pixel at the layout's own size, zoom 1.
constexpr int kTwipsPerPixel = 15;
int pixels(double twips, double zoom = 1.0);
double exactPixels(double twips, double zoom = 1.0); // not rounded
QRect pixels(const QRect &twips, double zoom = 1.0);

inline const QColor kCyan{128, 255, 255};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlack{0, 0, 0};
inline const QColor kWhite{255, 255, 255};

// The main window's colours, every one of them, the same on any desktop: its
// captions are drawn on the layout's own light colours, where the text of a
// dark desktop palette would not show. Dialogs and boxes keep the desktop's.
QPalette palette();

// The layout's font, "ＭＳ Ｐゴシック", bold unless told otherwise; where it is
// missing a Japanese Gothic stands in for it.
QFont font(double points, bool underline = false, bool bold = true);
// base, or where text is wider than width pixels or a line of the font
// taller than height, the largest smaller size at which it fits.
QFont fitted(const QFont &base, const QString &text, int width, int height = INT_MAX);

} // namespace ui::look

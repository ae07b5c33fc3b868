#include "ui/look.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace ui::look {

namespace {

const QString kFamily = QStringLiteral("ＭＳ Ｐゴシック");

// The layout's font exists only on Windows; proportional Japanese Gothics with
// a real bold face stand in for it elsewhere.
void installFontSubstitutes()
{
    // BIZ UDPゴシック is cut to the same line height as the face it stands in
    // for and has a true bold; IPA Pゴシック has no bold, and Noto Sans CJK's
    // kana are as wide as its kanji and its lines taller: captions may take
    // a smaller size to fit.
    QFont::insertSubstitutions(kFamily, {QStringLiteral("BIZ UDPGothic"), QStringLiteral("IPAPGothic"),
                                         QStringLiteral("Noto Sans CJK JP")});
}

} // namespace

double exactPixels(double twips, double zoom) { return twips * zoom / kTwipsPerPixel; }

int pixels(double twips, double zoom)
{
    return int(std::floor(exactPixels(twips, zoom)));
}

QRect pixels(const QRect &twips, double zoom)
{
    return QRect(pixels(twips.x(), zoom), pixels(twips.y(), zoom), pixels(twips.width(), zoom),
                 pixels(twips.height(), zoom));
}

QPalette palette()
{
    // Qt's own light colours, as a light desktop gives them.
    const QColor face(239, 239, 239), mid = face.darker(130), faint(190, 190, 190), highlight(48, 140, 198);
    QPalette palette(kBlack, face, face.lighter(150), face.darker(150), mid, kBlack, kWhite, kWhite, face);
    palette.setColor(QPalette::Midlight, mid.lighter(110)); // the light 3-D colour
    palette.setColor(QPalette::Shadow, face.darker(150).darker(135));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, kWhite);
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Highlight})
        palette.setColor(QPalette::Disabled, role, faint);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    // Every role of every group set, so that none falls back on the desktop's.
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            if (r != QPalette::NoRole) palette.setBrush(g, r, palette.brush(g, r));
        }
    return palette;
}

QFont font(double points, bool underline, bool bold)
{
    static const bool substituted = (installFontSubstitutes(), true);
    Q_UNUSED(substituted);
    QFont font(kFamily);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(underline);
    return font;
}

QFont fitted(const QFont &base, const QString &text, int width, int height)
{
    const auto fits = [&](const QFont &font) {
        const QFontMetrics metrics(font);
        return metrics.horizontalAdvance(text) <= width && metrics.height() <= height;
    };
    if (fits(base) || width <= 0 || height <= 0) return base;
    // Advances do not scale exactly with the size (hinting): step down to a fit.
    QFont font = base;
    const QFontMetrics metrics(base);
    double size = base.pointSizeF()
                  * std::min(1.0, std::min(double(width) / std::max(1, metrics.horizontalAdvance(text)),
                                           double(height) / metrics.height()));
    do {
        font.setPointSizeF(size);
        size *= 0.98;
    } while (!fits(font) && size > 1);
    return font;
}

} // namespace ui::look

#include "ui/wrapbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <climits>

namespace ui {

namespace {

// Two lines of about equal width, as a reader breaks a word like 一時停止
// (一時 / 停止), where the caption is too wide for one; else Qt's wrapping.
QString broken(const QString &caption, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(caption) <= width) return caption;
    qsizetype best = 0;
    int bestWidth = INT_MAX;
    for (qsizetype i = 1; i < caption.size(); ++i) {
        if (caption[i].isLowSurrogate()) continue;
        const int wider = std::max(metrics.horizontalAdvance(caption.left(i)),
                                   metrics.horizontalAdvance(caption.mid(i)));
        if (wider < bestWidth) {
            best = i;
            bestWidth = wider;
        }
    }
    return bestWidth <= width ? caption.left(best) + u'\n' + caption.mid(best) : caption;
}

} // namespace

void WrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    if (caption.isEmpty()) return;
    const QRect room = rect().adjusted(3, 3, -3, -3);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, broken(caption, fontMetrics(), room.width()));
}

} // namespace ui

#include "ui/zoomstyle.h"

#include <cmath>

namespace ui {

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_RadioButtonLabelSpacing:
        return int(std::lround(size * zoom_));
    default:
        return size;
    }
}

} // namespace ui

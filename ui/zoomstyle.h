#pragma once
// The application's style with the sizes of option buttons' indicators
// scaled by the window's zoom: Qt draws them at a fixed size otherwise.
#include <QProxyStyle>

namespace ui {

class ZoomStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    void setZoom(double zoom) { zoom_ = zoom; }
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    double zoom_ = 1.0;
};

} // namespace ui

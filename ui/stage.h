#pragma once
// The main window's central area: the cyan ground, and on it the layout at
// the largest zoom that fits, centred. At the layout's own size the zoom is 1;
// it is smaller only where the screen is smaller than the layout.
#include <QSize>
#include <QWidget>
#include <functional>

namespace ui {

class Stage : public QWidget
{
    Q_OBJECT
public:
    // layout: the layout's size in pixels at zoom 1; zoomed runs whenever the zoom changes.
    Stage(QSize layout, std::function<void(double)> zoomed, QWidget *parent = nullptr);
    // The widget the layout's controls live on.
    QWidget *client() const { return client_; }
    QSize sizeHint() const override { return layout_; }
    // Lets it shrink, zooming the layout down, to fit a room smaller than the layout.
    void fitInto(QSize room);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize layout_;
    std::function<void(double)> zoomed_;
    QWidget *client_;
    double zoom_ = 1.0;
};

} // namespace ui

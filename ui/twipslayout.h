#pragma once
// Places a window's controls where the layout puts them, in twips, with the
// layout's font sizes, and places them again when the window zooms.
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace ui {

class TwipsLayout
{
public:
    enum Sizing { Fixed, AutoSize }; // AutoSize: sized to its text, top-left kept

    // Names the widget and gives it its place and, if given, its font.
    template <typename W> W *place(W *widget, const char *name, const QRect &twips,
                                   const std::optional<QFont> &font = std::nullopt, Sizing sizing = Fixed)
    {
        add(widget, name, twips, font, sizing);
        return widget;
    }
    // A rule of the given thickness in pixels, from (x1, y1) to (x2, y2).
    QWidget *rule(QWidget *parent, const char *name, int x1, int y1, int x2, int y2, int pixels);
    // Runs, with the zoom, after the controls are placed again.
    void onZoom(std::function<void(double)> step) { steps_.push_back(std::move(step)); }

    void setZoom(double zoom);
    double zoom() const { return zoom_; }

private:
    struct Entry
    {
        QPointer<QWidget> widget;
        QRect twips;
        std::optional<QFont> font;
        Sizing sizing;
        int thickness; // rules only: pixels at zoom 1
    };
    void add(QWidget *widget, const char *name, const QRect &twips, const std::optional<QFont> &font, Sizing sizing);
    void apply(const Entry &entry) const;

    std::vector<Entry> entries_;
    std::vector<std::function<void(double)>> steps_;
    double zoom_ = 1.0;
};

} // namespace ui

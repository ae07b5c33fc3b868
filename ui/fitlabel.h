#pragma once
// A label whose caption stays inside it, in a smaller font where it must.
#include "ui/fitfont.h"

#include <QLabel>

namespace ui {

class FitLabel : public FitFont<QLabel>
{
    Q_OBJECT
public:
    using FitFont<QLabel>::FitFont;
    void setCaption(const QString &text)
    {
        setText(text);
        refit();
    }

protected:
    QRect textRoom() const override { return contentsRect(); }
};

} // namespace ui

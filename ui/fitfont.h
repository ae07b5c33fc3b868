#pragma once
// A text control whose text never runs out of it: the font the window gives
// it is the largest it takes, and a text too wide (or a font too tall) for
// its room makes it take the largest smaller size that fits.
#include "ui/look.h"

#include <QEvent>
#include <QFont>
#include <QResizeEvent>
#include <QRect>

namespace ui {

template <typename Control> class FitFont : public Control
{
public:
    using Control::Control;

    // Fits the font to the text again; for texts set after the control was built.
    void refit()
    {
        const QRect room = textRoom();
        const QFont font = look::fitted(base_, this->text(), room.width(), room.height());
        if (font == this->font()) return;
        own_ = true;
        this->setFont(font);
        own_ = false;
    }

protected:
    // Where the text goes, in the control's own coordinates.
    virtual QRect textRoom() const = 0;

    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange && !own_) {
            base_ = this->font();
            refit();
        }
        Control::changeEvent(event);
    }
    void resizeEvent(QResizeEvent *event) override
    {
        Control::resizeEvent(event);
        refit();
    }

private:
    QFont base_ = this->font();
    bool own_ = false; // set while refit() changes the font itself
};

} // namespace ui

#pragma once
// A push button whose caption wraps onto more lines when it is wider than the
// button, as the layout's narrow buttons with large captions need.
#include <QPushButton>

namespace ui {

class WrapButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace ui

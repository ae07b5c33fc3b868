#include "ui/fitlineedit.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

FitLineEdit::FitLineEdit(QWidget *parent) : FitFont<QLineEdit>(parent)
{
    connect(this, &QLineEdit::textChanged, this, &FitLineEdit::refit);
}

QRect FitLineEdit::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    // Inside the frame, less the box's own two-pixel margins and the cursor.
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this).adjusted(2, 0, -3, 0);
}

} // namespace ui

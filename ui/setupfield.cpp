#include "ui/setupfield.h"

#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace ui {

SetupField::SetupField(int limit, QWidget *parent) : FitFont<QLineEdit>(parent), limit_(limit)
{
    setMaxLength(limit);
    // Once the operator edits a long stored text down, the limit holds again.
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        setMaxLength(std::max<int>(limit_, text.size()));
    });
    connect(this, &QLineEdit::textChanged, this, &SetupField::refit);
}

void SetupField::setStoredText(const QString &text)
{
    setMaxLength(std::max<int>(limit_, text.size()));
    setText(text);
}

QRect SetupField::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    // Inside the frame, less the box's own two-pixel margins and the cursor.
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this).adjusted(2, 0, -3, 0);
}

} // namespace ui

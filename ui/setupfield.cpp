#include "ui/setupfield.h"

#include <algorithm>

namespace ui {

SetupField::SetupField(int limit, QWidget *parent) : FitLineEdit(parent), limit_(limit)
{
    setMaxLength(limit);
    // Once the operator edits a long stored text down, the limit holds again.
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        setMaxLength(std::max<int>(limit_, text.size()));
    });
}

void SetupField::setStoredText(const QString &text)
{
    setMaxLength(std::max<int>(limit_, text.size()));
    setText(text);
}

} // namespace ui

#pragma once
// A text box with a character limit that a typist cannot pass, but that keeps
// a longer text given to it verbatim (QLineEdit::setText would cut it).
#include <QLineEdit>

namespace ui {

class SetupField : public QLineEdit
{
    Q_OBJECT
public:
    SetupField(int limit, QWidget *parent = nullptr);
    int limit() const { return limit_; }
    void setStoredText(const QString &text);

private:
    int limit_;
};

} // namespace ui

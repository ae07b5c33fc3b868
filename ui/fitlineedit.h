#pragma once
// A text box whose text stays inside it, in a smaller font where it must.
#include "ui/fitfont.h"

#include <QLineEdit>

namespace ui {

class FitLineEdit : public FitFont<QLineEdit>
{
    Q_OBJECT
public:
    explicit FitLineEdit(QWidget *parent = nullptr);

protected:
    QRect textRoom() const override;
};

} // namespace ui

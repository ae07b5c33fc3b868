#pragma once
// Form2: the warning-times dialog. Modeless; destroys itself when closed. A
// dialog to the desktop and a screen reader: Enter stores, as 設定する does,
// and Esc cancels, as キャンセル does.
#include "clock/module1.h"
#include "ui/messageboxes.h"
#include "ui/twipslayout.h"

#include <QDialog>

namespace ui {

class SetupField;

class Form2 : public QDialog
{
    Q_OBJECT
public:
    Form2(gameclock::Module1 &thresholds, MessageBoxes &boxes, QWidget *parent = nullptr);

    void Command1_Click(); // "設定する"
    void Command2_Click(); // "キャンセル"

private:
    gameclock::Module1 &module1_;
    MessageBoxes &boxes_;
    TwipsLayout layout_;
    SetupField *text_[3]; // Text1, Text2, Text3: wtime1, wtime2, wtime3
};

} // namespace ui

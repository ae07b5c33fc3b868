#pragma once
// 時間修正: an arbiter's correction of each player's main time, byo-yomi left
// and move number while the game is paused. Window-modal, opened without
// waiting; it hands the corrected values on and destroys itself when closed.
#include "clock/gameclock.h"
#include "ui/messageboxes.h"

#include <QDialog>
#include <array>
#include <functional>

class QLineEdit;

namespace ui {

class TimeCorrection : public QDialog
{
    Q_OBJECT
public:
    using Standing = std::array<gameclock::GameClock::Standing, 2>;
    TimeCorrection(const Standing &standing, MessageBoxes &boxes, std::function<void(const Standing &)> apply,
                   QWidget *parent);

    void accept() override; // OK: every box read, or a notice and nothing changed

private:
    struct Row
    {
        QLineEdit *minutes, *seconds, *byo, *moves;
    };
    std::optional<Standing> read();

    Standing shown_;
    MessageBoxes &boxes_;
    std::function<void(const Standing &)> apply_;
    Row rows_[2];
};

} // namespace ui

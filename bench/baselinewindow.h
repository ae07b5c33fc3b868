#pragma once
// The least a clock window can be: one large label counting down mm:ss, a
// step of 0.2 s at a time. What the clock is measured against.
#include <QFont>
#include <algorithm>
#include <QLabel>
#include <QString>

namespace bench {

class BaselineWindow : public QLabel
{
public:
    BaselineWindow()
    {
        QFont big = font();
        big.setPointSizeF(99.75); // the clock faces' size
        setFont(big);
        setAlignment(Qt::AlignCenter);
        step();
    }

    // One timer tick: the label gets the text for the time now left.
    void step()
    {
        const int left = std::max(0, 600 - steps_ / 5);
        ++steps_;
        setText(QString::asprintf("%02d:%02d", left / 60, left % 60));
    }

private:
    int steps_ = 0;
};

} // namespace bench

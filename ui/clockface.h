#pragma once
// A player's remaining time: a label that sizes itself to its text about a
// fixed centre. Where the text is wider than the room its half of the window
// gives, it takes a smaller font, as large as fits; otherwise the layout's.
#include <QLabel>

namespace ui {

class ClockFace : public QLabel
{
    Q_OBJECT
public:
    // twips: the layout's box, whose centre the text keeps; room: the widest
    // the text may be, in twips, so that it stays inside its half.
    ClockFace(QWidget *parent, const QRect &twips, double points, double room);

    void setFaceText(const QString &text);
    void setRed(bool red);
    void setZoom(double zoom);

private:
    void fit();

    QRect twips_;
    double points_;
    double room_;
    double zoom_ = 1.0;
};

} // namespace ui

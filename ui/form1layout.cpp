#include "ui/form1layout.h"

#include "clock/captions.h"
#include "common/wording.h"
#include "ui/clockface.h"
#include "ui/fitlabel.h"
#include "ui/fitlineedit.h"
#include "ui/look.h"
#include "ui/setupfield.h"
#include "ui/wrapbutton.h"
#include "ui/zoomstyle.h"
#include "version.h"

#include <QLabel>
#include <QRadioButton>
#include <algorithm>

namespace ui {

namespace {

enum Style : unsigned { Plain = 0, Red = 1, Centre = 2, Right = 4, Underline = 8 };

Qt::Alignment alignment(unsigned style)
{
    return ((style & Centre) ? Qt::AlignHCenter : (style & Right) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// The two are one choice, and say so to a screen reader; but where Qt takes
// the unchosen one out of the Tab order as the chosen one takes the focus,
// Tab visits both here, as the layout has it.
class OptionButton : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QRadioButton::focusInEvent(event);
        for (auto *other : parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly))
            other->setFocusPolicy(focusPolicy());
    }
};

class Builder
{
public:
    Builder(TwipsLayout &layout, QWidget *client) : layout_(layout), client_(client) {}

    QLabel *label(const char *name, const char16_t *text, QRect twips, double points, unsigned style = Plain,
                  TwipsLayout::Sizing sizing = TwipsLayout::Fixed)
    {
        // A label sized to its text needs no fitting; a fixed one may.
        QLabel *label = sizing == TwipsLayout::AutoSize ? new QLabel(QString::fromUtf16(text), client_)
                                                        : new FitLabel(QString::fromUtf16(text), client_);
        label->setAlignment(alignment(style));
        // A caption lies on the window, beneath its buttons: a click on a button goes to the button.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (style & Red) setColour(label, QPalette::WindowText, look::kRed);
        return layout_.place(label, name, twips, look::font(points, style & Underline), sizing);
    }
    FitLabel *fitLabel(const char *name, const char16_t *text, QRect twips, double points, unsigned style)
    {
        return static_cast<FitLabel *>(label(name, text, twips, points, style));
    }
    WrapButton *button(const char *name, const QString &text, QRect twips, double points, unsigned style = Plain)
    {
        return layout_.place(new WrapButton(text, client_), name, twips, look::font(points, style & Underline));
    }
    WrapButton *button(const char *name, const char16_t *text, QRect twips, double points, unsigned style = Plain)
    {
        return button(name, QString::fromUtf16(text), twips, points, style);
    }
    SetupField *field(int index, const char16_t *text, QRect twips, int limit, bool white = false)
    {
        auto *field = new SetupField(limit, client_);
        field->setText(QString::fromUtf16(text));
        field->setAlignment(Qt::AlignCenter);
        field->setAccessibleName(common::setupFieldName(index));
        if (white) setColour(field, QPalette::Base, look::kWhite);
        const QByteArray name = "Text1(" + QByteArray::number(index) + ')';
        return layout_.place(field, name.constData(), twips, look::font(18));
    }
    QLineEdit *nameBox(const char *name, const char16_t *accessible, QRect twips)
    {
        auto *box = new FitLineEdit(client_);
        box->setText(gameclock::caption::defaultName);
        box->setAlignment(Qt::AlignCenter);
        box->setAccessibleName(QString::fromUtf16(accessible));
        // The light 3-D colour of the platform's controls, with black text on it.
        setColour(box, QPalette::Base, box->palette().color(QPalette::Midlight));
        setColour(box, QPalette::Text, look::kBlack);
        return layout_.place(box, name, twips, look::font(12));
    }
    QRadioButton *option(const char *name, const char16_t *text, const char16_t *accessible, QRect twips)
    {
        auto *option = new OptionButton(QString::fromUtf16(text), client_);
        option->setAccessibleName(QString::fromUtf16(accessible));
        setColour(option, QPalette::Window, look::kCyan);
        setColour(option, QPalette::Button, look::kCyan);
        option->setAutoFillBackground(true);
        // The indicator grows with the window's zoom, as the caption does.
        auto *style = new ZoomStyle();
        style->setParent(option);
        option->setStyle(style);
        layout_.onZoom([option, style](double zoom) {
            style->setZoom(zoom);
            option->setStyle(style); // makes the button take the new sizes
        });
        return layout_.place(option, name, twips, look::font(9.75, true));
    }
    QLabel *image(const char *name, QRect twips)
    {
        return layout_.place(new QLabel(client_), name, twips);
    }
    void rule(const char *name, int x1, int y1, int x2, int y2, int pixels)
    {
        layout_.rule(client_, name, x1, y1, x2, y2, pixels);
    }
    ClockFace *clock(const char *name, QRect twips, double room)
    {
        auto *face = new ClockFace(client_, twips, 99.75, room);
        face->setObjectName(QString::fromLatin1(name));
        layout_.onZoom([face](double zoom) { face->setZoom(zoom); });
        return face;
    }

private:
    TwipsLayout &layout_;
    QWidget *client_;
};

} // namespace

Form1Controls buildForm1(TwipsLayout &layout, QWidget *client)
{
    using S = TwipsLayout::Sizing;
    Builder b(layout, client);
    Form1Controls c;

    // The set-up row.
    c.command7 = b.button("Command7", u"全て0に", {0, 0, 930, 290}, 8.25);
    b.label("Label2(6)", u"持　　ち　　時　　間", {240, 75, 3975, 255}, 12, Centre | Red);
    b.label("Label2(0)", u"LEFT", {120, 240, 975, 375}, 18);
    c.text1[0] = b.field(0, u"10", {120, 600, 735, 495}, 3, true);
    b.label("Label3(0)", u"分", {840, 720, 390, 360}, 18, Plain, S::AutoSize);
    c.text1[1] = b.field(1, u"0", {1200, 600, 615, 495}, 2);
    b.label("Label3(1)", u"秒", {1800, 720, 390, 360}, 18, Plain, S::AutoSize);
    b.label("Label2(4)", u"RIGHT", {2280, 240, 1215, 375}, 18);
    c.text1[2] = b.field(2, u"10", {2280, 600, 735, 495}, 3, true);
    b.label("Label3(5)", u"分", {3000, 720, 390, 360}, 18, Plain, S::AutoSize);
    c.text1[3] = b.field(3, u"0", {3360, 600, 615, 495}, 2);
    b.label("Label3(6)", u"秒", {3960, 720, 390, 360}, 18, Plain, S::AutoSize);
    b.label("Label2(1)", u"通常加算", {4560, 75, 1095, 375}, 12, Red);
    c.text1[4] = b.field(4, u"10", {4680, 600, 615, 495}, 2);
    b.label("Label3(3)", u"秒", {5280, 720, 390, 360}, 18, Plain, S::AutoSize);
    b.label("Label2(5)", u"持ち時間", {5880, 75, 1095, 255}, 12, Red);
    b.label("Label2(7)", u"切れ後 一手", {5880, 345, 1455, 255}, 12, Red);
    c.text1[5] = b.field(5, u"0", {5880, 600, 615, 495}, 2);
    b.label("Label3(2)", u"秒", {6480, 720, 375, 360}, 18, Plain, S::AutoSize);
    b.label("Label3(4)", u"以内", {6840, 840, 510, 240}, 12, Plain, S::AutoSize);
    b.label("Label5", u"初め", {7680, 80, 855, 255}, 14.25, Red);
    c.option1[0] = b.option("Option1(0)", u"LEFT", u"初めに指す人：LEFT", {7560, 480, 930, 285});
    c.option1[1] = b.option("Option1(1)", u"RIGHT", u"初めに指す人：RIGHT", {7560, 840, 1170, 285});
    c.option1[0]->setChecked(true);
    c.command2 = b.button("Command2", u"セット", {8760, 480, 1215, 615}, 18);
    b.label("Label4", u"コルヴァン", {9120, 75, 1935, 255}, 11.25, Underline | Right);
    b.label("Label6", u"Ver  " KORVANE_VERSION, {9120, 315, 1935, 255}, 11.25, Underline | Right);
    c.command6 = b.button("Command6", u"", {10080, 600, 495, 495}, 18, Underline);
    c.command6->setAccessibleName(QStringLiteral("ヘルプ"));
    b.label("Label8", u"←", {10600, 630, 735, 255}, 9);
    b.label("Label7", u"HELP", {10600, 840, 615, 375}, 11.25);
    b.rule("Line1", 4440, 120, 4440, 1080, 1);
    b.rule("Line4", 5760, 120, 5760, 1080, 1);
    b.rule("Line3", 7440, 120, 7440, 1080, 1);
    b.rule("Line2(0)", 120, 1200, 11040, 1200, 5);
    b.rule("Line2(1)", 120, 4200, 11040, 4200, 5);

    // The clock band. Each clock's text stays within its half, the two halves
    // split by Line5: as wide as the narrower half allows about its centre.
    b.label("Label2(2)", u"LEFT ", {720, 1380, 975, 375}, 18, Right);
    c.text2 = b.nameBox("Text2", u"LEFT のプレイヤ名", {1800, 1430, 2175, 330});
    c.image1[0] = b.image("Image1(0)", {4080, 1335, 600, 600});
    c.label11 = b.fitLabel("Label11", u"", {4680, 1560, 735, 495}, 18, Underline | Centre);
    c.label12 = b.fitLabel("Label12", u"", {5640, 1560, 735, 495}, 18, Underline | Centre);
    c.image1[1] = b.image("Image1(1)", {6360, 1335, 600, 600});
    // What a screen reader says of them: the number or time shown, and whose it is.
    c.image1[0]->setAccessibleName(QStringLiteral("LEFT の手番ランプ"));
    c.image1[1]->setAccessibleName(QStringLiteral("RIGHT の手番ランプ"));
    c.label11->setAccessibleDescription(QStringLiteral("LEFT の手数"));
    c.label12->setAccessibleDescription(QStringLiteral("RIGHT の手数"));
    c.text3 = b.nameBox("Text3", u"RIGHT のプレイヤ名", {7080, 1440, 2175, 330});
    b.label("Label2(3)", u"RIGHT ", {9240, 1380, 1335, 375}, 18, Right);
    const QRect leftClock(2400, 1800, 675, 1995), rightClock(8060, 1800, 675, 1995);
    const double centre = 5520;
    const double room = 2 * std::min({leftClock.x() + leftClock.width() / 2.0,
                                      centre - (leftClock.x() + leftClock.width() / 2.0),
                                      rightClock.x() + rightClock.width() / 2.0 - centre,
                                      kForm1Width - (rightClock.x() + rightClock.width() / 2.0)});
    c.label1[0] = b.clock("Label1(0)", leftClock, room);
    c.label1[1] = b.clock("Label1(1)", rightClock, room);
    c.label1[0]->setAccessibleDescription(QStringLiteral("LEFT の残り時間"));
    c.label1[1]->setAccessibleDescription(QStringLiteral("RIGHT の残り時間"));
    c.image2[0] = b.image("Image2(0)", {120, 1320, 600, 600});
    c.image2[1] = b.image("Image2(1)", {10560, 1320, 600, 600});
    c.image2[0]->hide();
    c.image2[1]->hide();
    b.image("MMControl1", {3840, 3840, 3540, 330})->hide();
    b.rule("Line5", 5520, 1320, 5520, 3960, 1);

    // The button band.
    // The captions the game clock reads back as its state.
    namespace caption = gameclock::caption;
    c.command1 = b.button("Command1(0)", caption::pleaseSet, {120, 4320, 7695, 1335}, 36);
    c.command3 = b.button("Command3", caption::pause, {7920, 4320, 1335, 1335}, 20.25);
    c.command5 = b.button("Command5", caption::toSeconds, {9360, 4320, 1695, 615}, 18);
    c.command4 = b.button("Command4", u"終了", {9360, 5040, 1695, 615}, 18);
    return c;
}

} // namespace ui

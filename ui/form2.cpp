#include "ui/form2.h"

#include "common/decimaltext.h"
#include "common/wording.h"
#include "ui/fitlabel.h"
#include "ui/look.h"
#include "ui/setupfield.h"

#include <QPushButton>
#include <optional>

namespace ui {

namespace {

const char16_t *const kBoxNames[3] = {u"１回目", u"２回目", u"３回目"};

} // namespace

Form2::Form2(gameclock::Module1 &thresholds, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent, Qt::WindowCloseButtonHint | Qt::WindowTitleHint), module1_(thresholds),
      boxes_(boxes)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("警告音時間設定"));
    setFixedSize(look::pixels(4335), look::pixels(3300));
    // The layout's font, not bold, at the size of a dialog's text, rather than
    // whatever the desktop gives: the captions are cut to fit their labels,
    // and take a smaller size where a font's are wider. Its colours are the
    // desktop's, whole.
    setFont(look::font(9, false, false));

    auto label = [this](const char *name, const QString &text, QRect twips) {
        layout_.place(new FitLabel(text, this), name, twips);
    };
    label("Label1", QStringLiteral("３回まで警告音をならす時間を設定できます。"), {240, 120, 3855, 255});
    label("Label4", QStringLiteral("必要ない部分は「0」を入力してください。"), {240, 360, 3975, 255});
    const auto values = module1_.wtimes();
    const char *const rowNames[3][3] = {{"Label2(0)", "Text1", "Label3(0)"},
                                        {"Label2(1)", "Text2", "Label3(2)"},
                                        {"Label2(2)", "Text3", "Label3(1)"}};
    for (int i = 0; i < 3; ++i) {
        const int top = 960 + 600 * i;
        label(rowNames[i][0], QString::fromUtf16(kBoxNames[i]) + QStringLiteral("　　残り"), {240, top, 1215, 255});
        // A stored threshold shows in full; the limit holds only for typing.
        auto *box = layout_.place(new SetupField(3, this), rowNames[i][1], {1440, top - 15, 975, 270});
        box->setStoredText(QString::number(values[i]));
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setAccessibleName(QString::fromUtf16(kBoxNames[i]) + QStringLiteral("の警告（残り秒数）"));
        text_[i] = box;
        label(rowNames[i][2], QStringLiteral("秒になったらならす"), {2520, top, 1695, 255});
    }
    layout_.rule(this, "Line1(0)", 240, 765, 4080, 765, 2);
    layout_.rule(this, "Line1(1)", 240, 2520, 4080, 2520, 2);
    auto *store = layout_.place(new QPushButton(QStringLiteral("設定する"), this), "Command1", {360, 2760, 1455, 375});
    auto *cancel = layout_.place(new QPushButton(QStringLiteral("キャンセル"), this), "Command2", {2520, 2760, 1455, 375});
    // Enter presses 設定する, or the button that has the focus, as in any dialog.
    store->setDefault(true);
    connect(store, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(cancel, &QPushButton::clicked, this, &Form2::Command2_Click);

    setTabOrder(text_[0], text_[1]);
    setTabOrder(text_[1], text_[2]);
    setTabOrder(text_[2], store);
    setTabOrder(store, cancel);
    text_[0]->setFocus();
}

void Form2::Command1_Click()
{
    // All three or none: a half-stored set of thresholds would surprise the operator.
    std::array<qint16, 3> values;
    for (int i = 0; i < 3; ++i) {
        const QString text = text_[i]->text();
        const auto value = common::parseInt16(text);
        if (!value) {
            const QString box = QString::fromUtf16(kBoxNames[i]);
            boxes_.notice(common::parseDecimal(text)
                              ? QStringLiteral("%1の%2は -32768 から 32767 までの数にしてください。").arg(box, common::quoted(text))
                              : QStringLiteral("%1の%2は数として読めません。数を入力してください。").arg(box, common::quoted(text)));
            text_[i]->setFocus();
            return;
        }
        values[i] = *value;
    }
    module1_.setWtimes(values);
    accept();
}

// Esc and the frame's close box reject the dialog too.
void Form2::Command2_Click() { reject(); }

} // namespace ui

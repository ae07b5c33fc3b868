#include "ui/form2.h"

#include "common/decimaltext.h"
#include "common/wording.h"
#include "ui/setupfield.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

namespace ui {

namespace {

QRect pixels(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

struct LabelRow
{
    const char *name;
    const char16_t *text;
    int left, top, width, height;
};

constexpr LabelRow kLabels[] = {
    {"Label1", u"３回まで警告音をならす時間を設定できます。", 240, 120, 3855, 255},
    {"Label4", u"必要ない部分は「0」を入力してください。", 240, 360, 3975, 255},
    {"Label2(0)", u"１回目　　残り", 240, 960, 1215, 255},
    {"Label3(0)", u"秒になったらならす", 2520, 960, 1695, 255},
    {"Label2(1)", u"２回目　　残り", 240, 1560, 1215, 255},
    {"Label3(2)", u"秒になったらならす", 2520, 1560, 1695, 255},
    {"Label2(2)", u"３回目　　残り", 240, 2160, 1215, 255},
    {"Label3(1)", u"秒になったらならす", 2520, 2160, 1695, 255},
};

const char16_t *const kBoxNames[3] = {u"１回目", u"２回目", u"３回目"};

} // namespace

Form2::Form2(gameclock::Module1 &thresholds, MessageBoxes &boxes, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint), module1_(thresholds),
      boxes_(boxes)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("警告音時間設定"));
    setFixedSize(4335 / 15, 3300 / 15);

    for (const LabelRow &row : kLabels) {
        auto *label = new QLabel(QString::fromUtf16(row.text), this);
        label->setObjectName(QString::fromLatin1(row.name));
        label->setGeometry(pixels(row.left, row.top, row.width, row.height));
    }
    const qint16 values[3] = {module1_.wtime1, module1_.wtime2, module1_.wtime3};
    const int tops[3] = {945, 1545, 2145};
    for (int i = 0; i < 3; ++i) {
        // A stored threshold shows in full; the limit holds only for typing.
        auto *edit = new SetupField(3, this);
        edit->setStoredText(QString::number(values[i]));
        edit->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        edit->setGeometry(pixels(1440, tops[i], 975, 270));
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        boxes3_[i] = edit;
    }
    for (int i = 0; i < 2; ++i) {
        auto *rule = new QWidget(this);
        rule->setObjectName(QStringLiteral("Line1(%1)").arg(i));
        rule->setGeometry(240 / 15, (i == 0 ? 765 : 2520) / 15 - 1, (4080 - 240) / 15, 2);
        QPalette palette = rule->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
        rule->setPalette(palette);
        rule->setAutoFillBackground(true);
    }
    auto *store = new QPushButton(QStringLiteral("設定する"), this);
    store->setObjectName(QStringLiteral("Command1"));
    store->setGeometry(pixels(360, 2760, 1455, 375));
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(pixels(2520, 2760, 1455, 375));
    store->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(store, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(cancel, &QPushButton::clicked, this, &Form2::Command2_Click);

    setTabOrder(boxes3_[0], boxes3_[1]);
    setTabOrder(boxes3_[1], boxes3_[2]);
    setTabOrder(boxes3_[2], store);
    setTabOrder(store, cancel);
    boxes3_[0]->setFocus();
}

void Form2::Command1_Click()
{
    // All three or none: a half-stored set of thresholds would surprise the operator.
    qint16 values[3];
    for (int i = 0; i < 3; ++i) {
        const QString text = boxes3_[i]->text();
        const auto value = common::parseInt16(text);
        if (!value) {
            const QString box = QString::fromUtf16(kBoxNames[i]);
            boxes_.notice(common::parseDecimal(text)
                              ? QStringLiteral("%1の%2は -32768 から 32767 までの数にしてください。").arg(box, common::quoted(text))
                              : QStringLiteral("%1の%2は数として読めません。数を入力してください。").arg(box, common::quoted(text)));
            boxes3_[i]->setFocus();
            return;
        }
        values[i] = *value;
    }
    module1_.wtime1 = values[0];
    module1_.wtime2 = values[1];
    module1_.wtime3 = values[2];
    close();
}

void Form2::Command2_Click() { close(); }

} // namespace ui

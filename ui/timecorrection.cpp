#include "ui/timecorrection.h"

#include "common/decimaltext.h"
#include "common/wording.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <limits>

namespace ui {

namespace {

const char16_t *const kSides[2] = {u"LEFT", u"RIGHT"};

QLineEdit *box(QWidget *parent, const QString &name, const QString &accessible, const QString &text)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(6);
    return edit;
}

} // namespace

TimeCorrection::TimeCorrection(const Standing &standing, MessageBoxes &boxes,
                               std::function<void(const Standing &)> apply, QWidget *parent)
    : QDialog(parent), shown_(standing), boxes_(boxes), apply_(std::move(apply))
{
    setObjectName(QStringLiteral("TimeCorrection"));
    setWindowTitle(QStringLiteral("時間修正"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    auto *grid = new QGridLayout(this);
    const QString heads[] = {QStringLiteral("持ち時間（分）"), QStringLiteral("（秒）"), QStringLiteral("秒読み残り（秒）"),
                             QStringLiteral("手数")};
    for (int c = 0; c < 4; ++c) grid->addWidget(new QLabel(heads[c], this), 0, c + 1);
    for (int side = 0; side < 2; ++side) {
        const gameclock::GameClock::Standing &s = standing[side];
        const QString who = QString::fromUtf16(kSides[side]);
        const QString index = QStringLiteral("(%1)").arg(side);
        const qint64 whole = qint64(std::floor(s.main)); // as the clock shows it
        grid->addWidget(new QLabel(who, this), side + 1, 0);
        Row &r = rows_[side];
        r.minutes = box(this, "minutes" + index, common::setupFieldName(2 * side), QString::number(whole / 60));
        r.seconds = box(this, "seconds" + index, common::setupFieldName(2 * side + 1), QString::number(whole % 60));
        r.byo = box(this, "byoyomi" + index, who + QStringLiteral(" の秒読み残り（秒）"),
                    s.byo ? QString::number(qint64(std::floor(*s.byo))) : QString());
        r.byo->setEnabled(bool(s.byo)); // only where his byo-yomi has begun
        r.moves = box(this, "moves" + index, who + QStringLiteral(" の手数"), QString::number(s.moves));
        QLineEdit *const boxes[] = {r.minutes, r.seconds, r.byo, r.moves};
        for (int c = 0; c < 4; ++c) grid->addWidget(boxes[c], side + 1, c + 1);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 5);
}

void TimeCorrection::accept()
{
    if (const auto standing = read()) {
        apply_(*standing);
        QDialog::accept();
    }
}

// What the boxes say; a box left as shown keeps its exact value, fractions
// of a second included.
std::optional<TimeCorrection::Standing> TimeCorrection::read()
{
    Standing out = shown_;
    for (int side = 0; side < 2; ++side) {
        const Row &r = rows_[side];
        const QString who = QString::fromUtf16(kSides[side]);
        double value[4] = {};
        QLineEdit *const boxes[] = {r.minutes, r.seconds, r.byo, r.moves};
        for (int c = 0; c < 4; ++c) {
            if (!boxes[c]->isEnabled()) continue;
            const QString text = boxes[c]->text();
            const auto number = common::parseDecimal(text);
            const QString name = boxes[c]->accessibleName();
            const double most = c == 3 ? std::numeric_limits<qint16>::max() : c == 0 ? 1e9 / 60 : 1e9;
            if (!number) {
                boxes_.notice(QStringLiteral("「%1」の%2は数として読めません。数を入力してください。").arg(name, common::quoted(text)));
            } else if (*number < 0 || *number > most || (c == 3 && *number != std::floor(*number))) {
                boxes_.notice(c == 3 ? QStringLiteral("「%1」は 0 から 32767 までの整数にしてください。").arg(name)
                                     : QStringLiteral("「%1」の%2は 0 以上の、大きすぎない数にしてください。").arg(name, common::quoted(text)));
            } else {
                value[c] = *number;
                continue;
            }
            boxes[c]->setFocus();
            return std::nullopt;
        }
        gameclock::GameClock::Standing &s = out[side];
        const qint64 whole = qint64(std::floor(shown_[side].main));
        if (r.minutes->text() != QString::number(whole / 60) || r.seconds->text() != QString::number(whole % 60))
            s.main = value[0] * 60 + value[1];
        if (s.byo && r.byo->text() != QString::number(qint64(std::floor(*s.byo)))) s.byo = value[2];
        s.moves = qint16(value[3]);
    }
    return out;
}

} // namespace ui

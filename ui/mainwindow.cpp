#include "ui/mainwindow.h"

#include "clock/captions.h"
#include "ui/form1layout.h"
#include "ui/form2.h"
#include "ui/pictures.h"
#include "ui/setupfield.h"
#include "ui/wrapbutton.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace ui {

namespace {

const QString kFontFamily = QStringLiteral("ＭＳ Ｐゴシック");

QRect pixels(int left, int top, int width, int height)
{
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

Qt::Alignment alignment(unsigned style)
{
    const Qt::Alignment horizontal = (style & AlignCentre) ? Qt::AlignHCenter
                                     : (style & AlignRight) ? Qt::AlignRight
                                                            : Qt::AlignLeft;
    return horizontal | Qt::AlignVCenter;
}

QWidget *makeControl(const ControlRow &row, QWidget *parent)
{
    const QString text = QString::fromUtf16(row.text);
    QWidget *widget = nullptr;
    switch (row.kind) {
    case Kind::Button: widget = new WrapButton(text, parent); break;
    case Kind::Label: {
        auto *label = new QLabel(text, parent);
        label->setAlignment(alignment(row.style));
        widget = label;
        break;
    }
    case Kind::TextBox: {
        QLineEdit *edit = row.maxLength > 0 ? new SetupField(row.maxLength, parent) : new QLineEdit(parent);
        edit->setText(text);
        edit->setAlignment(alignment(row.style));
        widget = edit;
        break;
    }
    case Kind::Option: {
        auto *option = new QRadioButton(text, parent);
        option->setChecked(row.style & Checked);
        widget = option;
        break;
    }
    case Kind::Image: widget = new QLabel(parent); break;
    case Kind::Hidden: widget = new QWidget(parent); break;
    }
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setGeometry(pixels(row.left, row.top, row.width, row.height));
    if (row.points > 0) {
        QFont font(kFontFamily);
        font.setPointSizeF(row.points);
        font.setWeight(QFont::Bold);
        font.setUnderline(row.style & Underline);
        widget->setFont(font);
    }
    QPalette palette = widget->palette();
    if (row.style & RedText) palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    if (row.style & BlackText) palette.setColor(QPalette::Text, Qt::black);
    if (row.style & WhiteBase) palette.setColor(QPalette::Base, Qt::white);
    if (row.style & Light3DBase) palette.setColor(QPalette::Base, palette.color(QPalette::Midlight));
    if (row.style & CyanBackground) {
        palette.setColor(QPalette::Window, QColor(128, 255, 255));
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
    if (row.style & AutoSize) widget->resize(widget->sizeHint());
    if (row.style & Hidden) widget->hide();
    return widget;
}

} // namespace

MainWindow::MainWindow(Services services, QWidget *parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      cues_(services_.device, services_.beeper, [this](const QString &m) { services_.boxes.timeoutReport(m); }),
      clock_(*this, *this, services_.time, module1_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kAppTitle);
    setWindowIcon(pictures::appIcon());
    buildControls();
    buildMenu();
    setFocusOrder();
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidth / kTwipsPerPixel, kClientHeight / kTwipsPerPixel);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, QColor(128, 255, 255));
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    for (const ControlRow &row : form1Controls())
        controls_.insert(QString::fromLatin1(row.name), makeControl(row, client));
    for (const LineRow &line : form1Lines()) {
        auto *rule = new QWidget(client);
        rule->setObjectName(QString::fromLatin1(line.name));
        const int x = line.x1 / kTwipsPerPixel, y = line.y1 / kTwipsPerPixel;
        const int half = line.pixels / 2;
        if (line.x1 == line.x2)
            rule->setGeometry(x - half, y, line.pixels, (line.y2 - line.y1) / kTwipsPerPixel);
        else
            rule->setGeometry(x, y - half, (line.x2 - line.x1) / kTwipsPerPixel, line.pixels);
        QPalette black = rule->palette();
        black.setColor(QPalette::Window, Qt::black);
        rule->setPalette(black);
        rule->setAutoFillBackground(true);
        rule->lower();
    }

    const qreal scale = devicePixelRatioF();
    control<QLabel>("Image2(0)")->setPixmap(pictures::litLamp(scale));
    control<QLabel>("Image2(1)")->setPixmap(pictures::darkLamp(scale));
    auto *help = control<QPushButton>("Command6");
    help->setIcon(QIcon(pictures::helpFace(scale)));
    help->setIconSize(QSize(31, 31));
    for (int side = 0; side < 2; ++side) {
        const QRect r = control<QLabel>(side == 0 ? "Label1(0)" : "Label1(1)")->geometry();
        clockCentre_[side] = r.x() + r.width() / 2.0;
    }

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(200);

    connect(control<QPushButton>("Command1(0)"), &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(control<QPushButton>("Command2"), &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(control<QPushButton>("Command3"), &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(control<QPushButton>("Command4"), &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(control<QPushButton>("Command5"), &QPushButton::clicked, this, &MainWindow::Command5_Click);
    connect(control<QPushButton>("Command6"), &QPushButton::clicked, this, &MainWindow::Command6_Click);
    connect(control<QPushButton>("Command7"), &QPushButton::clicked, this, &MainWindow::Command7_Click);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::Timer1_Timer);

    // The layout is fixed: no resizing, no maximising.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

void MainWindow::buildMenu()
{
    QMenu *m1 = menuBar()->addMenu(QStringLiteral("設定"));
    m1->setObjectName(QStringLiteral("m1"));
    m1->setSeparatorsCollapsible(false);
    auto separator = [m1](const char *name) { m1->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    auto item = [this, m1](const char *name, const char16_t *caption, void (MainWindow::*handler)()) {
        QAction *action = m1->addAction(QString::fromUtf16(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    separator("separator1");
    item("m12", u"設定保存", &MainWindow::m12_Click);
    item("m13", u"設定読込", &MainWindow::m13_Click);
    separator("separator2");
    item("m14", u"警告音時間設定", &MainWindow::m14_Click);
    separator("separator3");
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::setFocusOrder()
{
    const char *order[] = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Option1(0)",
                           "Option1(1)", "Command2", "Command1(0)", "Command3", "Command5", "Command4",
                           "Command6", "Text1(5)", "Text2", "Text3", "Command7"};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(controls_.value(QString::fromLatin1(order[i])), controls_.value(QString::fromLatin1(order[i + 1])));
    // Labels, images and rules take no focus; the option buttons keep their own focus.
    control<QWidget>("Text1(0)")->setFocus();
}

SetupField *MainWindow::field(int index) const
{
    return qobject_cast<SetupField *>(controls_.value(QStringLiteral("Text1(%1)").arg(index)));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void MainWindow::Form_Unload()
{
    timer1_->stop();
    cues_.close();
}

} // namespace ui

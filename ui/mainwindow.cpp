#include "ui/mainwindow.h"

#include "ui/form2.h"
#include "ui/look.h"
#include "ui/pictures.h"
#include "ui/setupfield.h"
#include "ui/stage.h"
#include "ui/wrapbutton.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>

namespace ui {

MainWindow::MainWindow(Services services, QWidget *parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      cues_(services_.device, services_.beeper),
      clock_(*this, *this, services_.time, module1_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kAppTitle);
    setPalette(look::palette());
    setWindowIcon(pictures::appIcon());
    buildControls();
    buildMenu();
    setFocusOrder();
    fitScreen();
    Form_Load();
}

// On a screen smaller than the layout (a laptop at 200 %), the window may be
// smaller, the layout zoomed down, and opens inside the screen's free area.
void MainWindow::fitScreen()
{
    // What the desktop's frame takes, at most, beside and above the window.
    constexpr int kFrameWidth = 16, kFrameHeight = 48;
    const QRect free = screen()->availableGeometry();
    const QSize room(free.width() - kFrameWidth, free.height() - kFrameHeight - menuBar()->sizeHint().height());
    stage_->fitInto(room);
    if (room.width() >= stage_->sizeHint().width() && room.height() >= stage_->sizeHint().height()) return;
    resize(minimumSizeHint().expandedTo(stage_->minimumSize()));
    move(free.topLeft());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    // The whole layout zooms with the window, for a clock read across the table.
    auto *stage = stage_ = new Stage(QSize(look::pixels(kForm1Width), look::pixels(kForm1Height)),
                                     [this](double zoom) { layout_.setZoom(zoom); }, this);
    stage->setObjectName(QStringLiteral("stage"));
    setCentralWidget(stage);
    controls_ = buildForm1(layout_, stage->client());
    Form1Controls &c = controls_;

    // The pictures, drawn afresh at each zoom so that they stay sharp.
    const auto drawPictures = [this](double zoom) {
        const Form1Controls &c = controls_;
        const double dpr = devicePixelRatioF();
        c.image2[0]->setPixmap(pictures::litLamp(zoom, dpr));
        c.image2[1]->setPixmap(pictures::darkLamp(zoom, dpr));
        for (int side = 0; side < 2; ++side)
            if (lamp_[side]) setLamp(side, *lamp_[side]);
        c.command6->setIcon(QIcon(pictures::helpFace(zoom, dpr)));
        c.command6->setIconSize(QSize(pictures::kHelpFaceSide, pictures::kHelpFaceSide) * zoom);
    };
    drawPictures(1.0);
    layout_.onZoom(drawPictures);

    // Precise: a coarse timer may move a tick by a tenth of its interval.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(200);
    timer1_->setTimerType(Qt::PreciseTimer);
    phase_ = new QTimer(this);
    phase_->setSingleShot(true);
    phase_->setTimerType(Qt::PreciseTimer);
    connect(phase_, &QTimer::timeout, this, [this] {
        timer1_->start();
        Timer1_Timer();
    });
    voiceTimer_ = new QTimer(this);
    voiceTimer_->setSingleShot(true);
    voiceTimer_->setTimerType(Qt::PreciseTimer);
    connect(voiceTimer_, &QTimer::timeout, this, [this] {
        const QString phrase = clock_.voiceDue();
        if (mVoice_->isChecked() && !phrase.isEmpty()) services_.speaker.say(phrase);
    });

    connect(c.command1, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(c.command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(c.command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(c.command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(c.command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
    connect(c.command6, &QPushButton::clicked, this, &MainWindow::Command6_Click);
    connect(c.command7, &QPushButton::clicked, this, &MainWindow::Command7_Click);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::Timer1_Timer);

    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this, [this] {
        if (isFullScreen()) showNormal();
        else showFullScreen();
    });
    // What desktop programs answer to, from the dialog too: Ctrl+Q ends the
    // program as 終了 does, F1 opens help as its button does.
    const auto shortcut = [this](QKeySequence keys, void (MainWindow::*handler)()) {
        connect(new QShortcut(keys, this, nullptr, nullptr, Qt::ApplicationShortcut), &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &MainWindow::Command4_Click);
    shortcut(QKeySequence(Qt::Key_F1), &MainWindow::Command6_Click);
}

void MainWindow::buildMenu()
{
    QMenu *m1 = menuBar()->addMenu(QStringLiteral("設定"));
    m1->setObjectName(QStringLiteral("m1"));
    m1->setSeparatorsCollapsible(false);
    m1->setAttribute(Qt::WA_WindowPropagation); // the window's colours, though a window of its own
    // Room above the first separator and below the last, off the menu's border.
    m1->setContentsMargins(0, 4, 0, 4);
    auto separator = [m1](const char *name) { m1->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    auto item = [this, m1](const char *name, const char16_t *caption, void (MainWindow::*handler)()) {
        QAction *action = m1->addAction(QString::fromUtf16(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    separator("separator1");
    item("m12", u"設定保存", &MainWindow::m12_Click);
    item("m13", u"設定読込", &MainWindow::m13_Click);
    separator("separator2");
    item("m14", u"警告音時間設定", &MainWindow::m14_Click);
    separator("separator3");
    // The arbiter's commands, after the layout's own.
    mUndo_ = item("mUndo", u"一手戻す", &MainWindow::mUndo_Click);
    mUndo_->setShortcut(QKeySequence::Undo); // a text box with the focus keeps Ctrl+Z for its own typing
    mCorrect_ = item("mCorrect", u"時間修正…", &MainWindow::mCorrect_Click);
    mVoice_ = item("mVoice", u"読み上げ", &MainWindow::mVoice_Click);
    mVoice_->setCheckable(true);
    item("mAbout", u"コルヴァンについて", &MainWindow::mAbout_Click);
    updateCommands();
}

void MainWindow::setFocusOrder()
{
    const Form1Controls &c = controls_;
    QWidget *const order[] = {c.text1[0], c.text1[1], c.text1[2], c.text1[3], c.text1[4], c.option1[0],
                              c.option1[1], c.command2, c.command1, c.command3, c.command5, c.command4,
                              c.command6, c.text1[5], c.text2, c.text3, c.command7};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    c.text1[0]->setFocus();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void MainWindow::Form_Unload()
{
    setTimerOn(false);
    hushVoice();
    cues_.close();
}

} // namespace ui

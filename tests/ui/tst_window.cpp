// The main window and its dialog, used and looked at as an operator would: a
// game through the buttons and the real timers, the message boxes, the
// settings file, the warning-times dialog, help and exit, sound that fails;
// every caption whole inside its control, each clock inside its half at any
// value it can show, colours, separators, names for a screen reader, the
// focus order, the whole layout zoomed, each player's own key. Run at scale 1
// and 2, under a large desktop font.
#include "support/fakes.h"
#include "ui/form2.h"
#include "ui/messageboxes.h"
#include "ui/setupfield.h"
#include "ui/stage.h"

#include <QtTest>
#include <QtWidgets>

using testing::Rig;
using Answer = ui::MessageBoxes::Answer;

namespace {

// A control's caption or text, read or set; a label set without resizing.
QString textOf(QWidget *w, const QString *set = nullptr)
{
    auto *label = qobject_cast<QLabel *>(w);
    auto *button = qobject_cast<QAbstractButton *>(w);
    auto *edit = qobject_cast<QLineEdit *>(w);
    if (set) label ? label->QLabel::setText(*set) : button ? button->setText(*set) : edit->setText(*set);
    return label ? label->text() : button ? button->text() : edit ? edit->text() : QString();
}

// The pixels a control's caption or text adds to it, in its own coordinates;
// each is marked on a canvas of the window, where no other caption's may lie.
QRectF inkOf(QWidget *w, QImage *canvas = nullptr, bool *overdrawn = nullptr)
{
    const QString text = textOf(w), none;
    const QFont font = w->font();
    const QImage with = w->grab().toImage();
    textOf(w, &none);
    const QImage without = w->grab().toImage();
    textOf(w, &text);
    w->setFont(font);
    const qreal dpr = with.devicePixelRatio();
    const QPoint at = canvas ? w->mapTo(w->window(), QPoint()) * dpr : QPoint();
    QRect ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                ink |= QRect(x, y, 1, 1);
                if (!canvas || !canvas->rect().contains(at + QPoint(x, y))) continue;
                *overdrawn |= canvas->pixelIndex(at + QPoint(x, y)) == 1;
                canvas->setPixel(at + QPoint(x, y), 1);
            }
    return QRectF(ink.topLeft() / dpr, ink.size() / dpr);
}

// Nothing of any caption or text is cut off or drawn over another's: a
// button's keeps off its edges; any other shows its whole ink (hinting at
// scale 2 differs a little).
void checkInkInside(QWidget *window)
{
    QImage canvas(window->grab().toImage().size(), QImage::Format_Mono);
    canvas.fill(0);
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString text = textOf(w);
        if (!w->isVisible() || text.isEmpty()) continue;
        bool overdrawn = false;
        const QRectF ink = inkOf(w, &canvas, &overdrawn);
        overdrawn &= w->objectName() != "Label2(4)"; // the layout sets 持ち時間's foot on RIGHT's head
        const QRect need = QFontMetrics(w->font()).tightBoundingRect(text);
        QVERIFY2(!overdrawn && (qobject_cast<QPushButton *>(w) ? QRectF(w->rect()).adjusted(2, 2, -2, -2).contains(ink)
                                                               : ink.width() >= need.width() - 2 && ink.height() >= need.height() - 2),
                 qPrintable(w->objectName() + " " + text));
    }
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Rig> rig;

    void click(const char *name) { QTest::mouseClick(rig->find<QPushButton>(name), Qt::LeftButton); }
    void menu(const char *name) { rig->find<QAction>(name)->trigger(); }
    // The texts of the named controls, joined by blanks.
    QString shows(const QStringList &names) const
    {
        QStringList texts;
        for (const QString &name : names) texts << textOf(rig->find<QWidget>(name));
        return texts.join(u' ');
    }
    void setTimes(const QString &minutes, const QString &seconds)
    {
        for (int i = 0; i < 4; ++i) field(i)->setStoredText(i % 2 ? seconds : minutes);
    }
    // A key as the platform gives it: its Qt key, and where it lies (evdev code + 8; 0: not told).
    void key(int qtKey, quint32 place = 0, bool repeat = false)
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, place, 0, 0, QString(), repeat);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    ui::SetupField *field(int i) const { return rig->find<ui::SetupField>(QStringLiteral("Text1(%1)").arg(i)); }
    // A new window, shown and active.
    void start()
    {
        rig = std::make_unique<Rig>();
        rig->window->show();
        rig->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig->window.get()));
    }
    // Time passes on the game's clock; then Timer1 ticks, unless it stops first.
    void play(double seconds)
    {
        rig->time.advance(seconds);
        auto *timer1 = rig->find<QTimer>("Timer1");
        QSignalSpy tick(timer1, &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(tick.count() > 0 || !timer1->isActive(), 5000);
    }

private slots:
    void initTestCase() { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14)); } // a desktop's own large font
    void init()
    {
        const QString here = dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + '-'
                                          + QString::fromLatin1(QTest::currentDataTag() ? QTest::currentDataTag() : ""));
        QVERIFY(QDir().mkpath(here) && QDir::setCurrent(here));
        start();
    }
    void cleanup()
    {
        if (rig->window->form2()) rig->window->form2()->close();
    }

    // Set up by typing, played by clicking, timed by the window's own timers;
    // two warnings whose sound fails beep; the time-out comes while a save's
    // question is open: each box said once, in order.
    void game()
    {
        QGuiApplication::clipboard()->setText("0012");
        for (int i = 0; i < 6; ++i) {
            QTest::keySequence(field(i), QKeySequence::SelectAll);
            if (i == 2) QTest::keySequence(field(i), QKeySequence::Paste); // "001": three digits at most, pasted
            QTest::keyClicks(field(i), QStringList{"0010", "0", "", "0", "5", "10"}[i]); // or typed
        }
        rig->window->module1() = {30, 5, 3};
        click("Command2");
        QStringList seen{shows({"Label1(0)", "Label1(1)"})};
        click("Command1(0)");
        QTest::qWait(20); // the first tick, on the whole second
        play(20.5);
        seen << shows({"Command1(0)", "Label1(0)", "Label11", "Label12"});
        play(9.2);           // a warning at 30
        click("Command1(0)"); // LEFT ends his move with 30.3 left, plus 5
        click("Command3");
        play(100);
        seen << shows({"Label1(0)", "Label12", "Label1(1)", "Command3"});
        click("Command3");
        click("Command5");
        rig->sound.answers = "011"; // cannot open
        play(55.4); // a warning at 5
        play(1.6);  // and at 3
        rig->sound.answers = "111";
        seen << shows({"Label1(0)", "Label1(1)", "Command5"});
        QVERIFY(QDir::current().mkdir("korvane.ini")); // no file can be saved there
        rig->boxes.answers = {Answer::Yes};
        rig->boxes.whileOpen = [this] { if (rig->boxes.shown.size() == 1) play(13.2); };
        menu("m12");
        rig->boxes.whileOpen = nullptr;
        seen << shows({"Label1(1)", "Command1(0)", "Command3"});
        QCOMPARE(seen, (QStringList{"1:00 1:00", "切\u3000り\u3000替\u3000え 0:39 1 0", "0:35 1 1:00 再開",
                                    "35 3 分秒表示", "0 セットしてください 一時停止"}));
        QCOMPARE(rig->sound.log.join(u' '), "close warning.wav open play close warning.wav open beep3 " // at 30, 5,
                                            "close warning.wav open beep3 close end.wav open play close"); // 3, end.wav stopped with the report
        const QString said = "timeout:RIGHT PLAYER 時間切れです|notice:設定を保存できませんでした。以前の設定ファイルはそのままです。\nkorvane.ini ";
        QCOMPARE(rig->boxes.shown.mid(1).join(u'|').left(said.size()), said);
        QVERIFY(!rig->find<QTimer>("Timer1")->isActive());
        field(0)->setStoredText("x");
        rig->window->Command2_Click(); // the clock's own notices reach a box too
        QVERIFY(rig->boxes.shown.last().startsWith("notice:「LEFT の持ち時間（分）」"));
        setTimes("0", "1");
        field(5)->setStoredText("0");
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        play(1); // the next game's time-out is reported as well
        QCOMPARE(rig->boxes.shown.last(), QString("timeout:LEFT PLAYER 時間切れです"));
    }

    // The boxes themselves: title, text, icon, buttons and the window they
    // stand over (the dialog, when it is the window in use), and the answer given.
    void messageBoxes()
    {
        ui::QtMessageBoxes boxes(rig->window.get());
        QStringList seen;
        const auto answer = [&seen](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&seen, button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box) return void(seen << "no box");
                seen << QStringLiteral("%1 %2 %3 %4 %5").arg(box->windowTitle(), box->text()).arg(box->icon())
                            .arg(box->standardButtons()).arg(box->parentWidget()->objectName());
                box->button(button)->click();
            });
        };
        for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
            answer(button);
            seen << QString::number(int(boxes.question("q")));
        }
        answer(QMessageBox::Ok);
        boxes.notice("n");
        answer(QMessageBox::Ok);
        boxes.timeoutReport("t");
        menu("m14");
        rig->window->form2()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig->window->form2()));
        answer(QMessageBox::Ok);
        boxes.notice("n");
        const QString question = "コルヴァン q 0 " + QString::number(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) + " Form1";
        QCOMPARE(seen, (QStringList{question, "0", question, "1", question, "2", "コルヴァン n 0 1024 Form1",
                                    "コルヴァン t 2 1024 Form1", "コルヴァン n 0 1024 Form2"}));
    }

    // Saved, changed, loaded back; read at start-up too, in a folder whose
    // name is code page 932 as Japanese archives give it.
    void saveAndLoad()
    {
        const QStringList saved{"999", "5", " 1=2", "", "30", QString(70, u'7')};
        for (int i = 0; i < 6; ++i) field(i)->setStoredText(saved[i]);
        rig->find<QRadioButton>("Option1(1)")->click();
        rig->window->module1() = {10, -5, 32767};
        rig->boxes.answers = {Answer::Yes, Answer::No, Answer::Yes};
        menu("m12");
        click("Command7");
        rig->find<QRadioButton>("Option1(0)")->click();
        menu("m13"); // No
        QCOMPARE(shows({"Text1(0)", "Text1(5)"}) + QString::number(rig->window->module1().wtime3), QString("0 00"));
        menu("m13"); // Yes
        QCOMPARE(shows({"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Text1(5)"}), saved.join(u' '));
        QVERIFY(rig->find<QRadioButton>("Option1(1)")->isChecked() && !rig->find<QRadioButton>("Option1(0)")->isChecked());
        const gameclock::Module1 &m = rig->window->module1();
        QCOMPARE(QString("%1 %2 %3").arg(m.wtime1).arg(m.wtime2).arg(m.wtime3), QString("10 -5 32767"));
        QCOMPARE(rig->boxes.shown.size(), 3); // the questions only

        const QString folder = QFile::decodeName("\x8a\xee\x95\x88");
        QVERIFY(QDir::current().mkdir(folder) && QFile::copy("korvane.ini", folder + "/korvane.ini") && QDir::setCurrent(folder));
        rig = std::make_unique<Rig>();
        QCOMPARE(shows({"Text1(0)"}) + rig->boxes.shown.join(u','), saved[0]);
        QFile::remove("korvane.ini");
        rig->boxes.answers = {Answer::Yes};
        menu("m13");
        QCOMPARE(rig->boxes.shown.last(), QString("notice:設定ファイル(korvane.ini)が見つかりませんでした。"));
        QFile tooLong("korvane.ini"); // a field longer than a field may be: the file is refused
        QVERIFY(tooLong.open(QIODevice::WriteOnly) && tooLong.write("text1(0).text=" + QByteArray(70000, '5')) && tooLong.flush());
        rig->boxes.answers = {Answer::Yes};
        menu("m13");
        QVERIFY(rig->boxes.shown.last().startsWith("notice:設定ファイル(korvane.ini)を読み込めませんでした。\n"));
    }

    void dialog_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("after"); // thresholds, and any notice
        QTest::newRow("stored") << QStringList{" 7 ", "2.5", "-5"} << "Command1" << "7 2 -5";
        QTest::newRow("kept as shown") << QStringList() << "Command1" << "-32768 32767 0";
        QTest::newRow("cancelled") << QStringList{"5", "6", "7"} << "Command2" << "-32768 32767 0";
        QTest::newRow("a box refused") << QStringList{"5", "", "7"} << "Command1"
                                       << "-32768 32767 0 notice:２回目の「」は数として読めません。数を入力してください。 Text2";
        QTest::newRow("out of range") << QStringList{"-32769", "6", "7"} << "Command1"
                                      << "-32768 32767 0 notice:１回目の「-32769」は -32768 から 32767 までの数にしてください。 Text1";
    }
    // Stored thresholds shown in full; all three stored, or none; Enter presses nothing.
    void dialog()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(QString, after);
        gameclock::Module1 &m = rig->window->module1();
        m = {-32768, 32767, 0};
        menu("m14");
        QPointer<ui::Form2> form = rig->window->form2();
        QStringList boxes;
        for (int i = 0; i < 3; ++i) {
            auto *box = form->findChild<ui::SetupField *>(QStringLiteral("Text%1").arg(i + 1));
            boxes << box->text();
            QVERIFY(i < 2 || inkOf(box).left() > box->width() / 2); // "0" at the right
            if (!typed.isEmpty()) box->setText(typed[i]);
        }
        QCOMPARE(boxes.join(u' ') + " " + form->windowTitle(), QString("-32768 32767 0 警告音時間設定"));
        for (const char *next : {"Text2", "Text3", "Command1", "Command2"}) { // the focus order, from Text1
            QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
            QCOMPARE(form->focusWidget()->objectName(), QString(next));
        }
        QTest::keyClick(form->focusWidget(), Qt::Key_Return);
        QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(QStringList({QString::number(m.wtime1), QString::number(m.wtime2), QString::number(m.wtime3)}).join(u' ')
                     + QString(rig->boxes.shown.isEmpty() ? "" : " " + rig->boxes.shown.join(u' ') + " " + form->focusWidget()->objectName()), after);
        QTest::qWait(0);
        QCOMPARE(form.isNull(), rig->boxes.shown.isEmpty()); // a refused box keeps the dialog open
        menu("m14"); // a fresh one in its place
        QTest::qWait(0);
        QVERIFY(!form && rig->window->form2()->isVisible() && !rig->window->form2()->isModal());
    }

    void help_data()
    {
        QTest::addColumn<QString>("from"); // which readme: the folder's, the installed one, the program's own
        QTest::addColumn<bool>("opens");
        for (const char *from : {"local", "installed", "own"}) QTest::newRow(from) << QString(from) << true;
        QTest::newRow("no viewer") << "local" << false;
    }
    void help()
    {
        QFETCH(QString, from);
        QFETCH(bool, opens);
        qputenv("XDG_CACHE_HOME", QDir::current().filePath("cache").toLocal8Bit());
        const QString doc = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/korvane"); // bin/../share
        const auto removeDoc = qScopeGuard([&] {
            if (from != "installed") return;
            QFile::remove(doc + "/readme.txt");
            QDir().rmpath(doc);
        });
        QFile readme(from == "local" ? "readme.txt" : doc + "/readme.txt");
        QVERIFY(from == "own" || ((from == "local" || QDir().mkpath(doc)) && readme.open(QIODevice::WriteOnly) && readme.write(from.toUtf8()) && readme.flush()));
        rig->opens = opens;
        click("Command6");
        click("Command6"); // again: the copy written out before is no hindrance
        QCOMPARE(rig->opened.size(), 2);
        QFile shown(rig->opened.first().toLocalFile());
        QVERIFY(shown.open(QIODevice::ReadOnly));
        QCOMPARE(shown.readAll().startsWith(from.toUtf8()), from != "own");
        QCOMPARE(rig->boxes.shown, opens ? QStringList() : QStringList(2, "notice:ヘルプ（readme.txt）を開けませんでした。"));
    }

    void exitWithoutQuestion()
    {
        menu("m14");
        const QPointer<ui::Form2> form = rig->window->form2();
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        QTimer::singleShot(0, [this] { click("Command4"); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!rig->window->isVisible() && (!form || !form->isVisible()) && !rig->find<QTimer>("Timer1")->isActive());
        QCOMPARE(rig->sound.log, QStringList{"close"}); // any sound stopped
        QCOMPARE(rig->boxes.shown, QStringList());
    }

    // Ticks phased to LEFT's whole seconds: a shot in 150 ms ticks and restarts
    // Timer1; a pause stops it.
    void tickPhasing()
    {
        field(1)->setStoredText("0.35");
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        const QList<QTimer *> shots = rig->window->findChildren<QTimer *>(Qt::FindDirectChildrenOnly);
        const auto shot = std::find_if(shots.begin(), shots.end(), [](QTimer *t) {
            return t->isSingleShot() && t->remainingTime() > 50 && t->remainingTime() <= 151; });
        QVERIFY(shot != shots.end());
        click("Command3");
        QTest::qWait(200);
        QVERIFY(!rig->find<QTimer>("Timer1")->isActive());
        click("Command3");
        rig->time.advance(0.5);
        QTRY_VERIFY(!(*shot)->isActive());
        QVERIFY(rig->find<QTimer>("Timer1")->remainingTime() > 60); // restarted by the shot, not from the start
        QCOMPARE(shows({"Label1(0)"}), QString("9:59")); // and the shot ticked
    }

    void inkInside_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("seconds");
        for (const auto &[minutes, seconds] : {std::pair{"0", "0"}, {"120", "0"}, {"999", "99"}, {"-16666666", "-40"}}) // widest typed, from a file
            QTest::newRow(minutes) << QString(minutes) << QString(seconds);
    }
    void inkInside()
    {
        QFETCH(QString, minutes);
        QFETCH(QString, seconds);
        setTimes(minutes, seconds);
        for (int mode = 0; mode < 2; ++mode) {
            mode ? rig->window->Command5_Click() : rig->window->Command2_Click(); // set up, the second in seconds
            const QRect left = rig->find<QLabel>("Label1(0)")->geometry(), right = rig->find<QLabel>("Label1(1)")->geometry();
            QVERIFY2(left.left() >= 0 && left.right() < 368 && right.left() > 368 && right.right() < 747, // Line5 at 368
                     qPrintable(shows({"Label1(0)"})));
            checkInkInside(rig->window.get());
        }
        rig->window->module1() = {-32768, 32767, 999};
        menu("m14");
        checkInkInside(rig->window->form2());
        const auto y = [this](const char *name) { return rig->window->form2()->findChild<QWidget *>(name)->y(); };
        QVERIFY(y("Line1(0)") > 40 && y("Line1(0)") < y("Text1") && y("Line1(1)") > y("Text3")); // its lines around the rows
    }

    // A Japanese name on every control that takes the focus, in both windows;
    // whose turn it is on the lamps; what each clock shows and whose it is.
    void accessibleNames()
    {
        menu("m14");
        const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
        QStringList unnamed;
        for (QWidget *w : rig->window->findChildren<QWidget *>() + rig->window->form2()->findChildren<QWidget *>())
            if (w->focusPolicy() != Qt::NoFocus && w->isVisible()
                && !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).contains(japanese))
                unnamed << w->objectName();
        QCOMPARE(unnamed, QStringList());
        rig->window->form2()->close();
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        const auto said = [this](const char *name) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(rig->find<QWidget>(name));
            return a->text(QAccessible::Name) + "/" + a->text(QAccessible::Description);
        };
        QCOMPARE(said("Image1(0)") + " " + said("Image1(1)") + " " + said("Label1(1)") + " " + said("Label12"),
                 QString("LEFT の手番ランプ/手番 RIGHT の手番ランプ/ 10:00/RIGHT の残り時間 0/RIGHT の手数"));
        rig->window->Command1_Click(0);
        play(0.2); // RIGHT's lamp lights at his first tick
        QCOMPARE(said("Image1(0)") + " " + said("Image1(1)"), QString("LEFT の手番ランプ/ RIGHT の手番ランプ/手番"));
        rig->window->Command2_Click();
    }

    // The title; the lit lamp's yellow, the option buttons' cyan; each of the
    // three separators a line off the menu's border; 一時 / 停止 two
    // characters wide, where 一時停 / 止 would be three.
    void details()
    {
        QCOMPARE(rig->window->windowTitle() + rig->window->objectName(), QString("コルヴァンForm1"));
        QVERIFY(!rig->find<QPushButton>("Command6")->icon().isNull()); // help's face
        rig->window->Command2_Click();
        const auto lamp = [this](const char *name) { return rig->find<QLabel>(name)->pixmap().toImage().pixelColor(20, 20); };
        QVERIFY(lamp("Image1(0)") == QColor(255, 255, 0) && lamp("Image1(1)") != QColor(255, 255, 0));
        rig->find<QRadioButton>("Option1(1)")->click();
        rig->window->Command2_Click(); // RIGHT to move first now
        QVERIFY(lamp("Image1(1)") == QColor(255, 255, 0) && lamp("Image1(0)") != QColor(255, 255, 0));
        const QImage square = rig->find<QLabel>("Image1(1)")->pixmap().toImage(); // its black edge even all round
        QVERIFY(square == square.mirrored(true, true) && square.pixelColor(square.width() - 1, 20) == Qt::black);
        for (QWidget *w : rig->window->findChildren<QWidget *>()) // a click anywhere on a control reaches it
            for (const QPoint p : {QPoint(2, 2), QPoint(w->width() - 3, 2), w->rect().center(), QPoint(2, w->height() - 3)})
                if (QWidget *hit = w->window()->childAt(w->mapTo(w->window(), p)); w->focusPolicy() != Qt::NoFocus)
                    QVERIFY2(hit == w || w->isAncestorOf(hit), qPrintable(w->objectName()));
        for (const char *name : {"Option1(0)", "Option1(1)"}) {
            const QImage image = rig->find<QWidget>(name)->grab().toImage();
            QCOMPARE(image.pixelColor(image.width() - 2, image.height() / 2), QColor(128, 255, 255));
        }
        auto *menu = rig->window->findChild<QMenu *>("m1");
        menu->popup(QPoint(0, 0));
        const QImage image = menu->grab().toImage();
        const qreal dpr = image.devicePixelRatio();
        const auto at = [&](int x, qreal y) { return image.pixelColor(int(x * dpr), int(y * dpr)); };
        const QColor ground = at(menu->width() / 2, menu->actionGeometry(menu->actions()[1]).center().y() + 8);
        QStringList lines;
        for (QAction *action : menu->actions()) {
            const QRect r = menu->actionGeometry(action);
            int rows = 0;
            for (qreal y = r.top(); action->isSeparator() && y <= r.bottom(); y += 1 / dpr)
                rows += y > 1 && y < menu->height() - 2 && at(r.center().x(), y) != ground;
            if (rows) lines << action->objectName();
        }
        QCOMPARE(lines, (QStringList{"separator1", "separator2", "separator3"}));
        auto *button = rig->find<QAbstractButton>("Command3");
        QVERIFY(inkOf(button).width() < 2.5 * button->fontMetrics().horizontalAdvance(u'停'));
    }

    void zoom_data()
    {
        QTest::addColumn<QSize>("stage");
        QTest::addColumn<double>("zoom");
        QTest::newRow("normal size") << QSize(747, 383) << 1.0;
        QTest::newRow("twice") << QSize(1494, 766) << 2.0;
        QTest::newRow("wider than the layout") << QSize(2000, 800) << 800 / 383.0;
        QTest::newRow("taller than the layout") << QSize(1600, 1200) << 1600 / 747.0;
    }
    // The whole layout zoomed and centred, controls, fonts and pictures; exact at the normal size.
    void zoom()
    {
        QFETCH(QSize, stage);
        QFETCH(double, zoom);
        rig->window->Command2_Click(); // LEFT's lamp lit, then zoomed
        rig->window->resize(stage + QSize(0, rig->window->menuBar()->height()));
        const QRect client = rig->window->findChild<ui::Stage *>()->client()->geometry();
        QVERIFY((client.center() - QPoint(stage.width(), stage.height()) / 2).manhattanLength() <= 2);
        const struct { const char *name; QRect pixels; double points; } controls[] = {
            {"Command1(0)", {8, 288, 513, 89}, 36}, {"Text1(5)", {392, 40, 41, 33}, 18}, {"Image1(0)", {272, 89, 40, 40}, 0}};
        for (const auto &c : controls) {
            auto *w = rig->find<QWidget>(c.name);
            const QRectF want(QPointF(c.pixels.topLeft()) * zoom + client.topLeft(), QSizeF(c.pixels.size()) * zoom);
            QVERIFY2((w->mapTo(rig->window.get(), QPoint()) - rig->window->centralWidget()->pos() - want.topLeft()).manhattanLength() <= 2
                         && qAbs(w->width() - want.width()) <= 1 && qAbs(w->height() - want.height()) <= 1, c.name);
            QVERIFY(c.points == 0 || w->font().pointSizeF() == c.points * zoom);
        }
        QCOMPARE(rig->find<QLabel>("Image1(0)")->pixmap().deviceIndependentSize().toSize(), QSize(qRound(40 * zoom), qRound(40 * zoom)));
        rig->window->resize(747, 383 + rig->window->menuBar()->height());
        QCOMPARE(rig->find<QWidget>("Command1(0)")->geometry(), QRect(8, 288, 513, 89));
        for (bool full : {true, false}) { // F11 and back
            QTest::keyClick(rig->window.get(), Qt::Key_F11);
            QVERIFY(rig->window->isFullScreen() == full && QTest::qWaitForWindowActive(rig->window.get()));
        }
    }

    // With RIGHT chosen by the settings file, Tab visits both option buttons in the layout's order.
    void focusOrderWithRightLoaded()
    {
        QFile ini(QStringLiteral("korvane.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write("first=1\r\n") > 0);
        ini.close();
        start();
        QStringList order;
        for (int i = 0; i < 17; ++i, key(Qt::Key_Tab)) order << QApplication::focusWidget()->objectName();
        QCOMPARE(order.join(u' '), QString("Text1(0) Text1(1) Text1(2) Text1(3) Text1(4) Option1(0) Option1(1) Command2 "
                                           "Command1(0) Command3 Command5 Command4 Command6 Text1(5) Text2 Text3 Command7"));
        rig->find<QRadioButton>("Option1(1)")->click(); // the choice clicked again stays
        QVERIFY(rig->find<QRadioButton>("Option1(1)")->isChecked() && !rig->find<QRadioButton>("Option1(0)")->isChecked());
    }

    // Each player's key, by its place on the keyboard, plays his own move only.
    void playerKeys()
    {
        QStringList seen;
        const auto step = [&](int qtKey, quint32 place = 0, bool repeat = false) {
            key(qtKey, place, repeat);
            seen << shows({"Label11"}) + "/" + shows({"Label12"});
        };
        rig->find<QPushButton>("Command2")->setFocus();
        click("Command1(0)");
        step(Qt::Key_Z, 44 + 8); // before the set-up: the move button and the key do nothing
        rig->find<QRadioButton>("Option1(1)")->click();
        rig->window->Command2_Click(); // RIGHT moves first
        step(Qt::Key_Z);            // not his to start
        step(Qt::Key_Slash);        // starts
        step(Qt::Key_Slash, 0, true); // held down
        rig->time.advance(3);
        step(Qt::Key_Exclam, 53 + 8); // a French keyboard's key in the / place
        step(Qt::Key_Slash, 24 + 8);  // / typed by a key elsewhere
        step(Qt::Key_W, 44 + 8);      // the Z place: LEFT moves
        step(Qt::Key_Backslash, 89 + 8); // ろ on a Japanese keyboard, right of /: RIGHT moves too
        key(Qt::Key_P);
        seen << shows({"Command3"});
        auto *name = rig->find<QLineEdit>("Text2");
        name->setFocus();
        QTest::keyClicks(name, "z/p");
        seen << shows({"Command3"}) + " " + name->text().right(3);
        QCOMPARE(seen.join(u' '), QString("0/0 0/0 0/1 0/1 1/1 1/1 1/2 2/2 再開 再開 z/p"));
        QCOMPARE(shows({"Label1(1)"}), QString("10:17"));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

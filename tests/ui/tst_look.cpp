// What the operator sees and the keys he uses: every caption inside its
// control, each clock inside its half at any value it can show, the option
// buttons' colour, the menu's separators, names for a screen reader, the focus
// order, the whole layout zoomed, each player's own key. Run at scale 1 and 2,
// under a large desktop font.
#include "support/fakes.h"
#include "ui/stage.h"
#include "ui/form2.h"
#include "ui/setupfield.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QRegularExpression>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using testing::Rig;

namespace {

QString textOf(QWidget *w)
{
    if (auto *label = qobject_cast<QLabel *>(w)) return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(w)) return button->text();
    if (auto *edit = qobject_cast<QLineEdit *>(w)) return edit->text();
    return {};
}

void setTextOf(QWidget *w, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(w)) label->QLabel::setText(text); // the face keeps its size
    else if (auto *button = qobject_cast<QAbstractButton *>(w)) button->setText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(w)) edit->setText(text);
}

// The pixels a control's caption or text adds to it, in its own coordinates.
QRectF inkOf(QWidget *w)
{
    const QString text = textOf(w);
    const QImage with = w->grab().toImage();
    setTextOf(w, QString());
    const QFont font = w->font();
    const QImage without = w->grab().toImage();
    setTextOf(w, text);
    if (w->font() != font) w->setFont(font);
    QRect ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) ink |= QRect(x, y, 1, 1);
    const qreal dpr = with.devicePixelRatio();
    return QRectF(ink.x() / dpr, ink.y() / dpr, ink.width() / dpr, ink.height() / dpr);
}

// Every control with a caption or a text: nothing of it is cut off. A button's
// caption keeps off its edges; any other text shows its whole ink, which a
// control too small for it would cut.
void checkInkInside(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString text = textOf(w);
        if (!w->isVisible() || text.isEmpty()) continue;
        const QRectF ink = inkOf(w);
        const QString what = w->objectName() + " " + text;
        if (qobject_cast<QPushButton *>(w)) {
            QVERIFY2(QRectF(w->rect()).adjusted(2, 2, -2, -2).contains(ink), qPrintable(what));
        } else {
            const QRect need = QFontMetrics(w->font()).tightBoundingRect(text);
            // Hinting differs a little between the metrics and a scaled rendering.
            QVERIFY2(ink.width() >= need.width() - 2 && ink.height() >= need.height() - 2,
                     qPrintable(what + QStringLiteral(": ink %1 x %2, text %3 x %4")
                                           .arg(ink.width()).arg(ink.height()).arg(need.width()).arg(need.height())));
        }
    }
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Rig> rig;

    QString moves() const { return rig->find<QLabel>("Label11")->text() + "/" + rig->find<QLabel>("Label12")->text(); }
    // A key as the platform gives it: its Qt key, and where it lies (the evdev code plus 8; 0: not told).
    void key(int qtKey, quint32 scanCode = 0, bool repeat = false)
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, scanCode, 0, 0, QString(), repeat);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }

private slots:
    void initTestCase()
    {
        // As a desktop that gives every window a large font of its own.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
        QVERIFY(QDir::setCurrent(dir.path()));
        rig = std::make_unique<Rig>();
        rig->window->show();
        rig->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig->window.get()));
    }

    void inkInside_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("seconds");
        QTest::newRow("0:00") << "0" << "0";
        QTest::newRow("10:00") << "10" << "0";
        QTest::newRow("120:00") << "120" << "0";
        QTest::newRow("widest typed") << "999" << "99";
        QTest::newRow("widest from a file") << "-16666666" << "-40";
    }
    void inkInside()
    {
        QFETCH(QString, minutes);
        QFETCH(QString, seconds);
        for (int side = 0; side < 2; ++side) {
            rig->find<ui::SetupField>(QStringLiteral("Text1(%1)").arg(2 * side))->setStoredText(minutes);
            rig->find<ui::SetupField>(QStringLiteral("Text1(%1)").arg(2 * side + 1))->setStoredText(seconds);
        }
        for (bool inSeconds : {false, true}) {
            if (inSeconds) rig->window->Command5_Click(); // sets up again, in seconds
            else rig->window->Command2_Click();
            for (int side = 0; side < 2; ++side) {
                auto *face = rig->find<QLabel>(QStringLiteral("Label1(%1)").arg(side));
                QVERIFY(!face->text().isEmpty());
                const int centre = 368; // Line5
                QVERIFY2(side == 0 ? face->geometry().left() >= 0 && face->geometry().right() < centre
                                   : face->geometry().left() > centre && face->geometry().right() < 747,
                         qPrintable(face->text()));
            }
            checkInkInside(rig->window.get());
        }
        rig->window->Command5_Click(); // back to minutes and seconds
        for (int i = 0; i < 4; ++i) rig->find<ui::SetupField>(QStringLiteral("Text1(%1)").arg(i))->setStoredText(i % 2 ? "0" : "10");
    }

    void dialogInkInside()
    {
        rig->window->module1() = {-32768, 32767, 999};
        rig->window->m14_Click();
        ui::Form2 *dialog = rig->window->form2();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        checkInkInside(dialog);
        dialog->close();
    }

    // A screen reader finds a Japanese name on every control that takes the
    // focus, in both windows, and hears whose turn it is and what each clock shows.
    void accessibleNames()
    {
        rig->window->m14_Click();
        QStringList unnamed;
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface *child = node->child(i);
                if (!child || child->state().invisible) continue;
                static const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
                if (child->state().focusable && !child->text(QAccessible::Name).contains(japanese))
                    unnamed << child->object()->objectName() + "=" + child->text(QAccessible::Name);
                walk(child);
            }
        };
        walk(QAccessible::queryAccessibleInterface(rig->window.get()));
        walk(QAccessible::queryAccessibleInterface(rig->window->form2()));
        QCOMPARE(unnamed, QStringList());
        rig->window->form2()->close();

        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        auto *lamp = QAccessible::queryAccessibleInterface(rig->find<QLabel>("Image1(0)"));
        auto *clock = QAccessible::queryAccessibleInterface(rig->find<QLabel>("Label1(1)"));
        QCOMPARE(lamp->text(QAccessible::Name) + lamp->text(QAccessible::Description), QString("LEFT の手番ランプ手番"));
        QCOMPARE(clock->text(QAccessible::Name) + " " + clock->text(QAccessible::Description),
                 rig->find<QLabel>("Label1(1)")->text() + " RIGHT の残り時間");
        rig->window->Command2_Click();
    }

    void optionButtonsCyan()
    {
        for (const char *name : {"Option1(0)", "Option1(1)"}) {
            auto *option = rig->find<QRadioButton>(name);
            const QImage image = option->grab().toImage();
            QCOMPARE(image.pixelColor(image.width() - 2, image.height() / 2), QColor(128, 255, 255));
        }
    }

    void separatorsShow()
    {
        auto *menu = rig->window->findChild<QMenu *>("m1");
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QImage image = menu->grab().toImage();
        const qreal dpr = image.devicePixelRatio();
        const auto at = [&](int x, qreal y) { return image.pixelColor(int(x * dpr), int(y * dpr)); };
        const QColor ground = at(menu->width() / 2, menu->actionGeometry(menu->actions()[1]).center().y() + 8);
        for (QAction *action : menu->actions()) {
            const QRect r = menu->actionGeometry(action);
            int lines = 0; // rows of the separator, off the menu's border, that show a line
            for (qreal y = r.top(); action->isSeparator() && y <= r.bottom(); y += 1 / dpr)
                lines += y > 1 && y < menu->height() - 2 && at(r.center().x(), y) != ground;
            QVERIFY2(lines > 0 || !action->isSeparator(), qPrintable(action->objectName()));
        }
        menu->hide();
    }

    // With RIGHT chosen by the settings file, Tab still visits both option
    // buttons in the layout's order, and moving through them chooses nothing.
    void focusOrderWithRightLoaded()
    {
        QFile ini(QStringLiteral("korvane.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write("first=1\r\n") > 0);
        ini.close();
        Rig fresh;
        fresh.window->show();
        fresh.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fresh.window.get()));
        QStringList order;
        for (int i = 0; i < 17; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Option1(0)",
                                     "Option1(1)", "Command2", "Command1(0)", "Command3", "Command5", "Command4",
                                     "Command6", "Text1(5)", "Text2", "Text3", "Command7"}));
        QVERIFY(fresh.find<QRadioButton>("Option1(1)")->isChecked());
        QVERIFY(!fresh.find<QRadioButton>("Option1(0)")->isChecked());
        QFile::remove(QStringLiteral("korvane.ini"));
    }

    // A two-line caption breaks into halves a reader expects, 一時 / 停止:
    // two characters wide, where 一時停 / 止 would be three.
    void pauseCaptionBreaksInHalves()
    {
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
    void zoom()
    {
        QFETCH(QSize, stage);
        QFETCH(double, zoom);
        rig->window->Command2_Click();
        auto *ground = rig->window->findChild<ui::Stage *>();
        rig->window->resize(stage + QSize(0, rig->window->menuBar()->height()));
        QCOMPARE(ground->size(), stage);
        // The layout, zoomed and centred; its controls and their fonts with it.
        const QRect client = ground->client()->geometry();
        QVERIFY(qAbs(client.width() - 747 * zoom) <= 1 && qAbs(client.height() - 383 * zoom) <= 1);
        QVERIFY(qAbs(client.center().x() - stage.width() / 2) <= 1 && qAbs(client.center().y() - stage.height() / 2) <= 1);
        const struct { const char *name; QRect pixels; double points; } controls[] = {
            {"Command1(0)", {8, 288, 513, 89}, 36}, {"Text1(5)", {392, 40, 41, 33}, 18}, {"Label11", {312, 104, 49, 33}, 18}};
        for (const auto &c : controls) {
            auto *w = rig->find<QWidget>(c.name);
            const QRect want(QPoint(int(c.pixels.x() * zoom), int(c.pixels.y() * zoom)),
                             QSize(int(c.pixels.width() * zoom), int(c.pixels.height() * zoom)));
            if (zoom == 1.0) QCOMPARE(w->geometry(), c.pixels);
            QVERIFY2((w->geometry().topLeft() - want.topLeft()).manhattanLength() <= 2
                         && qAbs(w->width() - want.width()) <= 1 && qAbs(w->height() - want.height()) <= 1,
                     c.name);
            QCOMPARE(w->font().pointSizeF(), c.points * zoom);
        }
        const QLabel *lamp = rig->find<QLabel>("Image1(0)");
        QCOMPARE(lamp->pixmap().deviceIndependentSize().toSize(), QSize(qRound(40 * zoom), qRound(40 * zoom)));
        const QLabel *face = rig->find<QLabel>("Label1(0)");
        QVERIFY(face->geometry().right() < client.left() + 368 * zoom);
    }

    void playerKeys()
    {
        rig->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig->window.get()));
        rig->window->Command2_Click(); // LEFT moves first
        rig->find<QPushButton>("Command2")->setFocus();
        key(Qt::Key_Slash);
        QCOMPARE(moves(), QString("0/0")); // not his to start
        key(Qt::Key_Z);
        QCOMPARE(moves(), QString("1/0"));
        key(Qt::Key_Z, 0, true); // the key held down
        key(Qt::Key_Slash);
        QCOMPARE(moves(), QString("1/0"));
        rig->time.advance(3);
        key(Qt::Key_Z);
        QCOMPARE(moves(), QString("1/1"));
        QCOMPARE(rig->find<QLabel>("Label1(0)")->text(), QString("10:07"));
        // By place, whatever the layout types there: here a French one's W and !.
        key(Qt::Key_W, 44 + 8);
        QCOMPARE(moves(), QString("1/1"));
        key(Qt::Key_Exclam, 53 + 8);
        QCOMPARE(moves(), QString("2/1"));
        key(Qt::Key_Z, 24 + 8); // Z typed by a key at another place
        QCOMPARE(moves(), QString("2/1"));
        key(Qt::Key_P);
        QCOMPARE(rig->find<QPushButton>("Command3")->text(), QString("再開"));
        key(Qt::Key_P);
        QCOMPARE(rig->find<QPushButton>("Command3")->text(), QString("一時停止"));
        // Typing into a box is typing.
        auto *name = rig->find<QLineEdit>("Text2");
        name->setFocus();
        name->clear();
        QTest::keyClicks(name, "z/zp");
        QCOMPARE(name->text(), QString("z/zp"));
        key(Qt::Key_Z);
        QCOMPARE(moves(), QString("2/1"));
        QCOMPARE(rig->find<QPushButton>("Command3")->text(), QString("一時停止"));
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"

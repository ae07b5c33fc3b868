// The main window and its dialog, used and looked at as an operator would: a
// game through the buttons and the real timers, the message boxes, the
// settings file, the warning-times dialog, help and exit, sound that fails;
// every caption whole inside its control, each clock inside its half at any
// value it can show, colours, separators, names for a screen reader, the
// focus order, the whole layout zoomed, each player's own key. Run at scale 1
// and 2, under a large desktop font, under a dark desktop palette
// (KORVANE_TEST_DARK), and with each Japanese font alone (KORVANE_TEST_FONT:
// the family the window must be drawn in).
#include "support/checks.h"
#include "support/fakes.h"
#include "ui/form2.h"
#include "ui/look.h"
#include "ui/setupfield.h"
#include "ui/stage.h"

#include <QtTest>
#include <QtWidgets>
#include <sys/stat.h>

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

// How far apart two colours read: WCAG's contrast ratio, 1 (none) to 21 (black on white).
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) { return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

// The pixels a control's caption or text adds to its window where the
// control lies (and no other covers it), in its own coordinates; each is
// marked on a canvas of the window, where no other caption's may lie.
// sharpest: the most any of them stands out from the ground beneath it.
QRectF inkOf(QWidget *w, QImage *canvas = nullptr, bool *overdrawn = nullptr, double *sharpest = nullptr)
{
    const QString text = textOf(w), none;
    const QFont font = w->font();
    const QRect area(w->mapTo(w->window(), QPoint()), w->size());
    const QImage with = w->window()->grab(area).toImage();
    textOf(w, &none);
    const QImage without = w->window()->grab(area).toImage();
    textOf(w, &text);
    w->setFont(font);
    const qreal dpr = with.devicePixelRatio();
    const QPoint at = canvas ? area.topLeft() * dpr : QPoint();
    QRect ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                ink |= QRect(x, y, 1, 1);
                if (sharpest) *sharpest = std::max(*sharpest, contrast(with.pixel(x, y), without.pixel(x, y)));
                if (!canvas || !canvas->rect().contains(at + QPoint(x, y))) continue;
                *overdrawn |= canvas->pixelIndex(at + QPoint(x, y)) == 1;
                canvas->setPixel(at + QPoint(x, y), 1);
            }
    return QRectF(ink.topLeft() / dpr, ink.size() / dpr);
}

// The size of the ink a control's text leaves in its font, drawn free of any
// box; its glyphs only (the clocks' underline lies on their box's edge).
QSizeF freeInk(QWidget *w, const QString &text)
{
    QFont font = w->font();
    font.setUnderline(false);
    const QFontMetrics metrics(font);
    const qreal dpr = w->devicePixelRatioF();
    QImage image(QSize(metrics.horizontalAdvance(text), metrics.height()) * 2 * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(QRectF(QPointF(), image.deviceIndependentSize()), Qt::AlignCenter, text);
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
    return QSizeF(ink.size()) / dpr;
}

// Which captions or texts are cut off, drawn over another's, or faint: a
// button's must keep off its edges; any other must show its whole ink, all
// but a pixel of it (where a glyph falls between pixels); each must stand
// out from its ground at least as the layout's red on cyan does (3.4).
QStringList inkFaults(QWidget *window)
{
    QStringList faults;
    QImage canvas(window->grab().toImage().size(), QImage::Format_Mono);
    canvas.fill(0);
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString text = textOf(w);
        if (!w->isVisible() || text.isEmpty()) continue;
        bool overdrawn = false;
        double sharpest = 1;
        const QRectF ink = inkOf(w, &canvas, &overdrawn, &sharpest);
        overdrawn &= w->objectName() != "Label2(4)"; // the layout sets 持ち時間's foot on RIGHT's head
        const QSizeF need = qobject_cast<QPushButton *>(w) ? QSizeF() : freeInk(w, text);
        if (overdrawn || sharpest < 3 || !(qobject_cast<QPushButton *>(w) ? QRectF(w->rect()).adjusted(2, 2, -2, -2).contains(ink)
                                                          : ink.width() >= need.width() - 1 && ink.height() >= need.height() - 1))
            faults << w->objectName();
    }
    return faults;
}

QString colourName(const QColor &c)
{
    static const QHash<QRgb, QString> names{{qRgb(255, 255, 0), "yellow"}, {qRgb(160, 160, 160), "grey"},
                                            {qRgb(128, 255, 255), "cyan"}, {qRgb(255, 0, 0), "red"},
                                            {qRgb(0, 0, 0), "black"}, {qRgb(255, 255, 255), "white"}};
    return names.value(c.rgb(), c.name());
}

// The accessibility events sent about each control, by its name, as a screen reader would be told them.
QHash<QString, int> told;
void tell(QAccessibleEvent *event)
{
    if (event->object()) ++told[event->object()->objectName()];
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Rig> rig;

    // A control of the window, or of a dialog as "Form2.NAME", "TimeCorrection.NAME".
    template <typename T = QWidget> T *find(const QString &name) const
    {
        if (name == "Form2") return qobject_cast<T *>(rig->window->form2());
        if (name.startsWith("Form2.")) return rig->window->form2()->findChild<T *>(name.mid(6));
        if (name.startsWith("TimeCorrection.")) return rig->window->timeCorrection()->findChild<T *>(name.mid(15));
        return rig->find<T>(name);
    }
    // A click, which activates the window it lands in.
    void click(const QString &name)
    {
        QApplication::setActiveWindow(find(name)->window());
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }
    // The window in use: the dialog while it is shown.
    QWidget *inUse() const
    {
        ui::Form2 *form = rig->window->form2();
        return form && form->isVisible() ? static_cast<QWidget *>(form) : rig->window.get();
    }
    // A key as the platform gives it, pressed and let go: its Qt key with its modifiers, and where it
    // lies (evdev code + 8; 0: not told). Told nowhere, it is typed as QTest types, shortcuts first.
    void key(QKeyCombination keys, quint32 place = 0, bool repeat = false)
    {
        QApplication::setActiveWindow(inUse());
        if (!place && !repeat) return QTest::keyClick(inUse()->focusWidget(), keys.key(), keys.keyboardModifiers());
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, keys.key(), keys.keyboardModifiers(), place, 0, 0, QString(), repeat);
            QApplication::sendEvent(inUse()->focusWidget(), &event);
        }
    }
    // A new window, shown and active.
    void start()
    {
        rig = std::make_unique<Rig>();
        rig->window->show();
        rig->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig->window.get()));
    }
    // Time passes on the game's clock; then a tick comes (from Timer1 or the
    // shot that aims it), unless the clock stops first.
    void play(double seconds)
    {
        rig->time.advance(seconds);
        auto *timer1 = rig->find<QTimer>("Timer1");
        QSignalSpy tick(timer1, &QTimer::timeout), aimed(aimer(), &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(tick.count() + aimed.count() > 0 || !timer1->isActive(), 5000);
    }
    // The window's one-shot timer that aims the next tick.
    QTimer *aimer() const
    {
        for (QTimer *t : rig->window->findChildren<QTimer *>(Qt::FindDirectChildrenOnly))
            if (t->isSingleShot()) return t;
        return nullptr;
    }

    // Where an installed readme lies: bin/../share/doc/korvane.
    static QString installedDoc() { return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/korvane"); }

    // Scenarios (scenarios.txt): one step, and what the window shows under one item.
    QStringList tabbed;
    int exitCode = -1;
    bool madeDoc = false; // an installed readme, to be removed again
    static QString unescaped(const QString &escaped)
    {
        const QString text = QString::fromUtf8(testing::unescaped(escaped)).replace("$version", KORVANE_VERSION);
        return text.size() > 1 && text.startsWith(u'"') && text.endsWith(u'"') ? text.mid(1, text.size() - 2) : text;
    }
    void step(const QString &line)
    {
        const QString verb = line.section(u' ', 0, 0), name = line.section(u' ', 1, 1);
        const QString rest = line.section(u' ', 2), text = unescaped(rest);
        if (verb == "type" || verb == "paste") {
            QTest::keySequence(find(name), QKeySequence::SelectAll);
            QGuiApplication::clipboard()->setText(text);
            verb == "paste" ? QTest::keySequence(find(name), QKeySequence::Paste) : QTest::keyClicks(find(name), text);
        } else if (verb == "set") {
            name.startsWith("Text1(") ? find<ui::SetupField>(name)->setStoredText(text) : find<QLineEdit>(name)->setText(text);
        } else if (verb == "times") {
            for (int i = 0; i < 4; ++i) find<ui::SetupField>(QStringLiteral("Text1(%1)").arg(i))->setStoredText(i % 2 ? rest : name);
        } else if (verb == "click") for (int k = rest.isEmpty() ? 1 : rest.toInt(); k > 0; --k) click(name);
        else if (verb == "menu") rig->find<QAction>(name)->trigger();
        else if (verb == "focus") {
            QApplication::setActiveWindow(find(name)->window());
            find(name)->setFocus();
        } else if (verb == "key") key(QKeySequence::fromString(name)[0], rest.section(u' ', 0, 0).toUInt(), rest.endsWith("repeat"));
        else if (verb == "tab")
            for (int i = name.toInt(); i > 0; --i, key(Qt::Key_Tab)) tabbed << inUse()->focusWidget()->objectName();
        else if (verb == "w") rig->window->module1() = {name.section(u',', 0, 0).toShort(), name.section(u',', 1, 1).toShort(),
                                                        name.section(u',', 2, 2).toShort()};
        else if (verb == "play") for (int k = rest.isEmpty() ? 1 : rest.toInt(); k > 0; --k) play(name.toDouble());
        else if (verb == "advance") rig->time.advance(name.toDouble());
        else if (verb == "wait") QTest::qWait(name.toInt());
        else if (verb == "sound") rig->sound.answers = name;
        else if (verb == "answer")
            for (const QString &a : line.split(u' ').mid(1)) rig->boxes.answers << Answer(QStringList{"Yes", "No", "Cancel"}.indexOf(a));
        else if (verb == "during")
            rig->boxes.whileOpen = [this, n = name.toInt(), rest] { if (rig->boxes.shown.size() == n) step(rest); };
        else if (verb == "mkdir") QVERIFY(QDir::current().mkdir(name));
        else if (verb == "rm") QVERIFY(QFile::remove(name));
        else if (verb == "mkfifo") QVERIFY(::mkfifo(QFile::encodeName(name).constData(), 0644) == 0);
        else if (verb == "link") QVERIFY(QFile::link(rest, name));
        else if (verb == "viewer") rig->opens = name == "on";
        else if (verb == "write") {
            madeDoc |= name.startsWith("$doc") && !QDir(installedDoc()).exists();
            QFile file(QString(name).replace("$doc", installedDoc()));
            QVERIFY(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size() && file.flush());
        } else if (verb == "restart") start();
        else if (verb == "quit") {
            QObject scope; // its timers go with it: none is left for a later loop
            QTimer::singleShot(0, &scope, [this, line, &scope] { // exit -1: the step did not end the program
                step(line.section(u' ', 1));
                QTimer::singleShot(0, &scope, [] { QApplication::exit(-1); });
            });
            exitCode = QApplication::exec();
        } else QFAIL(qPrintable("unknown step: " + line));
    }
    QString observe(const QString &item) const
    {
        const gameclock::Module1 &m = rig->window->module1();
        if (item == "w") return QStringLiteral("%1,%2,%3").arg(m.wtime1).arg(m.wtime2).arg(m.wtime3);
        if (item == "box") return rig->boxes.shown.value(rig->boxes.shown.size() - 1);
        if (item == "boxes") return rig->boxes.shown.join(u'|');
        if (item == "sound") return rig->sound.log.join(u' ');
        if (item == "speaker") return rig->sound.ready ? "ready" : "hushed";
        if (item == "timer") return rig->find<QTimer>("Timer1")->isActive() ? "on" : "off";
        if (item == "focus") return inUse()->focusWidget()->objectName();
        if (item == "tabbed") return tabbed.join(u' ');
        if (item == "title") return inUse()->windowTitle();
        if (item == "dialogs") {
            const QWidgetList all = QApplication::topLevelWidgets();
            const auto shown = std::count_if(all.begin(), all.end(), [](QWidget *w) { return qobject_cast<ui::Form2 *>(w) && w->isVisible(); });
            return QString::number(shown) + (inUse()->isModal() ? " modal" : "");
        }
        if (item == "window") return rig->window->isVisible() ? "shown" : "hidden";
        if (item == "menu") { // m1's items, top to bottom
            QStringList names;
            for (QAction *action : rig->find<QMenu>("m1")->actions()) names << action->objectName();
            return names.join(u' ');
        }
        if (item == "exit") return QString::number(exitCode);
        if (item == "ink") return inkFaults(inUse()).join(u' ');
        if (item == "halves") { // each clock inside its half: Line5 at 368
            const QRect left = rig->find<QLabel>("Label1(0)")->geometry(), right = rig->find<QLabel>("Label1(1)")->geometry();
            return left.left() >= 0 && left.right() < 368 && right.left() > 368 && right.right() < 747 ? "" : "outside";
        }
        if (item == "opened") { // how many times, and the first line of the first
            QFile first(rig->opened.value(0).toLocalFile());
            return QString::number(rig->opened.size()) + " " + (first.open(QIODevice::ReadOnly) ? first.readLine().trimmed() : "");
        }
        if (item == "files") { // the folder's entries, marked as ls -F marks them
            QStringList all;
            for (const QFileInfo &f : QDir::current().entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot))
                all << f.fileName() + (f.isSymLink() ? "@" : f.isDir() ? "/" : f.isFile() ? "" : "|");
            return all.join(u' ');
        }
        if (item == "unnamed") { // controls that take the focus without a Japanese name for a screen reader
            static const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
            QStringList unnamed;
            for (QWidget *w : inUse()->findChildren<QWidget *>())
                if (w->focusPolicy() != Qt::NoFocus && w->isVisible() && !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).contains(japanese))
                    unnamed << w->objectName();
            return unnamed.join(u' ');
        }
        if (item.endsWith(u'%')) { // a caption's colour, else its colour a little in from its right edge, half-way down
            if (auto *label = find<QLabel>(item.chopped(1)); label && !label->text().isEmpty())
                return colourName(label->palette().color(QPalette::WindowText));
            const QImage image = find(item.chopped(1))->grab().toImage();
            return colourName(image.pixelColor(image.width() - qRound(3 * image.devicePixelRatio()), image.height() / 2));
        }
        if (item.endsWith(u'!')) // its role, as Qt names it
            return QMetaEnum::fromType<QAccessible::Role>().valueToKey(QAccessible::queryAccessibleInterface(find(item.chopped(1)))->role());
        if (item.endsWith(u'~')) return QString::number(told.value(item.chopped(1)));
        if (item.endsWith(u'@')) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(find(item.chopped(1)));
            return a->text(QAccessible::Name) + "/" + a->text(QAccessible::Description);
        }
        if (item.endsWith(u'?')) { // checked: an option or a menu command
            QAction *action = rig->find<QAction>(item.chopped(1));
            return QString::number(action ? action->isChecked() : find<QAbstractButton>(item.chopped(1))->isChecked());
        }
        if (item.endsWith(u'+')) { // enabled: a control or a menu command
            QAction *action = rig->find<QAction>(item.chopped(1));
            return QString::number(action ? action->isEnabled() : find(item.chopped(1))->isEnabled());
        }
        QWidget *control = find(item);
        return control ? textOf(control) : "(no " + item + ")"; // a misspelt item never reads as empty
    }

private slots:
    void initTestCase()
    {
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14)); // a desktop's own large font
        if (qEnvironmentVariableIsSet("KORVANE_TEST_DARK")) QApplication::setPalette(QPalette(QColor(60, 60, 60)));
        if (const QString family = qEnvironmentVariable("KORVANE_TEST_FONT"); !family.isEmpty())
            QCOMPARE(QFontInfo(ui::look::font(12)).family(), family);
        QAccessible::installUpdateHandler(tell);
        qputenv("XDG_CACHE_HOME", dir.filePath("cache").toLocal8Bit()); // where help writes out its own readme
    }
    void init()
    {
        const QString here = dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + '-'
                                          + QString::fromLatin1(QTest::currentDataTag() ? QTest::currentDataTag() : ""));
        QVERIFY(QDir().mkpath(here) && QDir::setCurrent(here));
        start();
    }
    void cleanup()
    {
        if (madeDoc && QDir(installedDoc()).removeRecursively()) QDir().rmpath(QFileInfo(installedDoc()).path());
        madeDoc = false;
        if (rig->window->form2()) rig->window->form2()->close();
        rig->window.reset();
        QVERIFY(!rig->sound.failed); // nothing is left to call into the window's cues
    }

    // The window used as an operator would, a paragraph of scenarios.txt a scenario.
    void scenario_data()
    {
        QTest::addColumn<QStringList>("steps");
        QFile file(QFINDTESTDATA("scenarios.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QList<std::pair<QString, QStringList>> scenarios;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
            if (!line.isEmpty() && !line.startsWith(u' ') && !line.startsWith(u'#')) scenarios.append({line.section(u':', 0, 0), {}});
            else if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(u'#')) scenarios.last().second << line.trimmed();
        for (const auto &[name, steps] : scenarios) QTest::newRow(qPrintable(name)) << steps;
    }
    void scenario()
    {
        QFETCH(QStringList, steps);
        tabbed.clear();
        for (const QString &line : steps) {
            if (line == "listening") { // Qt tells of changes only while a screen reader's bus listens
                if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) QSKIP("no screen reader's bus: see tst_window_atspi");
                QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 20000);
                told.clear();
                continue;
            }
            if (line.startsWith("? ")) {
                const QString check = QString(line.mid(2)).replace("$version", KORVANE_VERSION);
                const QString failed = testing::failedCheck(check, [this](const QString &item) { return observe(item); });
                QVERIFY2(failed.isEmpty(), qPrintable(line.left(60) + "\n" + failed));
                continue;
            }
            step(line);
            if (QTest::currentTestFailed()) return;
            if (!line.startsWith("during ")) rig->boxes.whileOpen = nullptr;
        }
    }

    // Ticks aimed at LEFT's whole seconds: a shot in 150 ms, before which
    // Timer1 cannot come, ticks and restarts it; a pause stops both.
    void tickPhasing()
    {
        step("set Text1(1) 0.35");
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        QTimer *shot = aimer(), *timer1 = rig->find<QTimer>("Timer1");
        QVERIFY(shot->isActive() && shot->remainingTime() > 50 && shot->remainingTime() <= 151);
        QVERIFY(timer1->remainingTime() > shot->remainingTime() && timer1->interval() == 200);
        click("Command3");
        QVERIFY(!shot->isActive() && !timer1->isActive());
        click("Command3");
        rig->time.advance(0.5);
        QSignalSpy fired(shot, &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(fired.count() > 0, 5000);
        QVERIFY(timer1->remainingTime() > 60); // restarted by the shot, not from the start
        QCOMPARE(observe("Label1(0)"), QString("9:59")); // and the shot ticked
    }

    // The dialog's numbers at the right, its lines around the rows.
    void dialogLayout()
    {
        rig->window->module1() = {-32768, 32767, 0};
        step("menu m14");
        QVERIFY(inkOf(find("Form2.Text3")).left() > find("Form2.Text3")->width() / 2); // "0"
        const auto y = [this](const char *name) { return find(QStringLiteral("Form2.") + name)->y(); };
        QVERIFY(y("Line1(0)") > 40 && y("Line1(0)") < y("Text1") && y("Line1(1)") > y("Text3"));
    }

    // The lamps' black edge even all round; each of the three separators a line off the menu's border; 一時 / 停止 two
    // characters wide, where 一時停 / 止 would be three.
    void details()
    {
        QVERIFY(!rig->find<QPushButton>("Command6")->icon().isNull()); // help's face
        rig->window->Command2_Click();
        const QImage square = rig->find<QLabel>("Image1(0)")->pixmap().toImage(); // its black edge even all round
        QVERIFY(square == square.mirrored(true, true) && square.pixelColor(square.width() - 1, 20) == Qt::black);
        for (QWidget *w : rig->window->findChildren<QWidget *>()) // a click anywhere on a control reaches it
            for (const QPoint p : {QPoint(2, 2), QPoint(w->width() - 3, 2), w->rect().center(), QPoint(2, w->height() - 3)})
                if (QWidget *hit = w->window()->childAt(w->mapTo(w->window(), p)); w->focusPolicy() != Qt::NoFocus && w->isVisible())
                    QVERIFY2(hit == w || w->isAncestorOf(hit), qPrintable(w->objectName()));
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

    // The whole window on the screen as it opens, maximised and in full
    // screen; on a screen smaller than the layout, zoomed down uniformly, every
    // caption inside its control.
    void fitsScreen()
    {
        QWidget *window = rig->window.get();
        const QRect free = window->screen()->availableGeometry();
        QVERIFY(free.contains(window->geometry()));
        for (const bool full : {false, true}) {
            full ? window->showFullScreen() : window->showMaximized();
            QTRY_VERIFY(window->width() > 600);
            QVERIFY(window->screen()->geometry().contains(window->geometry()));
            const QRect client = window->findChild<ui::Stage *>()->client()->geometry();
            const QSize stage = rig->window->centralWidget()->size();
            const double zoom = std::min(stage.width() / 747.0, stage.height() / 383.0);
            QVERIFY(qAbs(client.width() - 747 * zoom) <= 1 && qAbs(client.height() - 383 * zoom) <= 1);
            QCOMPARE(inkFaults(window), QStringList());
        }
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

};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

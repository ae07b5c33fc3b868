// At the table: the window zoomed to any size, and each player's own key.
#include "support/fakes.h"
#include "ui/stage.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using testing::Rig;

class TestTable : public QObject
{
    Q_OBJECT
    std::unique_ptr<Rig> rig;

    QString moves() const { return rig->find<QLabel>("Label11")->text() + "/" + rig->find<QLabel>("Label12")->text(); }
    // A key as the platform gives it: its Qt key, and where it lies (the evdev code plus 8; 0: not told).
    void key(int qtKey, quint32 scanCode = 0, bool repeat = false)
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, scanCode, 0, 0, QString(), repeat);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }

private slots:
    void init()
    {
        rig = std::make_unique<Rig>();
        rig->window->show();
        rig->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig->window.get()));
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
        QCOMPARE(face->text(), QString("10:00"));
        QVERIFY(face->geometry().right() < client.left() + 368 * zoom);
    }

    void playerKeys()
    {
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

QTEST_MAIN(TestTable)
#include "tst_table.moc"

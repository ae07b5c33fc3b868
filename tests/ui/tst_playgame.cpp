// A short game played through the window's own buttons.
#include "support/fakes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using testing::Rig;

class TestPlayGame : public QObject
{
    Q_OBJECT
    std::unique_ptr<Rig> rig;

    void click(const char *name) { QTest::mouseClick(rig->find<QPushButton>(name), Qt::LeftButton); }
    void type(const char *name, const QString &text)
    {
        auto *edit = rig->find<QLineEdit>(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
    }
    QString text(const char *label) const { return rig->find<QLabel>(label)->text(); }
    bool red(const char *label) const
    {
        return rig->find<QLabel>(label)->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
    }
    bool lit(const char *lamp) const
    {
        const QImage image = rig->find<QLabel>(lamp)->pixmap().toImage();
        return !image.isNull() && image.pixelColor(20, 20) == QColor(255, 255, 0);
    }
    QString caption(const char *button) const { return rig->find<QPushButton>(button)->text(); }
    bool running() const { return rig->window->findChild<QTimer *>("Timer1")->isActive(); }
    void tick(double seconds)
    {
        rig->time.advance(seconds);
        rig->window->Timer1_Timer();
    }

private slots:
    void init()
    {
        rig = std::make_unique<Rig>();
        rig->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig->window.get()));
    }

    void game()
    {
        type("Text1(0)", "1");
        type("Text1(1)", "0");
        type("Text1(2)", "1");
        type("Text1(3)", "0");
        type("Text1(4)", "5");
        type("Text1(5)", "10");
        rig->window->module1().wtime1 = 30;

        click("Command2");
        QCOMPARE(text("Label1(0)"), QString("1:00"));
        QCOMPARE(text("Label1(1)"), QString("1:00"));
        QVERIFY(lit("Image1(0)") && !lit("Image1(1)"));
        QCOMPARE(caption("Command1(0)"), QString("開\u3000\u3000\u3000始"));
        QCOMPARE(text("Label11") + text("Label12"), QString("00"));
        QVERIFY(!running());

        click("Command1(0)");
        QCOMPARE(caption("Command1(0)"), QString("切\u3000り\u3000替\u3000え"));
        QVERIFY(running());
        QCOMPARE(text("Label11") + "/" + text("Label12"), QString("1/0"));

        tick(20.5); // 39.5 left
        QCOMPARE(text("Label1(0)"), QString("0:39"));
        QVERIFY(lit("Image1(0)"));
        tick(0.2);
        QVERIFY(!lit("Image1(0)")); // blinking

        click("Command1(0)"); // 39.3 + 5
        QCOMPARE(text("Label1(0)"), QString("0:44"));
        QVERIFY(!lit("Image1(0)"));
        QCOMPARE(text("Label11") + "/" + text("Label12"), QString("1/1"));

        tick(29.6); // right: 30.4 left, r = 30 sounds warning 1
        QCOMPARE(text("Label1(1)"), QString("0:30"));
        QCOMPARE(rig->device.played(), QStringList{"warning.wav"});

        click("Command5");
        QCOMPARE(caption("Command5"), QString("分秒表示"));
        QCOMPARE(text("Label1(1)"), QString("30"));
        QCOMPARE(text("Label1(0)"), QString("44")); // the waiting player's banked time

        click("Command1(0)"); // right: 30.4 + 5
        QCOMPARE(text("Label1(1)"), QString("35"));
        QCOMPARE(text("Label11") + "/" + text("Label12"), QString("2/1"));

        tick(50); // left: 44.3 - 50 = -5.7, byo-yomi 10 - 5.7
        QCOMPARE(text("Label1(0)"), QString("4"));
        QVERIFY(red("Label1(0)"));
        QVERIFY(!red("Label1(1)"));

        click("Command1(0)"); // a fresh period, no increment
        QCOMPARE(text("Label1(0)"), QString("10"));
        QVERIFY(red("Label1(0)"));
        QCOMPARE(text("Label11") + "/" + text("Label12"), QString("2/2"));

        tick(36.4); // right: 35.4 - 36.4 = -1, byo-yomi 9
        QCOMPARE(text("Label1(1)"), QString("9"));
        QVERIFY(red("Label1(1)"));
        click("Command1(0)");
        QCOMPARE(text("Label1(1)"), QString("10"));

        click("Command5"); // back to minutes and seconds while left runs
        QCOMPARE(caption("Command5"), QString("秒表示"));
        QCOMPARE(text("Label1(1)"), QString("0:10"));

        tick(10.5); // left's period is gone
        QCOMPARE(rig->boxes.count("timeout"), 1);
        QCOMPARE(rig->boxes.shown.last().text, QString("LEFT PLAYER 時間切れです"));
        QCOMPARE(rig->device.played().last(), QString("end.wav"));
        QCOMPARE(text("Label1(0)"), QString("0:00"));
        QCOMPARE(caption("Command1(0)"), QString("セットしてください"));
        QVERIFY(!running());

        // The game is over: the move and pause buttons do nothing.
        click("Command1(0)");
        click("Command3");
        QVERIFY(!running());
        QCOMPARE(caption("Command3"), QString("一時停止"));
        QCOMPARE(text("Label11") + "/" + text("Label12"), QString("3/2"));
    }

    void pauseThroughButtons()
    {
        click("Command2");
        click("Command1(0)");
        tick(100.4);
        click("Command3");
        QCOMPARE(caption("Command3"), QString("再開"));
        QVERIFY(!running());
        QVERIFY(lit("Image1(0)") && !lit("Image1(1)"));
        click("Command1(0)"); // paused: does nothing
        QCOMPARE(text("Label12"), QString("0"));
        rig->time.advance(600);
        click("Command3");
        QCOMPARE(caption("Command3"), QString("一時停止"));
        tick(0.2);
        QCOMPARE(text("Label1(0)"), QString("8:19")); // 600 - 100.6
    }

    // Bad set-up input: one notice, and the game under way is untouched.
    void refusedSetup_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters in minutes") << "Text1(0)" << "abc";
        QTest::newRow("empty seconds") << "Text1(1)" << "";
        QTest::newRow("colon") << "Text1(2)" << "1:3";
        QTest::newRow("lone sign") << "Text1(3)" << "-";
        QTest::newRow("exponent increment") << "Text1(4)" << "1e";
        QTest::newRow("byo-yomi letters") << "Text1(5)" << "ab";
    }
    void refusedSetup()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        click("Command2");
        click("Command1(0)");
        tick(5.5);
        const QString before = this->text("Label1(0)");
        auto *edit = rig->find<QLineEdit>(field);
        edit->setText(text);
        click("Command2");
        QCOMPARE(rig->boxes.count("notice"), 1);
        QCOMPARE(rig->boxes.shown.last().kind, QString("notice"));
        QVERIFY(running());
        QCOMPARE(caption("Command1(0)"), QString("切\u3000り\u3000替\u3000え"));
        QCOMPARE(this->text("Label11"), QString("1"));
        QCOMPARE(this->text("Label1(0)"), before);
        tick(1);
        QCOMPARE(this->text("Label1(0)"), QString("9:53")); // still counting from the same start
    }

    // Ticks keep coming while the report is open: still one report, one cue.
    void timeoutReportedOnce()
    {
        type("Text1(0)", "0");
        type("Text1(5)", "5");
        click("Command2");
        click("Command1(0)");
        rig->boxes.whileOpen = [this] {
            for (int i = 0; i < 5; ++i) tick(0.2);
        };
        tick(5.2);
        QCOMPARE(rig->boxes.count("timeout"), 1);
        QCOMPARE(rig->device.played().count("end.wav"), 1);
        QVERIFY(!running());
    }

    // A time-out while the save question is open is reported, and the save goes on.
    void timeoutDuringSaveQuestion()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        type("Text1(0)", "0");
        type("Text1(5)", "3");
        click("Command2");
        click("Command1(0)");
        bool ticked = false;
        rig->boxes.whileOpen = [this, &ticked] {
            if (ticked) return; // the report's own nested loop
            ticked = true;
            for (int i = 0; i < 20; ++i) tick(0.2);
        };
        rig->boxes.answers = {ui::MessageBoxes::Answer::Yes};
        rig->window->findChild<QAction *>("m12")->trigger();
        QCOMPARE(rig->boxes.count("timeout"), 1);
        QCOMPARE(caption("Command1(0)"), QString("セットしてください"));
        QVERIFY(!running());
        QVERIFY(QFileInfo(dir.filePath("korvane.ini")).isFile());
    }
};

QTEST_MAIN(TestPlayGame)
#include "tst_playgame.moc"

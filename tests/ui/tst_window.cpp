// The main window and its dialog, used as an operator would: a game through
// the buttons and the real timers, the message boxes, the settings file, the
// warning-times dialog, help and exit, and sound that fails.
#include "support/fakes.h"
#include "ui/form2.h"
#include "ui/messageboxes.h"
#include "ui/setupfield.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using testing::Rig;
using Answer = ui::MessageBoxes::Answer;

class TestWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Rig> rig;

    void click(const QString &name) { QTest::mouseClick(rig->find<QPushButton>(name), Qt::LeftButton); }
    QString text(const char *name) const { return rig->find<QLabel>(name)->text(); }
    QString caption(const char *name) const { return rig->find<QPushButton>(name)->text(); }
    ui::SetupField *field(int i) const { return rig->find<ui::SetupField>(QStringLiteral("Text1(%1)").arg(i)); }
    QStringList fields() const
    {
        QStringList texts;
        for (int i = 0; i < 6; ++i) texts << field(i)->text();
        return texts;
    }
    void trigger(const char *item) { rig->window->findChild<QAction *>(item)->trigger(); }
    // Time passes on the game's clock; then Timer1 ticks, unless it stops first.
    void play(double seconds)
    {
        rig->time.advance(seconds);
        auto *timer1 = rig->window->findChild<QTimer *>("Timer1");
        QSignalSpy tick(timer1, &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(tick.count() > 0 || !timer1->isActive(), 5000);
    }
    void write(const char *name, const QByteArray &bytes)
    {
        QFile file(QString::fromLatin1(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

private slots:
    void init()
    {
        const QString here = dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + '-'
                                          + QString::fromLatin1(QTest::currentDataTag() ? QTest::currentDataTag() : ""));
        QVERIFY(QDir().mkpath(here) && QDir::setCurrent(here));
        rig = std::make_unique<Rig>();
        rig->window->show();
    }
    void cleanup()
    {
        if (rig->window->form2()) rig->window->form2()->close();
        rig.reset();
    }

    // Set up by typing, played by clicking, timed by the window's own timers.
    void game()
    {
        const char *typed[6] = {"1", "0", "1", "0", "5", "10"};
        for (int i = 0; i < 6; ++i) {
            field(i)->selectAll();
            QTest::keyClicks(field(i), QString::fromLatin1(typed[i]));
        }
        rig->window->module1() = {30, 5, 3};
        click("Command2");
        QCOMPARE(text("Label1(0)") + " " + text("Label1(1)"), QString("1:00 1:00"));
        click("Command1(0)");
        QCOMPARE(caption("Command1(0)"), QString("切\u3000り\u3000替\u3000え"));
        QTest::qWait(20); // the first tick, on the whole second
        play(20.5);
        QCOMPARE(text("Label1(0)") + " " + text("Label11") + "/" + text("Label12"), QString("0:39 1/0"));
        play(9.2);
        QCOMPARE(rig->device.played, QStringList{"warning.wav"});
        click("Command1(0)"); // LEFT ends his move with 30.3 left, plus 5
        QCOMPARE(text("Label1(0)") + " " + text("Label12"), QString("0:35 1"));
        click("Command3");
        play(100);
        QCOMPARE(text("Label1(1)") + " " + caption("Command3"), QString("1:00 再開"));
        click("Command3");
        click("Command5");
        QCOMPARE(text("Label1(0)") + " " + caption("Command5"), QString("35 分秒表示"));
        play(55.4);
        QCOMPARE(text("Label1(1)"), QString("4"));
        play(1.6);
        QCOMPARE(rig->device.played, (QStringList{"warning.wav", "warning.wav", "warning.wav"}));
        play(13.2);
        QCOMPARE(text("Label1(1)"), QString("0"));
        QCOMPARE(rig->boxes.shown, QStringList{"timeout:RIGHT PLAYER 時間切れです"});
        QCOMPARE(caption("Command1(0)") + " " + caption("Command3"), QString("セットしてください 一時停止"));
        QVERIFY(!rig->window->findChild<QTimer *>("Timer1")->isActive());
    }

    // The boxes themselves: title, text, icon and buttons, and the answer given.
    void messageBoxes()
    {
        ui::QtMessageBoxes boxes(rig->window.get());
        QStringList seen;
        const auto answer = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&seen, button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                seen << QStringLiteral("%1 %2 %3 %4").arg(box->windowTitle(), box->text()).arg(box->icon()).arg(box->standardButtons());
                box->button(button)->click();
            });
        };
        answer(QMessageBox::Yes);
        QCOMPARE(boxes.question("q"), Answer::Yes);
        answer(QMessageBox::No);
        QCOMPARE(boxes.question("q"), Answer::No);
        answer(QMessageBox::Cancel);
        QCOMPARE(boxes.question("q"), Answer::Cancel);
        answer(QMessageBox::Ok);
        boxes.notice("n");
        answer(QMessageBox::Ok);
        boxes.timeoutReport("t");
        const QString yesNoCancel = QString::number(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(seen, (QStringList{"コルヴァン q 0 " + yesNoCancel, "コルヴァン q 0 " + yesNoCancel,
                                    "コルヴァン q 0 " + yesNoCancel, "コルヴァン n 0 1024", "コルヴァン t 2 1024"}));
    }

    void saveAndLoad()
    {
        const QStringList saved{"999", "5", " 1=2", "", "30", QString(70, u'7')};
        for (int i = 0; i < 6; ++i) field(i)->setStoredText(saved[i]);
        rig->find<QRadioButton>("Option1(1)")->click();
        rig->window->module1() = {10, -5, 32767};
        rig->boxes.answers = {Answer::Yes, Answer::No, Answer::Yes};
        trigger("m12");
        click("Command7");
        rig->find<QRadioButton>("Option1(0)")->click();
        QCOMPARE(fields(), QStringList(6, "0"));
        trigger("m13"); // No
        QCOMPARE(fields(), QStringList(6, "0"));
        trigger("m13"); // Yes
        QCOMPARE(fields(), saved);
        QVERIFY(rig->find<QRadioButton>("Option1(1)")->isChecked() && !rig->find<QRadioButton>("Option1(0)")->isChecked());
        QCOMPARE(rig->window->module1().wtime3, qint16(32767));
        QCOMPARE(rig->boxes.shown.size(), 3); // the questions only

        // Read at start-up, even in a folder whose name is code page 932.
        const QByteArray folder = "\x8a\xee\x95\x88";
        QVERIFY(QDir::current().mkdir(QFile::decodeName(folder)) && QFile::copy("korvane.ini", QFile::decodeName(folder + "/korvane.ini")));
        QVERIFY(QDir::setCurrent(QFile::decodeName(folder)));
        Rig again;
        QCOMPARE(again.find<ui::SetupField>("Text1(0)")->text(), saved[0]);
        QCOMPARE(again.boxes.shown, QStringList());

        QFile::remove("korvane.ini");
        again.boxes.answers = {Answer::Yes};
        again.window->m13_Click();
        QCOMPARE(again.boxes.shown.last(), QString("notice:設定ファイル(korvane.ini)が見つかりませんでした。"));
    }

    // A save that cannot be written, under a running game, and a time-out
    // while its question is open: each said once, and the game goes on.
    void faultsDuringAGame()
    {
        QVERIFY(QDir::current().mkdir("korvane.ini"));
        field(0)->setStoredText("0");
        field(1)->setStoredText("2");
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        rig->boxes.answers = {Answer::Yes, Answer::Yes};
        rig->boxes.whileOpen = [this] { if (rig->boxes.shown.size() == 1) play(3); };
        trigger("m12");
        QCOMPARE(rig->boxes.shown.size(), 3);
        QCOMPARE(rig->boxes.shown[1], QString("timeout:LEFT PLAYER 時間切れです"));
        QVERIFY(rig->boxes.shown[2].startsWith("notice:設定を保存できませんでした。以前の設定ファイルはそのままです。\nkorvane.ini "));
        rig->boxes.whileOpen = nullptr;
        // Sound that fails: three beeps for each cue, and the report still comes.
        rig->device.fail = true;
        rig->window->module1() = {1, 0, 0};
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        play(1.2);
        play(1);
        QCOMPARE(rig->device.beeps, 3); // warnings at 1 and 0, and the end
        QCOMPARE(rig->boxes.shown.last(), QString("timeout:LEFT PLAYER 時間切れです"));
    }

    void dialog_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<QString>("notice");
        const QList<int> before{-32768, 32767, 0};
        QTest::newRow("stored") << QStringList{" 7 ", "2.5", "-5"} << "Command1" << QList<int>{7, 2, -5} << "";
        QTest::newRow("kept as shown") << QStringList() << "Command1" << before << "";
        QTest::newRow("cancelled") << QStringList{"5", "6", "7"} << "Command2" << before << "";
        QTest::newRow("a box refused") << QStringList{"5", "", "7"} << "Command1" << before
                                       << "notice:２回目の「」は数として読めません。数を入力してください。";
        QTest::newRow("out of range") << QStringList{"-32769", "6", "7"} << "Command1" << before
                                      << "notice:１回目の「-32769」は -32768 から 32767 までの数にしてください。";
    }
    void dialog()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(QList<int>, after);
        QFETCH(QString, notice);
        rig->window->module1() = {-32768, 32767, 0};
        trigger("m14");
        QPointer<ui::Form2> form = rig->window->form2();
        for (int i = 0; i < 3; ++i) {
            auto *box = form->findChild<ui::SetupField *>(QStringLiteral("Text%1").arg(i + 1));
            QCOMPARE(box->text(), QString::number(QList<int>{-32768, 32767, 0}[i])); // in full
            if (!typed.isEmpty()) box->setText(typed[i]);
        }
        QTest::keyClick(form->focusWidget(), Qt::Key_Return); // presses neither button
        QVERIFY(form);
        QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton);
        const gameclock::Module1 &m = rig->window->module1();
        QCOMPARE(QList<int>({m.wtime1, m.wtime2, m.wtime3}), after);
        QCOMPARE(rig->boxes.shown.value(0), notice);
        QTest::qWait(0);
        QCOMPARE(form.isNull(), notice.isEmpty()); // a refused box keeps the dialog open
        if (!form) return;
        trigger("m14"); // a fresh one in its place
        QTest::qWait(0);
        QVERIFY(!form && rig->window->form2()->isVisible() && !rig->window->form2()->isModal());
    }

    void help_data()
    {
        QTest::addColumn<bool>("local");
        QTest::addColumn<bool>("opens");
        QTest::newRow("the folder's readme") << true << true;
        QTest::newRow("the program's own") << false << true;
        QTest::newRow("no viewer") << true << false;
    }
    void help()
    {
        QFETCH(bool, local);
        QFETCH(bool, opens);
        qputenv("XDG_CACHE_HOME", QDir::current().filePath("cache").toLocal8Bit());
        if (local) write("readme.txt", "local");
        rig->opens = opens;
        click("Command6");
        QCOMPARE(rig->opened.size(), 1);
        QFile shown(rig->opened.first().toLocalFile());
        QVERIFY(shown.open(QIODevice::ReadOnly));
        QCOMPARE(shown.readAll().startsWith("local"), local);
        QCOMPARE(rig->boxes.shown, opens ? QStringList() : QStringList{"notice:ヘルプ（readme.txt）を開けませんでした。"});
    }

    void exitWithoutQuestion()
    {
        write("korvane.ini", "wtime1=4");
        rig->window->m14_Click();
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        QTimer::singleShot(0, [this] { click("Command4"); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!rig->window->isVisible() && !rig->window->form2());
        QVERIFY(!rig->window->findChild<QTimer *>("Timer1")->isActive());
        QCOMPARE(rig->boxes.shown, QStringList());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

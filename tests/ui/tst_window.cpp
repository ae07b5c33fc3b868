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

    void click(const char *name) { QTest::mouseClick(rig->find<QPushButton>(name), Qt::LeftButton); }
    // The texts of the named controls, joined by blanks.
    QString shows(const QStringList &names) const
    {
        QStringList texts;
        for (const QString &name : names) {
            QWidget *w = rig->find<QWidget>(name);
            auto *edit = qobject_cast<QLineEdit *>(w);
            auto *button = qobject_cast<QAbstractButton *>(w);
            texts << (edit ? edit->text() : button ? button->text() : qobject_cast<QLabel *>(w)->text());
        }
        return texts.join(u' ');
    }
    ui::SetupField *field(int i) const { return rig->find<ui::SetupField>(QStringLiteral("Text1(%1)").arg(i)); }
    // Time passes on the game's clock; then Timer1 ticks, unless it stops first.
    void play(double seconds)
    {
        rig->time.advance(seconds);
        auto *timer1 = rig->find<QTimer>("Timer1");
        QSignalSpy tick(timer1, &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(tick.count() > 0 || !timer1->isActive(), 5000);
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
    }

    // Set up by typing, played by clicking, timed by the window's own timers.
    void game()
    {
        for (int i = 0; i < 6; ++i) {
            field(i)->selectAll();
            QTest::keyClicks(field(i), QStringList{"1", "0", "1", "0", "5", "10"}[i]);
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
        play(55.4); // a warning at 5
        play(1.6);  // and at 3
        seen << shows({"Label1(0)", "Label1(1)", "Command5"});
        play(13.2);
        seen << shows({"Label1(1)", "Command1(0)", "Command3"});
        QCOMPARE(seen, (QStringList{"1:00 1:00", "切\u3000り\u3000替\u3000え 0:39 1 0", "0:35 1 1:00 再開",
                                    "35 3 分秒表示", "0 セットしてください 一時停止"}));
        QCOMPARE(rig->device.played, (QStringList{"warning.wav", "warning.wav", "warning.wav", "end.wav"}));
        QCOMPARE(rig->boxes.shown, QStringList{"timeout:RIGHT PLAYER 時間切れです"});
        QVERIFY(!rig->find<QTimer>("Timer1")->isActive());
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
        for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
            answer(button);
            seen << QString::number(int(boxes.question("q")));
        }
        answer(QMessageBox::Ok);
        boxes.notice("n");
        answer(QMessageBox::Ok);
        boxes.timeoutReport("t");
        const QString question = "コルヴァン q 0 " + QString::number(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(seen, (QStringList{question, "0", question, "1", question, "2", "コルヴァン n 0 1024", "コルヴァン t 2 1024"}));
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
        rig->window->m12_Click();
        click("Command7");
        rig->find<QRadioButton>("Option1(0)")->click();
        rig->window->m13_Click(); // No
        QCOMPARE(shows({"Text1(0)", "Text1(5)"}), QString("0 0"));
        rig->window->m13_Click(); // Yes
        QCOMPARE(shows({"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Text1(5)"}), saved.join(u' '));
        QVERIFY(rig->find<QRadioButton>("Option1(1)")->isChecked() && !rig->find<QRadioButton>("Option1(0)")->isChecked());
        QCOMPARE(rig->window->module1().wtime3, qint16(32767));
        QCOMPARE(rig->boxes.shown.size(), 3); // the questions only

        const QString folder = QFile::decodeName("\x8a\xee\x95\x88");
        QVERIFY(QDir::current().mkdir(folder) && QFile::copy("korvane.ini", folder + "/korvane.ini") && QDir::setCurrent(folder));
        rig = std::make_unique<Rig>();
        QCOMPARE(shows({"Text1(0)"}) + rig->boxes.shown.join(u','), saved[0]);
        QFile::remove("korvane.ini");
        rig->boxes.answers = {Answer::Yes};
        rig->window->m13_Click();
        QCOMPARE(rig->boxes.shown.last(), QString("notice:設定ファイル(korvane.ini)が見つかりませんでした。"));
    }

    // A save that cannot be written and a time-out while its question is open:
    // each said once, in order. Then sound that fails: three beeps a cue.
    void faultsDuringAGame()
    {
        QVERIFY(QDir::current().mkdir("korvane.ini"));
        field(0)->setStoredText("0");
        field(1)->setStoredText("2");
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        rig->boxes.answers = {Answer::Yes};
        rig->boxes.whileOpen = [this] { if (rig->boxes.shown.size() == 1) play(3); };
        rig->window->m12_Click();
        rig->boxes.whileOpen = nullptr;
        const QString said = "timeout:LEFT PLAYER 時間切れです|notice:設定を保存できませんでした。以前の設定ファイルはそのままです。\nkorvane.ini ";
        QCOMPARE(rig->boxes.shown.mid(1).join(u'|').left(said.size()), said);
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
        QTest::addColumn<QString>("after"); // thresholds, and any notice
        QTest::newRow("stored") << QStringList{" 7 ", "2.5", "-5"} << "Command1" << "7 2 -5";
        QTest::newRow("kept as shown") << QStringList() << "Command1" << "-32768 32767 0";
        QTest::newRow("cancelled") << QStringList{"5", "6", "7"} << "Command2" << "-32768 32767 0";
        QTest::newRow("a box refused") << QStringList{"5", "", "7"} << "Command1"
                                       << "-32768 32767 0 notice:２回目の「」は数として読めません。数を入力してください。";
        QTest::newRow("out of range") << QStringList{"-32769", "6", "7"} << "Command1"
                                      << "-32768 32767 0 notice:１回目の「-32769」は -32768 から 32767 までの数にしてください。";
    }
    // Stored thresholds shown in full; all three stored, or none; Enter presses nothing.
    void dialog()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(QString, after);
        gameclock::Module1 &m = rig->window->module1();
        m = {-32768, 32767, 0};
        rig->window->m14_Click();
        QPointer<ui::Form2> form = rig->window->form2();
        QStringList boxes;
        for (int i = 0; i < 3; ++i) {
            auto *box = form->findChild<ui::SetupField *>(QStringLiteral("Text%1").arg(i + 1));
            boxes << box->text();
            if (!typed.isEmpty()) box->setText(typed[i]);
        }
        QCOMPARE(boxes.join(u' '), QString("-32768 32767 0"));
        for (const char *next : {"Text2", "Text3", "Command1", "Command2"}) { // the focus order, from Text1
            QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
            QCOMPARE(form->focusWidget()->objectName(), QString(next));
        }
        QTest::keyClick(form->focusWidget(), Qt::Key_Return);
        QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(QStringList({QString::number(m.wtime1), QString::number(m.wtime2), QString::number(m.wtime3)}).join(u' ')
                     + QString(rig->boxes.shown.isEmpty() ? "" : " " + rig->boxes.shown.join(u' ')), after);
        QTest::qWait(0);
        QCOMPARE(form.isNull(), rig->boxes.shown.isEmpty()); // a refused box keeps the dialog open
        rig->window->m14_Click(); // a fresh one in its place
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
        QFile readme("readme.txt");
        QVERIFY(!local || (readme.open(QIODevice::WriteOnly) && readme.write("local") && readme.flush()));
        rig->opens = opens;
        click("Command6");
        click("Command6"); // again: the copy written out before is no hindrance
        QCOMPARE(rig->opened.size(), 2);
        QFile shown(rig->opened.first().toLocalFile());
        QVERIFY(shown.open(QIODevice::ReadOnly));
        QCOMPARE(shown.readAll().startsWith("local"), local);
        QCOMPARE(rig->boxes.shown, opens ? QStringList() : QStringList(2, "notice:ヘルプ（readme.txt）を開けませんでした。"));
    }

    void exitWithoutQuestion()
    {
        rig->window->m14_Click();
        const QPointer<ui::Form2> form = rig->window->form2();
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
        QTimer::singleShot(0, [this] { click("Command4"); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!rig->window->isVisible() && (!form || !form->isVisible()) && !rig->find<QTimer>("Timer1")->isActive());
        QCOMPARE(rig->boxes.shown, QStringList());
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

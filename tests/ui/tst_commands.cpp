// The menu commands, the dialog and the small buttons, through the window.
#include "support/fakes.h"
#include "ui/form2.h"
#include "ui/setupfield.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testing::Rig;
using Answer = ui::MessageBoxes::Answer;

class TestCommands : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Rig> rig;

    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    void click(const char *name) { click(rig->find<QPushButton>(name)); }
    QLineEdit *field(int i) const { return rig->find<QLineEdit>(QStringLiteral("Text1(%1)").arg(i)); }
    QStringList fields() const
    {
        QStringList texts;
        for (int i = 0; i < 6; ++i) texts << field(i)->text();
        return texts;
    }
    void trigger(const char *menuItem) { rig->window->findChild<QAction *>(menuItem)->trigger(); }
    QByteArray iniBytes() const
    {
        QFile file(dir.filePath("korvane.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    ui::Form2 *dialog() const { return rig->window->form2(); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(dir.path()));
    }
    void init()
    {
        QFile::remove(dir.filePath("korvane.ini"));
        rig = std::make_unique<Rig>();
        rig->window->show();
    }
    void cleanup()
    {
        if (dialog()) dialog()->close();
        rig.reset();
    }

    void dialogShowsAndStores_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<int>("notices");
        QTest::newRow("store") << QList<int>{30, 10, 0} << QStringList{"5", " 7 ", "-5"} << "Command1"
                               << QList<int>{5, 7, -5} << 0;
        QTest::newRow("half to even") << QList<int>{0, 0, 0} << QStringList{"2.5", "3.5", "0"} << "Command1"
                                      << QList<int>{2, 4, 0} << 0;
        QTest::newRow("cancel") << QList<int>{30, 10, 0} << QStringList{"5", "6", "7"} << "Command2"
                                << QList<int>{30, 10, 0} << 0;
        QTest::newRow("letters refused") << QList<int>{30, 10, 0} << QStringList{"5", "ab", "7"} << "Command1"
                                         << QList<int>{30, 10, 0} << 1;
        QTest::newRow("empty refused") << QList<int>{1, 2, 3} << QStringList{"", "2", "3"} << "Command1"
                                       << QList<int>{1, 2, 3} << 1;
        QTest::newRow("lone sign refused") << QList<int>{1, 2, 3} << QStringList{"1", "2", "-"} << "Command1"
                                           << QList<int>{1, 2, 3} << 1;
    }
    void dialogShowsAndStores()
    {
        QFETCH(QList<int>, before);
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(QList<int>, after);
        QFETCH(int, notices);
        auto &m = rig->window->module1();
        m.wtime1 = before[0];
        m.wtime2 = before[1];
        m.wtime3 = before[2];
        trigger("m14");
        QVERIFY(dialog());
        for (int i = 0; i < 3; ++i) {
            auto *box = dialog()->findChild<QLineEdit *>(QStringLiteral("Text%1").arg(i + 1));
            QCOMPARE(box->text(), QString::number(before[i]));
            box->setText(typed[i]);
        }
        QPointer<ui::Form2> form = dialog();
        click(form->findChild<QPushButton *>(button));
        QCOMPARE(QList<int>({m.wtime1, m.wtime2, m.wtime3}), after);
        QCOMPARE(rig->boxes.count("notice"), notices);
        QTest::qWait(0);
        QCOMPARE(form.isNull(), notices == 0); // a refused box keeps the dialog open
        if (form) QCOMPARE(form->findChild<QLineEdit *>("Text2")->text(), typed[1]);
    }

    void dialogReopenedIsFresh()
    {
        trigger("m14");
        dialog()->findChild<QLineEdit *>("Text1")->setText("9");
        QPointer<ui::Form2> first = dialog();
        trigger("m14");
        QTest::qWait(0);
        QVERIFY(first.isNull());
        QCOMPARE(dialog()->findChild<QLineEdit *>("Text1")->text(), QString("0"));
        QVERIFY(dialog()->isVisible() && !dialog()->isModal());
    }

    void allToZeroDuringGame()
    {
        rig->window->module1().wtime1 = 30;
        click("Command2");
        click("Command1(0)");
        rig->time.advance(3.5);
        rig->window->Timer1_Timer();
        rig->find<QRadioButton>("Option1(1)")->setChecked(true);
        const QString clock = rig->find<QLabel>("Label1(0)")->text();
        click("Command7");
        QCOMPARE(fields(), QStringList(6, "0"));
        QCOMPARE(rig->window->module1().wtime1, qint16(0));
        QCOMPARE(rig->find<QLabel>("Label1(0)")->text(), clock);
        QVERIFY(rig->find<QRadioButton>("Option1(1)")->isChecked());
        QVERIFY(rig->window->findChild<QTimer *>("Timer1")->isActive());
    }

    void saveAnswers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("yes") << int(Answer::Yes) << true;
        QTest::newRow("no") << int(Answer::No) << false;
        QTest::newRow("cancel") << int(Answer::Cancel) << false;
    }
    void saveAnswers()
    {
        QFETCH(int, answer);
        QFETCH(bool, written);
        rig->boxes.answers = {Answer(answer)};
        trigger("m12");
        QCOMPARE(rig->boxes.shown.first().text,
                 QString("現在の全設定を保存しますか？（起動時またはメニューの設定読込で読み込まれます）"));
        QCOMPARE(QFile::exists(dir.filePath("korvane.ini")), written);
        QCOMPARE(rig->boxes.count("notice"), 0);
    }

    void saveThenLoadRestores_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("restored");
        QTest::newRow("yes") << int(Answer::Yes) << true;
        QTest::newRow("no") << int(Answer::No) << false;
        QTest::newRow("cancel") << int(Answer::Cancel) << false;
    }
    void saveThenLoadRestores()
    {
        QFETCH(int, answer);
        QFETCH(bool, restored);
        const QStringList saved{"999", "5", " 1=2", "", "30", "60"};
        for (int i = 0; i < 6; ++i) qobject_cast<ui::SetupField *>(field(i))->setStoredText(saved[i]);
        rig->find<QRadioButton>("Option1(1)")->setChecked(true);
        rig->window->module1() = {10, -5, 300};
        rig->boxes.answers = {Answer::Yes};
        trigger("m12");

        click("Command7");
        rig->find<QRadioButton>("Option1(0)")->setChecked(true);
        rig->boxes.answers = {Answer(answer)};
        trigger("m13");
        QCOMPARE(rig->boxes.shown.last().text, QString("以前に保存した設定を読み込みますか？"));
        QCOMPARE(fields(), restored ? saved : QStringList(6, "0"));
        QCOMPARE(rig->find<QRadioButton>("Option1(1)")->isChecked(), restored);
        QCOMPARE(rig->window->module1().wtime2, qint16(restored ? -5 : 0));
    }

    void loadWithoutFile()
    {
        rig->boxes.answers = {Answer::Yes};
        trigger("m13");
        QCOMPARE(rig->boxes.shown.size(), 2);
        QCOMPARE(rig->boxes.shown.last().text, QString("設定ファイル(korvane.ini)が見つかりませんでした。"));
        QCOMPARE(fields(), (QStringList{"10", "0", "10", "0", "10", "0"}));
    }

    void startupReadsFile()
    {
        QFile file(dir.filePath("korvane.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("text1(0).text=25\r\ntext1(5).text=30\r\nfirst=1\r\nwtime1=15\r\nend\r\n");
        file.close();
        Rig fresh;
        QCOMPARE(fresh.find<QLineEdit>("Text1(0)")->text(), QString("25"));
        QCOMPARE(fresh.find<QLineEdit>("Text1(5)")->text(), QString("30"));
        QCOMPARE(fresh.find<QLineEdit>("Text1(1)")->text(), QString("0"));
        QVERIFY(fresh.find<QRadioButton>("Option1(1)")->isChecked());
        QCOMPARE(fresh.window->module1().wtime1, qint16(15));
        QCOMPARE(fresh.boxes.shown.size(), 0);
    }

    void saveFailureKeepsOldFile()
    {
        rig->boxes.answers = {Answer::Yes};
        trigger("m12");
        const QByteArray before = iniBytes();
        QVERIFY(!before.isEmpty());
        // A child whose files may not grow past 4 KiB saves a field far larger than that.
        const pid_t child = fork();
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            rig->window->findChild<ui::SetupField *>("Text1(2)")->setStoredText(QString(100000, u'9'));
            rig->boxes.answers = {Answer::Yes};
            trigger("m12");
            ::_exit(rig->boxes.count("notice") == 1 ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // the failure was reported
        QCOMPARE(iniBytes(), before);     // and the old settings survived
    }

    void help_data()
    {
        QTest::addColumn<bool>("localReadme");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("cacheWritable");
        QTest::newRow("working directory's readme") << true << true << true;
        QTest::newRow("shipped readme") << false << true << true;
        QTest::newRow("no viewer") << true << false << true;
        QTest::newRow("shipped readme, nowhere to write it") << false << true << false;
    }
    void help()
    {
        QFETCH(bool, localReadme);
        QFETCH(bool, opens);
        QFETCH(bool, cacheWritable);
        QFile::remove(dir.filePath("readme.txt"));
        // The user's cache folder, where the shipped copy is written out; a
        // regular file on its path makes it unusable.
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_CACHE_HOME", dir.filePath(cacheWritable ? "cache" : "blocker/cache").toLocal8Bit());
        if (localReadme) {
            QFile file(dir.filePath("readme.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("local");
        }
        rig->openSucceeds = opens;
        click("Command6");
        if (!localReadme && !cacheWritable) {
            QCOMPARE(rig->opened.size(), 0);
            QCOMPARE(rig->boxes.count("notice"), 1);
            return;
        }
        QCOMPARE(rig->opened.size(), 1);
        const QString path = rig->opened.first().toLocalFile();
        QFile shown(path);
        QVERIFY(shown.open(QIODevice::ReadOnly));
        const QByteArray content = shown.readAll();
        if (localReadme) QCOMPARE(content, QByteArray("local"));
        else QVERIFY(QString::fromUtf8(content).contains("コルヴァン"));
        QCOMPARE(rig->boxes.count("notice"), opens ? 0 : 1);
    }

    void exitEndsWithoutQuestion()
    {
        rig->boxes.answers = {Answer::Yes};
        trigger("m12");
        const QByteArray before = iniBytes();
        click("Command2");
        click("Command1(0)");
        trigger("m14");
        QPointer<ui::Form2> form = dialog();
        const int shown = rig->boxes.shown.size();
        click("Command4");
        QTest::qWait(0);
        QVERIFY(!rig->window->isVisible());
        QVERIFY(form.isNull());
        QCOMPARE(rig->boxes.shown.size(), shown);
        QCOMPARE(iniBytes(), before);
        QVERIFY(rig->device.log.endsWith("close")); // the unload closed the sound device
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"

// Faults from outside while a game runs: a save that cannot be written, a
// time-out under the save question, a sound device that goes away.
#include "clock/captions.h"
#include "settings/store.h"
#include "support/fakes.h"
#include "ui/setupfield.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testing::Rig;
using Answer = ui::MessageBoxes::Answer;

class TestFaults : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Rig> rig;
    double start = 0; // the time of day when the game started
    int ticks = 0;

    QString text(const char *label) const { return rig->find<QLabel>(label)->text(); }
    void trigger(const char *item) { rig->window->findChild<QAction *>(item)->trigger(); }
    void setField(int i, const QString &text) { rig->find<QLineEdit>(QStringLiteral("Text1(%1)").arg(i))->setText(text); }
    // Ticks on a fixed 200 ms grid from the start, so no rounding piles up,
    // set 50 ms off it so that no tick lands on a whole or half second.
    void tickTo(int tick)
    {
        while (ticks < tick) {
            rig->time.setSeconds(std::fmod(start + 0.2 * ++ticks + 0.05, 86400.0));
            rig->window->Timer1_Timer();
        }
    }
    void startGame(double at)
    {
        start = at;
        rig->time.setSeconds(at);
        ticks = 0;
        rig->window->Command2_Click();
        rig->window->Command1_Click(0);
    }
    QByteArray iniBytes() const
    {
        QFile file(dir.filePath("korvane.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(dir.path()));
        // Each warning's own file, so the device's log tells the three apart.
        for (const char *name : {"warning1.wav", "warning2.wav", "warning3.wav"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    void init()
    {
        QFile::remove(dir.filePath("korvane.ini"));
        rig = std::make_unique<Rig>();
    }
    void cleanup() { rig.reset(); }

    // A save that fails while the left player thinks: the notice gives the
    // reason, the old file stays, and the clock goes on as if nothing happened.
    void saveFailsDuringGame_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("files may not grow past 4 KiB") << "size";
        QTest::newRow("working directory removed") << "cwd";
    }
    void saveFailsDuringGame()
    {
        QFETCH(QString, fault);
        rig->boxes.answers = {Answer::Yes};
        trigger("m12");
        const QByteArray before = iniBytes();
        QVERIFY(!before.isEmpty());

        // The fault is made in a child, which reports what it saw down a pipe.
        int out[2];
        QCOMPARE(::pipe(out), 0);
        const pid_t child = fork();
        if (child == 0) {
            ::close(out[0]);
            rig->boxes.shown.clear();
            startGame(36000);
            tickTo(17);
            if (fault == "size") {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{4096, 4096};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                rig->window->findChild<ui::SetupField *>("Text1(2)")->setStoredText(QString(100000, u'9'));
            } else {
                const QByteArray gone = QFile::encodeName(dir.filePath("gone"));
                if (::mkdir(gone, 0700) != 0 || ::chdir(gone) != 0 || ::rmdir(gone) != 0) ::_exit(2);
            }
            rig->boxes.answers = {Answer::Yes};
            trigger("m12");
            tickTo(27);
            rig->window->Command1_Click(0);
            tickTo(32);
            const auto &s = rig->window->gameClock().state();
            QStringList seen;
            for (const auto &box : rig->boxes.shown) {
                const QStringList lines = box.text.split(u'\n');
                seen << box.kind + ":" + lines.first() + (box.kind == "notice" && lines.value(1).isEmpty() ? " (no reason)" : "");
            }
            seen << QString::number(s.lefttime, 'f', 6) << QString::number(s.rightnow, 'f', 6) << text("Label1(0)")
                 << text("Label1(1)") << text("Label11") + "/" + text("Label12")
                 << (rig->find<QPushButton>("Command1(0)")->text() == gameclock::caption::switchTurn ? "running" : "stopped");
            const QByteArray report = seen.join(u'|').toUtf8();
            ::_exit(::write(out[1], report.constData(), report.size()) == report.size() ? 0 : 3);
        }
        ::close(out[1]);
        QByteArray report;
        char buffer[4096];
        for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
        ::close(out[0]);
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(QString::fromUtf8(report),
                 QString("question:現在の全設定を保存しますか？（起動時またはメニューの設定読込で読み込まれます）|"
                         "notice:設定を保存できませんでした。以前の設定ファイルはそのままです。|"
                         "604.550000|599.000000|10:04|9:59|1/1|running"));
        QCOMPARE(iniBytes(), before);
    }

    // The time-out comes while the save question is open: one report, and the
    // answer given afterwards still decides, saving the set-up as it was.
    void timeoutUnderSaveQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(Answer::Yes);
        QTest::newRow("no") << int(Answer::No);
    }
    void timeoutUnderSaveQuestion()
    {
        QFETCH(int, answer);
        const QStringList fields{"7", "30", "0", "2", "4", "3"};
        for (int i = 0; i < 6; ++i) setField(i, fields[i]);
        rig->find<QRadioButton>("Option1(1)")->setChecked(true);
        rig->window->module1() = {2, 1, -3};
        startGame(86399); // right to move; his two seconds and three of byo-yomi run out past midnight
        rig->boxes.whileOpen = [this] {
            if (rig->boxes.shown.size() == 1) tickTo(40);
        };
        rig->boxes.answers = {Answer(answer)};
        trigger("m12");
        rig->boxes.whileOpen = nullptr;

        QStringList kinds;
        for (const auto &box : rig->boxes.shown) kinds << box.kind;
        QCOMPARE(kinds, (QStringList{"question", "timeout"}));
        QCOMPARE(rig->boxes.shown.last().text, QString("RIGHT PLAYER 時間切れです"));
        QCOMPARE(ticks, 40);
        QCOMPARE(text("Label1(1)"), QString("0:00"));
        QCOMPARE(text("Label1(0)"), QString("7:30"));
        QCOMPARE(rig->device.played(),
                 (QStringList{"warning1.wav", "warning2.wav", "warning1.wav", "warning2.wav", "end.wav"}));

        settings::Values saved;
        const settings::LoadResult loaded = settings::load(settings::settingsPath(), saved);
        QCOMPARE(loaded.status, answer == int(Answer::Yes) ? settings::LoadStatus::Loaded : settings::LoadStatus::Absent);
        if (answer == int(Answer::Yes)) {
            QCOMPARE(QStringList(saved.fields.begin(), saved.fields.end()), fields);
            QVERIFY(!saved.firstLeft);
            QCOMPARE(QList<int>(saved.wtime.begin(), saved.wtime.end()), (QList<int>{2, 1, -3}));
        }

        // A new game starts and runs.
        startGame(100);
        tickTo(3);
        QCOMPARE(text("Label1(1)"), QString("0:01"));
        QCOMPARE(rig->boxes.shown.size(), 2);
    }

    // The sound device goes away and comes back during a game: each cue it
    // cannot play becomes three beeps, and the game keeps its times.
    void deviceGoesAway_data()
    {
        // One letter a cue, in order: the device plays it (P) or fails (F).
        QTest::addColumn<QString>("device");
        QTest::newRow("gone from the start") << "FFFFF";
        QTest::newRow("gone after the first warning") << "PFFFF";
        QTest::newRow("gone for the time-out only") << "PPPPF";
        QTest::newRow("gone and back") << "PFFPP";
    }
    void deviceGoesAway()
    {
        QFETCH(QString, device);
        setField(0, "0");
        setField(1, "30");
        setField(5, "8");
        rig->window->module1() = {20, 10, 5};
        startGame(36000);
        const QStringList files{"warning1.wav", "warning2.wav", "warning3.wav", "warning3.wav", "end.wav"};
        QStringList played;
        QList<int> cueTicks;
        int cues = 0;
        auto sounded = [&] { return rig->device.log.count("open"); };
        rig->boxes.whileOpen = [this] { tickTo(ticks + 5); };
        while (rig->boxes.count("timeout") == 0 && ticks < 300) {
            rig->device.fail = device.at(std::min(cues, 4)) == u'F';
            const int tick = ticks + 1;
            tickTo(tick); // a time-out ticks on inside its report
            if (sounded() == cues) continue;
            QCOMPARE(sounded(), cues + 1);
            cueTicks << tick;
            if (device[cues] == u'P') played << files[cues];
            ++cues;
        }
        rig->boxes.whileOpen = nullptr;

        QCOMPARE(cueTicks, (QList<int>{48, 98, 123, 163, 190}));
        QCOMPARE(rig->device.played(), played);
        QCOMPARE(rig->beeper.calls, int(device.count(u'F')));
        QCOMPARE(rig->boxes.count("timeout"), 1);
        QCOMPARE(rig->boxes.shown.size(), 1);
        QCOMPARE(text("Label1(0)"), QString("0:00"));
        QCOMPARE(text("Label1(1)"), QString("10:00"));
        QCOMPARE(rig->window->gameClock().state().righttime, 600.0);
        QVERIFY(rig->device.log.endsWith("close"));
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"

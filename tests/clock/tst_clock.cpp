// The game clock's rules, a game a line of rules.txt: set-up, moves, ticks,
// warnings, the time-out, pause, the display and its mode, the players' keys,
// the ticks' phase; the real time of day. The clock runs without a window: a
// panel and cues of the test's own, and a time of day it sets, driven by the
// lines' steps and read back as their items, in the words of the window's
// scenarios.
#include "clock/steadymidnightclock.h"
#include "clock/captions.h"
#include "clock/gameclock.h"
#include "support/checks.h"
#include "support/faketime.h"

#include <QtTest>
#include <thread>

namespace cltest {

using namespace gameclock;

class FakePanel : public ClockPanel
{
public:
    QString move = caption::pleaseSet, pause = caption::pause, mode = caption::toSeconds;
    // A side other than 0 or 1 throws, and so ends the test.
    std::array<QString, 2> clock, moves, names = {caption::defaultName, caption::defaultName};
    QString fields[6] = {"10", "0", "10", "0", "10", "0"};
    std::array<bool, 2> red = {}, lamp = {};
    bool timer = false;
    int first = 0;
    double phase = -1;
    QStringList boxes;

    QString moveCaption() const override { return move; }
    void setMoveCaption(const QString &c) override { move = c; }
    QString pauseCaption() const override { return pause; }
    void setPauseCaption(const QString &c) override { pause = c; }
    void setDisplayModeCaption(const QString &c) override { mode = c; }
    void setClockText(int side, const QString &t) override { clock.at(side) = t; }
    void setClockRed(int side, bool r) override { red.at(side) = r; }
    void setLamp(int side, bool lit) override { lamp.at(side) = lit; }
    void setMoveNumber(int side, const QString &t) override { moves.at(side) = t; }
    QString fieldText(int i) const override { return fields[i]; }
    int firstChoice() const override { return first; }
    QString playerName(int side) const override { return names.at(side); }
    bool timerOn() const override { return timer; }
    void setTimerOn(bool on) override { timer = on; }
    void phaseTicks(double delay) override { phase = delay; }
    void notice(const QString &t) override { boxes << "notice:" + t; }
};

struct Rig : ClockCues
{
    testing::FakeTime time;
    FakePanel panel;
    Module1 m1;
    GameClock clock{panel, *this, time, m1};
    QStringList cues;
    std::pair<int, QString> during; // the Nth box and a step run inside it, as its event loop would
    qint64 voiceAt = -1;             // when the voice's next phrase is due, as its timer would fire
    QStringList spoken;              // "phrase@seconds since the rig began"

    void timeswarning1() override { cues << "w1"; }
    void timeswarning2() override { cues << "w2"; }
    void timeswarning3() override { cues << "w3"; }
    void aimVoice(const QString &phrase, double delay) override
    {
        voiceAt = phrase.isEmpty() ? -1 : time.ms + qint64(std::ceil(delay * 1000)); // whole ms, never early
    }
    void hushVoice() override { voiceAt = -1; }
    // Time passes, the voice speaking at its moments on the way.
    void pass(double seconds)
    {
        const qint64 target = time.ms + qRound64(seconds * 1000);
        while (voiceAt >= 0 && voiceAt <= target) {
            time.ms = std::exchange(voiceAt, -1);
            if (const QString phrase = clock.voiceDue(); !phrase.isEmpty())
                spoken << phrase + "@" + QString::number(std::round((time.ms - 36'000'000) / 10.0) / 100); // to 10 ms
        }
        time.ms = target % 86'400'000;
    }
    void timesup(const QString &m) override
    {
        cues << "end";
        panel.boxes << "timeout:" + m;
        if (panel.boxes.size() == during.first) step(during.second);
    }

    void step(const QString &line)
    {
        const QString verb = line.section(u' ', 0, 0), name = line.section(u' ', 1, 1), rest = line.section(u' ', 2);
        const int times = rest.isEmpty() ? 1 : rest.toInt();
        if (line.isEmpty()) return;
        if (verb == "set") {
            const QString text = testing::words(rest).value(0);
            if (name.startsWith("Text1(")) panel.fields[name.mid(6, 1).toInt()] = text;
            else panel.names[name == "Text3"] = text;
        } else if (verb == "click") {
            for (int k = 0; k < times; ++k) {
                if (name == "Command2") clock.command2Click();
                else if (name == "Command1(0)") clock.command1Click();
                else if (name == "Command3") clock.command3Click();
                else if (name == "Command5") clock.command5Click();
                else if (name.startsWith("Option1(")) panel.first = name.mid(8, 1).toInt();
                else qFatal("cannot click '%s'", qPrintable(name));
            }
        } else if (verb == "key") clock.playerKey(name == "/" ? 1 : 0);
        else if (line == "menu mUndo") clock.undo();
        else if (verb == "correct") { // each side's main time, and after a "/" his byo-yomi left, as the dialog sets them
            auto standing = clock.standing();
            for (int side = 0; side < 2; ++side) {
                const QString value = line.section(u' ', 1 + side, 1 + side);
                standing[side].main = value.section(u'/', 0, 0).toDouble();
                if (value.contains(u'/')) standing[side].byo = value.section(u'/', 1).toDouble();
            }
            clock.correct(standing);
        }
        else if (verb == "w") m1.setWtimes({name.section(u',', 0, 0).toShort(), name.section(u',', 1, 1).toShort(),
                                            name.section(u',', 2, 2).toShort()});
        else if (verb == "during") during = {name.toInt(), line.section(u' ', 2)};
        else if (verb == "tick") for (int k = name.isEmpty() ? 1 : name.toInt(); k > 0; --k) clock.timer1Timer();
        else if (verb == "advance") pass(name.toDouble());
        else if (verb == "at") time.ms = qRound64(name.toDouble() * 1000);
        else if (verb == "run")
            for (int k = qRound(name.toDouble() * 5); k > 0; --k) {
                pass(0.2);
                if (panel.timer) clock.timer1Timer();
            }
        else qFatal("unknown step '%s'", qPrintable(line));
    }

    // What the window shows of one item.
    QString observe(const QString &item) const
    {
        const int side = item.contains("(1)");
        if (item.startsWith("Label1(")) return item.endsWith(u'%') ? (panel.red[side] ? "red" : "black") : panel.clock[side];
        if (item.startsWith("Image1(")) return panel.lamp[side] ? "yellow" : "grey";
        if (item == "Label11" || item == "Label12") return panel.moves[item == "Label12"];
        if (item == "Command1(0)") return panel.move;
        if (item == "Command3") return panel.pause;
        if (item == "Command5") return panel.mode;
        if (item == "timer") return panel.timer ? "on" : "off";
        if (item == "cues") return cues.join(u',');
        if (item == "box") return panel.boxes.value(panel.boxes.size() - 1);
        if (item == "phase") return QString::number(panel.phase, 'f', 3);
        if (item == "voice") return spoken.join(u',');
        qFatal("unknown item '%s'", qPrintable(item));
    }
};

} // namespace cltest

using namespace cltest;

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("check");
        for (const QStringList &row : testing::rows(QFINDTESTDATA("rules.txt"), 3)) QTest::newRow(qPrintable(row[0])) << row[1] << row[2];
    }
    void rules()
    {
        QFETCH(QString, steps);
        QFETCH(QString, check);
        Rig rig;
        for (const QString &step : steps.split(u';')) rig.step(step.trimmed());
        const QString failed = testing::failedCheck(check, [&rig](const QString &item) { return rig.observe(item); });
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }

    // The real time of day: it moves on with the monotonic clock, never back,
    // and starts at the time of day.
    void steadyMidnightClock()
    {
        const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        const auto start = std::chrono::steady_clock::now();
        gameclock::SteadyMidnightClock clock;
        const double first = clock.secondsSinceMidnight();
        const double after = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        QVERIFY2(after < before || (first >= before - 0.001 && first <= after + 0.001), qPrintable(QString::number(first)));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double later = std::fmod(clock.secondsSinceMidnight() - first + 86400, 86400);
        const std::chrono::duration<double> passed = std::chrono::steady_clock::now() - start;
        QVERIFY2(later >= 0.05 && later <= passed.count(), qPrintable(QString::number(later)));
    }
};

QTEST_APPLESS_MAIN(TestClock)
#include "tst_clock.moc"

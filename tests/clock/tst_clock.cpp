// The game clock's rules, a game a line of rules.txt: set-up, moves, ticks,
// warnings, the time-out, pause, the display and its mode, the players' keys,
// the ticks' phase; the minutes-and-seconds text; the real time of day.
#include "clock/steadymidnightclock.h"
#include "clock/timeformat.h"
#include "clockrig.h"

#include <thread>

using namespace cltest;

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QFile table(QFINDTESTDATA("rules.txt"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString &line : QString::fromUtf8(table.readAll()).split(u'\n')) {
            const QStringList columns = line.split(QStringLiteral(" | "));
            if (columns.size() == 3 && !line.startsWith(u'#')) QTest::newRow(qPrintable(columns[0])) << columns[1] << columns[2];
        }
    }
    void rules()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        Rig rig;
        rig.run(script);
        QStringList got;
        for (const QString &item : expected.split(u'|'))
            got << item.section(u'=', 0, 0) + "=" + rig.observe(item.section(u'=', 0, 0));
        QCOMPARE(got.join(u'|'), expected);
    }

    void timeformat_data()
    {
        QTest::addColumn<qint64>("s");
        QTest::addColumn<QString>("text");
        const struct { qint64 s; const char *text; } rows[] = {{0, "0:00"}, {9, "0:09"}, {10, "0:10"}, {59, "0:59"},
            {60, "1:00"}, {3600, "60:00"}, {32767, "546:07"}, {-60, "-1:00"}, {-5, "0:0-5"}, {-65, "-1:0-5"}};
        for (const auto &r : rows) QTest::addRow("%lld", r.s) << r.s << QString(r.text);
    }
    void timeformat()
    {
        QFETCH(qint64, s);
        QFETCH(QString, text);
        QCOMPARE(gameclock::timeformat(s), text);
        QCOMPARE(gameclock::clockText(s + 0.9, -1), QString::number(s)); // rounded down
    }

    // The real time of day: it moves on with the monotonic clock, never back.
    void steadyMidnightClock()
    {
        gameclock::SteadyMidnightClock clock;
        const double first = clock.secondsSinceMidnight();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double later = std::fmod(clock.secondsSinceMidnight() - first + 86400, 86400);
        QVERIFY2(later >= 0.05 && later < 1, qPrintable(QString::number(later)));
        const QTime now = QTime::currentTime();
        QVERIFY(std::fabs(clock.secondsSinceMidnight() - now.msecsSinceStartOfDay() / 1000.0) < 1);
    }
};

QTEST_APPLESS_MAIN(TestClock)
#include "tst_clock.moc"

// Reading typed numbers, and what notices quote of a text.
#include "common/decimaltext.h"
#include "common/wording.h"

#include <QTest>

class TestDecimalText : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // as a decimal and as a 16-bit whole number; "-": refused
        const char *rows[][2] = {{"10", "10 10"}, {".5", "0.5 0"}, {"5.", "5 5"}, {"+2.5", "2.5 2"}, {"-2.5", "-2.5 -2"},
            {"3.5", "3.5 4"}, {" \t7\u3000", "7 7"}, {"－１．５", "-1.5 -2"}, {"１０", "10 10"}, {"32767.4", "32767.4 32767"},
            {"32767.5", "32767.5 -"}, {"-32768.5", "-32768.5 -32768"}, {"-32769", "-32769 -"}, {"", "- -"}, {"-", "- -"},
            {".", "- -"}, {"1:30", "- -"}, {"1.2.3", "- -"}, {"1 0", "- -"}, {"1-", "- -"}, {"1e3", "- -"}};
        for (const auto &r : rows) QTest::newRow(r[0]) << QString::fromUtf8(r[0]) << r[1];
        QTest::newRow("beyond a double") << "-" + QString(400, u'9') << "-inf -";
        QTest::newRow("too small for a double") << "0." + QString(400, u'0') + '1' << "0 0";
        QTest::newRow("too small, negative") << "-0." + QString(400, u'0') + '1' << "0 0";
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const auto decimal = common::parseDecimal(text);
        const auto whole = common::parseInt16(text);
        QCOMPARE((decimal ? QString::number(*decimal) : "-") + " " + (whole ? QString::number(*whole) : "-"), read);
    }

    // A short excerpt; nothing that breaks or turns the box's lines.
    void quoted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << "1:30" << "「1:30」";
        QTest::newRow("long") << QString(10'000'000, u'7') << "「" + QString(20, u'7') + "…」";
        QTest::newRow("controls") << "a\nb\r\x7f\u202e" << "「a\u240ab\u240d\u2421\uFFFD」";
        QTest::newRow("a pair kept whole") << QString(19, u'x') + "\U0001F600" << "「" + QString(19, u'x') + "…」";
    }
    void quoted()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(common::quoted(text), shown);
    }
};

QTEST_APPLESS_MAIN(TestDecimalText)
#include "tst_decimaltext.moc"

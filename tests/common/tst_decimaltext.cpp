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
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "10" << true << 10.0;
        QTest::newRow("fraction") << "1.5" << true << 1.5;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "5." << true << 5.0;
        QTest::newRow("negative") << "-5" << true << -5.0;
        QTest::newRow("plus") << "+7" << true << 7.0;
        QTest::newRow("blanks") << "  7 " << true << 7.0;
        QTest::newRow("ideographic blank") << QString::fromUtf8("\u30007") << true << 7.0;
        QTest::newRow("full-width digits") << QString::fromUtf8("１０") << true << 10.0;
        QTest::newRow("full-width sign, point") << QString::fromUtf8("－１．５") << true << -1.5;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blank only") << "   " << false << 0.0;
        QTest::newRow("lone sign") << "-" << false << 0.0;
        QTest::newRow("lone point") << "." << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("colon") << "1:30" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("inner blank") << "1 0" << false << 0.0;
        QTest::newRow("sign after digit") << "1-" << false << 0.0;
        QTest::newRow("exponent") << "1e3" << false << 0.0;
        QTest::newRow("hex") << "0x10" << false << 0.0;
        QTest::newRow("grouping") << "1,000" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("beyond a double") << "-" + QString(400, u'9') << true << -qInf();
        QTest::newRow("too small for a double") << "0." + QString(400, u'0') + '1' << true << 0.0;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto got = common::parseDecimal(text);
        QCOMPARE(got.has_value(), ok);
        if (ok) QCOMPARE(*got, value);
    }

    void int16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("2.5 to even") << "2.5" << true << 2;
        QTest::newRow("3.5 to even") << "3.5" << true << 4;
        QTest::newRow("-2.5 to even") << "-2.5" << true << -2;
        QTest::newRow("2.6 up") << "2.6" << true << 3;
        QTest::newRow("max") << "32767" << true << 32767;
        QTest::newRow("min") << "-32768" << true << -32768;
        QTest::newRow("max by rounding") << "32767.4" << true << 32767;
        QTest::newRow("over by rounding") << "32767.5" << false << 0;
        QTest::newRow("over") << "32768" << false << 0;
        QTest::newRow("under") << "-32769" << false << 0;
        QTest::newRow("not a number") << "x" << false << 0;
    }
    void int16()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const auto got = common::parseInt16(text);
        QCOMPARE(got.has_value(), ok);
        if (ok) QCOMPARE(int(*got), value);
    }

    // What a notice quotes of a text: a short excerpt, nothing that breaks or turns the box's lines.
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

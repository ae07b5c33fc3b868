// Reading typed numbers, and what notices quote of a text.
#include "common/decimaltext.h"
#include "common/wording.h"
#include "support/table.h"

#include <QTest>

class TestDecimalText : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // as a decimal and as a 16-bit whole number; "-": refused
        for (const QStringList &row : testing::rows(QFINDTESTDATA("numbers.txt"), 2))
            QTest::newRow(qPrintable(row[0])) << QString::fromUtf8(testing::unescaped(row[0])) << row[1];
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

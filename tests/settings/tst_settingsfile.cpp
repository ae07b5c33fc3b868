#include "settings/settingsfile.h"

#include <QTest>

using settings::Values;

Q_DECLARE_METATYPE(Values)

namespace {

Values defaults()
{
    Values v;
    v.fields = {"10", "0", "10", "0", "10", "0"};
    return v;
}

QString describe(const Values &v)
{
    QStringList parts;
    for (const QString &f : v.fields) parts << '[' + f + ']';
    parts << (v.firstLeft ? "L" : "R");
    for (qint16 w : v.wtime) parts << QString::number(w);
    return parts.join(' ');
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void writerBytes()
    {
        const QByteArray header = QByteArray::fromHex("5b835283 8b839483 40839390 dd92e883 74834083 43838b5d");
        const QByteArray expected = header + "\r\ntext1(0).text=10\r\ntext1(1).text=0\r\ntext1(2).text=10\r\n"
                                             "text1(3).text=0\r\ntext1(4).text=10\r\ntext1(5).text=0\r\n"
                                             "first=0\r\nwtime1=0\r\nwtime2=0\r\nwtime3=0\r\nend\r\n";
        QCOMPARE(settings::writeSettings(defaults()).value_or("failed"), expected);
    }

    void roundTrip_data()
    {
        QTest::addColumn<Values>("values");
        Values awkward;
        awkward.fields = {"", "  5 ", "a=b=", "十分", "ｶﾀｶﾅ", "－３０"};
        awkward.firstLeft = false;
        awkward.wtime = {-32768, 32767, -1};
        QTest::newRow("awkward texts, negative thresholds") << awkward;
        QTest::newRow("defaults") << defaults();
    }
    void roundTrip()
    {
        QFETCH(Values, values);
        const auto bytes = settings::writeSettings(values);
        QVERIFY(bytes);
        Values back; // starts different from every row
        back.fields = {"x", "x", "x", "x", "x", "x"};
        back.firstLeft = !values.firstLeft;
        back.wtime = {7, 7, 7};
        settings::readsettings(*bytes, back);
        QCOMPARE(describe(back), describe(values));
    }

    void unencodableRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("emoji, no code point in 932") << QString::fromUtf8("\xF0\x9F\x98\x80");
        // encodes to 0x7E, which reads back as '~'
        QTest::newRow("overline, one way only") << QString::fromUtf8("afte\u203E");
        QTest::newRow("line break") << QString::fromUtf8("10\nwtime1=99");
    }
    void unencodableRefused()
    {
        QFETCH(QString, text);
        Values v = defaults();
        v.fields[3] = text;
        QString error;
        QVERIFY(!settings::writeSettings(v, &error));
        QVERIFY(error.startsWith(QStringLiteral("「RIGHT の持ち時間（秒）」")));
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected"); // describe() of defaults() after reading
        const QString d = describe(defaults());
        auto with = [](auto change) {
            Values v = defaults();
            change(v);
            return describe(v);
        };
        QTest::newRow("= inside value") << QByteArray("text1(2).text=a=b") << with([](Values &v) { v.fields[2] = "a=b"; });
        QTest::newRow("empty value") << QByteArray("text1(0).text=\r\n") << with([](Values &v) { v.fields[0] = ""; });
        QTest::newRow("first=0") << QByteArray("first=1\r\nfirst=0") << d;
        QTest::newRow("first=00") << QByteArray("first=1\r\nfirst=00") << d;
        QTest::newRow("first= 0") << QByteArray("first=1\r\nfirst= 0") << d;
        QTest::newRow("first=2") << QByteArray("first=2") << with([](Values &v) { v.firstLeft = false; });
        QTest::newRow("first=x skipped") << QByteArray("first=x") << d;
        QTest::newRow("wtime2=30") << QByteArray("wtime2=30") << with([](Values &v) { v.wtime[1] = 30; });
        QTest::newRow("wtime2=2.5") << QByteArray("wtime2=2.5") << with([](Values &v) { v.wtime[1] = 2; });
        QTest::newRow("wtime2=3.5") << QByteArray("wtime2=3.5") << with([](Values &v) { v.wtime[1] = 4; });
        QTest::newRow("blanks around") << QByteArray("wtime1= 7 ") << with([](Values &v) { v.wtime[0] = 7; });
        QTest::newRow("not exact keys") << QByteArray("Text1(0).text=5\r\ntext1(0).text =5\r\n first=1\r\ntext1(6).text=5") << d;
        QTest::newRow("bad values skipped, rest read")
            << QByteArray("wtime1=\r\nwtime1=abc\r\nwtime2=32768\r\nwtime3=-32769\r\ntext1(1).text=7")
            << with([](Values &v) { v.fields[1] = "7"; });
        QTest::newRow("last wins, after end") << QByteArray("wtime1=10\r\nend\r\nwtime1=20\r\nwtime3=5\r\n")
                                             << with([](Values &v) { v.wtime = {20, 0, 5}; });
        QTest::newRow("reverse order, no header")
            << QByteArray("wtime3=3\r\nwtime2=2\r\nwtime1=1\r\nfirst=1\r\ntext1(5).text=f\r\ntext1(4).text=e\r\n"
                          "text1(3).text=d\r\ntext1(2).text=c\r\ntext1(1).text=b\r\ntext1(0).text=a")
            << with([](Values &v) {
                   v.fields = {"a", "b", "c", "d", "e", "f"};
                   v.firstLeft = false;
                   v.wtime = {1, 2, 3};
               });
        QTest::newRow("CR only") << QByteArray("text1(0).text=1\rtext1(1).text=2\r") << with([](Values &v) { v.fields[0] = "1"; v.fields[1] = "2"; });
        QTest::newRow("LF only") << QByteArray("text1(0).text=1\ntext1(1).text=2\n") << with([](Values &v) { v.fields[0] = "1"; v.fields[1] = "2"; });
        QTest::newRow("mixed, blank lines") << QByteArray("text1(0).text=1\r\n\n\rtext1(1).text=2") << with([](Values &v) { v.fields[0] = "1"; v.fields[1] = "2"; });
        QTest::newRow("code page 932") << QByteArray("text1(4).text=\x8f\x5c\x95\xaa") << with([](Values &v) { v.fields[4] = "十分"; });
        QTest::newRow("UTF-8") << QByteArray("text1(4).text=十分") << with([](Values &v) { v.fields[4] = "十分"; });
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBFwtime1=9") << with([](Values &v) { v.wtime[0] = 9; });
        QTest::newRow("undecodable bytes") << QByteArray("text1(0).text=\xff\xfe\r\nwtime1=4") << with([](Values &v) { v.fields[0] = QString(2, QChar(0xFFFD)); v.wtime[0] = 4; });
        QTest::newRow("empty file") << QByteArray() << d;
        QTest::newRow("only wtime1") << QByteArray("wtime1=15") << with([](Values &v) { v.wtime[0] = 15; });
    }
    void reader()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        Values v = defaults();
        settings::readsettings(file, v);
        QCOMPARE(describe(v), expected);
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"

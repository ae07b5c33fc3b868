#include "settings/store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using settings::LoadStatus;

class TestStore : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void pathIsInWorkingDirectory()
    {
        QVERIFY(QDir::setCurrent(dir.path()));
        QCOMPARE(settings::settingsPath(), QDir::toNativeSeparators(dir.filePath("korvane.ini")));
    }

    void saveTwiceLeavesTwelveLines()
    {
        const QString path = dir.filePath("twice.ini");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x') + "\r\nwtime1=99\r\n"); // an older, longer file
        old.close();
        settings::Values v;
        v.fields = {"1", "2", "3", "4", "5", "6"};
        QVERIFY(settings::save(path, v).ok);
        v.wtime[0] = 8;
        QVERIFY(settings::save(path, v).ok);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count("\r\n"), 12);
        settings::Values back;
        QCOMPARE(settings::load(path, back).status, LoadStatus::Loaded);
        QCOMPARE(back.fields, v.fields);
        QCOMPARE(back.wtime[0], qint16(8));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("loadStatus");
        QTest::addColumn<bool>("saves");
        QTest::newRow("missing") << dir.filePath("missing.ini") << int(LoadStatus::Absent) << true;
        QTest::newRow("directory") << dir.filePath("adir.ini") << int(LoadStatus::Absent) << false;
        QTest::newRow("parent is a file") << dir.filePath("plain/korvane.ini") << int(LoadStatus::Absent) << false;
        QTest::newRow("unreadable") << "/proc/self/mem" << int(LoadStatus::Failed) << false;
    }
    void failures()
    {
        QFETCH(QString, path);
        QFETCH(int, loadStatus);
        QFETCH(bool, saves);
        QDir(dir.path()).mkdir("adir.ini");
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();

        settings::Values v;
        v.fields[0] = "untouched";
        const settings::LoadResult loaded = settings::load(path, v);
        QCOMPARE(int(loaded.status), loadStatus);
        QCOMPARE(v.fields[0], QString("untouched"));
        QCOMPARE(loaded.reason.isEmpty(), loaded.status != LoadStatus::Failed);

        const settings::SaveResult saved = settings::save(path, v);
        QCOMPARE(saved.ok, saves);
        QCOMPARE(saved.reason.isEmpty(), saves);
        QFile::remove(dir.filePath("missing.ini"));
    }
};

QTEST_APPLESS_MAIN(TestStore)
#include "tst_store.moc"

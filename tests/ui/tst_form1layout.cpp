// The main window as it opens, control by control.
#include "support/fakes.h"
#include "ui/pictures.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using testing::Rig;

class TestForm1Layout : public QObject
{
    Q_OBJECT
    std::unique_ptr<Rig> rig;

private slots:
    void initTestCase()
    {
        rig = std::make_unique<Rig>();
        rig->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig->window.get()));
    }

    void window()
    {
        QCOMPARE(rig->window->objectName(), QString("Form1"));
        QCOMPARE(rig->window->windowTitle(), QString("コルヴァン"));
        QWidget *client = rig->window->centralWidget();
        QCOMPARE(client->size(), QSize(747, 383));
        QCOMPARE(client->palette().color(QPalette::Window), QColor(128, 255, 255));
        // Scalable: the icon is drawn at any size asked, and a lamp drawn for a
        // scale of 1.25 is 50 device pixels of edge and face colours, no blur.
        QCOMPARE(rig->window->windowIcon().pixmap(256).size(), QSize(256, 256));
        const QImage lamp = ui::pictures::litLamp(1, 1.25).toImage();
        QCOMPARE(QPair(lamp.size(), lamp.devicePixelRatio()), QPair(QSize(50, 50), 1.25));
        QCOMPARE(lamp.convertToFormat(QImage::Format_Indexed8).colorCount(), 2);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<QString>("extra"); // red, centre, right, max3, max2, cyan, hidden, checked, white, auto
        auto row = [](const char *name, const char *kind, const char *text, int l, int t, int w, int h,
                      double pt, bool u, const char *extra = "") {
            QTest::newRow(name) << kind << QString::fromUtf8(text) << QRect(l, t, w, h) << pt << u
                                << QString::fromLatin1(extra);
        };
        row("Command7", "button", "全て0に", 0, 0, 930, 290, 8.25, false);
        row("Label2(6)", "label", "持　　ち　　時　　間", 240, 75, 3975, 255, 12, false, "red centre");
        row("Label2(0)", "label", "LEFT", 120, 240, 975, 375, 18, false);
        row("Text1(0)", "text", "10", 120, 600, 735, 495, 18, false, "centre max3 white");
        row("Label3(0)", "label", "分", 840, 720, 390, 360, 18, false, "auto");
        row("Text1(1)", "text", "0", 1200, 600, 615, 495, 18, false, "centre max2");
        row("Label3(1)", "label", "秒", 1800, 720, 390, 360, 18, false, "auto");
        row("Label2(4)", "label", "RIGHT", 2280, 240, 1215, 375, 18, false);
        row("Text1(2)", "text", "10", 2280, 600, 735, 495, 18, false, "centre max3 white");
        row("Label3(5)", "label", "分", 3000, 720, 390, 360, 18, false, "auto");
        row("Text1(3)", "text", "0", 3360, 600, 615, 495, 18, false, "centre max2");
        row("Label3(6)", "label", "秒", 3960, 720, 390, 360, 18, false, "auto");
        row("Label2(1)", "label", "通常加算", 4560, 75, 1095, 375, 12, false, "red");
        row("Text1(4)", "text", "10", 4680, 600, 615, 495, 18, false, "centre max2");
        row("Label3(3)", "label", "秒", 5280, 720, 390, 360, 18, false, "auto");
        row("Label2(5)", "label", "持ち時間", 5880, 75, 1095, 255, 12, false, "red");
        row("Label2(7)", "label", "切れ後 一手", 5880, 345, 1455, 255, 12, false, "red");
        row("Text1(5)", "text", "0", 5880, 600, 615, 495, 18, false, "centre max2");
        row("Label3(2)", "label", "秒", 6480, 720, 375, 360, 18, false, "auto");
        row("Label3(4)", "label", "以内", 6840, 840, 510, 240, 12, false, "auto");
        row("Label5", "label", "初め", 7680, 80, 855, 255, 14.25, false, "red");
        row("Option1(0)", "option", "LEFT", 7560, 480, 930, 285, 9.75, true, "cyan checked");
        row("Option1(1)", "option", "RIGHT", 7560, 840, 1170, 285, 9.75, true, "cyan");
        row("Command2", "button", "セット", 8760, 480, 1215, 615, 18, false);
        row("Label4", "label", "コルヴァン", 9120, 75, 1935, 255, 11.25, true, "right");
        row("Label6", "label", "Ver  3.0", 9120, 315, 1935, 255, 11.25, true, "right");
        row("Command6", "button", "", 10080, 600, 495, 495, 18, true, "picture");
        row("Label8", "label", "←", 10600, 630, 735, 255, 9, false);
        row("Label7", "label", "HELP", 10600, 840, 615, 375, 11.25, false);
        row("Label2(2)", "label", "LEFT ", 720, 1380, 975, 375, 18, false, "right");
        row("Text2", "text", "プレイヤ（変更可）", 1800, 1430, 2175, 330, 12, false, "centre");
        row("Image1(0)", "image", "", 4080, 1335, 600, 600, 0, false);
        row("Label11", "label", "0", 4680, 1560, 735, 495, 18, true, "centre");
        row("Label12", "label", "0", 5640, 1560, 735, 495, 18, true, "centre");
        row("Image1(1)", "image", "", 6360, 1335, 600, 600, 0, false);
        row("Text3", "text", "プレイヤ（変更可）", 7080, 1440, 2175, 330, 12, false, "centre");
        row("Label2(3)", "label", "RIGHT ", 9240, 1380, 1335, 375, 18, false, "right");
        row("Label1(0)", "label", "", 2400, 1800, 675, 1995, 99.75, true, "centre");
        row("Label1(1)", "label", "", 8060, 1800, 675, 1995, 99.75, true, "centre");
        row("Image2(0)", "image", "", 120, 1320, 600, 600, 0, false, "hidden lit");
        row("Image2(1)", "image", "", 10560, 1320, 600, 600, 0, false, "hidden dark");
        row("MMControl1", "widget", "", 3840, 3840, 3540, 330, 0, false, "hidden");
        row("Command1(0)", "button", "セットしてください", 120, 4320, 7695, 1335, 36, false);
        row("Command3", "button", "一時停止", 7920, 4320, 1335, 1335, 20.25, false);
        row("Command5", "button", "秒表示", 9360, 4320, 1695, 615, 18, false);
        row("Command4", "button", "終了", 9360, 5040, 1695, 615, 18, false);
    }

    void controls()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QRect, twips);
        QFETCH(double, points);
        QFETCH(bool, underline);
        QFETCH(QString, extra);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QWidget *w = rig->find<QWidget>(name);
        QVERIFY2(w, qPrintable(name));

        const QRect px(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        if (extra.contains("auto")) {
            QCOMPARE(w->pos(), px.topLeft()); // sized to its text from its top-left
        } else {
            QCOMPARE(w->geometry(), px);
        }
        QCOMPARE(w->isVisible(), !extra.contains("hidden"));

        if (points > 0) {
            QCOMPARE(w->font().family(), QString("ＭＳ Ｐゴシック"));
            // The layout's size, or a little less where the caption would not fit.
            QVERIFY(w->font().pointSizeF() <= points && w->font().pointSizeF() > points * 0.85);
            QCOMPARE(w->font().weight(), QFont::Bold);
            QCOMPARE(w->font().underline(), underline);
            // The substitute must really be a Japanese proportional Gothic.
            QCOMPARE(QFontInfo(w->font()).family(), QString("BIZ UDPGothic"));
        }
        const QColor red(255, 0, 0);
        QCOMPARE(w->palette().color(QPalette::WindowText) == red, extra.contains("red"));

        Qt::Alignment wanted = extra.contains("centre") ? Qt::AlignHCenter
                               : extra.contains("right") ? Qt::AlignRight
                                                         : Qt::AlignLeft;
        if (kind == "button") {
            auto *b = qobject_cast<QPushButton *>(w);
            QVERIFY(b);
            QCOMPARE(b->text(), text);
            QCOMPARE(!b->icon().isNull(), extra.contains("picture"));
        } else if (kind == "label") {
            auto *l = qobject_cast<QLabel *>(w);
            QVERIFY(l);
            QCOMPARE(l->text(), text);
            QCOMPARE(l->alignment() & Qt::AlignHorizontal_Mask, wanted);
            QVERIFY(!l->autoFillBackground()); // the cyan shows through
        } else if (kind == "text") {
            auto *e = qobject_cast<QLineEdit *>(w);
            QVERIFY(e);
            QCOMPARE(e->text(), text);
            QCOMPARE(e->alignment() & Qt::AlignHorizontal_Mask, wanted);
            const int max = extra.contains("max3") ? 3 : extra.contains("max2") ? 2 : 32767;
            QCOMPARE(e->maxLength(), max);
            if (extra.contains("white")) QCOMPARE(e->palette().color(QPalette::Base), QColor(Qt::white));
        } else if (kind == "option") {
            auto *o = qobject_cast<QRadioButton *>(w);
            QVERIFY(o);
            QCOMPARE(o->text(), text);
            QCOMPARE(o->isChecked(), extra.contains("checked"));
            QVERIFY(o->autoFillBackground());
            QCOMPARE(o->palette().color(QPalette::Window), QColor(128, 255, 255));
        } else if (kind == "image") {
            auto *l = qobject_cast<QLabel *>(w);
            QVERIFY(l);
            const QImage image = l->pixmap().toImage();
            if (extra.contains("lit") || extra.contains("dark")) {
                QCOMPARE(image.size(), QSize(40, 40));
                QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
                const QColor face = image.pixelColor(20, 20);
                QCOMPARE(face == QColor(255, 255, 0), extra.contains("lit"));
            } else {
                QVERIFY(image.isNull()); // lamps are empty until a set-up
            }
        }
    }

    void lines_data()
    {
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Line1") << QRect(296, 8, 1, 64);
        QTest::newRow("Line4") << QRect(384, 8, 1, 64);
        QTest::newRow("Line3") << QRect(496, 8, 1, 64);
        QTest::newRow("Line2(0)") << QRect(8, 78, 728, 5);
        QTest::newRow("Line2(1)") << QRect(8, 278, 728, 5);
        QTest::newRow("Line5") << QRect(368, 88, 1, 176);
    }
    void lines()
    {
        QFETCH(QRect, pixels);
        QWidget *w = rig->find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(w ? w->geometry() : QRect(), pixels);
    }

    void timerAndMenu()
    {
        auto *timer = rig->window->findChild<QTimer *>("Timer1");
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 200);
        QVERIFY(!timer->isActive());

        auto *menu = rig->window->menuBar()->findChild<QMenu *>("m1");
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("設定"));
        QStringList items;
        for (QAction *a : menu->actions())
            items << a->objectName() + "=" + (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(items, (QStringList{"separator1=-", "m12=設定保存", "m13=設定読込", "separator2=-",
                                     "m14=警告音時間設定", "separator3=-"}));
    }

    void focusOrder()
    {
        const QStringList order{"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Option1(0)",
                                "Option1(1)", "Command2", "Command1(0)", "Command3", "Command5", "Command4",
                                "Command6", "Text1(5)", "Text2", "Text3", "Command7"};
        QApplication::setActiveWindow(rig->window.get());
        QCOMPARE(QApplication::focusWidget()->objectName(), order.first());
        QWidget *w = rig->find<QWidget>(order.first());
        for (int i = 1; i < order.size(); ++i) {
            w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || !w->isVisible()) w = w->nextInFocusChain();
            QCOMPARE(w->objectName(), order[i]);
        }
    }

    void characterLimits_data()
    {
        QTest::addColumn<int>("limit");
        QTest::newRow("Text1(0)") << 3;
        QTest::newRow("Text1(1)") << 2;
        QTest::newRow("Text1(2)") << 3;
        QTest::newRow("Text1(5)") << 2;
    }
    void characterLimits()
    {
        QFETCH(int, limit);
        auto *e = rig->find<QLineEdit>(QString::fromLatin1(QTest::currentDataTag()));
        e->clear();
        QTest::keyClicks(e, "123456");
        QCOMPARE(e->text(), QString("123456").left(limit));
    }
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"

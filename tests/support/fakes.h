#pragma once
// The main window with stand-ins for its outside world: the time of day,
// the real message boxes answered from a script, sound that plays nothing, help.
#include "support/fakesound.h"
#include "support/faketime.h"
#include "ui/mainwindow.h"

#include <QtWidgets>

namespace testing {

// Answers the program's real message boxes as they open, from a queue
// (Cancel when it runs dry), and records each as "kind:text" (question,
// notice, timeout or about), with "@Form2" (or the other dialog's name) after
// the kind when it stands over a dialog.
class BoxAnswerer : public QObject
{
public:
    QList<ui::MessageBoxes::Answer> answers;
    QStringList shown;
    std::function<void()> whileOpen; // runs inside each box, as an operator acts while it is up

    BoxAnswerer() { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *box = qobject_cast<QMessageBox *>(watched); box && event->type() == QEvent::Show)
            QTimer::singleShot(0, box, [this, box] { answer(box); });
        return false;
    }

private:
    void answer(QMessageBox *box)
    {
        using B = QMessageBox;
        const bool question = box->standardButtons() == (B::Yes | B::No | B::Cancel);
        const bool report = box->icon() == B::Warning; // the time-out report, the one box with a warning's icon
        const bool about = box->icon() == B::NoIcon && !box->iconPixmap().isNull(); // the program's icon
        const QString over = box->parentWidget() ? box->parentWidget()->objectName() : QString();
        const bool wellFormed = box->windowTitle() == ui::kAppTitle && (question || box->standardButtons() == B::Ok)
                                && (report ? !question && over == "Form1" : box->icon() == B::NoIcon)
                                && (over == "Form1" || over == "Form2" || over == "TimeCorrection");
        shown << QString(!wellFormed ? "odd box" : question ? "question" : report ? "timeout" : about ? "about" : "notice")
                     + (over == "Form1" ? ":" : "@" + over + ":") + box->text();
        if (whileOpen) whileOpen();
        const B::StandardButton answer[] = {B::Yes, B::No, B::Cancel};
        box->button(!question ? B::Ok : answers.isEmpty() ? B::Cancel : answer[int(answers.takeFirst())])->click();
    }
};

struct Rig
{
    FakeTime time;
    ui::QtMessageBoxes messageBoxes;
    BoxAnswerer boxes;
    FakeSound sound;
    QList<QUrl> opened;
    bool opens = true;
    std::unique_ptr<ui::MainWindow> window;

    Rig()
    {
        window = std::make_unique<ui::MainWindow>(ui::Services{time, messageBoxes, sound, sound, sound, [this](const QUrl &url) {
            opened << url;
            return opens;
        }});
        messageBoxes.setParent(window.get());
    }
    template <typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
};

} // namespace testing

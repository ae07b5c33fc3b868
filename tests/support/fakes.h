#pragma once
// The main window with stand-ins for its outside world: the time of day,
// message boxes answered from a script, sound that plays nothing, help.
#include "support/fakesound.h"
#include "support/faketime.h"
#include "ui/mainwindow.h"

#include <QtCore>

namespace testing {

// Answers questions from a queue; records every box as "kind:text".
class ScriptedBoxes : public ui::MessageBoxes
{
public:
    QList<Answer> answers;
    QStringList shown;
    std::function<void()> whileOpen; // runs inside each box, as its event loop would

    Answer question(const QString &text) override
    {
        record("question:" + text);
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    void notice(const QString &text) override { record("notice:" + text); }
    void timeoutReport(const QString &text) override { record("timeout:" + text); }

private:
    void record(const QString &box)
    {
        shown << box;
        if (whileOpen) whileOpen();
    }
};

struct Rig
{
    FakeTime time;
    ScriptedBoxes boxes;
    FakeSound sound;
    QList<QUrl> opened;
    bool opens = true;
    std::unique_ptr<ui::MainWindow> window;

    Rig()
    {
        window = std::make_unique<ui::MainWindow>(ui::Services{time, boxes, sound, sound, [this](const QUrl &url) {
            opened << url;
            return opens;
        }});
    }
    template <typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
};

} // namespace testing

#pragma once
// The main window with stand-ins for its outside world: the time of day,
// message boxes answered from a script, a sound device that records, help.
#include "sound/beeper.h"
#include "sound/mediadevice.h"
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

// Plays nothing; records the files it was asked to play, or fails them all.
class FakeDevice : public sound::MediaDevice
{
public:
    QStringList played;
    bool fail = false;
    int beeps = 0;
    void setFileName(const QString &name) override { file_ = name; }
    bool open() override { return !fail; }
    bool play() override
    {
        played << file_;
        return !fail;
    }
    void close() override { closedAt = played.size(); }
    qsizetype closedAt = -1; // how many sounds had been played when it was last stopped

private:
    QString file_;
};

struct Rig : sound::Beeper
{
    FakeTime time;
    ScriptedBoxes boxes;
    FakeDevice device;
    QList<QUrl> opened;
    bool opens = true;
    std::unique_ptr<ui::MainWindow> window;

    void beepThreeTimes() override { ++device.beeps; }
    Rig()
    {
        window = std::make_unique<ui::MainWindow>(ui::Services{time, boxes, device, *this, [this](const QUrl &url) {
            opened << url;
            return opens;
        }});
    }
    template <typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
};

} // namespace testing

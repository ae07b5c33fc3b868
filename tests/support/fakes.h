#pragma once
// Stand-ins for the window's outside world: time, message boxes, sound, help.
#include "support/faketime.h"
#include "sound/beeper.h"
#include "sound/mediadevice.h"
#include "ui/mainwindow.h"
#include "ui/messageboxes.h"

#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

namespace testing {

// Answers questions from a queue and records every box shown.
class ScriptedBoxes : public ui::MessageBoxes
{
public:
    struct Shown
    {
        QString kind; // "question", "notice", "timeout"
        QString text;
    };
    QList<Answer> answers;
    QList<Shown> shown;
    std::function<void()> whileOpen; // runs inside each box, as a nested event loop would

    Answer question(const QString &text) override
    {
        record("question", text);
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    void notice(const QString &text) override { record("notice", text); }
    void timeoutReport(const QString &text) override { record("timeout", text); }
    int count(const QString &kind) const
    {
        int n = 0;
        for (const Shown &s : shown) n += s.kind == kind;
        return n;
    }

private:
    void record(const char *kind, const QString &text)
    {
        shown.append({QString::fromLatin1(kind), text});
        if (whileOpen) whileOpen();
    }
};

class RecordingDevice : public sound::MediaDevice
{
public:
    QStringList log;
    bool fail = false;
    void setFileName(const QString &name) override { log << QStringLiteral("file:") + name; }
    bool open() override { log << QStringLiteral("open"); return !fail; }
    bool play() override { log << QStringLiteral("play"); return !fail; }
    void close() override { log << QStringLiteral("close"); }
    QStringList played() const
    {
        QStringList files;
        QString last;
        for (const QString &entry : log) {
            if (entry.startsWith(QLatin1String("file:"))) last = entry.mid(5);
            else if (entry == QLatin1String("play")) files << last;
        }
        return files;
    }
};

class CountingBeeper : public sound::Beeper
{
public:
    int calls = 0;
    void beepThreeTimes() override { ++calls; }
};

// A main window wired to the fakes.
struct Rig
{
    FakeTime time;
    ScriptedBoxes boxes;
    RecordingDevice device;
    CountingBeeper beeper;
    QList<QUrl> opened;
    bool openSucceeds = true;
    std::unique_ptr<ui::MainWindow> window;

    Rig()
    {
        window = std::make_unique<ui::MainWindow>(ui::Services{
            time, boxes, device, beeper, [this](const QUrl &url) {
                opened << url;
                return openSucceeds;
            }});
    }
    template <typename T> T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
};

} // namespace testing

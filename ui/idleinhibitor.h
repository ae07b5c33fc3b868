#pragma once
// Keeps the desktop from blanking or locking the screen while a clock runs:
// a player may think for longer than the desktop's idle delay without
// touching anything, and must still see his clock.
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <optional>

class QDBusPendingCall;

namespace ui {

// What the window asks of the desktop. Either call may be repeated.
class IdleInhibitor
{
public:
    virtual ~IdleInhibitor() = default;
    virtual void hold() = 0;
    virtual void release() = 0;
};

// Through the desktop portal, else the older screensaver service, on the
// session bus. Nothing here waits for an answer: without a bus or a service
// the clock runs just as it would without this.
class DesktopIdleInhibitor : public QObject, public IdleInhibitor
{
public:
    DesktopIdleInhibitor(const QString &appName, const QString &reason);
    // Lets go of what is held or asked for, and sees the bus has it.
    ~DesktopIdleInhibitor() override;
    void hold() override;
    void release() override;

private:
    enum class Via { Portal, ScreenSaver };
    struct Held
    {
        Via via;
        QString request; // the portal's request object
        uint cookie = 0; // the screensaver's
    };
    void ask(Via via);
    void answered(const QDBusPendingCall &call, Via via);
    void letGo();

    QDBusConnection bus_;
    QString appName_, reason_;
    bool wanted_ = false;
    std::optional<Via> asking_; // an Inhibit call whose answer has not come
    std::optional<Held> held_;
    QString token_;             // names the portal's request object of the last call
    int calls_ = 0;
};

} // namespace ui

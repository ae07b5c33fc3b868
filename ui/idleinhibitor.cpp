#include "ui/idleinhibitor.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace ui {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
constexpr uint kIdle = 8; // the portal's flag for blanking and locking

} // namespace

DesktopIdleInhibitor::DesktopIdleInhibitor(const QString &appName, const QString &reason)
    : bus_(QDBusConnection::sessionBus()), appName_(appName), reason_(reason)
{
}

DesktopIdleInhibitor::~DesktopIdleInhibitor()
{
    if (!bus_.isConnected() || calls_ == 0) return;
    release();
    // The portal names its request object after the caller and the token,
    // so an answer still on its way is let go of without waiting for it.
    // The screensaver's cookie is not known: it forgets a caller that leaves.
    if (asking_ == Via::Portal) {
        const QString sender = bus_.baseService().mid(1).replace(u'.', u'_');
        bus_.send(QDBusMessage::createMethodCall(kPortal, kPortalPath + QStringLiteral("/request/") + sender + u'/' + token_,
                                                 QStringLiteral("org.freedesktop.portal.Request"),
                                                 QStringLiteral("Close")));
    }
    // The program ends next, and with it whatever the connection had not yet
    // written. The bus answers a ping only after the messages sent before it.
    bus_.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                             QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
              QDBus::Block, 1000);
}

void DesktopIdleInhibitor::hold()
{
    wanted_ = true;
    if (!held_ && !asking_ && bus_.isConnected()) ask(Via::Portal);
}

void DesktopIdleInhibitor::release()
{
    wanted_ = false;
    if (held_) letGo();
}

void DesktopIdleInhibitor::ask(Via via)
{
    QDBusMessage call;
    if (via == Via::Portal) {
        token_ = QStringLiteral("korvane%1").arg(++calls_);
        call = QDBusMessage::createMethodCall(kPortal, kPortalPath, QStringLiteral("org.freedesktop.portal.Inhibit"),
                                              QStringLiteral("Inhibit"));
        call << QString() << kIdle
             << QVariantMap{{QStringLiteral("reason"), reason_}, {QStringLiteral("handle_token"), token_}};
    } else {
        call = QDBusMessage::createMethodCall(kScreenSaver, kScreenSaverPath, kScreenSaver, QStringLiteral("Inhibit"));
        call << appName_ << reason_;
    }
    asking_ = via;
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, via](QDBusPendingCallWatcher *watcher) {
        watcher->deleteLater();
        answered(*watcher, via);
    });
}

// The clock may have stopped, and started again, while the answer was on its way.
void DesktopIdleInhibitor::answered(const QDBusPendingCall &call, Via via)
{
    asking_.reset();
    const QDBusMessage reply = call.reply();
    const bool portal = via == Via::Portal;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String(portal ? "o" : "u")) {
        if (portal && wanted_) ask(Via::ScreenSaver);
        return;
    }
    const QVariant value = reply.arguments().constFirst();
    if (portal) held_ = Held{via, qvariant_cast<QDBusObjectPath>(value).path()};
    else held_ = Held{via, QString(), value.toUInt()};
    if (!wanted_) letGo();
}

// Sent without asking for an answer: there is nothing to do about a failure.
void DesktopIdleInhibitor::letGo()
{
    QDBusMessage call;
    if (held_->via == Via::Portal) {
        call = QDBusMessage::createMethodCall(kPortal, held_->request, QStringLiteral("org.freedesktop.portal.Request"),
                                              QStringLiteral("Close"));
    } else {
        call = QDBusMessage::createMethodCall(kScreenSaver, kScreenSaverPath, kScreenSaver, QStringLiteral("UnInhibit"));
        call << held_->cookie;
    }
    held_.reset();
    bus_.send(call);
}

} // namespace ui

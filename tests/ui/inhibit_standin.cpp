// Stands in for the desktop's idle inhibitors on a private session bus: owns
// the names it is given, answers as the portal or the screensaver would, and
// prints each call with how many inhibitors are then held.
//   inhibit_standin [portal] [screensaver] [delay=MS]
// delay=MS: Inhibit is answered that late.
#include <QtDBus>

struct StandIn : QDBusVirtualObject
{
    int delay = 0;
    QSet<QString> held; // request objects and cookies
    uint cookie = 0;

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &call, const QDBusConnection &bus) override
    {
        const QString kind = call.interface().contains("portal") ? "portal" : "screensaver";
        const QVariantList arg = call.arguments();
        const auto options = qdbus_cast<QVariantMap>(arg.value(2));
        const bool inhibit = call.member() == "Inhibit";
        QDBusMessage reply = call.createReply();
        QString what;
        if (inhibit && kind == "portal") {
            const QString path = "/org/freedesktop/portal/desktop/request/" + call.service().mid(1).replace('.', '_')
                                 + '/' + options["handle_token"].toString();
            held << path;
            reply << QVariant::fromValue(QDBusObjectPath(path));
            what = QString("flags=%1 reason=%2").arg(arg[1].toUInt()).arg(options["reason"].toString());
        } else if (inhibit) {
            held << QString::number(++cookie);
            reply << cookie;
            what = "app=" + arg[0].toString() + " reason=" + arg[1].toString();
        } else {
            held.remove(call.member() == "Close" ? call.path() : QString::number(arg.value(0).toUInt()));
        }
        print(kind + '.' + call.member() + ' ' + what + QString(" held=%1").arg(held.size()));
        const bool late = inhibit && delay > 0;
        QTimer::singleShot(late ? delay : 0, [=] {
            bus.send(reply);
            if (late) print(kind + ".replied");
        });
        return true;
    }
    static void print(const QString &line)
    {
        printf("%.3f %s\n", QDateTime::currentMSecsSinceEpoch() / 1000.0, line.simplified().toUtf8().constData());
        fflush(stdout);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    StandIn standIn;
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (const QString &arg : app.arguments().mid(1)) {
        if (arg.startsWith("delay=")) standIn.delay = arg.mid(6).toInt();
        if (arg == "portal" && !bus.registerService("org.freedesktop.portal.Desktop")) return 1;
        if (arg == "screensaver" && !bus.registerService("org.freedesktop.ScreenSaver")) return 1;
    }
    if (!bus.registerVirtualObject("/org/freedesktop", &standIn, QDBusConnection::SubPath)) return 1;
    puts("ready");
    fflush(stdout);
    return app.exec();
}

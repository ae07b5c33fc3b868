#include "ui/about.h"

#include "version.h"

namespace ui {

QStringList credits()
{
    return {
        QStringLiteral("Qt %1（The Qt Company ほか、LGPL-3.0）").arg(QString::fromLatin1(qVersion())),
    };
}

QString aboutText()
{
    return QStringLiteral("コルヴァン %1\n囲碁・将棋の対局時計\n\nMIT ライセンス\n%2\n\n使用しているもの:\n%3")
        .arg(QStringLiteral(KORVANE_VERSION), QStringLiteral(KORVANE_COPYRIGHT), credits().join(u'\n'));
}

} // namespace ui

#include "ui/about.h"

#include "version.h"

namespace ui {

QStringList credits()
{
    return {
        QStringLiteral("Qt %1（The Qt Company ほか、LGPL-3.0）").arg(QString::fromLatin1(qVersion())),
        // The voice's phrases: CC BY 3.0 asks for this attribution wherever they are used.
        QStringLiteral("読み上げの声: HTS Voice \"NIT ATR503 M001\"（CC BY 3.0）を使い Open JTalk で作成\n"
                       "Copyright (c) 2003-2012 Nagoya Institute of Technology,\n"
                       "2003-2008 Tokyo Institute of Technology. Some rights reserved."),
    };
}

QString aboutText()
{
    return QStringLiteral("コルヴァン %1\n囲碁・将棋の対局時計\n\nMIT ライセンス\n%2\n\n使用しているもの:\n%3")
        .arg(QStringLiteral(KORVANE_VERSION), QStringLiteral(KORVANE_COPYRIGHT), credits().join(u'\n'));
}

} // namespace ui

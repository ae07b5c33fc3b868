#include "ui/appsetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ui {

void loadQtTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

} // namespace ui

#include "ui/finnishtranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orvik {

bool installQtFinnish(QCoreApplication& application) {
    auto* translator = new QTranslator(&application); // lives as long as the application
    const bool loaded =
        translator->load(QLocale(QLocale::Finnish, QLocale::Finland), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace orvik

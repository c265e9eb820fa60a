#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

int loadGermanQtTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    int loaded = 0;
    for (const char* module : {"qtbase", "qtmultimedia", "qtwebengine"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLatin1String(module) + QLatin1String("_de"), folder) &&
            QCoreApplication::installTranslator(translator)) {
            ++loaded;
        } else {
            delete translator;
        }
    }
    return loaded;
}

#include "app/AppSetup.h"

#include "platform/Translations.h"

#include <QApplication>
#include <QIcon>

void setUpApplication(QApplication& app) {
    QApplication::setOrganizationName(QStringLiteral("Tolbrand"));
    QApplication::setApplicationName(QStringLiteral("Ziehbox"));
    // No display name: on X11 Qt would append it to every window title. The desktop shows the name
    // "Tolbrands Lotto" from the desktop entry, which this file name leads it to.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.tolbrand.ziehbox"));
    loadGermanQtTranslations(app);
    // The icon of the desktop entry, so the task bar shows the same one.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/de.tolbrand.ziehbox.svg")));
}

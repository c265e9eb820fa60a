#include "platform/Translations.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The browser engine cannot start with its sandbox as root; everywhere else the sandbox stays on.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tolbrand"));
    QApplication::setApplicationName(QStringLiteral("ZiehboxTest"));
    // As the program does: Qt's own texts in German.
    loadGermanQtTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

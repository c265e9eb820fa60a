#include "platform/Translations.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <unistd.h>

#if defined(ZIEHBOX_TEST_Widgets)
#include <QApplication>
using TestApplication = QApplication;
#elif defined(ZIEHBOX_TEST_Gui)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The browser engine cannot start with its sandbox as root; everywhere else the sandbox stays on.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    TestApplication app(argc, argv);
    TestApplication::setOrganizationName(QStringLiteral("Tolbrand"));
    TestApplication::setApplicationName(QStringLiteral("ZiehboxTest"));
    // As the program does: Qt's own texts in German.
    loadGermanQtTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "app/AppSetup.h"

#include "archive/ArchiveLock.h"
#include "gui/Dialogs.h"
#include "platform/AppError.h"
#include "platform/Translations.h"
#include "platform/Ui.h"

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

std::unique_ptr<ArchiveLock> claimArchive(const QString& programDir, Dialogs& dialogs) {
    const QString title = QString::fromLatin1(AppTitle);
    bool asked = false;
    std::unique_ptr<ArchiveLock> lock;
    try {
        lock = ArchiveLock::take(programDir, [&](const QString& question) {
            asked = true;
            return dialogs.question(nullptr, title, question, false);
        });
    } catch (const AppError& e) {
        dialogs.error(nullptr, title, e.message());
        return nullptr;
    }
    if (!lock) {
        // A lock the user chose to keep needs no second word.
        if (!asked) dialogs.error(nullptr, title, ArchiveLock::TakenText);
        return nullptr;
    }
    return lock;
}

#include "gui/DesktopShell.h"

#include "platform/AppError.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// What the desktop lacks when it opens nothing: on Linux the opener is xdg-open of the package xdg-utils.
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
const char* const NoOpener =
    "Es ist kein Programm zum Öffnen eingerichtet (unter Linux das Paket xdg-utils).";
#else
const char* const NoOpener = "Es ist kein Programm zum Öffnen eingerichtet.";
#endif

} // namespace

void DesktopShell::open(const QString& addressOrPath) {
    const bool isFile = QFileInfo::exists(addressOrPath);
    const QUrl url = isFile ? QUrl::fromLocalFile(addressOrPath) : QUrl::fromUserInput(addressOrPath);
    if (QDesktopServices::openUrl(url)) return;
    // Otherwise a click would simply do nothing.
    const QString reason = QString::fromUtf8(NoOpener);
    if (isFile)
        throw AppError(QStringLiteral("Die Datei \"%1\" konnte nicht geöffnet werden: %2")
                           .arg(QDir::toNativeSeparators(addressOrPath), reason));
    throw AppError(
        QStringLiteral("Die Adresse \"%1\" konnte nicht geöffnet werden: %2").arg(addressOrPath, reason));
}

#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void DesktopShell::open(const QString& addressOrPath) {
    const bool isFile = QFileInfo::exists(addressOrPath);
    const QUrl url = isFile ? QUrl::fromLocalFile(addressOrPath) : QUrl::fromUserInput(addressOrPath);
    // As with the system's "open", the result is not checked.
    QDesktopServices::openUrl(url);
}

#include "platform/Browser.h"

#include <QByteArray>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

void prepareBrowserEngine() {
#ifdef Q_OS_UNIX
    if (::geteuid() != 0) return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char* flag : {"--no-sandbox", "--disable-gpu"}) {
        if (flags.contains(flag)) continue;
        if (!flags.isEmpty()) flags += ' ';
        flags += flag;
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
#endif
}

#include "app/AppContext.h"
#include "app/AppSetup.h"
#include "app/MainWindow.h"
#include "app/ProgramDir.h"
#include "archive/ArchiveLock.h"
#include "gui/BrowserView.h"
#include "gui/QtSound.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

int main(int argc, char** argv) {
    prepareBrowserEngine();
    // The embedded browser shares its rendering contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    setUpApplication(app);

    const QString programDir =
        resolveProgramDir(QApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), isWritableDir);
    AppContext context(QDir::toNativeSeparators(programDir));
    const auto lock = claimArchive(context.state.programDir, *context.dialogs);
    if (!lock) return 1;
    MainWindow window(context);
    window.startUp();
    window.show();
    const int code = QApplication::exec();
    // The settings are saved by now. An audio system that never answered keeps the sound thread; leave
    // without running the library's exit handlers, which could wait for it.
    if (!context.sound->shutDown(QtSound::DefaultShutDownBound)) std::_Exit(code);
    return code;
}

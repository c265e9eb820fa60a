#include "app/AppContext.h"

#include "gui/DesktopShell.h"
#include "gui/QtSound.h"
#include "import/ImportAddresses.h"
#include "platform/Dates.h"
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"
#include "report/ReportPreview.h"
#include "stats/DrawFilter.h"

#include <QCoreApplication>

AppContext::AppContext(const QString& programDir, const QString& settingsFile_)
    : grid(controls, *state.game), options(controls), dialogs(std::make_unique<QtDialogs>()),
      shell(std::make_unique<DesktopShell>()), http(std::make_unique<QtHttpClient>()),
      statisticsPage(QString::fromLatin1(importaddresses::StatisticsPage)),
      dataFolders{QCoreApplication::applicationDirPath(),
                  QCoreApplication::applicationDirPath() + QStringLiteral("/" ZIEHBOX_DATA_FROM_BIN)},
      settingsFile(settingsFile_) {
    dates::useProgramLocale(); // before any widget takes the default
    sound = std::make_unique<QtSound>(QtSound::OutputFactory(), dataFolders);
    state.programDir = programDir;
    slips = std::make_unique<SlipStore>(programDir);
    quotas = std::make_unique<QuotaStore>(programDir);
    options.installDefaults();
    grid.installDefaults();
    DrawFilter::installDefaults(controls);
    controls.setText(QStringLiteral("URLEdit"), QString::fromLatin1(importaddresses::DrawPage));
    controls.setText(Game::sixOf42().drawListEdit, QString::fromLatin1(importaddresses::DrawList42));
    controls.setText(Game::euroMillions().drawListEdit, QString::fromLatin1(importaddresses::DrawListEM));
    controls.setText(Game::sixOf42().quotaListEdit, QString::fromLatin1(importaddresses::QuotaList42));
}

AppContext::~AppContext() = default;

std::unique_ptr<SettingsStore> AppContext::openSettings() const {
    return settingsFile.isEmpty() ? std::make_unique<SettingsStore>()
                                  : std::make_unique<SettingsStore>(settingsFile);
}

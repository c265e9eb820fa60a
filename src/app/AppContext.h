#pragma once

#include "gui/Dialogs.h"
#include "import/ArchiveExport.h"
#include "import/DrawEntry.h"
#include "import/TextImport.h"
#include "platform/ChartModel.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Random.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "slips/QuotaStore.h"
#include "slips/SlipBook.h"
#include "slips/SlipStore.h"
#include "state/AppState.h"
#include "state/GeneratorOptions.h"
#include "state/TipGrid.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

class SettingsStore;
class HttpClient;
class StatisticsBrowser;
class ReportPreview;

// Everything the program keeps for its whole run: the control state, the chart, the tips, the options,
// the shared values, and the outside world (dialogs, sound, shell, settings). Tests build one with a
// program directory and settings file of their own and fakes for the outside world.
class AppContext {
public:
    // An empty settingsFile means the user's own store.
    explicit AppContext(const QString& programDir, const QString& settingsFile = QString());
    ~AppContext();

    Controls controls;
    ChartModel chart;
    Clock clock;
    Random random;
    AppState state;
    TipGrid grid;
    GeneratorOptions options;

    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Sound> sound;
    std::unique_ptr<Shell> shell;
    // Where the export goes, which files to import and the draw entry dialog; when empty the window asks
    // with Qt's dialogs.
    ExportFileChooser chooseExportFile;
    ImportFileChooser chooseImportFiles;
    DrawPrompt askForDraw;
    // The period and tips of a slip; when empty the window asks with TForm9.
    slips::SlipPrompt askForSlip;
    // Where "Sichern …" copies the slips; when empty the window asks with Qt's save dialog.
    ExportFileChooser chooseBackupFile;
    // The slips the player keeps, beside the archive.
    std::unique_ptr<SlipStore> slips;
    // The published quotas of the draws, beside them too.
    std::unique_ptr<QuotaStore> quotas;
    // The slip preview; when empty the window shows Qt's print preview.
    std::unique_ptr<ReportPreview> preview;

    // The draw page download and the statistics page the archive update queries.
    std::unique_ptr<HttpClient> http;
    QUrl statisticsPage;
    // Stands in for the statistics page browser; when empty the window's own TForm6 is used.
    StatisticsBrowser* browser = nullptr;

    // Where the program's data lie (the hit sound, the record of the draws): beside the program, then in
    // the share folder of an installed one.
    QStringList dataFolders;

    QString settingsFile;
    std::unique_ptr<SettingsStore> openSettings() const;
};

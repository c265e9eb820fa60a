#include "import/ShippedRecord.h"

#include "import/TextImport.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "state/Session.h"

#include <QDir>
#include <QFileInfo>

namespace shippedrecord {

QString find(const QStringList& folders, const Game& game) {
    return find(folders, game.shippedRecord);
}

QString find(const QStringList& folders, const QString& name) {
    if (name.isEmpty()) return {};
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile()) return QDir::cleanPath(path);
    }
    return {};
}

int offer(Session& session, const QString& recordFile) {
    const DrawArchive archive = session.archive();
    if (recordFile.isEmpty() || !archive.holdsNoDraw()) return 0;
    const ArchiveLease lease = session.state.archiveGate.take();
    Ui& ui = session.services.ui;
    ImportedDraws draws;
    try {
        draws = readDrawFiles({recordFile}, session.game(), {session.services.clock.today(), {}, {}});
    } catch (const AppError&) {
        return 0; // an unreadable record is as good as none: the program starts as without it
    }
    // A record of the game holds no draw to be asked about.
    for (const auto hold : {ImportLine::Hold::OtherGame, ImportLine::Hold::NoDrawDay}) draws.drop(hold);
    if (draws.byDate.empty()) return 0;

    const int count = static_cast<int>(draws.byDate.size());
    const QString first = dates::formatFixedDate(draws.byDate.begin()->first);
    const QString last = dates::formatFixedDate(draws.byDate.rbegin()->first);
    const Game& game = session.game();
    const QString none =
        game.namedInTexts ? QStringLiteral("Es sind noch keine Ziehungen von %1 gespeichert.").arg(game.name)
                          : QStringLiteral("Es sind noch keine Ziehungen gespeichert.");
    const QString question =
        count == 1
            ? QStringLiteral("%1 Soll die mitgelieferte Ziehung vom %2 übernommen werden?").arg(none, first)
            : QStringLiteral("%1 Sollen die mitgelieferten %2 Ziehungen vom %3 bis %4 übernommen werden?")
                  .arg(none)
                  .arg(count)
                  .arg(first, last);
    if (!ui.question(question, QString(), Ui::Preset::Yes)) return 0;

    ImportReport report;
    storeDraws(lease, archive, {}, draws, report, ui, [](int) { return false; }); // it holds no draw
    ui.setStatus(0, counted(report.inserted, QStringLiteral("Ziehung übernommen"),
                            QStringLiteral("Ziehungen übernommen")));
    return report.inserted;
}

} // namespace shippedrecord

#include "import/ArchiveExport.h"

#include "platform/AppError.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/TextFile.h"
#include "state/Session.h"

#include <memory>

QString exportFileName(const QString& programDir, const Game& game, int year) {
    return programDir + game.exportPrefix + QString::number(year) + QStringLiteral(".csv");
}

QString exportText(const Draw& draw) {
    QString line = dates::formatShortDate(draw.date);
    for (const int n : draw.numbers) line += QLatin1Char(';') + QString::number(n);
    line += QLatin1Char(';') + QString::number(draw.extra) + QLatin1Char(';');
    return line;
}

QByteArray exportLine(const Draw& record) {
    return TextFile::encodeLine(exportText(record));
}

void exportArchive(Session& session, const ExportFileChooser& choose) {
    AppState& state = session.state;
    const QDate start = session.services.controls.date(QStringLiteral("DateTimePicker1"));
    int year = start.year();
    const QString chosen = choose(exportFileName(state.programDir, session.game(), year));
    if (chosen.isEmpty()) return;

    // The archive is read before the target is opened, and the target is never one of the draws' files.
    DrawArchive::refuseAsTarget(state.programDir, chosen);
    const auto records = session.archive().scan(); // a missing archive leaves the chosen file as it was
    auto out = std::make_unique<TextFile>(chosen);
    const double startDay = dates::toDayNumber(start);
    state.referenceDate = startDay;

    for (const Draw& record : records) {
        if (record.date < startDay) continue;
        const int recordYear = dates::yearOf(record.date);
        if (recordYear > year && out->name().contains(QString::number(year))) {
            year = recordYear;
            out->close();
            out = std::make_unique<TextFile>(exportFileName(state.programDir, session.game(), year));
        }
        out->writeLine(exportText(record));
    }
    out->close();
}

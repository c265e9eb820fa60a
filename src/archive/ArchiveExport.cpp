#include "archive/ArchiveExport.h"

#include "archive/AppState.h"
#include "archive/DrawArchive.h"
#include "platform/AppError.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/TextFile.h"

#include <memory>

namespace {

QString yearFileName(const QString& programDir, int year) {
    return programDir + QStringLiteral("CHJ") + QString::number(year) + QStringLiteral(".csv");
}

} // namespace

QString exportText(const DrawRecord& record) {
    QString line = dates::formatShortDate(record.datum);
    for (int i = 0; i < 6; ++i)
        line += QLatin1Char(';') + QString::number(record.zahl[static_cast<std::size_t>(i)]);
    line += QLatin1Char(';') + QString::number(record.zz) + QLatin1Char(';');
    return line;
}

QByteArray exportLine(const DrawRecord& record) {
    return TextFile::encodeLine(exportText(record));
}

void exportArchive(AppState& state, const Controls& controls, const ExportFileChooser& choose) {
    const QDate start = controls.date(QStringLiteral("DateTimePicker1"));
    int year = start.year();
    const QString chosen = choose(yearFileName(state.programDir, year));
    if (chosen.isEmpty()) return;

    auto out = std::make_unique<TextFile>(chosen);
    const auto records = DrawArchive(state.programDir).scan(); // a missing archive leaves the file empty
    const double startDay = dates::toDayNumber(start);
    state.referenceDate = startDay;

    for (const DrawRecord& record : records) {
        if (record.datum < startDay) continue;
        const int recordYear = dates::yearOf(record.datum);
        if (recordYear > year && out->name().contains(QString::number(year))) {
            year = recordYear;
            out->close();
            out = std::make_unique<TextFile>(yearFileName(state.programDir, year));
        }
        out->writeLine(exportText(record));
    }
    out->close();
}

#include "archive/ArchiveExport.h"

#include "archive/AppState.h"
#include "archive/DrawArchive.h"
#include "platform/AppError.h"
#include "platform/Controls.h"
#include "platform/Dates.h"

#include <QDir>
#include <QFile>
#include <memory>

namespace {

QString yearFileName(const QString& programDir, int year) {
    return programDir + QStringLiteral("CHJ") + QString::number(year) + QStringLiteral(".csv");
}

AppError writeError(const QFile& file) {
    return AppError(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                        .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

// An output file emptied on creation, written line by line.
class OutputFile {
public:
    explicit OutputFile(const QString& name) : file_(name) {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw AppError(QStringLiteral("Die Datei \"%1\" konnte nicht angelegt werden: %2")
                               .arg(QDir::toNativeSeparators(name), file_.errorString()));
    }
    void write(const QByteArray& bytes) {
        if (file_.write(bytes) != bytes.size()) throw writeError(file_);
    }
    void close() {
        if (!file_.flush()) throw writeError(file_);
        file_.close();
    }
    QString name() const { return file_.fileName(); }

private:
    QFile file_;
};

} // namespace

QByteArray exportLine(const DrawRecord& record) {
    QString line = dates::formatShortDate(record.datum);
    for (int i = 0; i < 6; ++i)
        line += QLatin1Char(';') + QString::number(record.zahl[static_cast<std::size_t>(i)]);
    line += QLatin1Char(';') + QString::number(record.zz) + QLatin1Char(';');
    return line.toLatin1() + "\r\n";
}

void exportArchive(AppState& state, const Controls& controls, const ExportFileChooser& choose) {
    const QDate start = controls.date(QStringLiteral("DateTimePicker1"));
    int year = start.year();
    const QString chosen = choose(yearFileName(state.programDir, year));
    if (chosen.isEmpty()) return;

    auto out = std::make_unique<OutputFile>(chosen);
    const auto records = DrawArchive(state.programDir).scan(); // a missing archive leaves the file empty
    const double startDay = dates::toDayNumber(start);
    state.referenceDate = startDay;

    for (const DrawRecord& record : records) {
        if (record.datum < startDay) continue;
        const int recordYear = dates::yearOf(record.datum);
        if (recordYear > year && out->name().contains(QString::number(year))) {
            year = recordYear;
            out->close();
            out = std::make_unique<OutputFile>(yearFileName(state.programDir, year));
        }
        out->write(exportLine(record));
    }
    out->close();
}

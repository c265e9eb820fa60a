#include "import/ArchiveExport.h"

#include "platform/AppError.h"
#include "platform/Controls.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/TextFile.h"
#include "platform/Ui.h"
#include "state/Session.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

QString exportFileName(const QString& folder, const Game& game, int year) {
    return folder + game.exportPrefix + QString::number(year) + QStringLiteral(".csv");
}

QString exportText(const Draw& draw) {
    QString line = dates::formatShortDate(draw.date);
    for (const int n : draw.numbers) line += QLatin1Char(';') + QString::number(n);
    for (const int n : draw.extras) line += QLatin1Char(';') + QString::number(n);
    line += QLatin1Char(';');
    return line;
}

QByteArray exportLine(const Draw& record) {
    return TextFile::encodeLine(exportText(record));
}

namespace {

// The files an export writes one after the other, and what it says of them at the end.
class ExportFiles {
public:
    explicit ExportFiles(Ui& ui) : ui_(ui) {}

    // The chosen file is the user's choice already; a later one that is there is asked about.
    void open(const QString& path, bool chosen) {
        close();
        name_ = path;
        if (!chosen && QFileInfo::exists(path) &&
            !ui_.question(QStringLiteral("Die Datei \"%1\" gibt es schon. Soll sie ersetzt werden?")
                              .arg(QDir::toNativeSeparators(path)),
                          QString(), Ui::Preset::No)) {
            kept_ << QFileInfo(path).fileName();
            return;
        }
        file_ = std::make_unique<TextFile>(path);
        lines_ = 0;
    }
    QString name() const { return name_; }
    void write(const Draw& draw) {
        if (!file_) return; // a year left out
        file_->writeLine(exportText(draw));
        ++lines_;
    }
    void close() {
        if (!file_) return;
        file_->close();
        written_ << QStringLiteral("%1 (%2)").arg(
            QFileInfo(file_->name()).fileName(),
            counted(lines_, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen")));
        file_.reset();
    }
    // "3 Dateien geschrieben: CH42J2025.csv (2 Ziehungen), …", and the files left as they were.
    QString report() const {
        QString text = QStringLiteral("%1 geschrieben: %2.")
                           .arg(counted(written_.size(), QStringLiteral("Datei"), QStringLiteral("Dateien")),
                                written_.join(QStringLiteral(", ")));
        if (!kept_.isEmpty())
            text += QStringLiteral(" Nicht ersetzt: %1.").arg(kept_.join(QStringLiteral(", ")));
        return text;
    }

private:
    Ui& ui_;
    std::unique_ptr<TextFile> file_;
    QString name_;
    int lines_ = 0;
    QStringList written_;
    QStringList kept_;
};

} // namespace

void exportArchive(Session& session, const ExportFileChooser& choose) {
    AppState& state = session.state;
    const Game& game = session.game();
    const QDate start = session.services.controls.date(QStringLiteral("DateTimePicker1"));
    int year = start.year();
    const QString chosen = choose(exportFileName(state.programDir, game, year));
    if (chosen.isEmpty()) return;

    // The archive is read before the target is opened, and the target is never one of the draws' files.
    DrawArchive::refuseAsTarget(state.programDir, chosen);
    const auto records = session.archive().scan(); // a missing archive leaves the chosen file as it was
    ExportFiles out(session.services.ui);
    out.open(chosen, true);
    const double startDay = dates::toDayNumber(start);
    state.referenceDate = startDay;
    // The later years go beside the chosen file.
    const QString folder = QFileInfo(chosen).absolutePath() + QLatin1Char('/');

    for (const Draw& record : records) {
        if (record.date < startDay) continue;
        const int recordYear = dates::yearOf(record.date);
        if (recordYear > year && out.name().contains(QString::number(year))) {
            year = recordYear;
            out.open(exportFileName(folder, game, year), false);
        }
        out.write(record);
    }
    out.close();
    session.services.ui.message(out.report());
}

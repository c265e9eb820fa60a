#include "import/TextImport.h"

#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/Ui.h"
#include "state/Session.h"

#include <algorithm>
#include <set>

namespace {
constexpr int ReportedEntries = 10;
} // namespace

// ---- merge ---------------------------------------------------------------------------------------------

namespace {

// The stored records by date; an archive may hold a date twice.
std::map<double, std::vector<const Draw*>> byDate(const std::vector<Draw>& stored) {
    std::map<double, std::vector<const Draw*>> dates;
    for (const Draw& r : stored) dates[r.date].push_back(&r);
    return dates;
}

enum class Fate { New, Same, Differs };

Fate fateOf(const std::map<double, std::vector<const Draw*>>& stored, const Draw& draw) {
    const auto s = stored.find(draw.date);
    if (s == stored.end()) return Fate::New;
    return std::all_of(s->second.begin(), s->second.end(), [&](const Draw* r) { return sameDraw(*r, draw); })
               ? Fate::Same
               : Fate::Differs;
}

int countDiffering(const std::vector<Draw>& stored, const ImportedDraws& draws) {
    const auto storedByDate = byDate(stored);
    return static_cast<int>(std::count_if(draws.byDate.begin(), draws.byDate.end(), [&](const auto& entry) {
        return fateOf(storedByDate, entry.second.draw) == Fate::Differs;
    }));
}

// The archive afterwards: new dates in date order, differing ones replaced only when asked to. Counts
// into the report.
std::vector<Draw> merged(const std::vector<Draw>& stored, const ImportedDraws& draws, bool replaceDiffering,
                         ImportReport& report) {
    const auto storedByDate = byDate(stored);
    std::set<double> replaced;
    std::vector<Draw> result = stored;
    for (const auto& [date, line] : draws.byDate) {
        switch (fateOf(storedByDate, line.draw)) {
        case Fate::New:
            ++report.inserted;
            result.push_back(line.draw);
            break;
        case Fate::Same:
            ++report.unchanged;
            break;
        case Fate::Differs:
            if (!replaceDiffering) {
                ++report.unchanged;
                break;
            }
            ++report.replaced;
            replaced.insert(date);
            break;
        }
    }
    std::erase_if(result, [&](const Draw& r) { return replaced.count(r.date) > 0; });
    for (const double date : replaced) result.push_back(draws.byDate.at(date).draw);
    std::stable_sort(result.begin(), result.end(),
                     [](const Draw& a, const Draw& b) { return a.date < b.date; });
    return result;
}

} // namespace

std::vector<Draw> storeDraws(const ArchiveLease& lease, const DrawArchive& archive,
                             const std::vector<Draw>& stored, const ImportedDraws& draws,
                             ImportReport& report, Ui& ui, const std::function<bool(int)>& replaceDiffering) {
    const int differing = countDiffering(stored, draws);
    const bool replace = differing > 0 && replaceDiffering(differing); // no hourglass while it is asked
    BusyCursor busy(ui);
    std::vector<Draw> result = merged(stored, draws, replace, report);
    // One rewrite through the work file: the archive is the old or the complete new one.
    if (report.inserted > 0 || report.replaced > 0) archive.replaceAll(lease, result);
    return result;
}

// ---- report --------------------------------------------------------------------------------------------

QString ImportReport::text() const {
    QString text =
        !nothingNew.isEmpty() && inserted == 0 && replaced == 0
            ? nothingNew
            : QStringLiteral("Import abgeschlossen: %1, %2 ersetzt, %3 unverändert, %4 übersprungen.")
                  .arg(counted(inserted, QStringLiteral("neue Ziehung"), QStringLiteral("neue Ziehungen")))
                  .arg(replaced)
                  .arg(unchanged)
                  .arg(counted(skippedLines, QStringLiteral("Zeile"), QStringLiteral("Zeilen")));
    for (const QString& name : withoutDraws)
        text += QStringLiteral("\n\nDie Datei \"%1\" enthält keine Ziehungen.").arg(name);
    if (!skipped.isEmpty()) {
        text += QStringLiteral("\n\n") + skipped.mid(0, ReportedEntries).join(QLatin1Char('\n'));
        if (skipped.size() > ReportedEntries)
            text += QStringLiteral("\n\n%1 in den Details.")
                        .arg(counted(skipped.size() - ReportedEntries, QStringLiteral("weiterer Eintrag"),
                                     QStringLiteral("weitere Einträge")));
    }
    if (!quotas.isEmpty()) text += QStringLiteral("\n\n") + quotas;
    if (!slips.isEmpty()) text += QStringLiteral("\n\n") + slips;
    return text;
}

QString ImportReport::details() const {
    return skipped.size() > ReportedEntries ? skipped.join(QLatin1Char('\n')) : QString();
}

namespace {

// The skipped lines in file order, consecutive lines with one reason as one entry.
QStringList entriesOf(const ImportedDraws& draws) {
    auto skipped = draws.skipped;
    std::stable_sort(skipped.begin(), skipped.end(), [](const auto& a, const auto& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    QStringList entries;
    for (std::size_t i = 0; i < skipped.size();) {
        std::size_t last = i;
        while (last + 1 < skipped.size() && skipped[last + 1].file == skipped[i].file &&
               skipped[last + 1].line == skipped[last].line + 1 &&
               skipped[last + 1].reason == skipped[i].reason)
            ++last;
        const QString where =
            last == i ? QStringLiteral("Zeile %1").arg(skipped[i].line)
                      : QStringLiteral("Zeilen %1 bis %2").arg(skipped[i].line).arg(skipped[last].line);
        entries << QStringLiteral("%1, %2: %3")
                       .arg(draws.fileNames.value(skipped[i].file), where, skipped[i].reason);
        i = last + 1;
    }
    return entries;
}

} // namespace

// ---- the import --------------------------------------------------------------------------------------

namespace {

// Draws of other games are taken only when the user says so.
void askAboutOtherGames(ImportedDraws& draws, const Game& game, Ui& ui) {
    const auto others = static_cast<int>(draws.held(ImportLine::Hold::OtherGame).size());
    if (others == 0) return;
    const QString when =
        game.lastDraw.isValid()
            ? QStringLiteral("aus der Zeit vor dem %1 oder nach dem %2, als in der Schweiz nicht %3 gespielt "
                             "wurde.")
                  .arg(dates::formatFixedDate(game.firstDraw), dates::formatFixedDate(game.lastDraw),
                       game.name)
            : QStringLiteral("aus der Zeit vor dem %1, als in der Schweiz nicht %2 gespielt wurde.")
                  .arg(dates::formatFixedDate(game.firstDraw), game.name);
    const QString question =
        others == 1 ? QStringLiteral("1 Zeile stammt %1 Soll sie trotzdem übernommen werden?").arg(when)
                    : QStringLiteral("%1 Zeilen stammen %2 Sollen sie trotzdem übernommen werden?")
                          .arg(others)
                          .arg(when);
    if (!ui.question(question, QString(), Ui::Preset::No)) draws.drop(ImportLine::Hold::OtherGame);
}

// The very draw of the draw day before - a page read twice by the list's maker - is taken only when the user
// says so.
void askAboutRepeats(ImportedDraws& draws, const Game& game, Ui& ui) {
    const auto lines = draws.held(ImportLine::Hold::Repeat);
    if (lines.empty()) return;
    const QDate first = dates::fromDayNumber(lines.front()->draw.date);
    const QString which = QStringLiteral("%1 wie %2")
                              .arg(dates::formatWeekdayFixedDate(first),
                                   dates::formatWeekdayFixedDate(game.previousDrawDay(first.addDays(-1))));
    const QString question =
        lines.size() == 1
            ? QStringLiteral(
                  "1 Ziehung wiederholt genau die Ziehung des vorigen Ziehungstags (%1); das ist fast "
                  "immer ein Fehler der Liste. Soll sie trotzdem übernommen werden?")
                  .arg(which)
            : QStringLiteral(
                  "%1 Ziehungen wiederholen genau die Ziehung des vorigen Ziehungstags (zuerst %2); das "
                  "ist fast immer ein Fehler der Liste. Sollen sie trotzdem übernommen werden?")
                  .arg(lines.size())
                  .arg(which);
    if (!ui.question(question, QString(), Ui::Preset::No)) draws.drop(ImportLine::Hold::Repeat);
}

// Draws on a day without a draw - a public list's line repeated on the next day, a wrong date - are taken
// only when the user says so.
void askAboutDaysWithoutDraw(ImportedDraws& draws, Ui& ui) {
    const auto lines = draws.held(ImportLine::Hold::NoDrawDay);
    if (lines.empty()) return;
    const QString first = dates::formatWeekdayFixedDate(dates::fromDayNumber(lines.front()->draw.date));
    const QString question =
        lines.size() == 1
            ? QStringLiteral(
                  "1 Zeile ist auf einen Tag ohne Ziehung datiert (%1); keine Statistik zählt sie. "
                  "Soll sie trotzdem übernommen werden?")
                  .arg(first)
            : QStringLiteral("%1 Zeilen sind auf Tage ohne Ziehung datiert, zuerst %2; keine Statistik zählt "
                             "sie. Sollen sie trotzdem übernommen werden?")
                  .arg(lines.size())
                  .arg(first);
    if (!ui.question(question, QString(), Ui::Preset::No)) draws.drop(ImportLine::Hold::NoDrawDay);
}

bool askToReplace(Ui& ui, int differing) {
    return ui.question(
        differing == 1 ? QStringLiteral("1 Ziehung weicht von der gespeicherten ab. Soll sie ersetzt werden?")
                       : QStringLiteral("%1 Ziehungen weichen von den gespeicherten ab. Sollen sie ersetzt "
                                        "werden?")
                             .arg(differing),
        QString(), Ui::Preset::No);
}

} // namespace

DateOrderQuestion askDateOrder(Ui& ui) {
    return [&ui](const QString& name, const QString& line, const QDate& dayFirst, const QDate& monthFirst) {
        ui.endBusy();
        const bool yes = ui.question(
            QStringLiteral(
                "In der Datei \"%1\" lässt sich nicht erkennen, ob die Daten mit dem Tag oder mit dem "
                "Monat zuerst geschrieben sind: \"%2\" ist mit dem Tag zuerst %3, mit dem Monat zuerst "
                "%4. Sind die Daten mit dem Tag zuerst geschrieben?")
                .arg(name, line.trimmed(), dates::formatWeekdayFixedDate(dayFirst),
                     dates::formatWeekdayFixedDate(monthFirst)),
            QString(), Ui::Preset::Yes);
        ui.beginBusy();
        return yes ? DateOrder::DayFirst : DateOrder::MonthFirst;
    };
}

ImportReport takeDraws(Session& session, const ArchiveLease& lease, ImportedDraws& draws,
                       const std::function<void()>& showNewest, const QString& nothingNew) {
    Ui& ui = session.services.ui;
    const DrawArchive archive = session.archive();
    std::vector<Draw> stored;
    {
        BusyCursor busy(ui);
        if (archive.exists()) stored = archive.scan();
        draws.holdRepeats(stored, session.game());
    }
    askAboutOtherGames(draws, session.game(), ui);
    askAboutDaysWithoutDraw(draws, ui);
    askAboutRepeats(draws, session.game(), ui);
    ImportReport report;
    report.nothingNew = nothingNew;
    const std::vector<Draw> result = storeDraws(lease, archive, stored, draws, report, ui,
                                                [&ui](int differing) { return askToReplace(ui, differing); });
    QStringList told = draws.notes;
    if (session.state.takeQuotas && !result.empty()) {
        try {
            told << session.state.takeQuotas(draws.texts, result);
        } catch (const AppError& e) {
            told << e.message();
        }
    }
    told.removeAll(QString());
    report.quotas = told.join(QLatin1Char('\n'));
    if (session.state.checkSlips && (report.inserted > 0 || report.replaced > 0)) {
        try {
            report.slips = session.state.checkSlips();
        } catch (const AppError& e) {
            report.slips = QStringLiteral("Meine Scheine: ") + e.message();
        }
    }
    report.skipped = entriesOf(draws);
    report.skippedLines = static_cast<int>(draws.skipped.size());
    report.withoutDraws = draws.withoutDraws;
    ui.message(report.text(), QString(), report.details());
    if (!result.empty()) {
        session.state.referenceDate = result.back().date;
        session.services.controls.setDate(QStringLiteral("DateTimePicker1"),
                                          dates::fromDayNumber(result.back().date));
        showNewest();
    }
    return report;
}

ImportReport importDrawFiles(Session& session, const ImportFileChooser& choose,
                             const std::function<void()>& showNewest) {
    const ArchiveLease lease = session.state.archiveGate.take();
    const QStringList files = choose();
    if (files.isEmpty()) return {};

    // The hourglass shows while the files are read, never while a question or the report waits.
    Ui& ui = session.services.ui;
    ImportedDraws draws;
    {
        BusyCursor busy(ui);
        const auto progress = [&](qsizetype lines) {
            ui.setStatus(1, QStringLiteral("Import: %1 gelesen")
                                .arg(counted(lines, QStringLiteral("Zeile"), QStringLiteral("Zeilen"))));
            ui.repaintStatus();
        };
        draws = readDrawFiles(files, session.game(),
                              {session.services.clock.today(), askDateOrder(ui), progress});
    }
    return takeDraws(session, lease, draws, showNewest);
}

#include "import/TextImport.h"

#include "archive/Session.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/FileErrors.h"
#include "platform/TextLines.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <set>

namespace {

constexpr int ReportedEntries = 10;
constexpr qsizetype ShownFieldLength = 40;

// A field as a reason names it: never longer than a line of the report.
QString cut(const QString& field) {
    return field.size() > ShownFieldLength ? field.left(ShownFieldLength) + QChar(0x2026) : field;
}
QString quoted(const QString& field) {
    return QLatin1Char('"') + cut(field) + QLatin1Char('"');
}

// The fields of a line: split at the separator outside double quotes (";" before a tab before ","; without
// any of them at runs of blanks), the quotes taken off ("" is a quote), blanks around a field dropped.
QStringList fieldsOf(const QString& line) {
    QChar separator;
    bool inQuotes = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"')) inQuotes = !inQuotes;
        if (inQuotes) continue;
        if (c == QLatin1Char(';')) {
            separator = c;
            break;
        }
        if (c == QLatin1Char('\t') || (c == QLatin1Char(',') && separator != QLatin1Char('\t')))
            separator = c;
    }
    const bool byBlanks = separator.isNull();
    QStringList fields;
    QString field;
    inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (inQuotes && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
            continue;
        }
        const bool splits = !inQuotes && (byBlanks ? c.isSpace() : c == separator);
        if (!splits) {
            field += c;
            continue;
        }
        if (byBlanks && field.trimmed().isEmpty()) continue; // a run of blanks is one separator
        fields << field.trimmed();
        field.clear();
    }
    if (!byBlanks || !field.trimmed().isEmpty()) fields << field.trimmed();
    return fields;
}

// A date as files write it: d.m.y (day first, as German has it), y-m-d, or a/b/y with the order of day and
// month the file's own. The year has two digits or four; the fields as written.
struct DateText {
    enum class Form { None, Dotted, Iso, Slashed };
    Form form = Form::None;
    int first = 0;
    int second = 0;
    int year = 0;
};
DateText dateTextOf(const QString& text, int currentYear) {
    static const QRegularExpression dayMonth(
        QStringLiteral("^(\\d{1,2})([./])(\\d{1,2})\\2(\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    if (const auto m = iso.match(text); m.hasMatch())
        return {DateText::Form::Iso, m.captured(2).toInt(), m.captured(3).toInt(), m.captured(1).toInt()};
    const auto m = dayMonth.match(text);
    if (!m.hasMatch()) return {};
    int year = m.captured(4).toInt();
    if (m.captured(4).size() == 2) year = dates::widenTwoDigitYear(year, currentYear);
    const auto form = m.captured(2) == QLatin1String(".") ? DateText::Form::Dotted : DateText::Form::Slashed;
    return {form, m.captured(1).toInt(), m.captured(3).toInt(), year};
}

// The date a date text stands for; invalid for one that does not exist (31.02.2002).
QDate dateOf(const DateText& d, DateOrder order) {
    switch (d.form) {
    case DateText::Form::Iso:
        return QDate(d.year, d.first, d.second);
    case DateText::Form::Slashed:
        if (order == DateOrder::MonthFirst) return QDate(d.year, d.first, d.second);
        return QDate(d.year, d.second, d.first);
    case DateText::Form::Dotted:
        return QDate(d.year, d.second, d.first);
    case DateText::Form::None:
        break;
    }
    return {};
}

bool holdsLetters(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

ImportLine bad(ImportLine line, const QString& reason) {
    line.kind = ImportLine::Kind::Bad;
    line.reason = reason;
    return line;
}

// A number of a line, and the field it stood in.
struct Number {
    int value = 0;
    qsizetype field = 0;
    bool aloneInField = false;
};

} // namespace

namespace {

// The first field that is a date, and its index; -1 when no field looks like one.
struct DateField {
    qsizetype index = -1;
    DateText text;
};
DateField findDate(const QStringList& fields, int currentYear) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const DateText text = dateTextOf(fields[i], currentYear);
        if (text.form != DateText::Form::None) return {i, text};
    }
    return {};
}

// Why the date of a line can be no draw's; empty when it can.
QString dateProblem(const DateField& found, const QDate& date, const QStringList& fields, const QDate& today) {
    if (found.index < 0) return QStringLiteral("%1 ist kein Datum").arg(quoted(fields.first()));
    if (!date.isValid()) return QStringLiteral("das Datum %1 gibt es nicht").arg(cut(fields[found.index]));
    if (date < dates::earliestDate())
        return QStringLiteral("das Datum %1 liegt vor dem %2")
            .arg(dates::formatFixedDate(date), dates::formatFixedDate(dates::earliestDate()));
    if (date > today)
        return QStringLiteral("das Datum %1 liegt in der Zukunft").arg(dates::formatFixedDate(date));
    return {};
}

// The numbers after the date in order, up to an empty field or one that holds letters (a closing text
// column); `problem` names a part that is no number.
struct Numbers {
    std::vector<Number> values;
    QString stopper; // the text field that ended them
    QString problem;
};
// `gapAfter`: after so many numbers one empty field does not end them (the empty additional-number field
// before a Glückszahl); -1 for none.
Numbers readNumbers(const QStringList& fields, qsizetype from, qsizetype gapAfter) {
    static const QRegularExpression between(QStringLiteral("[\\s,;\\[\\]]+"));
    Numbers numbers;
    bool gapTaken = false;
    for (qsizetype f = from; f < fields.size(); ++f) {
        if (fields[f].isEmpty()) {
            if (gapTaken || qsizetype(numbers.values.size()) != gapAfter) break;
            gapTaken = true;
            continue;
        }
        if (holdsLetters(fields[f])) {
            numbers.stopper = fields[f];
            break;
        }
        const QStringList parts = fields[f].split(between, Qt::SkipEmptyParts);
        for (const QString& part : parts) {
            bool ok = false;
            const int value = part.toInt(&ok, 10);
            if (!ok) {
                numbers.problem = QStringLiteral("%1 ist keine Zahl").arg(quoted(part));
                return numbers;
            }
            numbers.values.push_back({value, f, parts.size() == 1});
        }
    }
    return numbers;
}

// The game's words for what keeps a draw out of its archive.
QString problemText(const Game::DrawProblem& problem, const Game& game) {
    using Kind = Game::DrawProblem::Kind;
    switch (problem.kind) {
    case Kind::NumberOutOfRange:
        return QStringLiteral("die Zahl %1 liegt nicht zwischen 1 und %2")
            .arg(problem.number)
            .arg(game.highest);
    case Kind::ExtraOutOfRange:
        return QStringLiteral("die %1 %2 liegt nicht zwischen %3 und %4")
            .arg(game.extra.name)
            .arg(problem.number)
            .arg(game.extra.lowest)
            .arg(game.extra.highest);
    case Kind::NumberTwice:
        return QStringLiteral("die Zahl %1 steht zweimal unter den sechs Zahlen").arg(problem.number);
    case Kind::ExtraAmongSix:
        return QStringLiteral("die %1 %2 ist auch eine der sechs Zahlen")
            .arg(game.extra.name)
            .arg(problem.number);
    case Kind::None:
        break;
    }
    return {};
}

// The draw the numbers make in the game: six numbers, the extra number, and where the game has one a super
// number in a field of its own; or why they make none.
QString drawOf(const std::vector<Number>& numbers, const QString& stopper, const Game& game,
               DrawRecord& draw) {
    const auto six = static_cast<std::size_t>(game.drawn);
    if (numbers.size() < six)
        return !stopper.isEmpty()     ? QStringLiteral("%1 ist keine Zahl").arg(quoted(stopper))
               : game.extra.sameDrum ? QStringLiteral("weniger als sieben Zahlen")
                                      : QStringLiteral("weniger als sechs Zahlen");
    // A later game's line has its Glückszahl after an empty additional-number field: never a ZZ.
    if (numbers.size() == six) return QStringLiteral("keine ") + game.extra.name;
    const bool superNumber = game.hasSuperNumber && numbers.size() == six + 2 && numbers[six + 1].aloneInField &&
                             numbers[six + 1].field != numbers[six].field;
    if (numbers.size() > six + 1 && !superNumber)
        return game.hasSuperNumber ? QStringLiteral("mehr als sieben Zahlen und eine Superzahl")
                                   : QStringLiteral("mehr als sechs Zahlen und eine %1").arg(game.extra.name);

    // Kept in ints until the ranges are checked: a byte would wrap 256 into 0.
    for (std::size_t i = 0; i < six; ++i)
        if (!game.isNumber(numbers[i].value))
            return problemText({Game::DrawProblem::Kind::NumberOutOfRange, numbers[i].value}, game);
    if (!game.isExtra(numbers[six].value))
        return problemText({Game::DrawProblem::Kind::ExtraOutOfRange, numbers[six].value}, game);
    const int sz = superNumber ? numbers[six + 1].value : 0;
    if (sz < 0 || sz > 9) return QStringLiteral("die Superzahl %1 liegt nicht zwischen 0 und 9").arg(sz);
    for (std::size_t i = 0; i < six; ++i) draw.zahl[i] = static_cast<quint8>(numbers[i].value);
    draw.zz = static_cast<quint8>(numbers[six].value);
    draw.sz = static_cast<quint8>(sz);
    return problemText(game.problemOf(draw), game);
}

// A draw from before the game's first draw or after its last belongs to another game.
QString otherGameReason(const QDate& date, const Game& game) {
    if (date < game.firstDraw)
        return QStringLiteral("anderes Spiel (vor dem %1)").arg(dates::formatFixedDate(game.firstDraw));
    if (game.lastDraw.isValid() && date > game.lastDraw)
        return QStringLiteral("anderes Spiel (nach dem %1)").arg(dates::formatFixedDate(game.lastDraw));
    return {};
}

} // namespace

ImportLine readImportLine(const QString& text, const Game& game, const QDate& today, DateOrder order) {
    ImportLine line;
    if (text.trimmed().isEmpty()) return line;
    const QStringList fields = fieldsOf(text);
    line.firstFieldHasDigit =
        std::any_of(fields.first().begin(), fields.first().end(), [](QChar c) { return c.isDigit(); });

    // The date is the first field that is one; a running number before it is no part of the draw.
    const DateField found = findDate(fields, today.year());
    const QDate date = dateOf(found.text, order);
    if (const QString problem = dateProblem(found, date, fields, today); !problem.isEmpty())
        return bad(line, problem);
    line.draw.datum = dates::toDayNumber(date);

    const Numbers numbers = readNumbers(fields, found.index + 1, game.extra.sameDrum ? -1 : game.drawn);
    QString problem = numbers.problem;
    if (problem.isEmpty()) problem = drawOf(numbers.values, numbers.stopper, game, line.draw);
    // A line of another game's years that is no draw of this game: the years say what is wrong with it.
    line.reason = otherGameReason(date, game);
    if (!problem.isEmpty()) return bad(line, line.reason.isEmpty() ? problem : line.reason);

    line.kind = ImportLine::Kind::Draw;
    if (!line.reason.isEmpty())
        line.hold = ImportLine::Hold::OtherGame;
    else if (!Game::isDrawWeekday(date))
        line.hold = ImportLine::Hold::NoDrawDay, line.reason = QStringLiteral("kein Ziehungstag");
    return line;
}

// ---- read ----------------------------------------------------------------------------------------------

std::vector<const ImportedDraws::Line*> ImportedDraws::held(ImportLine::Hold hold) const {
    std::vector<const Line*> lines;
    for (const auto& [date, line] : byDate)
        if (line.hold == hold) lines.push_back(&line);
    return lines;
}

void ImportedDraws::drop(ImportLine::Hold hold) {
    for (auto it = byDate.begin(); it != byDate.end();) {
        const Line& line = it->second;
        if (line.hold == ImportLine::Hold::None || (hold != ImportLine::Hold::None && line.hold != hold)) {
            ++it;
            continue;
        }
        skipped.push_back({line.file, line.line, line.holdReason});
        it = byDate.erase(it);
    }
}

namespace {

// The text of one file, or AppError before anything is taken from it.
QString readFileText(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) throw AppError(fileerrors::text(path, fileerrors::Access::Read));
    // A pipe or a device would be read until it ends, which it need never do.
    if (!info.isFile())
        throw AppError(
            QStringLiteral("\"%1\" ist keine gewöhnliche Datei und wird nicht eingelesen.").arg(shown));
    if (info.size() > importlimits::MaxBytes) throw AppError(importlimits::tooLargeText(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw fileerrors::error(file, fileerrors::Access::Read);
    const QByteArray bytes = file.read(importlimits::MaxBytes + 1);
    if (file.error() != QFileDevice::NoError) throw fileerrors::error(file, fileerrors::Access::Read);
    return textlines::decode(bytes);
}

// The order of day and month in the file's dates with slashes, told by the dates themselves: day first,
// unless one of them has a second field above 12 and none a first field above 12. Both kinds in one file
// cannot be read, and nothing is taken from it.
DateOrder dateOrderOf(const QStringList& lines, const QString& name, int currentYear) {
    qsizetype dayFirst = -1;   // a line whose first field can only be a day
    qsizetype monthFirst = -1; // a line whose second field can only be a day
    for (qsizetype i = 0; i < lines.size() && (dayFirst < 0 || monthFirst < 0); ++i) {
        const DateText date = findDate(fieldsOf(lines[i]), currentYear).text;
        if (date.form != DateText::Form::Slashed) continue;
        if (date.first > 12 && dayFirst < 0) dayFirst = i;
        if (date.second > 12 && date.first <= 12 && monthFirst < 0) monthFirst = i;
    }
    if (dayFirst >= 0 && monthFirst >= 0)
        throw AppError(QStringLiteral("Die Datei \"%1\" schreibt Daten mit dem Tag zuerst (Zeile %2: %3) und "
                                      "mit dem Monat zuerst (Zeile %4: %5). Welche Zahl der Tag ist, lässt "
                                      "sich nicht sagen; die Datei wird nicht eingelesen.")
                           .arg(name)
                           .arg(dayFirst + 1)
                           .arg(quoted(lines[dayFirst]))
                           .arg(monthFirst + 1)
                           .arg(quoted(lines[monthFirst])));
    return monthFirst >= 0 ? DateOrder::MonthFirst : DateOrder::DayFirst;
}

} // namespace

QString importlimits::tooLargeText(const QString& name) {
    return QStringLiteral("Die Datei \"%1\" ist größer als %2 MB und wird nicht eingelesen.")
        .arg(name)
        .arg(MaxBytes / (1024 * 1024));
}

void readDrawText(ImportedDraws& read, const QString& text, const QString& source, const QString& name,
                  const Game& game, const QDate& today, const std::function<void(qsizetype)>& progress) {
    const QStringList lines = textlines::split(text);
    if (lines.size() > importlimits::MaxLines)
        throw AppError(QStringLiteral("Die Datei \"%1\" hat mehr als %2 Zeilen und wird nicht eingelesen.")
                           .arg(source)
                           .arg(importlimits::MaxLines));
    const DateOrder order = dateOrderOf(lines, source, today.year());
    const int f = static_cast<int>(read.fileNames.size());
    read.fileNames << name;
    bool anything = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (++read.linesRead % 1000 == 0 && progress) progress(read.linesRead);
        const ImportLine line = readImportLine(lines[i], game, today, order);
        const int number = static_cast<int>(i) + 1;
        if (line.kind == ImportLine::Kind::Empty) continue;
        if (line.kind == ImportLine::Kind::Bad) {
            // The header of each file; a first line that starts like a draw is a bad line like any other.
            if (i > 0 || line.firstFieldHasDigit) {
                read.skipped.push_back({f, number, line.reason});
                anything = true;
            }
            continue;
        }
        anything = true;
        const ImportedDraws::Line taken{line.draw, f, number, line.hold, line.reason};
        const auto [it, fresh] = read.byDate.try_emplace(line.draw.datum, taken);
        if (fresh) continue;
        if (!sameDraw(it->second.draw, line.draw) || it->second.draw.sz != line.draw.sz)
            read.skipped.push_back(
                {it->second.file, it->second.line,
                 QStringLiteral("der %1 steht weiter hinten noch einmal, die spätere Zeile gilt")
                     .arg(dates::formatFixedDate(line.draw.datum))});
        it->second = taken;
    }
    if (!anything) read.withoutDraws << name;
}

ImportedDraws readDrawFiles(const QStringList& paths, const Game& game, const QDate& today,
                            const std::function<void(qsizetype)>& progress) {
    ImportedDraws read;
    for (const QString& path : paths)
        readDrawText(read, readFileText(path), QDir::toNativeSeparators(path), QFileInfo(path).fileName(), game,
                     today, progress);
    if (progress) progress(read.linesRead);
    return read;
}

// ---- merge ---------------------------------------------------------------------------------------------

namespace {

// The stored records by date; an archive may hold a date twice.
std::map<double, std::vector<const DrawRecord*>> byDate(const std::vector<DrawRecord>& stored) {
    std::map<double, std::vector<const DrawRecord*>> dates;
    for (const DrawRecord& r : stored) dates[r.datum].push_back(&r);
    return dates;
}

enum class Fate { New, Same, Differs };

Fate fateOf(const std::map<double, std::vector<const DrawRecord*>>& stored, const DrawRecord& draw) {
    const auto s = stored.find(draw.datum);
    if (s == stored.end()) return Fate::New;
    return std::all_of(s->second.begin(), s->second.end(),
                       [&](const DrawRecord* r) { return sameDraw(*r, draw); })
               ? Fate::Same
               : Fate::Differs;
}

int countDiffering(const std::vector<DrawRecord>& stored, const ImportedDraws& draws) {
    const auto storedByDate = byDate(stored);
    return static_cast<int>(std::count_if(draws.byDate.begin(), draws.byDate.end(), [&](const auto& entry) {
        return fateOf(storedByDate, entry.second.draw) == Fate::Differs;
    }));
}

// The archive afterwards: new dates in date order, differing ones replaced only when asked to. Counts
// into the report.
std::vector<DrawRecord> merged(const std::vector<DrawRecord>& stored, const ImportedDraws& draws,
                               bool replaceDiffering, ImportReport& report) {
    const auto storedByDate = byDate(stored);
    std::set<double> replaced;
    std::vector<DrawRecord> result = stored;
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
    std::erase_if(result, [&](const DrawRecord& r) { return replaced.count(r.datum) > 0; });
    for (const double date : replaced) result.push_back(draws.byDate.at(date).draw);
    std::stable_sort(result.begin(), result.end(),
                     [](const DrawRecord& a, const DrawRecord& b) { return a.datum < b.datum; });
    return result;
}

} // namespace

std::vector<DrawRecord> storeDraws(const ArchiveLease& lease, const DrawArchive& archive,
                                   const ImportedDraws& draws, ImportReport& report, Ui& ui,
                                   const std::function<bool(int)>& replaceDiffering) {
    std::vector<DrawRecord> stored;
    int differing = 0;
    {
        BusyCursor busy(ui);
        if (archive.exists()) stored = archive.scan();
        differing = countDiffering(stored, draws);
    }
    const bool replace = differing > 0 && replaceDiffering(differing); // no hourglass while it is asked
    BusyCursor busy(ui);
    std::vector<DrawRecord> result = merged(stored, draws, replace, report);
    // One rewrite through the work file: the archive is the old or the complete new one.
    if (report.inserted > 0 || report.replaced > 0) archive.replaceAll(lease, result);
    return result;
}

// ---- report --------------------------------------------------------------------------------------------

QString ImportReport::text() const {
    QString text =
        QStringLiteral("Import abgeschlossen: %1, %2 ersetzt, %3 unverändert, %4 übersprungen.")
            .arg(counted(inserted, QStringLiteral("neue Ziehung"), QStringLiteral("neue Ziehungen")))
            .arg(replaced)
            .arg(unchanged)
            .arg(counted(skippedLines, QStringLiteral("Zeile"), QStringLiteral("Zeilen")));
    for (const QString& name : withoutDraws)
        text += QStringLiteral("\n\nDie Datei \"%1\" enthält keine Ziehungen.").arg(name);
    if (skipped.isEmpty()) return text;
    text += QStringLiteral("\n\n") + skipped.mid(0, ReportedEntries).join(QLatin1Char('\n'));
    if (skipped.size() > ReportedEntries)
        text += QStringLiteral("\n\n%1 in den Details.")
                    .arg(counted(skipped.size() - ReportedEntries, QStringLiteral("weiterer Eintrag"),
                                 QStringLiteral("weitere Einträge")));
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

// Draws on a day without a draw - a public list's line repeated on the next day, a wrong date - are taken
// only when the user says so.
void askAboutDaysWithoutDraw(ImportedDraws& draws, Ui& ui) {
    const auto lines = draws.held(ImportLine::Hold::NoDrawDay);
    if (lines.empty()) return;
    const QString first = QLocale().toString(dates::fromDayNumber(lines.front()->draw.datum),
                                             QStringLiteral("dddd, dd.MM.yyyy"));
    const QString question =
        lines.size() == 1
            ? QStringLiteral("1 Zeile ist auf einen Tag ohne Ziehung datiert (%1); keine Statistik zählt sie. "
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
        QString());
}

// What follows the reading, wherever the draws come from: the questions, the one write, the report, and
// the newest draw on display.
ImportReport takeDraws(Session& session, const ArchiveLease& lease, ImportedDraws& draws,
                       const std::function<void()>& showNewest) {
    Ui& ui = session.services.ui;
    askAboutOtherGames(draws, session.game(), ui);
    askAboutDaysWithoutDraw(draws, ui);
    ImportReport report;
    const std::vector<DrawRecord> result =
        storeDraws(lease, session.archive(), draws, report, ui,
                   [&ui](int differing) { return askToReplace(ui, differing); });
    report.skipped = entriesOf(draws);
    report.skippedLines = static_cast<int>(draws.skipped.size());
    report.withoutDraws = draws.withoutDraws;
    ui.message(report.text(), QString(), report.details());
    if (!result.empty()) {
        session.state.referenceDate = result.back().datum;
        session.services.controls.setDate(QStringLiteral("DateTimePicker1"),
                                          dates::fromDayNumber(result.back().datum));
        showNewest();
    }
    return report;
}

} // namespace

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
        draws = readDrawFiles(files, session.game(), session.services.clock.today(), [&](qsizetype lines) {
            ui.setStatus(1, QStringLiteral("Import: %1 gelesen")
                                .arg(counted(lines, QStringLiteral("Zeile"), QStringLiteral("Zeilen"))));
            ui.repaintStatus();
        });
    }
    return takeDraws(session, lease, draws, showNewest);
}

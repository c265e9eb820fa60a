#include "import/ImportedDraws.h"

#include "game/Game.h"
#include "platform/AppError.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "platform/FileErrors.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <climits>

namespace {

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
QString dateProblem(const DateField& found, const QDate& date, const QStringList& fields,
                    const QDate& today) {
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
struct ReadNumbers {
    std::vector<Number> values;
    QString stopper; // the text field that ended them
    QString problem;
};
// `gapAfter`: after so many numbers one empty field does not end them (the empty additional-number field
// before a Glückszahl); -1 for none.
ReadNumbers readNumbers(const QStringList& fields, qsizetype from, qsizetype gapAfter) {
    static const QRegularExpression between(QStringLiteral("[\\s,;\\[\\]{}]+"));
    ReadNumbers numbers;
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
QString problemText(const Game::DrawProblem& problem, const Game& game, const Draw& draw) {
    using Kind = Game::DrawProblem::Kind;
    const QString main = inWords(game.numbers.drawn);
    const Drum* drum = problem.place >= 0 ? &game.extraDrumAt(problem.place) : nullptr;
    switch (problem.kind) {
    case Kind::NumberOutOfRange:
        return QStringLiteral("die Zahl %1 liegt nicht zwischen 1 und %2")
            .arg(problem.number)
            .arg(game.numbers.highest());
    case Kind::ExtraOutOfRange:
        return QStringLiteral("%1 %2 %3 liegt nicht zwischen %4 und %5")
            .arg(drum->article, drum->oneName)
            .arg(problem.number)
            .arg(drum->lowest)
            .arg(drum->highest(dates::fromDayNumber(draw.date)));
    case Kind::NumberTwice:
        return QStringLiteral("die Zahl %1 steht zweimal unter den %2 Zahlen").arg(problem.number).arg(main);
    case Kind::ExtraAmongSix:
        return QStringLiteral("%1 %2 %3 ist auch eine der %4 Zahlen")
            .arg(drum->article, drum->oneName)
            .arg(problem.number)
            .arg(main);
    case Kind::ExtraTwice:
        return QStringLiteral("%1 %2 %3 steht zweimal da")
            .arg(drum->article, drum->oneName)
            .arg(problem.number);
    case Kind::None:
        break;
    }
    return {};
}

// "eine Glückszahl", "zwei Sterne": the further numbers a draw of the game holds.
QString extrasNamed(const Game& game) {
    const int count = game.extraCount();
    return count == 1 ? QStringLiteral("eine ") + game.extra().name
                      : inWords(count) + QLatin1Char(' ') + game.extra().name;
}

// The draw the numbers make in the game: its numbers, the further drums' numbers, and where the game has
// one a super number in a field of its own; or why they make none.
QString drawOf(const std::vector<Number>& numbers, const QString& stopper, const Game& game, Draw& draw) {
    const auto drawn = static_cast<std::size_t>(game.numbers.drawn);
    const auto extras = static_cast<std::size_t>(game.extraCount());
    if (numbers.size() < drawn)
        return !stopper.isEmpty()
                   ? QStringLiteral("%1 ist keine Zahl").arg(quoted(stopper))
                   : QStringLiteral("weniger als %1 Zahlen")
                         .arg(inWords(game.ownExtras() ? game.numbers.drawn : game.countedPerDraw()));
    // A later game's line has its Glückszahl after an empty additional-number field: never a ZZ.
    if (numbers.size() == drawn) return QStringLiteral("keine ") + game.extra().name;
    if (numbers.size() < drawn + extras)
        return QStringLiteral("nur %1 der %2 %3")
            .arg(numbers.size() - drawn)
            .arg(extras)
            .arg(game.extra().name);
    const bool superNumber = game.hasSuperNumber && numbers.size() == drawn + extras + 1 &&
                             numbers[drawn + extras].aloneInField &&
                             numbers[drawn + extras].field != numbers[drawn + extras - 1].field;
    if (numbers.size() > drawn + extras && !superNumber)
        return game.hasSuperNumber
                   ? QStringLiteral("mehr als %1 Zahlen und eine %2")
                         .arg(inWords(int(drawn + extras)), game.superNumber.name)
                   : QStringLiteral("mehr als %1 Zahlen und %2").arg(inWords(int(drawn)), extrasNamed(game));

    draw.numbers = {};
    draw.extras = {};
    // A number beyond what a draw keeps stands as the largest it keeps, out of every range, and is named as
    // it was written.
    const auto kept = [](int n) { return Numbers::fits(n) ? n : (n < 0 ? INT16_MIN : INT16_MAX); };
    for (std::size_t i = 0; i < drawn + extras; ++i)
        (i < drawn ? draw.numbers : draw.extras).push_back(kept(numbers[i].value));
    draw.superNumber = superNumber ? numbers[drawn + extras].value : 0;
    // A number out of range first, then the Superzahl's, then a number twice.
    Game::DrawProblem problem = game.problemOf(draw);
    if (problem.kind == Game::DrawProblem::Kind::NumberOutOfRange) {
        for (std::size_t i = 0; i < drawn; ++i)
            if (!game.isNumber(draw.numbers[i])) {
                problem.number = numbers[i].value;
                break;
            }
    } else if (problem.kind == Game::DrawProblem::Kind::ExtraOutOfRange) {
        problem.number = numbers[drawn + std::size_t(problem.place)].value;
    }
    if (!problem.outOfRange() && superNumber && !game.isSuperNumber(draw.superNumber))
        return QStringLiteral("die %1 %2 liegt nicht zwischen %3 und %4")
            .arg(game.superNumber.name)
            .arg(draw.superNumber)
            .arg(game.superNumber.lowest)
            .arg(game.superNumber.highest);
    return problemText(problem, game, draw);
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

namespace {

// The columns a header line names, by their index; -1 where it names none.
struct Columns {
    int date = -1;
    int numbers = -1;              // the main numbers together
    std::vector<int> single;       // or each of them
    std::vector<int> drums;        // each further drum's numbers together
    std::vector<int> singleExtras; // or each of them
    int superNumber = -1;

    explicit Columns(const Game& game)
        : single(std::size_t(game.numbers.drawn), -1), drums(game.extras.size(), -1),
          singleExtras(std::size_t(game.extraCount()), -1) {}

    // A date and the numbers: enough to read every line by the header.
    bool usable() const {
        return date >= 0 &&
               (numbers >= 0 || std::none_of(single.begin(), single.end(), [](int i) { return i < 0; }));
    }
    // The fields of a line in the order the read takes them: the date, the numbers, the further drums'
    // numbers and the Superzahl, each where the header names it.
    QStringList arrange(const QStringList& fields, const Game& game) const {
        QStringList out{fields.value(date)};
        if (numbers >= 0)
            out << fields.value(numbers);
        else
            for (const int i : single) out << fields.value(i);
        int at = 0;
        for (std::size_t d = 0; d < drums.size(); ++d) {
            const int drawn = game.extras[d].drawn;
            if (drums[d] >= 0)
                out << fields.value(drums[d]);
            else
                for (int i = at; i < at + drawn; ++i)
                    if (singleExtras[std::size_t(i)] >= 0) out << fields.value(singleExtras[std::size_t(i)]);
            at += drawn;
        }
        if (superNumber >= 0) out << fields.value(superNumber);
        return out;
    }
};

// What a header line names, in German, English or French, in any case; "# Draw" is "draw".
Columns columnsOf(const QStringList& header, const Game& game) {
    static const QStringList dateNames{QStringLiteral("datum"), QStringLiteral("date"),
                                       QStringLiteral("draw"), QStringLiteral("ziehung"),
                                       QStringLiteral("tirage")};
    static const QStringList numberNames{QStringLiteral("ziehungszahlen"), QStringLiteral("zahlen"),
                                         QStringLiteral("numbers"), QStringLiteral("gewinnzahlen"),
                                         QStringLiteral("numéros")};
    static const QRegularExpression single(QStringLiteral("^(?:zahl ?|z|no|n)([1-9])$"));
    static const QRegularExpression numbered(QStringLiteral("^(.*\\D) ?([1-9])$"));
    Columns columns(game);
    const auto take = [](int& column, int i) {
        if (column >= 0) return false;
        column = i;
        return true;
    };
    for (int i = 0; i < header.size(); ++i) {
        QString name = header[i].trimmed().toLower();
        if (name.startsWith(QLatin1Char('#'))) name = name.mid(1).trimmed();
        if (dateNames.contains(name) && take(columns.date, i)) continue;
        if (numberNames.contains(name) && take(columns.numbers, i)) continue;
        bool drum = false;
        int at = 0;
        for (std::size_t d = 0; d < game.extras.size() && !drum; ++d) {
            const Drum& x = game.extras[d];
            if (x.columnNames.contains(name)) drum = take(columns.drums[d], i);
            // "Stern 1", "star 2": one number of a drum of several.
            const auto m = numbered.match(name);
            if (!drum && x.drawn > 1 && m.hasMatch() && x.columnNames.contains(m.captured(1).trimmed()) &&
                m.captured(2).toInt() <= x.drawn)
                drum = take(columns.singleExtras[std::size_t(at + m.captured(2).toInt() - 1)], i);
            at += x.drawn;
        }
        if (drum) continue;
        if (game.hasSuperNumber && game.superNumber.columnNames.contains(name) &&
            take(columns.superNumber, i))
            continue;
        if (const auto m = single.match(name); m.hasMatch() && m.captured(1).toInt() <= game.numbers.drawn)
            take(columns.single[static_cast<std::size_t>(m.captured(1).toInt() - 1)], i);
    }
    return columns;
}

ImportLine readImportFields(const QStringList& fields, const Game& game, const QDate& today,
                            DateOrder order) {
    ImportLine line;
    // Blanks and empty quotes alone ("" or " ") hold nothing.
    if (fields.isEmpty()) return line;
    line.firstFieldHasDigit =
        std::any_of(fields.first().begin(), fields.first().end(), [](QChar c) { return c.isDigit(); });

    // The date is the first field that is one; a running number before it is no part of the draw.
    const DateField found = findDate(fields, today.year());
    const QDate date = dateOf(found.text, order);
    if (const QString problem = dateProblem(found, date, fields, today); !problem.isEmpty())
        return bad(line, problem);
    line.draw.date = dates::toDayNumber(date);

    const ReadNumbers numbers =
        readNumbers(fields, found.index + 1, game.ownExtras() ? game.numbers.drawn : -1);
    QString problem = numbers.problem;
    if (problem.isEmpty()) problem = drawOf(numbers.values, numbers.stopper, game, line.draw);
    // A line of another game's years that is no draw of this game: the years say what is wrong with it.
    line.reason = otherGameReason(date, game);
    if (!problem.isEmpty()) return bad(line, line.reason.isEmpty() ? problem : line.reason);

    if (!line.reason.isEmpty() && date < game.firstDraw && !game.takesEarlierGames)
        return bad(line, line.reason);
    line.kind = ImportLine::Kind::Draw;
    if (!line.reason.isEmpty())
        line.hold = ImportLine::Hold::OtherGame;
    else if (!game.isDrawDay(date))
        line.hold = ImportLine::Hold::NoDrawDay, line.reason = QStringLiteral("kein Ziehungstag");
    return line;
}

} // namespace

ImportLine readImportLine(const QString& text, const Game& game, const QDate& today, DateOrder order) {
    return readImportFields(fieldsOf(text), game, today, order);
}

// ---- read ----------------------------------------------------------------------------------------------

std::vector<const ImportedDraws::Line*> ImportedDraws::held(ImportLine::Hold hold) const {
    std::vector<const Line*> lines;
    for (const auto& [date, line] : byDate)
        if (line.hold == hold) lines.push_back(&line);
    return lines;
}

void ImportedDraws::holdRepeats(const std::vector<Draw>& stored, const Game& game) {
    std::map<double, const Draw*> storedByDate;
    for (const Draw& d : stored) storedByDate.emplace(d.date, &d);
    for (auto& [date, line] : byDate) {
        if (line.hold != ImportLine::Hold::None) continue;
        const QDate before = game.previousDrawDay(dates::fromDayNumber(date).addDays(-1));
        const double earlierDate = dates::toDayNumber(before);
        const Draw* earlier = nullptr;
        if (const auto read = byDate.find(earlierDate); read != byDate.end())
            earlier = &read->second.draw;
        else if (const auto kept = storedByDate.find(earlierDate); kept != storedByDate.end())
            earlier = kept->second;
        if (!earlier || !sameDraw(*earlier, line.draw)) continue;
        line.hold = ImportLine::Hold::Repeat;
        line.holdReason = QStringLiteral("wiederholt die Ziehung vom %1").arg(dates::formatFixedDate(before));
    }
}

void ImportedDraws::drop(ImportLine::Hold hold) {
    for (auto it = byDate.begin(); it != byDate.end();) {
        const Line& line = it->second;
        if (hold == ImportLine::Hold::None || line.hold != hold) {
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

// The order of day and month in the file's dates with slashes, told by the dates themselves: a first field
// above 12 is a day, a second one too; both kinds in one file cannot be read, and nothing is taken from it.
// Where no field is above 12, the weekdays tell: the reading that puts more dates on the game's draw days.
// Where they do not either, the question decides (day first without one).
DateOrder dateOrderOf(const QStringList& lines, const QString& name, const Game& game,
                      const ReadOptions& options,
                      const std::function<QStringList(const QString&)>& fieldsOfLine) {
    qsizetype dayFirst = -1;   // a line whose first field can only be a day
    qsizetype monthFirst = -1; // a line whose second field can only be a day
    qsizetype undecided = -1;  // a line that reads as two dates
    int drawDaysDayFirst = 0;
    int drawDaysMonthFirst = 0;
    for (qsizetype i = 0; i < lines.size() && (dayFirst < 0 || monthFirst < 0); ++i) {
        // Most files write no slash at all: their lines are split once, by the read itself.
        if (!lines[i].contains(QLatin1Char('/'))) continue;
        const DateText date = findDate(fieldsOfLine(lines[i]), options.today.year()).text;
        if (date.form != DateText::Form::Slashed) continue;
        if (date.first > 12 && dayFirst < 0) dayFirst = i;
        if (date.second > 12 && date.first <= 12 && monthFirst < 0) monthFirst = i;
        if (date.first > 12 || date.second > 12 || date.first == date.second) continue;
        const bool asDay = game.isDrawDay(dateOf(date, DateOrder::DayFirst));
        const bool asMonth = game.isDrawDay(dateOf(date, DateOrder::MonthFirst));
        drawDaysDayFirst += asDay && !asMonth;
        drawDaysMonthFirst += asMonth && !asDay;
        if (undecided < 0) undecided = i;
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
    if (dayFirst >= 0) return DateOrder::DayFirst;
    if (monthFirst >= 0) return DateOrder::MonthFirst;
    if (drawDaysDayFirst != drawDaysMonthFirst)
        return drawDaysDayFirst > drawDaysMonthFirst ? DateOrder::DayFirst : DateOrder::MonthFirst;
    if (undecided < 0 || !options.askDateOrder) return DateOrder::DayFirst;
    const DateText date = findDate(fieldsOfLine(lines[undecided]), options.today.year()).text;
    return options.askDateOrder(name, lines[undecided], dateOf(date, DateOrder::DayFirst),
                                dateOf(date, DateOrder::MonthFirst));
}

} // namespace

QString importlimits::tooLargeText(const QString& name) {
    return QStringLiteral("Die Datei \"%1\" ist größer als %2 MB und wird nicht eingelesen.")
        .arg(name)
        .arg(MaxBytes / (1024 * 1024));
}

void readDrawText(ImportedDraws& read, const QString& text, const QString& source, const QString& name,
                  const Game& game, const ReadOptions& options) {
    const QStringList lines = textlines::split(text);
    if (lines.size() > importlimits::MaxLines)
        throw AppError(QStringLiteral("Die Datei \"%1\" hat mehr als %2 Zeilen und wird nicht eingelesen.")
                           .arg(source)
                           .arg(importlimits::MaxLines));
    // A header that names the date and the numbers says where they stand in each line of its file that has
    // as many fields; other lines, and files without such a header, are read by their own shape.
    const QStringList header = lines.isEmpty() ? QStringList() : fieldsOf(lines.first());
    const Columns columns = columnsOf(header, game);
    const auto fieldsOfLine = [&columns, &header, &game](const QString& text) {
        QStringList fields = fieldsOf(text);
        return columns.usable() && fields.size() == header.size() ? columns.arrange(fields, game) : fields;
    };
    const DateOrder order = dateOrderOf(lines, source, game, options, fieldsOfLine);
    const int f = static_cast<int>(read.fileNames.size());
    read.fileNames << name;
    read.texts << text;
    bool anything = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (++read.linesRead % 1000 == 0 && options.progress) options.progress(read.linesRead);
        const ImportLine line = readImportFields(fieldsOfLine(lines[i]), game, options.today, order);
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
        const auto [it, fresh] = read.byDate.try_emplace(line.draw.date, taken);
        if (fresh) continue;
        if (!sameDraw(it->second.draw, line.draw) || it->second.draw.superNumber != line.draw.superNumber)
            read.skipped.push_back(
                {it->second.file, it->second.line,
                 QStringLiteral("der %1 steht weiter hinten noch einmal, die spätere Zeile gilt")
                     .arg(dates::formatFixedDate(line.draw.date))});
        it->second = taken;
    }
    if (!anything) read.withoutDraws << name;
}

ImportedDraws readDrawFiles(const QStringList& paths, const Game& game, const ReadOptions& options) {
    ImportedDraws read;
    for (const QString& path : paths)
        readDrawText(read, readFileText(path), QDir::toNativeSeparators(path), QFileInfo(path).fileName(),
                     game, options);
    if (options.progress) options.progress(read.linesRead);
    return read;
}

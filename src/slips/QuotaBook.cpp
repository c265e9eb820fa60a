#include "slips/QuotaBook.h"

#include "platform/Dates.h"
#include "platform/TextLines.h"
#include "slips/Slip.h"

#include <QFile>
#include <QRegularExpression>

namespace quotas {

namespace {

// The fields of a line at the header's separator, quotes taken off.
QStringList fieldsOf(const QString& line, QChar separator) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            fields << field.trimmed();
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field.trimmed();
    return fields;
}

QDate dateOf(const QString& text) {
    const QDate dotted = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    return dotted.isValid() ? dotted : QDate::fromString(text, Qt::ISODate);
}

// Where the header has each column, -1 for none.
struct Columns {
    int date = -1;
    std::vector<int> numbers;
    int lucky = -1;
    std::vector<int> winners, prizes; // by rank of the game
    bool usable() const {
        const auto all = [](const std::vector<int>& v) {
            return std::none_of(v.begin(), v.end(), [](int i) { return i < 0; });
        };
        return date >= 0 && lucky >= 0 && all(numbers) && all(winners) && all(prizes);
    }
};

Columns columnsOf(const QStringList& header, const Game& game) {
    static const QRegularExpression number(QStringLiteral("^(?:zahl ?|no)([1-9])$"));
    static const QRegularExpression division(QStringLiteral("^division ([1-9]) (winners|prize)$"));
    Columns c;
    c.numbers.assign(std::size_t(game.numbers.drawn), -1);
    c.winners.assign(game.ranks.size(), -1);
    c.prizes.assign(game.ranks.size(), -1);
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header[i].toLower();
        if (name == QLatin1String("datum") || name == QLatin1String("date")) c.date = i;
        if (name == QStringLiteral("glückszahl") || name == QLatin1String("lucky")) c.lucky = i;
        if (const auto m = number.match(name); m.hasMatch() && m.captured(1).toInt() <= game.numbers.drawn)
            c.numbers[std::size_t(m.captured(1).toInt() - 1)] = i;
        if (const auto m = division.match(name);
            m.hasMatch() && m.captured(1).toInt() <= int(game.ranks.size()))
            (m.captured(2) == QLatin1String("winners") ? c.winners
                                                       : c.prizes)[std::size_t(m.captured(1).toInt() - 1)] =
                i;
        for (std::size_t r = 0; r < game.ranks.size(); ++r) {
            const QString rank = game.ranks[r].name.toLower().remove(QLatin1Char(' '));
            if (name == QStringLiteral("gewinner ") + rank) c.winners[r] = i;
            if (name == QStringLiteral("quote ") + rank + QStringLiteral(" chf")) c.prizes[r] = i;
        }
    }
    return c;
}

} // namespace

std::vector<Listed> readQuotaList(const QString& text, const Game& game) {
    const QStringList lines =
        text.split(QRegularExpression(QStringLiteral("\\r\\n|\\n|\\r")), Qt::SkipEmptyParts);
    if (lines.isEmpty() || !game.ownExtras()) return {};
    const QChar separator = lines.first().contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
    const Columns c = columnsOf(fieldsOf(lines.first(), separator), game);
    if (!c.usable()) return {};
    std::vector<Listed> listed;
    for (qsizetype l = 1; l < lines.size(); ++l) {
        const QStringList f = fieldsOf(lines[l], separator);
        Listed line;
        const QDate day = dateOf(f.value(c.date));
        if (!day.isValid()) continue;
        line.draw.date = dates::toDayNumber(day);
        bool whole = true;
        const auto integer = [&](int column) {
            bool ok = false;
            const int v = f.value(column).toInt(&ok);
            whole = whole && ok;
            return v;
        };
        for (const int column : c.numbers) line.draw.numbers.push_back(integer(column));
        line.draw.extras = {integer(c.lucky)};
        for (std::size_t r = 0; r < game.ranks.size(); ++r) {
            bool counted = false;
            const qint64 winners = f.value(c.winners[r]).toLongLong(&counted);
            whole = whole && counted;
            // A prize may come with thousands separated by commas or apostrophes.
            const qint64 cents = parseCents(f.value(c.prizes[r]).remove(QLatin1Char(',')));
            whole = whole && winners >= 0 && cents >= 0;
            line.ranks.push_back({game.ranks[r].name, winners, cents});
        }
        if (whole) listed.push_back(line);
    }
    return listed;
}

QString takeQuotas(QuotaStore& store, const Game& game, const std::vector<Draw>& archive,
                   const std::vector<Listed>& listed) {
    if (listed.empty()) return {};
    std::map<double, const Draw*> stored;
    for (const Draw& d : archive) stored[d.date] = &d;
    const std::map<QDate, QString> told = store.disputes(game);
    std::vector<QuotaStore::DrawQuotas> kept;
    QStringList said;
    for (const Listed& l : listed) {
        const auto s = stored.find(l.draw.date);
        if (s == stored.end()) continue; // a draw the archive does not hold keeps no quotas
        const QDate day = dates::fromDayNumber(l.draw.date);
        if (sameDraw(*s->second, l.draw)) {
            kept.push_back({day, drawKey(l.draw), l.ranks});
            continue;
        }
        if (told.count(day)) continue;
        const QString text =
            QStringLiteral("Die Quoten vom %1 fehlen: die Liste nennt %2, die Datenbank %3.")
                .arg(dates::formatFixedDate(day), game.drawText(l.draw), game.drawText(*s->second));
        store.markDisputed(game, day, text);
        said << text;
    }
    store.put(game, kept);
    return said.join(QLatin1Char('\n'));
}

QString takeRecord(QuotaStore& store, const Game& game, const std::vector<Draw>& archive,
                   const QString& recordFile) {
    if (recordFile.isEmpty() || archive.empty()) return {};
    QFile file(recordFile);
    if (!file.open(QIODevice::ReadOnly)) return {};
    // Only the draws that came since: what a list brought stands.
    const auto stored = store.quotas(game);
    std::vector<Listed> listed = readQuotaList(textlines::decode(file.readAll()), game);
    std::erase_if(listed,
                  [&](const Listed& l) { return stored.count(dates::fromDayNumber(l.draw.date)) > 0; });
    return takeQuotas(store, game, archive, listed);
}

QString takeTexts(QuotaStore& store, const Game& game, const std::vector<Draw>& archive,
                  const QStringList& texts) {
    QStringList told;
    for (const QString& text : texts)
        if (const QString t = takeQuotas(store, game, archive, readQuotaList(text, game)); !t.isEmpty())
            told << t;
    return told.join(QLatin1Char('\n'));
}

PrizeTable prizesOf(QuotaStore& store, const Game& game, const std::vector<Draw>& archive) {
    PrizeTable table;
    const auto all = store.quotas(game);
    if (all.empty()) return table;
    for (const Draw& d : archive) {
        const auto q = all.find(dates::fromDayNumber(d.date));
        // Only with the numbers they were published with.
        if (q == all.end() || q->second.draw != drawKey(d)) continue;
        std::vector<qint64> prizes(game.ranks.size(), -1);
        for (const QuotaStore::Rank& r : q->second.ranks)
            for (std::size_t i = 0; i < game.ranks.size(); ++i)
                // A rank nobody won says nothing of what it would have paid.
                if (game.ranks[i].name == r.name && r.winners > 0) prizes[i] = r.prizeCents;
        table[d.date] = prizes;
    }
    return table;
}

std::optional<PrizeTable> prizesIfKept(QuotaStore* store, const Game& game,
                                       const std::vector<Draw>& archive) {
    if (!store || game.quotaRecord.isEmpty()) return std::nullopt;
    return prizesOf(*store, game, archive);
}

} // namespace quotas

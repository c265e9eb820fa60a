#include "archive/TextImport.h"

#include "archive/AppState.h"
#include "archive/DrawArchive.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/FileErrors.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr qint64 MaxFileBytes = 50LL * 1024 * 1024;
constexpr qsizetype MaxFileLines = 200000;
constexpr int ReportedLines = 10;

// The program's own export is Latin-1; other tools write UTF-8. Bytes that are valid UTF-8 are read as
// such (a byte-order mark is dropped), anything else as Latin-1.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QChar separatorOf(const QString& line) {
    if (line.contains(QLatin1Char(';'))) return QLatin1Char(';');
    if (line.contains(QLatin1Char('\t'))) return QLatin1Char('\t');
    return QLatin1Char(',');
}

// The date of the first field. `looksLikeDate` tells a date that does not exist (31.02.2002) from a
// field that is no date at all.
QDate readDate(const QString& text, int currentYear, const QLocale& locale, bool& looksLikeDate) {
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    looksLikeDate = true;
    if (const auto m = dotted.match(text); m.hasMatch()) {
        int year = m.captured(3).toInt();
        // Two digits: the most recent such year that is not after this one.
        if (m.captured(3).size() == 2) year = currentYear - ((currentYear % 100) - year + 100) % 100;
        return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
    }
    if (const auto m = iso.match(text); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QDate local = dates::parseShortDate(text, currentYear, locale);
    looksLikeDate = local.isValid();
    return local;
}

ImportLine bad(ImportLine line, const QString& reason) {
    line.kind = ImportLine::Kind::Bad;
    line.reason = reason;
    return line;
}

// Equal draws: the same six numbers in any order and the same ZZ. SZ is not compared: the export does
// not write it, so an archive read back from its own export would differ in every draw.
bool sameDraw(const DrawRecord& a, const DrawRecord& b) {
    auto x = a.zahl;
    auto y = b.zahl;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y && a.zz == b.zz;
}

} // namespace

ImportLine readImportLine(const QString& text, int currentYear, const QLocale& locale) {
    ImportLine line;
    if (text.trimmed().isEmpty()) return line;
    QStringList fields = text.split(separatorOf(text));
    for (QString& field : fields) field = field.trimmed();
    if (fields.size() > 1 && fields.last().isEmpty()) fields.removeLast(); // the final separator

    bool looksLikeDate = false;
    const QDate date = readDate(fields.first(), currentYear, locale, looksLikeDate);
    line.startsWithDate = date.isValid();
    if (!date.isValid())
        return bad(line, looksLikeDate ? QStringLiteral("das Datum %1 gibt es nicht").arg(fields.first())
                                       : QStringLiteral("\"%1\" ist kein Datum").arg(fields.first()));
    line.draw.datum = dates::toDayNumber(date);

    const qsizetype numbers = fields.size() - 1;
    if (numbers < 7) return bad(line, QStringLiteral("weniger als sieben Zahlen"));
    if (numbers > 8) return bad(line, QStringLiteral("mehr als sieben Zahlen und eine Superzahl"));
    std::array<int, 8> values{};
    for (qsizetype i = 0; i < numbers; ++i) {
        bool ok = false;
        const int value = fields[i + 1].toInt(&ok, 10);
        if (!ok) return bad(line, QStringLiteral("\"%1\" ist keine Zahl").arg(fields[i + 1]));
        if (i < 7 && (value < 1 || value > 45))
            return bad(line, QStringLiteral("die Zahl %1 liegt nicht zwischen 1 und 45").arg(value));
        if (i == 7 && (value < 0 || value > 9))
            return bad(line, QStringLiteral("die Superzahl %1 liegt nicht zwischen 0 und 9").arg(value));
        values[static_cast<std::size_t>(i)] = value;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        for (std::size_t j = i + 1; j < 6; ++j)
            if (values[i] == values[j])
                return bad(line,
                           QStringLiteral("die Zahl %1 steht zweimal unter den sechs Zahlen").arg(values[i]));
        if (values[i] == values[6])
            return bad(line,
                       QStringLiteral("die Zusatzzahl %1 ist auch eine der sechs Zahlen").arg(values[6]));
    }
    for (std::size_t i = 0; i < 6; ++i) line.draw.zahl[i] = static_cast<quint8>(values[i]);
    line.draw.zz = static_cast<quint8>(values[6]);
    line.draw.sz = static_cast<quint8>(values[7]);
    line.kind = ImportLine::Kind::Draw;
    return line;
}

QString ImportReport::text() const {
    QString text = QStringLiteral("Import abgeschlossen: %1 neue Ziehungen, %2 ersetzt, %3 unverändert, %4 "
                                  "Zeilen übersprungen.")
                       .arg(inserted)
                       .arg(replaced)
                       .arg(unchanged)
                       .arg(skipped.size());
    if (!skipped.isEmpty())
        text += QStringLiteral("\n\n") + skipped.mid(0, ReportedLines).join(QLatin1Char('\n'));
    return text;
}

ImportReport importDrawFiles(AppState& state, Controls& controls, Ui& ui, const Clock& clock,
                             const ImportFileChooser& choose, const std::function<void()>& showNewest) {
    const QStringList files = choose();
    ImportReport report;
    if (files.isEmpty()) return report;
    BusyCursor busy(ui);
    const int currentYear = clock.today().year();

    // Every good line of every file by date; of two lines of one date the later one is taken.
    struct Taken {
        DrawRecord draw;
        QString where; // "file, Zeile N"
    };
    std::map<double, Taken> taken;
    qsizetype linesRead = 0;
    const auto showProgress = [&] {
        ui.setStatus(1, QStringLiteral("Import: %1 Zeilen gelesen").arg(linesRead));
        ui.repaintStatus();
    };
    for (const QString& path : files) {
        const QString shown = QDir::toNativeSeparators(path);
        if (QFileInfo(path).size() > MaxFileBytes)
            throw AppError(QStringLiteral("Die Datei \"%1\" ist größer als 50 MB und wird nicht eingelesen.")
                               .arg(shown));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) throw fileerrors::error(file, fileerrors::Access::Read);
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) throw fileerrors::error(file, fileerrors::Access::Read);
        QStringList lines = decode(bytes).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        if (lines.size() > MaxFileLines)
            throw AppError(
                QStringLiteral("Die Datei \"%1\" hat mehr als 200000 Zeilen und wird nicht eingelesen.")
                    .arg(shown));
        const QString name = QFileInfo(path).fileName();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QString text = lines[i];
            if (text.endsWith(QLatin1Char('\r'))) text.chop(1);
            if (++linesRead % 1000 == 0) showProgress();
            const ImportLine line = readImportLine(text, currentYear);
            if (line.kind == ImportLine::Kind::Empty) continue;
            if (i == 0 && !line.startsWithDate) continue; // a header line
            const QString where = QStringLiteral("%1, Zeile %2").arg(name).arg(i + 1);
            if (line.kind == ImportLine::Kind::Bad) {
                report.skipped << where + QStringLiteral(": ") + line.reason;
                continue;
            }
            const auto [it, fresh] = taken.try_emplace(line.draw.datum, Taken{line.draw, where});
            if (fresh) continue;
            if (!sameDraw(it->second.draw, line.draw) || it->second.draw.sz != line.draw.sz)
                report.skipped << it->second.where +
                                      QStringLiteral(": der %1 steht weiter hinten noch einmal, die spätere "
                                                     "Zeile gilt")
                                          .arg(dates::fromDayNumber(line.draw.datum)
                                                   .toString(QStringLiteral("dd.MM.yyyy")));
            it->second = Taken{line.draw, where};
        }
    }
    showProgress();

    const DrawArchive archive(state.programDir);
    const std::vector<DrawRecord> stored = archive.exists() ? archive.scan() : std::vector<DrawRecord>{};
    std::map<double, std::vector<const DrawRecord*>> storedByDate;
    for (const DrawRecord& r : stored) storedByDate[r.datum].push_back(&r);
    std::set<double> replace;
    for (const auto& [date, t] : taken) {
        const auto s = storedByDate.find(date);
        if (s == storedByDate.end())
            ++report.inserted;
        else if (std::all_of(s->second.begin(), s->second.end(),
                             [&](const DrawRecord* r) { return sameDraw(*r, t.draw); }))
            ++report.unchanged;
        else
            replace.insert(date);
    }
    if (!replace.empty() &&
        ui.question(QStringLiteral("%1 Ziehungen weichen von der Datenbank ab. Sollen sie ersetzt werden?")
                        .arg(replace.size()),
                    QString()))
        report.replaced = static_cast<int>(replace.size());
    else
        report.unchanged += static_cast<int>(replace.size());

    std::vector<DrawRecord> result = stored;
    if (report.inserted > 0 || report.replaced > 0) {
        if (report.replaced == 0) replace.clear();
        std::erase_if(result, [&](const DrawRecord& r) { return replace.count(r.datum) > 0; });
        for (const auto& [date, t] : taken)
            if (!storedByDate.count(date) || replace.count(date)) result.push_back(t.draw);
        std::stable_sort(result.begin(), result.end(),
                         [](const DrawRecord& a, const DrawRecord& b) { return a.datum < b.datum; });
        // One rewrite through the work file: the archive is the old or the complete new one.
        archive.replaceAll(result);
    }
    ui.message(report.text());
    if (!result.empty()) {
        state.referenceDate = result.back().datum;
        controls.setDate(QStringLiteral("DateTimePicker1"), dates::fromDayNumber(result.back().datum));
        showNewest();
    }
    return report;
}

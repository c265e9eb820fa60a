#include "output/TipText.h"

#include "game/Game.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "platform/Shell.h"
#include "platform/TextFile.h"
#include "state/AppState.h"
#include "state/TipGrid.h"

#include <algorithm>

namespace tiptext {

// The operator's rule for "6 aus 45", the one game whose sheet follows the draw shown.
QDate nextDrawDate(double drawDay) {
    const QDate draw = dates::fromDayNumber(drawDay);
    return draw.addDays(dates::weekday(draw) == dates::Wednesday ? 3 : 4);
}

QDate sheetDate(const Game& game, double shownDraw, const QDate& today,
                const std::optional<QDate>& newestStored) {
    if (game.lastDraw.isValid()) return nextDrawDate(shownDraw);
    return game.comingDrawDay(today, newestStored.value_or(QDate()));
}

namespace {

QStringList header(const QDate& nextDraw, const Game& game, const QLocale& locale) {
    const QString which = game.namedInTexts ? game.name + QLatin1Char(' ') : QString();
    return {QStringLiteral("Tolbrands Lotto-Tipp ") + which + QStringLiteral("für ") +
                dates::formatLongWeekdayDate(nextDraw, locale),
            QString(46, QLatin1Char('~')), QString()};
}

// The tip's own further numbers, where the game gives it some: "   GZ: 4".
QString extrasText(const Numbers& extras, const Game& game) {
    if (extras.empty() || std::any_of(extras.begin(), extras.end(), [](int n) { return n == 0; })) return {};
    QStringList texts;
    for (const int n : extras) texts << QString::number(n);
    return QStringLiteral("   %1: %2").arg(game.extra().captionMark, texts.join(QLatin1Char(' ')));
}

} // namespace

QStringList lines(const TipGrid& grid, const QDate& nextDraw, const Game& game, const QLocale& locale) {
    QStringList out = header(nextDraw, game, locale);
    for (int row = 0; row < TipGrid::Rows; ++row) {
        if (!grid.rowPresent(row)) continue;
        // Labels keep their row number when rows are skipped.
        QString line = QStringLiteral("%1. Tipp: ").arg(row + 1, 2);
        for (int column = 0; column < grid.columns(); ++column) {
            const QString text = grid.cellText(row, column);
            bool ok = false;
            const int number = text.trimmed().toInt(&ok);
            if (!ok) throw AppError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
            if (column > 0) line += QStringLiteral("   ");
            line += QStringLiteral("%1").arg(number, 2);
        }
        // The tip's own further numbers, where the game gives it some.
        out << line + extrasText(grid.extraCells(row), game);
    }
    return out;
}

QByteArray encode(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += TextFile::encodeLine(line);
    return bytes;
}

} // namespace tiptext

QStringList tiptext::systemLines(const std::vector<Tip>& tips, const QDate& nextDraw, const Game& game,
                                 const QLocale& locale) {
    QStringList out = header(nextDraw, game, locale);
    const int width = int(QString::number(tips.size()).size());
    for (std::size_t i = 0; i < tips.size(); ++i) {
        QString line = QStringLiteral("%1. Tipp: ").arg(i + 1, width);
        for (int c = 0; c < tips[i].numbers.size(); ++c)
            line += (c > 0 ? QStringLiteral("   ") : QString()) +
                    QStringLiteral("%1").arg(tips[i].numbers[std::size_t(c)], 2);
        out << line + extrasText(tips[i].extras, game);
    }
    return out;
}

namespace {

// The draw a sheet is for, as the archive stands.
QDate sheetDateOf(const AppState& state, const QDate& today) {
    std::optional<QDate> newest;
    try {
        if (const auto last = state.archive().lastRecord()) newest = dates::fromDayNumber(last->date);
    } catch (const AppError&) {
        // Without an archive the sheet is for the coming draw.
    }
    return tiptext::sheetDate(*state.game, state.currentDraw.date, today, newest);
}

// Every line is built before the file is touched, so a row that does not convert leaves it as it was.
QString writeAndOpen(const QString& path, const QStringList& lines, Shell& shell) {
    TextFile file(path);
    for (const QString& line : lines) file.writeLine(line);
    file.close();
    shell.open(path);
    return path;
}

} // namespace

QString writeSystemText(const AppState& state, const std::vector<Tip>& tips, Shell& shell,
                        const QDate& today) {
    return writeAndOpen(state.programDir + QStringLiteral("System.txt"),
                        tiptext::systemLines(tips, sheetDateOf(state, today), *state.game), shell);
}

QString writeTipText(const AppState& state, const TipGrid& grid, Shell& shell, const QDate& today) {
    return writeAndOpen(state.programDir + QLatin1String(tiptext::FileName),
                        tiptext::lines(grid, sheetDateOf(state, today), *state.game), shell);
}

#include "import/ResultPage.h"

#include "game/Game.h"

namespace resultpage {

namespace {

bool takeNumber(DrawNumbers& result, std::size_t index, const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok) {
        result.error = QStringLiteral("\"%1\" ist kein gültiger Ganzzahlwert.").arg(trimmed);
        return false;
    }
    // The page tells the draws of "6 aus 45".
    const Game& game = Game::sixOf45();
    if (!game.isNumber(value)) {
        result.error = QStringLiteral("\"%1\" ist keine gültige Lottozahl (1 bis %2).")
                           .arg(trimmed)
                           .arg(game.numbers.highest());
        return false;
    }
    result.numbers[index] = value;
    return true;
}

} // namespace

DrawNumbers parseDrawAssignment(const QString& line) {
    DrawNumbers result;
    QString text = line;
    const qsizetype open = text.indexOf(QLatin1String("= \""));
    if (open >= 0) text = text.mid(open + 3);
    const qsizetype close = text.indexOf(QLatin1String("\";"));
    if (close >= 0) text.truncate(close);
    for (std::size_t i = 0; i < 6; ++i) {
        const qsizetype comma = text.indexOf(QLatin1Char(','));
        // Without a comma the number before it is empty and does not convert.
        if (!takeNumber(result, i, comma >= 0 ? text.left(comma) : QString())) return result;
        text = text.mid(comma + 1);
    }
    if (!takeNumber(result, 6, text)) return result;
    result.ok = true;
    return result;
}

PageDraws readDraws(const QStringList& lines) {
    PageDraws result;
    const QString marker = QString::fromLatin1(Marker);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains(marker)) continue;
        if (i + 1 >= lines.size()) break;
        const DrawNumbers draw = parseDrawAssignment(lines[i + 1]);
        if (!draw.ok) {
            result.error = draw.error;
            break;
        }
        result.draws.push_back(draw.numbers);
    }
    return result;
}

} // namespace resultpage

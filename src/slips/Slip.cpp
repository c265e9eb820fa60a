#include "slips/Slip.h"

#include "platform/Counted.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

std::vector<QDate> Slip::drawDays() const {
    std::vector<QDate> days;
    QDate day = firstDraw;
    for (int i = 0; i < draws && day.isValid(); ++i) {
        day = game->nextDrawDay(day);
        if (!game->playedOn(day)) break;
        days.push_back(day);
        day = day.addDays(1);
    }
    return days;
}

int Slip::drawsFrom(const Game& game, const QDate& firstDraw) {
    if (!game.lastDraw.isValid()) return MaxDraws;
    return std::min(MaxDraws, game.drawDaysBetween(firstDraw.addDays(-1), game.lastDraw.addDays(1)));
}

QString stakeText(int tips, int draws, int tipPriceCents) {
    return QStringLiteral("Einsatz: %1 × %2 × CHF %3 = CHF %4")
        .arg(counted(tips, QStringLiteral("Tipp"), QStringLiteral("Tipps")),
             counted(draws, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen")),
             formatCents(tipPriceCents), formatCents(qint64(tips) * draws * tipPriceCents));
}

QString drawKey(const Draw& draw) {
    const auto joined = [](const Numbers& numbers) {
        QStringList texts;
        for (const int n : numbers) texts << QString::number(n);
        return texts.join(QLatin1Char(' '));
    };
    return joined(draw.numbers.sorted()) + QStringLiteral(" + ") + joined(draw.extras.sorted());
}

qint64 parseCents(const QString& text) {
    // Francs up to nine digits (the largest jackpots are paid in the hundreds of millions), the apostrophe
    // only between groups of three, the currency before or after.
    static const QRegularExpression amount(
        QStringLiteral(
            "^(?:(?:CHF|S?Fr\\.?)\\s*)?(\\d{1,3}(?:['’]\\d{3}){1,2}|\\d{1,9})(?:[.,](\\d{1,2}|–|-))?"
            "(?:\\s*(?:CHF|S?Fr\\.?))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return 0;
    const auto m = amount.match(trimmed);
    if (!m.hasMatch()) return -1;
    QString francs = m.captured(1);
    francs.remove(QLatin1Char('\'')).remove(QChar(0x2019));
    QString fraction = m.captured(2);
    if (fraction == QStringLiteral("–") || fraction == QStringLiteral("-")) fraction.clear();
    return francs.toLongLong() * 100 +
           (fraction.isEmpty() ? 0 : fraction.leftJustified(2, QLatin1Char('0')).toInt());
}

#include "slips/Slip.h"

#include "platform/Counted.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

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

QString formatCents(qint64 cents) {
    const QString amount = QLocale().toString(double(std::llabs(cents)) / 100.0, 'f', 2);
    return cents < 0 ? QChar(0x2212) + amount : amount;
}

QString stakeText(int tips, int draws, int tipPriceCents) {
    return QStringLiteral("Einsatz: %1 × %2 × CHF %3 = CHF %4")
        .arg(counted(tips, QStringLiteral("Tipp"), QStringLiteral("Tipps")),
             counted(draws, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen")),
             formatCents(tipPriceCents), formatCents(qint64(tips) * draws * tipPriceCents));
}

qint64 parseCents(const QString& text) {
    static const QRegularExpression amount(QStringLiteral("^(?:CHF\\s*)?(\\d{1,7})(?:[.,](\\d{1,2}|–|-))?$"));
    const auto m = amount.match(text.trimmed().remove(QChar(0x2019)).remove(QLatin1Char('\'')));
    if (!m.hasMatch()) return -1;
    QString fraction = m.captured(2);
    if (fraction == QStringLiteral("–") || fraction == QStringLiteral("-")) fraction.clear();
    return m.captured(1).toLongLong() * 100 +
           (fraction.isEmpty() ? 0 : fraction.leftJustified(2, QLatin1Char('0')).toInt());
}

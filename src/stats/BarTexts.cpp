#include "stats/BarTexts.h"

#include "game/Game.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "stats/ChartPlan.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

using Meaning = ChartModel::Meaning;

QString draws(qint64 count) {
    return counted(count, QStringLiteral("Ziehung"), QStringLiteral("Ziehungen"));
}

// An expected count as a reader takes it in: whole from 10 on, else to a tenth; "unter 0.1" for what
// would show as 0.0 although it is not nothing.
QString expectedText(double expected) {
    const QLocale locale;
    if (expected >= 10) return QString::number(dates::roundToInt(expected));
    if (expected <= 0) return QStringLiteral("0");
    if (expected < 0.05) return QStringLiteral("unter ") + locale.toString(0.1, 'f', 1);
    return locale.toString(expected, 'f', 1);
}

// ", erwartet 326 (95 % je Zahl: 294 bis 359)"; `shift` moves all three (the overdue texts count the draws
// since, the bars one more).
QString chanceText(const ChartModel::Expectation& e, const QString& band, double shift = 0) {
    const auto low = static_cast<qint64>(e.low + shift);
    const auto high = static_cast<qint64>(e.high + shift);
    const QString range = low == high
                              ? QString::number(low)
                              : QString::number(low) + QStringLiteral(" bis ") + QString::number(high);
    return QStringLiteral(", erwartet ") + expectedText(e.expected + shift) + QStringLiteral(" (") + band +
           QStringLiteral(": ") + range + QLatin1Char(')');
}

// Most bars of a chart share one expectation: its text is made once.
struct LastChance {
    ChartModel::Expectation expectation{-1, -1, -1};
    double shift = 0;
    QString text;
};

// The count of bar i and, where chance has something to say of it, what chance adds.
ChartModel::BarText textOf(const ChartPlan& plan, qsizetype i, LastChance& last) {
    const auto x = static_cast<qint64>(plan.points[i].x);
    const auto y = static_cast<qint64>(plan.points[i].y);
    const QString number = QString::number(x);
    const int highest = plan.game ? plan.game->numbers.highest() : 0;
    const auto chance = [&](double shift = 0) {
        if (i >= plan.expectation.size()) return QString();
        const ChartModel::Expectation& e = plan.expectation[i];
        if (e.expected != last.expectation.expected || e.low != last.expectation.low ||
            e.high != last.expectation.high || e.coverage != last.expectation.coverage || shift != last.shift)
            last = {e, shift, chanceText(e, bandNameOf(plan.meaning, e, plan.game), shift)};
        return last.text;
    };
    switch (plan.meaning) {
    case Meaning::NumberFrequencies:
        return {QStringLiteral("Zahl ") + number + QStringLiteral(": ") + QString::number(y) +
                    QStringLiteral("-mal gezogen"),
                chance()};
    case Meaning::NeighbourPairs:
        return {QStringLiteral("Paar ") + number + QStringLiteral(" und ") + QString::number(x + 1) +
                    QStringLiteral(": ") + draws(y),
                chance()};
    case Meaning::NeighbourTriples:
        return {QStringLiteral("Dreier ") + number + QStringLiteral(" bis ") + QString::number(x + 2) +
                    QStringLiteral(": ") + draws(y),
                chance()};
    case Meaning::NeighbourQuadruples:
        // The last bars stand for runs that would need numbers beyond the game's.
        if (x + 3 > highest)
            return {QStringLiteral("Kein Vierer ab ") + number + QStringLiteral(": die Zahlen enden bei ") +
                        QString::number(highest),
                    {}};
        return {QStringLiteral("Vierer ") + number + QStringLiteral(" bis ") + QString::number(x + 3) +
                    QStringLiteral(": ") + draws(y),
                chance()};
    case Meaning::OverdueNumbers:
        // The bar holds 1 + the draws since the number was last among those counted.
        if (plan.draws == 0)
            return {QStringLiteral("Zahl ") + number + QStringLiteral(": keine Ziehung gewählt"), {}};
        if (y <= 1)
            return {QStringLiteral("Zahl ") + number + QStringLiteral(": in der neuesten Ziehung gezogen"),
                    {}};
        return {QStringLiteral("Zahl ") + number + QStringLiteral(": seit ") + draws(y - 1) +
                    QStringLiteral(" nicht gezogen"),
                chance(-1)};
    case Meaning::DigitSums:
        return {QStringLiteral("Quersumme ") + number + QStringLiteral(": ") + draws(y), chance()};
    case Meaning::SuperNumbers:
        return {(plan.game ? plan.game->superNumber.name : QString()) + QLatin1Char(' ') + number +
                    QStringLiteral(": ") + draws(y),
                chance()};
    case Meaning::ExtraNumbers:
        return {(plan.game ? plan.game->tipExtraDrumAt(0).oneName : QString()) + QLatin1Char(' ') + number +
                    QStringLiteral(": ") + QString::number(y) + QStringLiteral("-mal gezogen"),
                chance()};
    case Meaning::TipDistribution:
        return {QStringLiteral("Zahl ") + number + QStringLiteral(": ") + QString::number(y) +
                    QStringLiteral("-mal in den Tipps"),
                {}};
    case Meaning::YearSurface:
    case Meaning::None:
        break;
    }
    return {};
}

} // namespace

QString bandNameOf(ChartModel::Meaning meaning, const Game* game) {
    switch (meaning) {
    case Meaning::NumberFrequencies:
        return QStringLiteral("95 % je Zahl");
    case Meaning::NeighbourPairs:
        return QStringLiteral("95 % je Paar");
    case Meaning::NeighbourTriples:
        return QStringLiteral("mindestens 95 % je Dreier");
    case Meaning::NeighbourQuadruples:
        return QStringLiteral("mindestens 95 % je Vierer");
    case Meaning::OverdueNumbers:
        return QStringLiteral("mindestens 95 % je Zahl");
    case Meaning::DigitSums:
        return QStringLiteral("95 % je Quersumme");
    case Meaning::ExtraNumbers:
        return QStringLiteral("95 % je ") + (game ? game->tipExtraDrumAt(0).oneName : QStringLiteral("Zahl"));
    case Meaning::SuperNumbers:
    case Meaning::TipDistribution:
    case Meaning::YearSurface:
    case Meaning::None:
        break;
    }
    return {};
}

QString bandNameOf(ChartModel::Meaning meaning, const ChartModel::Expectation& expectation,
                   const Game* game) {
    const QString name = bandNameOf(meaning, game);
    const QString plain = QStringLiteral("95 %");
    if (expectation.coverage < 0.975 || !name.startsWith(plain)) return name;
    // Down, never up: the band holds at least what it says. A tenth where a whole percent would say 99.
    const double percent = expectation.coverage * 100;
    const QString held = percent >= 99 && percent < 100
                             ? QLocale().toString(std::floor(percent * 10) / 10, 'f', 1)
                             : QString::number(int(std::floor(percent)));
    return held + QStringLiteral(" %") + name.mid(plain.size());
}

QString legendBandNameOf(ChartModel::Meaning meaning, const QVector<ChartModel::Expectation>& expectations,
                         const Game* game) {
    const QString name = bandNameOf(meaning, game);
    const bool more =
        std::any_of(expectations.begin(), expectations.end(),
                    [&](const ChartModel::Expectation& e) { return bandNameOf(meaning, e, game) != name; });
    return more ? QStringLiteral("mindestens ") + name : name;
}

QVector<ChartModel::BarText> barTextsOf(const ChartPlan& plan) {
    QVector<ChartModel::BarText> texts;
    if (plan.series != ChartModel::Series::Bar) return texts;
    LastChance last;
    for (qsizetype i = 0; i < plan.points.size(); ++i) texts.push_back(textOf(plan, i, last));
    return texts;
}

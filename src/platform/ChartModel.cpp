#include "platform/ChartModel.h"

#include "platform/Counted.h"
#include "platform/Dates.h"

#include <QLocale>
#include <algorithm>

namespace {

template <typename Pick> double extreme(const QVector<ChartModel::Point>& points, Pick pick) {
    if (points.isEmpty()) return 0;
    double best = points.front().y;
    for (const auto& p : points) best = pick(best, p.y);
    return best;
}

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

// ", erwartet 326 (95 %: 294 bis 359)"; `shift` moves all three (the overdue texts count the draws since,
// the bars one more).
QString chanceText(const ChartModel::Expectation& e, double shift = 0) {
    const auto low = static_cast<qint64>(e.low + shift);
    const auto high = static_cast<qint64>(e.high + shift);
    const QString range = low == high
                              ? QString::number(low)
                              : QString::number(low) + QStringLiteral(" bis ") + QString::number(high);
    return QStringLiteral(", erwartet ") + expectedText(e.expected + shift) + QStringLiteral(" (95 %: ") +
           range + QLatin1Char(')');
}

} // namespace

ChartModel::ChartModel() : valueAxis_(*this) {}

double ChartModel::ValueAxis::minimum() const {
    if (!automatic_) return minimum_;
    const auto& points = chart_.active() == Series::Bar ? chart_.bars() : chart_.surface();
    return extreme(points, [](double a, double b) { return std::min(a, b); });
}

double ChartModel::ValueAxis::maximum() const {
    if (!automatic_) return maximum_;
    const auto& points = chart_.active() == Series::Bar ? chart_.bars() : chart_.surface();
    return extreme(points, [](double a, double b) { return std::max(a, b); });
}

void ChartModel::activate(Series series) {
    active_ = series;
    emit changed();
}

void ChartModel::clear(Series series) {
    (series == Series::Bar ? bars_ : surface_).clear();
    // Emptied bars mean nothing until a statistic says what it counts.
    if (series == Series::Bar) {
        meaning_ = Meaning::None;
        drawCount_ = -1;
        expectations_.clear();
        verdict_.clear();
    }
    if (series == Series::Surface) surfaceYears_.clear();
    emit changed();
}

void ChartModel::setMeaning(Meaning meaning) {
    meaning_ = meaning;
}

void ChartModel::setDrawCount(int draws) {
    drawCount_ = draws;
}

void ChartModel::setExpectations(const QVector<Expectation>& expectations) {
    expectations_ = expectations;
    emit changed();
}

void ChartModel::setVerdict(const QString& verdict) {
    verdict_ = verdict;
    emit changed();
}

void ChartModel::setChanceShown(bool shown) {
    if (chanceShown_ == shown) return;
    chanceShown_ = shown;
    emit changed();
}

bool ChartModel::showsChance() const {
    return chanceShown_ && active_ == Series::Bar && !expectations_.isEmpty() &&
           expectations_.size() == bars_.size();
}

QString ChartModel::chartToolTip() const {
    return chanceShown_ && active_ == Series::Bar ? verdict_ : QString();
}

void ChartModel::setSurfaceYears(const QVector<int>& years) {
    surfaceYears_ = years;
    emit changed();
}

int ChartModel::surfaceYear(double position) const {
    const auto i = static_cast<qsizetype>(position);
    return i >= 0 && i < surfaceYears_.size() && i == position ? surfaceYears_[i] : 0;
}

QString ChartModel::barToolTip(int index) const {
    if (index < 0 || index >= bars_.size()) return {};
    const auto x = static_cast<qint64>(bars_[index].x);
    const auto y = static_cast<qint64>(bars_[index].y);
    const QString number = QString::number(x);
    // What chance expects of this bar, when it is shown.
    const auto chance = [&](double shift = 0) {
        return showsChance() ? chanceText(expectations_[index], shift) : QString();
    };
    switch (meaning_) {
    case Meaning::NumberFrequencies:
        return QStringLiteral("Zahl ") + number + QStringLiteral(": ") + QString::number(y) +
               QStringLiteral("-mal gezogen") + chance();
    case Meaning::NeighbourPairs:
        return QStringLiteral("Paar ") + number + QStringLiteral(" und ") + QString::number(x + 1) +
               QStringLiteral(": ") + draws(y) + chance();
    case Meaning::NeighbourTriples:
        return QStringLiteral("Dreier ") + number + QStringLiteral(" bis ") + QString::number(x + 2) +
               QStringLiteral(": ") + draws(y) + chance();
    case Meaning::NeighbourQuadruples:
        // The bars at 43, 44 and 45 stand for runs that would need 46 and more.
        if (x + 3 > 45)
            return QStringLiteral("Kein Vierer ab ") + number + QStringLiteral(": die Zahlen enden bei 45");
        return QStringLiteral("Vierer ") + number + QStringLiteral(" bis ") + QString::number(x + 3) +
               QStringLiteral(": ") + draws(y) + chance();
    case Meaning::OverdueNumbers:
        // The bar holds 1 + the draws since the number was last among the seven.
        if (drawCount_ == 0)
            return QStringLiteral("Zahl ") + number + QStringLiteral(": keine Ziehung gewählt");
        if (y <= 1)
            return QStringLiteral("Zahl ") + number + QStringLiteral(": in der neuesten Ziehung gezogen");
        return QStringLiteral("Zahl ") + number + QStringLiteral(": seit ") + draws(y - 1) +
               QStringLiteral(" nicht gezogen") + chance(-1);
    case Meaning::DigitSums:
        return QStringLiteral("Quersumme ") + number + QStringLiteral(": ") + draws(y) + chance();
    case Meaning::SuperNumbers:
        return QStringLiteral("Superzahl ") + number + QStringLiteral(": ") + draws(y) + chance();
    case Meaning::TipDistribution:
        return QStringLiteral("Zahl ") + number + QStringLiteral(": ") + QString::number(y) +
               QStringLiteral("-mal in den Tipps");
    case Meaning::YearSurface:
    case Meaning::None:
        break;
    }
    return {};
}

QString ChartModel::surfaceToolTip(double position, double number) const {
    const int year = surfaceYear(position);
    if (year == 0) return {};
    // A point given twice keeps the last value, as the surface shows it.
    double count = 0;
    for (const Point& p : surface_)
        if (p.z == position && p.x == number) count = p.y;
    return QStringLiteral("%1, Zahl %2: %3-mal")
        .arg(year)
        .arg(static_cast<qint64>(number))
        .arg(static_cast<qint64>(count));
}

void ChartModel::addBar(double x, double y) {
    bars_.push_back({x, y, 0});
    emit changed();
}

void ChartModel::addSurface(double x, double y, double z) {
    surface_.push_back({x, y, z});
    emit changed();
}

double ChartModel::barValue(int index) const {
    return index >= 0 && index < bars_.size() ? bars_[index].y : 0;
}

void ChartModel::setValueMinimum(double value) {
    valueAxis_.minimum_ = value;
    emit changed();
}

void ChartModel::setValueMaximum(double value) {
    valueAxis_.maximum_ = value;
    emit changed();
}

void ChartModel::setValueAutomatic(bool automatic) {
    valueAxis_.automatic_ = automatic;
    emit changed();
}

void ChartModel::setBottomAutomatic(bool automatic) {
    bottomAutomatic_ = automatic;
    emit changed();
}

void ChartModel::setBottomTitle(const QString& title) {
    bottomTitle_ = title;
    emit changed();
}

void ChartModel::fitValueAxis(double smallest, double largest, double start) {
    setValueMinimum(start);
    setValueMaximum(largest);
    setValueMinimum(smallest);
    setValueAutomatic(false);
}

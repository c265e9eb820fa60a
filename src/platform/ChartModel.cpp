#include "platform/ChartModel.h"

#include <algorithm>

namespace {

template <typename Pick> double extreme(const QVector<ChartModel::Point>& points, Pick pick) {
    if (points.isEmpty()) return 0;
    double best = points.front().y;
    for (const auto& p : points) best = pick(best, p.y);
    return best;
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
    if (series == Series::Bar) meaning_ = Meaning::None;
    if (series == Series::Surface) surfaceYears_.clear();
    emit changed();
}

void ChartModel::setMeaning(Meaning meaning) {
    meaning_ = meaning;
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
    switch (meaning_) {
    case Meaning::NumberFrequencies:
        return QStringLiteral("Zahl %1: %2-mal gezogen").arg(x).arg(y);
    case Meaning::NeighbourPairs:
        return QStringLiteral("Paar %1 und %2: %3 Ziehungen").arg(x).arg(x + 1).arg(y);
    case Meaning::NeighbourTriples:
        return QStringLiteral("Dreier %1 bis %2: %3 Ziehungen").arg(x).arg(x + 2).arg(y);
    case Meaning::NeighbourQuadruples:
        return QStringLiteral("Vierer %1 bis %2: %3 Ziehungen").arg(x).arg(x + 3).arg(y);
    case Meaning::OverdueNumbers:
        return QStringLiteral("Zahl %1: seit %2 Ziehungen nicht gezogen").arg(x).arg(y);
    case Meaning::DigitSums:
        return QStringLiteral("Quersumme %1: %2 Ziehungen").arg(x).arg(y);
    case Meaning::SuperNumbers:
        return QStringLiteral("Superzahl %1: %2 Ziehungen").arg(x).arg(y);
    case Meaning::TipDistribution:
        return QStringLiteral("Zahl %1: %2-mal in den Tipps").arg(x).arg(y);
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

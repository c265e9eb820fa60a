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
    emit changed();
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

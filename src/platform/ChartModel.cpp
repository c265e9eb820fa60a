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
    if (series == Series::Bar) {
        meaning_ = Meaning::None;
        drawCount_ = -1;
        expectations_.clear();
        barTexts_.clear();
        verdict_.clear();
        verdictDetail_.clear();
        bandName_.clear();
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
    if (!chanceShown_ || active_ != Series::Bar || verdict_.isEmpty()) return {};
    return verdictDetail_.isEmpty() ? verdict_ : verdict_ + QLatin1Char('\n') + verdictDetail_;
}

void ChartModel::setVerdictDetail(const QString& detail) {
    verdictDetail_ = detail;
}

void ChartModel::setBandName(const QString& name) {
    bandName_ = name;
}

void ChartModel::setSurfaceYears(const QVector<int>& years) {
    surfaceYears_ = years;
    emit changed();
}

int ChartModel::surfaceYear(double position) const {
    const auto i = static_cast<qsizetype>(position);
    return i >= 0 && i < surfaceYears_.size() && i == position ? surfaceYears_[i] : 0;
}

void ChartModel::setBarTexts(const QVector<BarText>& texts) {
    barTexts_ = texts;
}

QString ChartModel::barToolTip(int index) const {
    if (index < 0 || index >= bars_.size() || index >= barTexts_.size()) return {};
    const BarText& text = barTexts_[index];
    return showsChance() ? text.text + text.chance : text.text;
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

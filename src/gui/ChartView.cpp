#include "gui/ChartView.h"

#include "platform/ChartModel.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStackedLayout>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// 1, 2 or 5 times a power of ten, at least `raw` and at least 1 (the counts are whole numbers).
double niceStep(double raw) {
    if (!(raw > 1)) return 1;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= raw) return m * magnitude;
    return 10 * magnitude;
}

QString numberText(double v) {
    return QLocale().toString(v, 'f', v == std::floor(v) ? 0 : 1);
}

QChart* newChart() {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    return chart;
}

// A step line over the bars, which stand at their index: level(i) from i - 0.5 to i + 0.5, one step where
// the level changes.
template <typename Level> QLineSeries* stepLine(qsizetype bars, Level level, QObject* parent) {
    auto* line = new QLineSeries(parent);
    for (qsizetype i = 0; i < bars; ++i) {
        if (i == 0 || level(i) != level(i - 1)) line->append(double(i) - 0.5, level(i));
        if (i + 1 == bars || level(i) != level(i + 1)) line->append(double(i) + 0.5, level(i));
    }
    return line;
}

// A line through the middle of the bars, from the left edge of the first to the right edge of the last;
// bars at either end that chance never fills (the last quadruples) are left out.
template <typename Level> QLineSeries* lineThrough(qsizetype bars, Level level) {
    qsizetype first = 0;
    qsizetype last = bars - 1;
    while (first < last && level(first) <= 0) ++first;
    while (last > first && level(last) <= 0) --last;
    auto* line = new QLineSeries;
    for (qsizetype i = first; i <= last; ++i) {
        if (i == first) line->append(double(i) - 0.5, level(i));
        line->append(double(i), level(i));
        if (i == last) line->append(double(i) + 0.5, level(i));
    }
    return line;
}

const QColor BandColour(200, 215, 240);
const QColor ExpectedColour(30, 60, 150);

} // namespace

// The year surface: one row per year, one column per number, the count as the depth of red. Painted
// from the model on each paint, so it needs neither OpenGL nor a 3-D engine. The leading row of zeros
// that every year surface starts with counts no year and is not drawn.
class SurfaceGrid : public QWidget {
public:
    explicit SurfaceGrid(ChartModel* model, QWidget* parent) : QWidget(parent), model_(model) {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(e);
            const QString text = toolTipAt(help->pos());
            if (text.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), text, this);
            return true;
        }
        return QWidget::event(e);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!model_) return;
        const Cells cells = layOut();
        const QFontMetrics fm(font());
        const int lineHeight = fm.height();

        painter.setPen(Qt::black);
        const QRect captionRect(0, height() - lineHeight - 6, width(), lineHeight);
        painter.drawText(captionRect, Qt::AlignCenter, model_->bottomTitle());
        if (cells.columns.isEmpty() || cells.rowKeys.isEmpty()) return;
        const QRect& grid = cells.grid;

        // Number labels across the top; every fifth when the cells are too narrow for all.
        const int labelEvery = cells.width >= fm.horizontalAdvance(QStringLiteral("00")) + 2 ? 1 : 5;
        for (int c = 0; c < cells.columns.size(); ++c) {
            const double x = cells.columns[c];
            if (labelEvery > 1 && std::fmod(x, labelEvery) != 0) continue;
            const QRectF r(grid.left() + c * cells.width, grid.top() - lineHeight - 4, cells.width,
                           lineHeight);
            painter.drawText(r, Qt::AlignCenter | Qt::TextDontClip, numberText(x));
        }
        painter.drawText(QRect(0, grid.top() - lineHeight - 4, grid.left() - 6, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Jahr"));
        const int rowLabelEvery = cells.height >= lineHeight ? 1 : int(std::ceil(lineHeight / cells.height));
        for (int r = 0; r < cells.rowKeys.size(); ++r) {
            if (r % rowLabelEvery != 0) continue;
            const QRectF rr(0, grid.top() + r * cells.height, grid.left() - 6, cells.height);
            const int year = model_->surfaceYear(cells.rowKeys[r]);
            painter.drawText(rr, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                             year != 0 ? QString::number(year) : numberText(cells.rowKeys[r]));
        }

        const double largest = cells.largest;
        const auto colourOf = [largest](double y) {
            const double t = largest > 0 ? std::clamp(y / largest, 0.0, 1.0) : 0.0;
            // White for none, through light red to a deep red for the most.
            return QColor::fromRgbF(float(1.0 - 0.45 * t), float(1.0 - 0.95 * t), float(1.0 - 0.95 * t));
        };
        const bool showCounts =
            cells.width >= fm.horizontalAdvance(QStringLiteral("000")) + 2 && cells.height >= lineHeight;
        for (int r = 0; r < cells.rowKeys.size(); ++r) {
            const auto& row = cells.rows[cells.rowKeys[r]];
            for (int c = 0; c < cells.columns.size(); ++c) {
                const double y = row.value(cells.columns[c], 0);
                const QRectF cell(grid.left() + c * cells.width, grid.top() + r * cells.height, cells.width,
                                  cells.height);
                painter.fillRect(cell, colourOf(y));
                if (showCounts) {
                    painter.setPen(largest > 0 && y / largest > 0.55 ? Qt::white : Qt::black);
                    painter.drawText(cell, Qt::AlignCenter, numberText(y));
                }
            }
        }
        painter.setPen(QColor(200, 200, 200));
        if (cells.width >= 4)
            for (int c = 0; c <= cells.columns.size(); ++c)
                painter.drawLine(QPointF(grid.left() + c * cells.width, grid.top()),
                                 QPointF(grid.left() + c * cells.width, grid.bottom() + 1));
        if (cells.height >= 4)
            for (int r = 0; r <= cells.rowKeys.size(); ++r)
                painter.drawLine(QPointF(grid.left(), grid.top() + r * cells.height),
                                 QPointF(grid.right() + 1, grid.top() + r * cells.height));

        // Colour scale on the right.
        const QRect scale(grid.right() + 16, grid.top(), 16, grid.height());
        QLinearGradient g(scale.topLeft(), scale.bottomLeft());
        g.setColorAt(0, colourOf(largest));
        g.setColorAt(1, colourOf(0));
        painter.fillRect(scale, g);
        painter.setPen(Qt::black);
        painter.drawRect(scale);
        painter.drawText(QPoint(scale.right() + 4, scale.top() + fm.ascent()), numberText(largest));
        painter.drawText(QPoint(scale.right() + 4, scale.bottom()), QStringLiteral("0"));
    }

private:
    // Where the cells lie: rows by year position, columns by number; a point given twice keeps the
    // last value.
    struct Cells {
        QMap<double, QMap<double, double>> rows;
        QList<double> rowKeys;
        QList<double> columns;
        double largest = 0;
        QRect grid;
        double width = 0;
        double height = 0;
    };

    Cells layOut() const {
        Cells cells;
        QMap<double, bool> columnKeys;
        for (const auto& p : model_->surface()) {
            if (p.z == 0) continue; // the leading row of zeros
            cells.rows[p.z][p.x] = p.y;
            columnKeys[p.x] = true;
            cells.largest = std::max(cells.largest, p.y);
        }
        cells.columns = columnKeys.keys();
        cells.rowKeys = cells.rows.keys();
        const QFontMetrics fm(font());
        const int lineHeight = fm.height();
        const int legendWidth = 60;
        const int left = std::max(fm.horizontalAdvance(QStringLiteral("Jahr")),
                                  fm.horizontalAdvance(QStringLiteral("0000"))) +
                         12;
        const int top = lineHeight + 10;
        const int bottom = lineHeight * 2 + 14;
        cells.grid = QRect(left, top, std::max(1, width() - left - legendWidth - 10),
                           std::max(1, height() - top - bottom));
        if (!cells.columns.isEmpty()) cells.width = double(cells.grid.width()) / cells.columns.size();
        if (!cells.rowKeys.isEmpty()) cells.height = double(cells.grid.height()) / cells.rowKeys.size();
        return cells;
    }

    QString toolTipAt(const QPoint& pos) const {
        if (!model_) return {};
        const Cells cells = layOut();
        if (cells.width <= 0 || cells.height <= 0 || !cells.grid.contains(pos)) return {};
        const auto c = static_cast<qsizetype>((pos.x() - cells.grid.left()) / cells.width);
        const auto r = static_cast<qsizetype>((pos.y() - cells.grid.top()) / cells.height);
        if (c >= cells.columns.size() || r >= cells.rowKeys.size()) return {};
        return model_->surfaceToolTip(cells.rowKeys[r], cells.columns[c]);
    }

    QPointer<ChartModel> model_;
};

ChartView::ChartView(ChartModel& model, QWidget* parent) : QWidget(parent), model_(&model) {
    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);

    chart_ = newChart();
    barView_ = new QChartView(chart_, this);
    barView_->setRenderHint(QPainter::Antialiasing);
    surface_ = new SurfaceGrid(model_, this);
    surface_->setObjectName(QStringLiteral("YearSurface"));
    stack_->addWidget(barView_);
    stack_->addWidget(surface_);

    rebuildTimer_.setSingleShot(true);
    rebuildTimer_.setInterval(0);
    connect(&rebuildTimer_, &QTimer::timeout, this, &ChartView::rebuild);
    connect(&model, &ChartModel::changed, this, &ChartView::scheduleRebuild);
    // The chart's own text under the mouse where no bar answers (the verdict of chance).
    barView_->viewport()->installEventFilter(this);
    rebuild();
}

ChartView::~ChartView() = default;

void ChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scheduleRebuild(); // the label spacing depends on the width
}

void ChartView::scheduleRebuild() {
    if (!rebuildTimer_.isActive()) rebuildTimer_.start();
}

void ChartView::refresh() {
    if (rebuildTimer_.isActive()) {
        rebuildTimer_.stop();
        rebuild();
    }
}

bool ChartView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == barView_->viewport() && event->type() == QEvent::ToolTip && model_) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = hoveredBar_ >= 0 ? model_->barToolTip(hoveredBar_) : model_->chartToolTip();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, barView_->viewport());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ChartView::updateScreenReaderTexts() {
    if (!model_) return;
    // A screen reader reads the caption the chart shows, and the verdict of chance with it. The view inside
    // takes the keyboard focus, so it carries the chart's name and caption too.
    const QString name = accessibleName().isEmpty() ? QStringLiteral("Diagramm") : accessibleName();
    QString description = model_->bottomTitle();
    const QString verdict = model_->chartToolTip();
    if (!verdict.isEmpty()) description += QStringLiteral(". ") + verdict;
    setAccessibleDescription(model_->bottomTitle());
    for (QWidget* inner :
         {static_cast<QWidget*>(barView_), barView_->viewport(), static_cast<QWidget*>(surface_)}) {
        if (inner->accessibleName() != name) inner->setAccessibleName(name);
        if (inner->accessibleDescription() != description) inner->setAccessibleDescription(description);
    }
}

void ChartView::rebuild() {
    ++rebuilds_;
    if (!model_) return;
    updateScreenReaderTexts();
    if (model_->active() == ChartModel::Series::Surface) {
        stack_->setCurrentWidget(surface_);
        surface_->update();
    } else {
        rebuildBars();
        stack_->setCurrentWidget(barView_);
    }
}

void ChartView::rebuildBars() {
    // A fresh chart each time: the old one's axes would otherwise linger until deferred deletes run.
    QChart* old = chart_;
    chart_ = newChart();
    hoveredBar_ = -1;
    const bool chance = model_->showsChance();
    // Drawn in this order, the band stays under the bars and leaves them the mouse, and the line of the
    // expected count stays visible over them.
    QAreaSeries* band = chance ? addBand() : nullptr;
    QBarSeries* bars = addBars();
    QLineSeries* expected = chance ? addExpectedLine(bars) : nullptr;
    QList<QAbstractSeries*> series{bars};
    if (band) series << band;
    if (expected) series << expected;
    addBottomAxis(series);
    addValueAxis(series, chance);
    barView_->setChart(chart_);
    delete old;
}

QAreaSeries* ChartView::addBand() {
    const auto& expectations = model_->expectations();
    const qsizetype count = model_->bars().size();
    auto* upper = stepLine(
        count, [&](qsizetype i) { return expectations[i].high; }, chart_);
    auto* lower = stepLine(
        count, [&](qsizetype i) { return expectations[i].low; }, chart_);
    auto* band = new QAreaSeries(upper, lower);
    band->setName(model_->bandName());
    band->setBrush(BandColour);
    band->setPen(QPen(BandColour.darker(115), 1));
    chart_->addSeries(band);
    return band;
}

QBarSeries* ChartView::addBars() {
    auto* set = new QBarSet(QString());
    for (const auto& p : model_->bars()) set->append(p.y);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, QColor(140, 230, 120));
    gradient.setColorAt(1, QColor(0, 110, 20));
    set->setBrush(gradient);
    set->setPen(QPen(QColor(0, 80, 10), 0.5));
    // The bar under the mouse tells its category and count.
    QPointer<ChartModel> model = model_;
    QPointer<QChartView> view = barView_;
    connect(set, &QBarSet::hovered, barView_, [this, model, view](bool on, int index) {
        hoveredBar_ = on ? index : -1;
        const QString text = on && model ? model->barToolTip(index) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(QCursor::pos(), text, view);
    });
    auto* series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.8);
    series->setLabelsVisible(false);
    chart_->addSeries(series);
    return series;
}

QLineSeries* ChartView::addExpectedLine(QBarSeries* bars) {
    const auto& expectations = model_->expectations();
    auto* expected =
        lineThrough(model_->bars().size(), [&](qsizetype i) { return expectations[i].expected; });
    expected->setName(QStringLiteral("erwartet bei reinem Zufall"));
    expected->setPen(QPen(ExpectedColour, 2));
    chart_->addSeries(expected);
    // The legend names line and band; the bars name themselves by the caption.
    chart_->legend()->setAlignment(Qt::AlignTop);
    chart_->legend()->show();
    for (QLegendMarker* marker : chart_->legend()->markers(bars)) marker->setVisible(false);
    return expected;
}

void ChartView::addBottomAxis(const QList<QAbstractSeries*>& series) {
    // Bars stand at their index; the axis labels them with their x values, every one when there is room,
    // else every 2nd, 5th, 10th ... so that no label has to be cut short.
    const auto& bars = model_->bars();
    auto* bottom = new QCategoryAxis;
    bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    bottom->setRange(-0.5, std::max<qsizetype>(bars.size(), 1) - 0.5);
    const QFontMetrics labelMetrics(bottom->labelsFont());
    int widest = 0;
    for (const auto& p : bars) widest = std::max(widest, labelMetrics.horizontalAdvance(numberText(p.x)));
    const double perBar = double(std::max(width() - 100, 100)) / std::max<qsizetype>(bars.size(), 1);
    const int every = int(niceStep((widest + 10) / perBar));
    for (qsizetype i = 0; i < bars.size(); ++i) {
        const double x = bars[i].x;
        if (every == 1 || std::fmod(x, every) == 0) bottom->append(numberText(x), double(i));
    }
    // An axis without a single label lays its title out at the top left; an empty one keeps it below.
    if (bars.isEmpty()) bottom->append(QStringLiteral(" "), 0);
    bottom->setGridLineVisible(false);
    // The title is shown as rich text; keep the caption's runs of blanks as they stand.
    bottom->setTitleText(
        model_->bottomTitle().toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;")));
    chart_->addAxis(bottom, Qt::AlignBottom);
    for (QAbstractSeries* s : series) s->attachAxis(bottom);
}

void ChartView::addValueAxis(const QList<QAbstractSeries*>& series, bool chance) {
    auto* left = new QValueAxis;
    const auto& axis = model_->valueAxis();
    double lo = axis.minimum();
    double hi = axis.maximum();
    if (axis.automatic()) {
        // Bars grow from 0, so the automatic range includes it and ends on a round step above the data.
        lo = std::min(lo, 0.0);
        const double step = niceStep((hi - lo) / 5);
        hi = std::max(step, std::ceil(hi / step) * step);
        lo = std::floor(lo / step) * step;
    }
    if (chance) widenForChance(lo, hi);
    if (!(hi > lo)) hi = lo + 1; // an empty range (all bars 0) still needs room to draw
    left->setRange(lo, hi);
    left->setTickType(QValueAxis::TicksDynamic);
    left->setTickAnchor(0);
    left->setTickInterval(niceStep((hi - lo) / 6));
    left->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries* s : series) s->attachAxis(left);
}

void ChartView::widenForChance(double& lo, double& hi) const {
    // Only what the view shows: the model's axis, which the generator reads back, stays as it is.
    double smallestBar = hi;
    for (const auto& p : model_->bars()) smallestBar = std::min(smallestBar, p.y);
    double wantLo = lo;
    double wantHi = hi;
    for (const auto& e : model_->expectations()) {
        wantLo = std::min(wantLo, e.low);
        wantHi = std::max(wantHi, std::max(e.high, e.expected));
    }
    const double step = niceStep((wantHi - wantLo) / 5);
    double newLo = std::floor(wantLo / step) * step;
    // The rarest bar stands above the axis, so that it is seen at all.
    if (newLo >= smallestBar && newLo > 0) newLo -= step;
    lo = std::min(lo, std::max(0.0, newLo));
    hi = std::max(hi, std::ceil(wantHi / step) * step);
}

QPixmap ChartView::render() {
    refresh();
    if (layout()) layout()->activate();
    // The chart lays out its new axes on posted events; let them run so the picture is current.
    QCoreApplication::sendPostedEvents();
    return grab();
}

bool ChartView::savePng(const QString& path) {
    return render().save(path, "PNG");
}

void ChartView::copyToClipboard() {
    QApplication::clipboard()->setPixmap(render());
}

void ChartView::print(const TargetCheck& check) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    printTo(printer, check);
}

void ChartView::printTo(QPrinter& printer, const TargetCheck& check) {
    // "Drucken in Datei (PDF)" names a file: checked before it is opened.
    if (check && printer.outputFormat() == QPrinter::PdfFormat) check(printer.outputFileName());
    const QPixmap picture = render();
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawPixmap(0, 0, picture);
}

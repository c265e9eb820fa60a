#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class ChartModel;
class QAbstractSeries;
class QAreaSeries;
class QBarSeries;
class QChart;
class QLineSeries;
class QChartView;
class QPrinter;
class QStackedLayout;
class SurfaceGrid;

// Chart1 on page "Diagramm": shows the ChartModel. The bar series as green bars under Qt Charts, the
// year surface as a colour grid (numbers across, year positions down, the count as the depth of red).
// While the model shows chance, a shaded band behind the bars holds 95 % of what chance gives for each
// bar and a line marks the expected count; the view then widens its value range to hold them.
// The model changes point by point; the view rebuilds at most once per turn of the event loop.
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(ChartModel& model, QWidget* parent = nullptr);
    ~ChartView() override;

    // The chart as it looks now (pending model changes applied first).
    QPixmap render();
    bool savePng(const QString& path);
    void copyToClipboard();
    // A file the user chose to print into is checked by this first; it throws AppError to refuse it.
    using TargetCheck = std::function<void(const QString& file)>;
    // Asks for a printer and prints the chart scaled to the page; a file of the draws is never printed into.
    void print(const TargetCheck& check = {});
    // Prints the chart onto the printer the user chose.
    void printTo(QPrinter& printer, const TargetCheck& check = {});

    // Applies pending model changes now instead of on the next turn of the event loop.
    void refresh();
    // How often the view was rebuilt from the model (to prove the coalescing).
    int rebuildCount() const { return rebuilds_; }
    // Gives the focusable views inside this chart's accessible name ("Diagramm" without one) and its
    // caption, for screen readers; the rebuild does it on every change, the window after naming the chart.
    void updateScreenReaderTexts();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scheduleRebuild();
    void rebuild();
    // The bar chart in its steps: the band of chance, the bars, the line of the expected count, the axes.
    void rebuildBars();
    QAreaSeries* addBand();
    QBarSeries* addBars();
    QLineSeries* addExpectedLine(QBarSeries* bars);
    void addBottomAxis(const QList<QAbstractSeries*>& series);
    void addValueAxis(const QList<QAbstractSeries*>& series, bool chance);
    // Widens the shown value range [lo, hi] to hold the band of chance, on round steps, with room under the
    // rarest bar.
    void widenForChance(double& lo, double& hi) const;

    QPointer<ChartModel> model_;
    QStackedLayout* stack_ = nullptr;
    QChartView* barView_ = nullptr;
    QChart* chart_ = nullptr;
    SurfaceGrid* surface_ = nullptr;
    QTimer rebuildTimer_;
    int rebuilds_ = 0;
    int hoveredBar_ = -1; // the bar under the mouse, -1 for none
};

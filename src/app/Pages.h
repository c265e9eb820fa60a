#pragma once

class ChartModel;
class ChartView;
class QTabWidget;
class QWidget;

// The pages of the main window ("Lottotipp" .. "Internet-Optionen") with every control named by its
// control name, laid out in fixed pixels for the window's designed size, and named for screen readers.
namespace pages {

// Built as children of the window, so that its font applies while they are laid out. chartView receives
// the chart of page "Diagramm", which shows `chart`.
QTabWidget* build(QWidget* window, ChartModel& chart, ChartView*& chartView);

} // namespace pages

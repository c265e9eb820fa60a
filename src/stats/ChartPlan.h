#pragma once

#include "platform/ChartModel.h"

#include <QString>
#include <QVector>

struct Game;
struct Services;

// What one statistic puts on the chart of page "Diagramm". Every statistics operation counts, fills a
// plan, and hands it to drawChart, which fills the chart in the order the generator relies on.
struct ChartPlan {
    enum class ValueAxis {
        Fitted,    // minimum := fitStart, maximum := largest, minimum := smallest, automatic off
        Automatic, // the chart scales itself to the points
    };

    const Game* game = nullptr; // whose numbers the points count
    ChartModel::Series series = ChartModel::Series::Bar;
    ChartModel::Meaning meaning = ChartModel::Meaning::None;
    QVector<ChartModel::Point> points; // one per key, in ascending order of the key
    ValueAxis valueAxis = ValueAxis::Fitted;
    double fitStart = 0;
    QString caption; // the title of the bottom axis
    // What chance expects of each point, in their order; empty where chance has nothing to say.
    QVector<ChartModel::Expectation> expectation;
    QString verdict;           // the test of the counts against chance (the frequencies only)
    QString verdictDetail;     // the bars outside their band, beside what chance puts there
    QVector<int> surfaceYears; // the year of each surface row (the year surface only)
    int draws = -1;            // the selected draws counted; -1 where draws do not apply
    bool showDiagram = false;  // switch to page "Diagramm" at the end
};

// Makes the plan's series active and clears it, adds the points, sets the value axis as the plan says and
// the bottom axis to automatic, records what the points mean and what chance expects of them, sets the
// caption with the texts of the bars, and shows page "Diagramm" when the plan asks for it.
void drawChart(Services& services, const ChartPlan& plan);

#pragma once

#include "platform/ChartModel.h"

struct ChartPlan;
struct Game;

// What each bar of a chart says when the mouse rests on it, worded by what its points count: "Zahl 17:
// 452-mal gezogen" and, while chance is shown, ", erwartet 326 (95 %: 294 bis 359)". Empty where the
// bars mean nothing known.
QVector<ChartModel::BarText> barTextsOf(const ChartPlan& plan);

// What the band of chance holds of each bar, for the legend and the texts of the bars: "95 % je Zahl", "95 %
// je Glückszahl" (the game's drum),
// and "mindestens 95 %" for the sparse counts, whose whole-number bands hold more; empty for charts
// without a band.
QString bandNameOf(ChartModel::Meaning meaning, const Game* game = nullptr);
// The name of one bar's band: the chart's, or where the bar's whole-number band holds 97.5 % or more of
// what chance gives (a rare count: "0 bis 0"), what it holds: "99.9 % je Quersumme".
QString bandNameOf(ChartModel::Meaning meaning, const ChartModel::Expectation& expectation,
                   const Game* game = nullptr);
// The legend's name of the bands of a chart: the chart's, "mindestens …" where a bar's band holds more.
QString legendBandNameOf(ChartModel::Meaning meaning, const QVector<ChartModel::Expectation>& expectations,
                         const Game* game = nullptr);

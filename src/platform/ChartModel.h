#pragma once

#include <QObject>
#include <QString>
#include <QVector>

// What the statistics write to the chart of page "Diagramm" and what the generator reads back: the
// surface series Series1 and the bar series Series2 (exactly one active), their points, the value axis
// and the bottom axis with its title.
class ChartModel : public QObject {
    Q_OBJECT
public:
    enum class Series { Surface, Bar };
    // What the points count. Not part of what the statistics and the generator read back.
    enum class Meaning {
        None,
        NumberFrequencies,
        NeighbourPairs,
        NeighbourTriples,
        NeighbourQuadruples,
        OverdueNumbers,
        DigitSums,
        SuperNumbers,
        ExtraNumbers, // from a drum of their own: the Glückszahl
        TipDistribution,
        YearSurface,
    };

    struct Point {
        double x = 0;
        double y = 0;
        double z = 0;
    };

    // What pure chance expects of one bar: its expected value and the range that holds 95 % of what
    // chance gives. View information like the meaning: the points and the value axis, which the generator
    // reads back, stay exactly as the statistic set them.
    struct Expectation {
        double expected = 0;
        double low = 0;
        double high = 0;
        // The share of what chance gives that the range holds (at least 95 %); 0 where it is not known.
        double coverage = 0;
    };

    // What one bar says when the mouse rests on it, as the statistic words it: its count, and what chance
    // adds while it is shown.
    struct BarText {
        QString text;
        QString chance;
    };

    class ValueAxis {
    public:
        // With automatic scaling the bounds are the least and greatest value of the active series.
        double minimum() const;
        double maximum() const;
        bool automatic() const { return automatic_; }

    private:
        friend class ChartModel;
        explicit ValueAxis(const ChartModel& chart) : chart_(chart) {}
        const ChartModel& chart_;
        double minimum_ = 0;
        double maximum_ = 0;
        bool automatic_ = true;
    };

    ChartModel();

    // Makes one series active and the other inactive.
    void activate(Series series);
    Series active() const { return active_; }
    void clear(Series series);
    void addBar(double x, double y);
    void addSurface(double x, double y, double z);

    const QVector<Point>& bars() const { return bars_; }
    const QVector<Point>& surface() const { return surface_; }
    // The y value of bar index i (0 when there is no such bar).
    double barValue(int index) const;
    int barCount() const { return static_cast<int>(bars_.size()); }

    const ValueAxis& valueAxis() const { return valueAxis_; }
    void setValueMinimum(double value);
    void setValueMaximum(double value);
    void setValueAutomatic(bool automatic);

    bool bottomAutomatic() const { return bottomAutomatic_; }
    void setBottomAutomatic(bool automatic);
    QString bottomTitle() const { return bottomTitle_; }
    void setBottomTitle(const QString& title);

    Meaning meaning() const { return meaning_; }
    void setMeaning(Meaning meaning);
    // The calendar year counted at each surface row position; position 0 is the row of zeros that leads
    // every year surface and counts no year.
    void setSurfaceYears(const QVector<int>& years);
    // The year of a row position, 0 when it counts none.
    int surfaceYear(double position) const;
    // The selected draws the bars count over; -1 where draws do not apply (the tips).
    void setDrawCount(int draws);
    int drawCount() const { return drawCount_; }
    // Per bar, in the order of the bars; empty when chance has nothing to say about them.
    void setExpectations(const QVector<Expectation>& expectations);
    const QVector<Expectation>& expectations() const { return expectations_; }
    // The verdict of the test of the counts against chance ("Zufallstest: ..."); empty when there is none.
    void setVerdict(const QString& verdict);
    QString verdict() const { return verdict_; }
    // What the verdict's tool tip adds: how many bars stand outside their band, and how many chance puts
    // there.
    void setVerdictDetail(const QString& detail);
    // What the band holds of each bar, as the legend names it ("95 % je Zahl").
    void setBandName(const QString& name);
    QString bandName() const { return bandName_; }
    // The switch "Zufall" (SpeedButton14): whether the view shows line, band and verdict, and the texts
    // under the mouse say what chance expects. On unless switched off.
    void setChanceShown(bool shown);
    bool chanceShown() const { return chanceShown_; }
    // Whether line and band are to be drawn: switched on, and an expectation for every bar.
    bool showsChance() const;
    // The text of the chart as a whole under the mouse: the verdict while chance is shown.
    QString chartToolTip() const;

    // Per bar, in the order of the bars.
    void setBarTexts(const QVector<BarText>& texts);
    // The text of bar index i with what chance adds while it is shown; empty when the bar says nothing.
    QString barToolTip(int index) const;
    // "1998, Zahl 17: 12-mal" for the surface cell of that row position and number.
    QString surfaceToolTip(double position, double number) const;

    // Sets the value axis to a fitted range in the order the statistics use, so that the minimum never
    // exceeds the maximum on the way: minimum 0 (or start), maximum, minimum, automatic off.
    void fitValueAxis(double smallest, double largest, double start = 0);

signals:
    void changed();

private:
    Series active_ = Series::Bar;
    QVector<Point> bars_;
    QVector<Point> surface_;
    ValueAxis valueAxis_;
    bool bottomAutomatic_ = true;
    QString bottomTitle_;
    Meaning meaning_ = Meaning::None;
    QVector<int> surfaceYears_;
    int drawCount_ = -1;
    QVector<Expectation> expectations_;
    QVector<BarText> barTexts_;
    QString verdict_;
    QString verdictDetail_;
    QString bandName_;
    bool chanceShown_ = true;
};

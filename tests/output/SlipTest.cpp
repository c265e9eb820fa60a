#include "SlipPdf.h"
#include "output/SlipPrinter.h"
#include "output/SlipReport.h"
#include "output/SlipSettings.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "report/ReportPreview.h"
#include "state/AppState.h"
#include "state/TipGrid.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

class FakePrompt : public SlipSettingsPrompt {
public:
    void setOffsets(int top, int left) override {
        calls << QStringLiteral("offsets %1 %2").arg(top).arg(left);
        state.top = top;
        state.left = left;
    }
    void setDays(bool saturday, bool wednesday) override {
        calls << QStringLiteral("days %1 %2").arg(saturday).arg(wednesday);
        state.saturday = saturday;
        state.wednesday = wednesday;
    }
    void setSlipTipCount(int count) override { calls << QStringLiteral("count %1").arg(count); }
    void setPriceText(const QString& text) override { calls << QStringLiteral("price ") + text; }
    void setSlipPicture(const QString& folder, bool found) override {
        pictureFolder = folder;
        pictureFound = found;
    }
    bool runModal() override {
        calls << QStringLiteral("modal");
        if (user) user(state);
        return answer;
    }
    SlipChoice choice() const override { return state; }

    SlipChoice state;
    QString pictureFolder;
    bool pictureFound = false;
    bool answer = true;
    std::function<void(SlipChoice&)> user; // what the user changes before closing
    QStringList calls;
};

class FakePreview : public ReportPreview {
public:
    void show(const Report& report) override { shown = report; }
    std::optional<Report> shown;
};

struct Mark {
    double x, y;
};

// Every printed "x" must match one expected corner within half a pixel, and none may be left over.
void expectMarks(std::vector<QPointF> printed, const std::vector<Mark>& expected) {
    EXPECT_EQ(printed.size(), expected.size());
    for (const Mark& m : expected) {
        auto it = std::find_if(printed.begin(), printed.end(), [&](const QPointF& p) {
            return std::abs(p.x() - m.x) < 0.5 && std::abs(p.y() - m.y) < 0.5;
        });
        if (it == printed.end()) {
            ADD_FAILURE() << "no mark at " << m.x << ", " << m.y;
            continue;
        }
        printed.erase(it);
    }
    for (const QPointF& p : printed) ADD_FAILURE() << "stray mark at " << p.x() << ", " << p.y();
}

// The single day's mark with the default offsets; a print on a weekday always ticks one day.
constexpr Mark dayMark{42 + 190, 71 - 32};

// The corner of number n's box in field slot s, worked out from the slip's measures.
Mark box(int slot, int n, int top = 71, int left = 42) {
    return {double(left + 81 * (slot / 2) + 14 * ((n - 1) % 6)),
            double(top + 136 * (slot % 2) + 17 * ((n - 1) / 6))};
}

class SlipTest : public ::testing::Test {
protected:
    SlipTest() : grid(controls, Game::sixOf45()), printer(prompt, preview, pictures.path()) {
        clock.setToday(QDate(2002, 10, 2));
    }

    void fill(int row, const std::array<int, 6>& numbers) {
        for (int c = 0; c < 6; ++c)
            grid.setCellText(row, c, numbers[c] ? QString::number(numbers[c]) : QString());
    }
    static std::array<int, 6> tipOfRow(int row) { return {1, 6, 7, 45, 43, 8 + row}; }
    std::vector<Mark> marksOfRow(int row, int slot, int top = 71, int left = 42) const {
        std::vector<Mark> marks;
        for (int n : tipOfRow(row)) marks.push_back(box(slot, n, top, left));
        return marks;
    }
    std::vector<QPointF> printAndRead() {
        EXPECT_TRUE(printer.printSlip(state, grid, clock));
        EXPECT_TRUE(preview.shown.has_value());
        return printedMarks(*preview.shown, out.filePath(QStringLiteral("slip.pdf")));
    }

    Controls controls;
    TipGrid grid;
    AppState state;
    Clock clock;
    FakePrompt prompt;
    FakePreview preview;
    QTemporaryDir pictures;
    QTemporaryDir out;
    SlipPrinter printer;
};

} // namespace

TEST(SlipReport, EveryCellHasItsOwnMark) {
    const struct {
        int row, column, label;
    } cases[] = {{0, 0, 1},   {0, 5, 6},   {5, 5, 36},  {6, 0, 43},  {7, 5, 54},  {8, 0, 56}, {11, 5, 79},
                 {12, 0, 37}, {12, 5, 42}, {13, 0, 55}, {13, 1, 80}, {13, 5, 84}, {9, 0, 62}, {10, 0, 68}};
    for (const auto& c : cases)
        EXPECT_EQ(slip::markName(c.row, c.column), QStringLiteral("QRLabel%1").arg(c.label))
            << c.row << c.column;
    QSet<QString> names;
    for (int r = 0; r < TipGrid::Rows; ++r)
        for (int c = 0; c < TipGrid::Columns; ++c) names.insert(slip::markName(r, c));
    EXPECT_EQ(names.size(), 84);

    const Report report = slip::createReport();
    for (const QString& name : names) EXPECT_TRUE(report.has(name)) << name.toStdString();
    const ReportElement& picture = report.element(QStringLiteral("QRImage1"));
    EXPECT_EQ(QRect(picture.left, picture.top, picture.width, picture.height), QRect(10, -5, 785, 469));
    EXPECT_EQ(report.bandSize(), QSize(794, 481));
    EXPECT_EQ(report.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(report.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(report.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(0, 0, 0, 10));
    const ReportElement& mark = report.element(QStringLiteral("Super6"));
    EXPECT_EQ(mark.caption, QStringLiteral("x"));
    EXPECT_EQ(mark.font.family(), QStringLiteral("Arial"));
    EXPECT_TRUE(mark.font.bold());
    EXPECT_DOUBLE_EQ(mark.font.pointSizeF(), 8);
}

TEST_F(SlipTest, AllFourteenTipsAtTheirBoxes) {
    std::vector<Mark> expected{dayMark};
    for (int r = 0; r < TipGrid::Rows; ++r) {
        fill(r, tipOfRow(r));
        const auto row = marksOfRow(r, r);
        expected.insert(expected.end(), row.begin(), row.end());
    }
    const auto printed = printAndRead();
    expectMarks(printed, expected);
    // The positions the slip's example names, with the default offsets.
    for (const Mark m : {Mark{42, 71}, Mark{112, 71}, Mark{42, 88}, Mark{70, 190}, Mark{42, 207},
                         Mark{123, 71}, Mark{528, 207}, Mark{42, 190}})
        EXPECT_TRUE(std::any_of(
            printed.begin(), printed.end(),
            [&](const QPointF& p) { return std::abs(p.x() - m.x) < 0.5 && std::abs(p.y() - m.y) < 0.5; }))
            << m.x << ", " << m.y;
    // Rows 13 and 14 own the marks added last to the form.
    const Report& r = *preview.shown;
    EXPECT_EQ(QPoint(r.element(QStringLiteral("QRLabel37")).left, r.element(QStringLiteral("QRLabel37")).top),
              QPoint(528, 71));
    EXPECT_EQ(QPoint(r.element(QStringLiteral("QRLabel55")).left, r.element(QStringLiteral("QRLabel55")).top),
              QPoint(528, 207));
    EXPECT_EQ(QPoint(r.element(QStringLiteral("QRLabel84")).left, r.element(QStringLiteral("QRLabel84")).top),
              QPoint(528 + 14 * 2, 207 + 17 * 3)); // 8 + 13 = 21
}

TEST_F(SlipTest, EmptyRowsTakeNoField) {
    // Rows 1, 3 and 4 with row 2 empty: the fields of column 0 and the upper one of column 1.
    for (int r : {0, 2, 3}) fill(r, tipOfRow(r));
    std::vector<Mark> expected = marksOfRow(0, 0);
    expected.push_back(dayMark);
    for (const auto& [row, slot] : {std::pair{2, 1}, std::pair{3, 2}}) {
        const auto marks = marksOfRow(row, slot);
        expected.insert(expected.end(), marks.begin(), marks.end());
    }
    expectMarks(printAndRead(), expected);
    EXPECT_EQ(prompt.calls.filter(QStringLiteral("count")), QStringList{QStringLiteral("count 3")});

    // Row 1 empty, rows 2 .. 14 filled: the first field stays blank, row 14 ends in column 6 below.
    grid.clearAll();
    expected = {dayMark};
    for (int r = 1; r < TipGrid::Rows; ++r) {
        fill(r, tipOfRow(r));
        const auto marks = marksOfRow(r, r);
        expected.insert(expected.end(), marks.begin(), marks.end());
    }
    const auto printed = printAndRead();
    expectMarks(printed, expected);
    EXPECT_TRUE(std::none_of(printed.begin(), printed.end(),
                             [](const QPointF& p) { return p.x() < 42 + 81 - 1 && p.y() < 71 + 136 - 1; }));
}

TEST_F(SlipTest, RowWithoutFirstNumberIsNotMarked) {
    fill(0, tipOfRow(0));
    fill(1, {0, 2, 3, 4, 5, 6}); // five numbers that belong to no tip
    fill(2, tipOfRow(2));
    fill(3, {9, 0, 10, 0, 0, 11}); // present with gaps: only its numbers are marked
    std::vector<Mark> expected = marksOfRow(0, 0);
    expected.push_back(dayMark);
    const auto third = marksOfRow(2, 1);
    expected.insert(expected.end(), third.begin(), third.end());
    for (int n : {9, 10, 11}) expected.push_back(box(2, n));
    expectMarks(printAndRead(), expected);
    EXPECT_EQ(prompt.calls.filter(QStringLiteral("count")), QStringList{QStringLiteral("count 3")});
    for (int c = 0; c < 6; ++c)
        EXPECT_TRUE(preview.shown->element(slip::markName(1, c)).caption.trimmed().isEmpty());

    // Marks of cells emptied later print nothing in the next print.
    grid.clearAll();
    fill(4, tipOfRow(4));
    expected = marksOfRow(4, 1);
    expected.push_back(dayMark);
    expectMarks(printAndRead(), expected);
}

TEST_F(SlipTest, DayAndGameMarks) {
    const struct {
        bool sat, wed, joker, extra;
        std::vector<Mark> marks;
    } cases[] = {
        {true, false, false, false, {{232, 39}}},
        {false, true, false, false, {{232, 39}}}, // a single draw is ticked in the first day box
        {true, true, false, false, {{257, 39}}},
        {false, false, true, true, {{167, 366}, {447, 366}}},
        {true, true, true, false, {{257, 39}, {167, 366}}},
    };
    for (const auto& c : cases) {
        prompt.user = [&c](SlipChoice& s) {
            s.saturday = c.sat;
            s.wednesday = c.wed;
            s.joker = c.joker;
            s.extraJoker = c.extra;
        };
        SCOPED_TRACE(testing::Message() << c.sat << c.wed << c.joker << c.extra);
        expectMarks(printAndRead(), c.marks);
    }
}

TEST_F(SlipTest, LowTippTopPutsTheDayMarksAboveTheBand) {
    fill(0, tipOfRow(0));
    // At 28 the day mark stands 4 pixels above the band's edge, which is the sheet's top edge.
    prompt.user = [](SlipChoice& s) {
        s.top = 28;
        s.left = 30;
    };
    std::vector<Mark> expected = marksOfRow(0, 0, 28, 30);
    expected.push_back({220, -4});
    expectMarks(printAndRead(), expected);
    EXPECT_EQ(state.tippTop, 28);
    EXPECT_EQ(state.tippLeft, 30);

    // Further up the mark lies wholly off the sheet: the report keeps its place, the paper shows nothing.
    prompt.user = [](SlipChoice& s) { s.top = 0; };
    expectMarks(printAndRead(), marksOfRow(0, 0, 0, 30));
    EXPECT_EQ(preview.shown->element(QStringLiteral("Samstag")).top, -32);
    EXPECT_TRUE(preview.shown->element(QStringLiteral("Samstag")).enabled);
}

TEST_F(SlipTest, PresetsByWeekdayAndPrice) {
    for (int r = 0; r < 4; ++r) fill(r, tipOfRow(r));
    prompt.state.joker = true; // kept by the dialog from an earlier opening
    const struct {
        QDate today;
        const char* days;
    } cases[] = {
        {QDate(2002, 10, 2), "days 0 1"}, // Wednesday: "Mittwoch"
        {QDate(2002, 10, 3), "days 1 0"}, // Thursday: "Samstag"
        {QDate(2002, 10, 5), "days 1 0"}, // Saturday
        {QDate(2002, 10, 6), "days 0 1"}, // Sunday
    };
    for (const auto& c : cases) {
        clock.setToday(c.today);
        prompt.calls.clear();
        state.tippTop = 71;
        state.tippLeft = 42;
        printer.printSlip(state, grid, clock);
        const QStringList expected{
            QStringLiteral("offsets 71 42"), QString::fromLatin1(c.days), QStringLiteral("count 4"),
            QStringLiteral("price 8.00") + QChar(0x00A0) + QStringLiteral("CHF"), QStringLiteral("modal")};
        EXPECT_EQ(prompt.calls, expected) << c.today.toString().toStdString();
    }
}

TEST_F(SlipTest, AbortChangesNothing) {
    fill(0, tipOfRow(0));
    ASSERT_TRUE(printer.printSlip(state, grid, clock));
    const Report before = printer.report();
    preview.shown.reset();

    grid.clearAll();
    fill(5, tipOfRow(5));
    prompt.answer = false;
    prompt.user = [](SlipChoice& s) {
        s.top = 10;
        s.showSlip = true;
        s.joker = true;
    };
    EXPECT_FALSE(printer.printSlip(state, grid, clock));
    EXPECT_FALSE(preview.shown.has_value());
    EXPECT_EQ(state.tippTop, 71);
    EXPECT_EQ(state.tippLeft, 42);
    const Report& after = printer.report();
    ASSERT_EQ(after.elements().size(), before.elements().size());
    for (std::size_t i = 0; i < after.elements().size(); ++i) {
        const ReportElement& a = after.elements()[i];
        const ReportElement& b = before.elements()[i];
        EXPECT_TRUE(a.left == b.left && a.top == b.top && a.caption == b.caption && a.enabled == b.enabled)
            << a.name.toStdString();
    }
}

TEST_F(SlipTest, SlipPictureForTheTestDisplay) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(pictures.filePath(QStringLiteral("sCHEIN.JpG")), "JPG"));
    fill(0, tipOfRow(0));
    const auto picture = [this] { return preview.shown->element(QStringLiteral("QRImage1")); };

    printAndRead();
    EXPECT_TRUE(prompt.pictureFound); // the dialog offers the test display
    EXPECT_EQ(prompt.pictureFolder, pictures.path());
    EXPECT_FALSE(picture().enabled); // test display off: not even loaded
    EXPECT_TRUE(picture().picture.isNull());

    prompt.state.showSlip = true;
    printAndRead();
    EXPECT_TRUE(picture().enabled);
    EXPECT_EQ(picture().picture.size(), QSize(40, 30));

    // Gone from the directory: the picture loaded before stays, without a message.
    ASSERT_TRUE(QFile::remove(pictures.filePath(QStringLiteral("sCHEIN.JpG"))));
    printAndRead();
    EXPECT_EQ(picture().picture.size(), QSize(40, 30));
    EXPECT_FALSE(prompt.pictureFound); // the dialog greys the box and says why

    // Drawn from its corner at its own size, clipped to the element (the band starts 5 above it).
    QImage page(794, 481, QImage::Format_RGB32);
    page.setDotsPerMeterX(3780);
    page.setDotsPerMeterY(3780);
    page.fill(Qt::gray);
    {
        QPainter painter(&page);
        preview.shown->render(painter, QRectF(0, 0, 794, 1123));
    }
    EXPECT_EQ(page.pixelColor(12, 2).red() > 200 && page.pixelColor(12, 2).green() < 60, true);
    EXPECT_EQ(page.pixelColor(12, 26), Qt::white); // 40 x 30 picture from y -5 ends at 25
    EXPECT_EQ(page.pixelColor(9, 2), Qt::white);
}

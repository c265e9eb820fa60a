#include "output/TipText.h"
#include "platform/AppError.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/Shell.h"
#include "state/AppState.h"
#include "state/TipGrid.h"
#include "support/TestDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class RecordingShell : public Shell {
public:
    void open(const QString& path) override { opened << path; }
    QStringList opened;
};

const QByteArray Tildes(46, '~');

class TipTextTest : public ::testing::Test {
protected:
    TipTextTest() : grid(controls, Game::sixOf45()) { state.programDir = dir.path(); }

    void setDraw(const QDate& date) { state.currentDraw.date = dates::toDayNumber(date); }
    void fill(int row, std::initializer_list<int> numbers) {
        int c = 0;
        for (int n : numbers) grid.setCellText(row, c++, QString::number(n));
    }
    QByteArray run() {
        writeTipText(state, grid, shell, today);
        return dir.readFile(QStringLiteral("Tipp.txt"));
    }

    TestDir dir;
    Controls controls;
    TipGrid grid;
    AppState state;
    RecordingShell shell;
    QDate today{2002, 10, 3};
};

} // namespace

TEST_F(TipTextTest, ExampleFileByteForByte) {
    setDraw(QDate(2002, 10, 2));
    fill(0, {3, 7, 12, 25, 33, 41});
    fill(2, {1, 9, 17, 28, 36, 44});
    const QByteArray expected = "Tolbrands Lotto-Tipp f\xFCr Samstag 05.10.02\r\n" + Tildes +
                                "\r\n"
                                "\r\n"
                                " 1. Tipp:  3    7   12   25   33   41\r\n"
                                " 3. Tipp:  1    9   17   28   36   44\r\n";
    EXPECT_EQ(run(), expected);
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(QDir::cleanPath(shell.opened[0]), QDir::cleanPath(dir.file(QStringLiteral("Tipp.txt"))));

    // "6 aus 42" names itself and each tip's Glückszahl, where it has one.
    state.game = &Game::sixOf42();
    grid.applyGame(*state.game);
    fill(2, {1, 9, 17, 28, 36, 42});
    grid.setExtraCell(0, 4);
    EXPECT_EQ(run(), "Tolbrands Lotto-Tipp 6 aus 42 f\xFCr Samstag 05.10.02\r\n" + Tildes +
                         "\r\n"
                         "\r\n"
                         " 1. Tipp:  3    7   12   25   33   41   GZ: 4\r\n"
                         " 3. Tipp:  1    9   17   28   36   42\r\n");
}

TEST_F(TipTextTest, EmptyGridAndOnlyTheLastRow) {
    setDraw(QDate(2002, 10, 5));
    const QByteArray head = "Tolbrands Lotto-Tipp f\xFCr Mittwoch 09.10.02\r\n" + Tildes + "\r\n\r\n";
    EXPECT_EQ(run(), head);

    fill(13, {45, 1, 10, 9, 44, 2});
    EXPECT_EQ(run(), head + "14. Tipp: 45    1   10    9   44    2\r\n");
}

TEST_F(TipTextTest, HeaderNamesTheNextDraw) {
    const struct {
        QDate draw;
        const char* header;
    } cases[] = {
        {QDate(2002, 10, 5), "Tolbrands Lotto-Tipp f\xFCr Mittwoch 09.10.02"},   // Saturday
        {QDate(2002, 10, 2), "Tolbrands Lotto-Tipp f\xFCr Samstag 05.10.02"},    // Wednesday
        {QDate(2002, 10, 7), "Tolbrands Lotto-Tipp f\xFCr Freitag 11.10.02"},    // Monday
        {QDate(2002, 10, 6), "Tolbrands Lotto-Tipp f\xFCr Donnerstag 10.10.02"}, // Sunday
        {QDate(1999, 12, 29), "Tolbrands Lotto-Tipp f\xFCr Samstag 01.01.00"},   // over the year's end
        {dates::epoch(), "Tolbrands Lotto-Tipp f\xFCr Mittwoch 03.01.00"},       // day 0: no draw found
    };
    for (const auto& c : cases) {
        setDraw(c.draw);
        const QByteArray bytes = run();
        EXPECT_EQ(bytes.left(bytes.indexOf("\r\n")), QByteArray(c.header)) << c.draw.toString().toStdString();
    }
    // A game played today names its coming draw, whatever the draw on display (a Sunday here): never a day
    // that has passed or one without a draw.
    const struct {
        QDate today;
        std::optional<QDate> newest;
        QDate sheet;
    } played[] = {
        {QDate(2026, 12, 8), QDate(2025, 12, 31), QDate(2026, 12, 9)}, // a Tuesday, a year of draws behind
        {QDate(2026, 1, 3), QDate(2025, 12, 31), QDate(2026, 1, 3)},   // today's draw may still come
        {QDate(2026, 1, 1), QDate(2026, 1, 3), QDate(2026, 1, 7)},     // a newest draw after today
        {QDate(2026, 1, 4), std::nullopt, QDate(2026, 1, 7)},          // no archive
    };
    for (const auto& c : played)
        EXPECT_EQ(
            tiptext::sheetDate(Game::sixOf42(), dates::toDayNumber(QDate(2026, 1, 4)), c.today, c.newest),
            c.sheet)
            << c.today.toString().toStdString();
}

TEST_F(TipTextTest, EveryRowHasItsLabelAndThirtySevenCharacters) {
    setDraw(QDate(2002, 10, 2));
    for (int r = 0; r < TipGrid::Rows; ++r) fill(r, {r + 1, 2, 30, 4, 45, 6});
    const QList<QByteArray> lines = run().split('\n');
    ASSERT_EQ(lines.size(), 3 + 14 + 1); // the last CR LF leaves an empty piece
    EXPECT_TRUE(lines.last().isEmpty());
    for (int r = 0; r < TipGrid::Rows; ++r) {
        const QByteArray& line = lines[3 + r];
        EXPECT_EQ(line.size(), 37 + 1) << r;
        EXPECT_TRUE(line.endsWith('\r'));
        EXPECT_EQ(line.left(10), QStringLiteral("%1. Tipp: ").arg(r + 1, 2).toLatin1());
        EXPECT_EQ(line.mid(10, 27), QStringLiteral("%1    2   30    4   45    6").arg(r + 1, 2).toLatin1());
    }
}

TEST_F(TipTextTest, SecondRunReplacesTheFile) {
    setDraw(QDate(2002, 10, 2));
    for (int r = 0; r < TipGrid::Rows; ++r) fill(r, {1, 2, 3, 4, 5, 6});
    const QByteArray first = run();
    grid.clearAll();
    fill(4, {11, 12, 13, 14, 15, 16});
    const QByteArray second = run();
    EXPECT_LT(second.size(), first.size());
    EXPECT_EQ(second.count("Tolbrands"), 1);
    EXPECT_TRUE(second.endsWith(" 5. Tipp: 11   12   13   14   15   16\r\n"));
    EXPECT_EQ(shell.opened.size(), 2);
}

TEST_F(TipTextTest, IncompleteRowFailsWithoutWritingOrOpening) {
    setDraw(QDate(2002, 10, 2));
    dir.writeFile(QStringLiteral("Tipp.txt"), "earlier\r\n");
    fill(0, {1, 2, 3, 4, 5, 6});
    fill(1, {7, 8, 9, 10, 11});
    try {
        writeTipText(state, grid, shell, today);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'' ist kein gültiger Integerwert"));
    }
    EXPECT_EQ(dir.readFile(QStringLiteral("Tipp.txt")), QByteArray("earlier\r\n"));
    EXPECT_TRUE(shell.opened.isEmpty());

    // A row without its first number is not present, whatever else it holds.
    grid.clearAll();
    fill(0, {1, 2, 3, 4, 5, 6});
    for (int c = 1; c < 6; ++c) grid.setCellText(3, c, QStringLiteral("9"));
    EXPECT_EQ(tiptext::lines(grid, QDate(2002, 10, 5), Game::sixOf45()).size(), 4);
}

TEST_F(TipTextTest, UnwritableFileFailsWithoutOpening) {
    setDraw(QDate(2002, 10, 2));
    ASSERT_TRUE(
        QDir(dir.path()).mkdir(QStringLiteral("Tipp.txt"))); // a directory cannot be written as a file
    EXPECT_THROW(writeTipText(state, grid, shell, today), AppError);
    EXPECT_TRUE(shell.opened.isEmpty());

    state.programDir = dir.path() + QStringLiteral("missing/");
    EXPECT_THROW(writeTipText(state, grid, shell, today), AppError);
    EXPECT_TRUE(shell.opened.isEmpty());

    // A full disk shows only when the file is flushed at its close: still an error, and nothing opened.
    TestDir full;
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), full.file(QStringLiteral("Tipp.txt"))));
    state.programDir = full.path();
    fill(0, {1, 2, 3, 4, 5, 6});
    EXPECT_THROW(writeTipText(state, grid, shell, today), AppError);
    EXPECT_TRUE(shell.opened.isEmpty());
}

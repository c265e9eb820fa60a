#pragma once

#include "output/SlipSettings.h"
#include "report/Report.h"

#include <QPoint>
#include <QString>

class TipGrid;

// The report of the paper lottery slip (TForm4): the slip picture for the test display, one "x" mark per
// tip cell and four marks for the days and games, laid out on the slip's tip fields.
namespace slip {

constexpr const char* PictureName = "QRImage1";
constexpr const char* SaturdayMark = "Samstag";
constexpr const char* WednesdayMark = "Mittwoch";
constexpr const char* JokerMark = "Spiel77Ja";
constexpr const char* ExtraJokerMark = "Super6";
constexpr const char* PictureFile = "Schein.jpg";

// The paper slip of "6 aus 45" marks six numbers a tip.
constexpr int MarksPerTip = 6;

// The mark of a tip cell, row 0 .. 13, column 0 .. 5 ("QRLabel1" .. "QRLabel84").
QString markName(int row, int column);

// The boxes of one field of the paper slip, which is that of "6 aus 45": numbers 1 .. 45.
constexpr int FieldBoxes = 45;

// Where the mark of number 1 .. FieldBoxes goes in field slot 0 .. 13, the first field's top-left box at
// (left, top): seven columns of two fields, numbers in rows of six.
QPoint markPosition(int slot, int number, int top, int left);

// A report with every element at its place of design: A4 portrait, one band of 794 x 481.
Report createReport();

// Places and enables the day and game marks for the chosen play.
void placeGameMarks(Report& report, const SlipChoice& choice);

// A row takes a field when its first cell is filled; row 1 always has the first field, so that field
// stays blank when row 1 is empty.
void layOutTips(Report& report, const TipGrid& grid, int top, int left);

// Rows with a filled first cell (SlipTipCount).
int presentTipCount(const TipGrid& grid);

} // namespace slip

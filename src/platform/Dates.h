#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// A day number counts days since 30 December 1899 (day 0); whole days only.
namespace dates {

// The program is German whatever the desktop: every date, weekday and number it shows or reads follows
// German (Switzerland), which this makes the default of QLocale() before the first window is built.
void useProgramLocale();

QDate epoch();
double toDayNumber(const QDate& date);
// An invalid date for a day number that is not finite or lies outside QDate's range.
QDate fromDayNumber(double day);

// 1 = Sunday .. 7 = Saturday; 0 for a day number that is not finite.
int weekday(double day);
int weekday(const QDate& date);
constexpr int Sunday = 1;
constexpr int Tuesday = 3;
constexpr int Wednesday = 4;
constexpr int Friday = 6;
constexpr int Saturday = 7;

// 9 October 1955, the earliest date the program offers (day 20371).
QDate earliestDate();
// "dd.MM.yyyy", the fixed pattern of the messages, exports and queries, whatever the locale.
QString formatFixedDate(const QDate& date);
QString formatFixedDate(double day);

// Nearest integer, an exact half to the even neighbour.
double roundHalfEven(double value);
// The same as an int; values that do not fit (or NaN) give 0.
int roundToInt(double value);

// The calendar year of a day number, 0 when it is no valid date.
int yearOf(double day);

// The locale's short date format with a two-digit year widened to four digits.
QString shortDateFormat(const QLocale& locale = QLocale());
QString formatShortDate(const QDate& date, const QLocale& locale = QLocale());
QString formatShortDate(double day, const QLocale& locale = QLocale());

// A two-digit year (0 .. 99) as the most recent year with those last digits that is not after currentYear.
int widenTwoDigitYear(int lastDigits, int currentYear);

// Reads a date in the locale's short format. A two-digit year becomes the most recent year with those
// last digits that is not after currentYear. Returns an invalid date when the text is no date.
QDate parseShortDate(const QString& text, int currentYear, const QLocale& locale = QLocale());

// "ddd dd.MM.yy" and "dddd dd.MM.yy" with the locale's weekday names.
QString formatShortWeekdayDate(const QDate& date, const QLocale& locale = QLocale());
QString formatLongWeekdayDate(const QDate& date, const QLocale& locale = QLocale());
// "Samstag, 14.02.2026": a day the user is asked about, with its weekday and the whole year.
QString formatWeekdayFixedDate(const QDate& date);

} // namespace dates

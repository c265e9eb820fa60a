#include "platform/Dates.h"

#include <cmath>
#include <limits>

namespace dates {

void useProgramLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
}

QDate epoch() {
    return QDate(1899, 12, 30);
}

double toDayNumber(const QDate& date) {
    if (!date.isValid()) return 0;
    return static_cast<double>(epoch().daysTo(date));
}

QDate fromDayNumber(double day) {
    if (!std::isfinite(day) || std::fabs(day) > 1e9) return {};
    return epoch().addDays(static_cast<qint64>(std::floor(day)));
}

int weekday(double day) {
    if (!std::isfinite(day) || std::fabs(day) > 1e15) return 0;
    const auto n = static_cast<long long>(std::floor(day));
    // Day 0 was a Saturday.
    return static_cast<int>(((n % 7) + 7 + 6) % 7) + 1;
}

int weekday(const QDate& date) {
    return date.isValid() ? date.dayOfWeek() % 7 + 1 : 0;
}

QDate earliestDate() {
    return QDate(1955, 10, 9);
}

QString formatFixedDate(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString formatFixedDate(double day) {
    return formatFixedDate(fromDayNumber(day));
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

int roundToInt(double value) {
    const double r = std::nearbyint(value);
    if (!std::isfinite(r) || r > std::numeric_limits<int>::max() || r < std::numeric_limits<int>::min())
        return 0;
    return static_cast<int>(r);
}

int yearOf(double day) {
    const QDate d = fromDayNumber(day);
    return d.isValid() ? d.year() : 0;
}

QString shortDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString formatShortDate(const QDate& date, const QLocale& locale) {
    return locale.toString(date, shortDateFormat(locale));
}

QString formatShortDate(double day, const QLocale& locale) {
    return formatShortDate(fromDayNumber(day), locale);
}

int widenTwoDigitYear(int lastDigits, int currentYear) {
    return currentYear - ((currentYear % 100) - lastDigits + 100) % 100;
}

QDate parseShortDate(const QString& text, int currentYear, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    const QString wide = shortDateFormat(locale);
    QString narrow = wide;
    narrow.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    // "yy" takes exactly two digits, so a four-digit year falls through to the wide format.
    const QDate twoDigit = locale.toDate(trimmed, narrow);
    if (twoDigit.isValid()) {
        return QDate(widenTwoDigitYear(twoDigit.year() % 100, currentYear), twoDigit.month(), twoDigit.day());
    }
    return locale.toDate(trimmed, wide);
}

QString formatShortWeekdayDate(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QStringLiteral("ddd dd.MM.yy"));
}

QString formatLongWeekdayDate(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QStringLiteral("dddd dd.MM.yy"));
}

QString formatWeekdayFixedDate(const QDate& date) {
    return QLocale().toString(date, QStringLiteral("dddd, dd.MM.yyyy"));
}

} // namespace dates

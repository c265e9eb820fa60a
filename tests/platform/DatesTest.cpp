#include "platform/Dates.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(Dates, DayNumbersAndWeekdays) {
    struct Case {
        QDate date;
        double day;
        int weekday;
    };
    const Case cases[] = {
        {QDate(1899, 12, 30), 0, dates::Saturday},
        {QDate(1955, 10, 9), 20371, dates::Sunday},
        {QDate(2002, 10, 5), 37534, dates::Saturday},
        {QDate(2002, 10, 9), 37538, dates::Wednesday},
        {QDate(1899, 12, 29), -1, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dates::toDayNumber(c.date), c.day) << c.date.toString().toStdString();
        EXPECT_EQ(dates::fromDayNumber(c.day), c.date);
        EXPECT_EQ(dates::weekday(c.day), c.weekday);
        EXPECT_EQ(dates::weekday(c.date), c.weekday);
    }
    EXPECT_EQ(dates::weekday(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_FALSE(dates::fromDayNumber(std::numeric_limits<double>::infinity()).isValid());
    EXPECT_EQ(dates::yearOf(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Dates, RoundsHalvesToEven) {
    EXPECT_EQ(dates::roundToInt(0.5), 0);
    EXPECT_EQ(dates::roundToInt(1.5), 2);
    EXPECT_EQ(dates::roundToInt(2.5), 2);
    EXPECT_EQ(dates::roundToInt(-0.5), 0);
    EXPECT_EQ(dates::roundToInt(-1.5), -2);
    EXPECT_EQ(dates::roundToInt(2.4999), 2);
    EXPECT_EQ(dates::roundToInt(std::nan("")), 0);
    EXPECT_TRUE(std::signbit(dates::roundHalfEven(-0.5)));
}

TEST(Dates, ShortFormatHasFourDigitYearsAndReadsTwoDigitYears) {
    const QLocale de(QLocale::German, QLocale::Switzerland);
    EXPECT_EQ(dates::shortDateFormat(de), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(dates::formatShortDate(QDate(2002, 10, 5), de), QStringLiteral("05.10.2002"));
    EXPECT_EQ(dates::formatShortDate(37534.0, de), QStringLiteral("05.10.2002"));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("05.10.02"), 2026, de), QDate(2002, 10, 5));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("05.10.26"), 2026, de), QDate(2026, 10, 5));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("05.10.27"), 2026, de), QDate(1927, 10, 5));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("05.10.2002"), 2026, de), QDate(2002, 10, 5));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("09.10.55"), 2026, de), QDate(1955, 10, 9));
    EXPECT_FALSE(dates::parseShortDate(QStringLiteral("Ziehung"), 2026, de).isValid());
    EXPECT_FALSE(dates::parseShortDate(QStringLiteral("31.02.02"), 2026, de).isValid());
}

#include "import/DrawPage.h"

#include <gtest/gtest.h>

namespace {

using Kind = DrawPageLine::Kind;

const QString SaturdayLine = QStringLiteral(
    "<td>Ziehung vom Samstag, 05.10.02:<br></td><td><b>3, 12, 17, 25, 33, 41 ZZ: 7 SZ: 4</b></td>");

TEST(DrawPageLine, ReadsTheShapesOfTheDrawPage) {
    struct Case {
        const char* name;
        QString line;
        Kind kind;
        QDate date;
        std::vector<int> values;
    };
    const std::vector<Case> cases = {
        {"saturday example", SaturdayLine, Kind::Draw, QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41, 7, 4}},
        {"one-digit sixth number",
         QStringLiteral("Ziehung 09.10.02:<br><b>1, 2, 3, 4, 5, 9 ZZ: 10 SZ: 0</b>"),
         Kind::Draw,
         QDate(2002, 10, 9),
         {1, 2, 3, 4, 5, 9, 10, 0}},
        {"one-digit ZZ and SZ up to the end of the line",
         QStringLiteral("Ziehung 09.10.02:<br><b>11, 22, 33, 40, 44, 45 ZZ: 1 SZ: 12"),
         Kind::Draw,
         QDate(2002, 10, 9),
         {11, 22, 33, 40, 44, 45, 1, 12}},
        {"four-digit year in the eight characters is no date",
         QStringLiteral("Ziehung 5.10.2002:<br><b>1, 2, 3, 4, 5, 6 ZZ: 7 SZ: 8</b>"),
         Kind::Invalid,
         QDate(),
         {}},
        {"no Ziehung",
         QStringLiteral("05.10.02:<br><b>1, 2, 3, 4, 5, 6 ZZ: 7 SZ: 8</b>"),
         Kind::Ignored,
         QDate(),
         {}},
        {"Ziehung without :<br>",
         QStringLiteral("Ziehung 05.10.02 <b>1, 2, 3, 4, 5, 6 ZZ: 7 SZ: 8"),
         Kind::Ignored,
         QDate(),
         {}},
        {"fewer than eight characters before :<br>",
         QStringLiteral("Ziehung:<br>"),
         Kind::Ignored,
         QDate(),
         {}},
        {"date without numbers",
         QStringLiteral("Ziehung vom 05.10.02:<br> folgt"),
         Kind::DateOnly,
         QDate(2002, 10, 5),
         {}},
        {"more commas than slots",
         QStringLiteral("Ziehung 05.10.02:<br><b>1, 2, 3, 4, 5, 6, 7, 8, 9 ZZ: 7 SZ: 8</b>"),
         Kind::Ignored,
         QDate(),
         {}},
        {"fewer commas than slots",
         QStringLiteral("Ziehung 05.10.02:<br><b>1, 2 ZZ: 3 SZ: 4</b>"),
         Kind::Ignored,
         QDate(),
         {}},
        {"no ZZ",
         QStringLiteral("Ziehung 05.10.02:<br><b>1, 2, 3, 4, 5, 6 SZ: 8</b>"),
         Kind::Ignored,
         QDate(),
         {}},
        {"SZ only before ZZ",
         QStringLiteral("Ziehung 05.10.02:<br><b>1, 2, 3, 4, 5, 6 SZ: 8 ZZ: 7</b>"),
         Kind::Ignored,
         QDate(),
         {}},
        {"ZZ beyond the 150 characters",
         QStringLiteral("Ziehung 05.10.02:<br><b>1, 2, 3, 4, 5, 6") + QString(150, QLatin1Char(' ')) +
             QStringLiteral("ZZ: 7 SZ: 8"),
         Kind::Ignored,
         QDate(),
         {}},
        {"number that does not convert stops after the slots before it",
         QStringLiteral("Ziehung 05.10.02:<br><b>1, 2, x, 4, 5, 6 ZZ: 7 SZ: 8</b>"),
         Kind::Invalid,
         QDate(2002, 10, 5),
         {1, 2}},
        {"date that does not convert",
         QStringLiteral("Ziehung 99.99.99:<br><b>1, 2, 3, 4, 5, 6 ZZ: 7 SZ: 8</b>"),
         Kind::Invalid,
         QDate(),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DrawPageLine r = parseDrawPageLine(c.line, 2002);
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.date, c.date);
        ASSERT_EQ(r.filled, static_cast<int>(c.values.size()));
        for (std::size_t i = 0; i < c.values.size(); ++i) EXPECT_EQ(r.values[i], c.values[i]) << "slot " << i;
        EXPECT_EQ(r.error.isEmpty(), c.kind != Kind::Invalid);
    }
}

TEST(DrawPageLine, TwoDigitYearIsTheLatestNotAfterTheCurrentYear) {
    EXPECT_EQ(parseDrawPageLine(SaturdayLine, 2026).date, QDate(2002, 10, 5));
    EXPECT_EQ(parseDrawPageLine(QStringLiteral("Ziehung 01.01.99:<br>"), 2026).date, QDate(1999, 1, 1));
    EXPECT_EQ(parseDrawPageLine(QStringLiteral("Ziehung 01.01.27:<br>"), 2026).date, QDate(1927, 1, 1));
}

TEST(DrawPageLine, ErrorNamesTheTextThatDidNotConvert) {
    EXPECT_EQ(parseDrawPageLine(QStringLiteral("Ziehung 05.10.02:<br><b>1, 2, ab, 4, 5, 6 ZZ: 7 SZ: 8"), 2002)
                  .error,
              QStringLiteral("\"ab\" ist kein gültiger Ganzzahlwert."));
    EXPECT_EQ(parseDrawPageLine(QStringLiteral("Ziehung xx.10.02:<br>"), 2002).error,
              QStringLiteral("\"xx.10.02\" ist kein gültiges Datum."));
}

} // namespace

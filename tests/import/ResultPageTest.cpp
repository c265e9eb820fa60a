#include "import/ResultPage.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

namespace {

using resultpage::parseDrawAssignment;
using resultpage::readDraws;
using textlines::split;

const QString Marker = QStringLiteral("  dataLayer[\"extSpiel\"] = \"swisslotto\";");

TEST(ResultPage, DrawAssignment) {
    struct Case {
        const char* name;
        QString line;
        bool ok;
        std::array<int, 7> numbers;
    };
    const std::vector<Case> cases = {
        {"plain",
         QStringLiteral("  x[\"extZahlen\"] = \"3,12,17,25,33,41,7\";"),
         true,
         {3, 12, 17, 25, 33, 41, 7}},
        {"blanks around the numbers",
         QStringLiteral("v = \" 1, 2 ,3,4,5,45 , 9 \";"),
         true,
         {1, 2, 3, 4, 5, 45, 9}},
        {"page order kept", QStringLiteral("v = \"45,1,30,2,3,4,5\";"), true, {45, 1, 30, 2, 3, 4, 5}},
        {"only six numbers", QStringLiteral("v = \"1,2,3,4,5,6\";"), false, {}},
        {"empty list", QStringLiteral("v = \"\";"), false, {}},
        {"letters", QStringLiteral("v = \"1,2,3,a,5,6,7\";"), false, {}},
        {"zero", QStringLiteral("v = \"0,2,3,4,5,6,7\";"), false, {}},
        {"46", QStringLiteral("v = \"1,2,3,4,5,6,46\";"), false, {}},
        {"300 would wrap in a byte", QStringLiteral("v = \"300,2,3,4,5,6,7\";"), false, {}},
        {"negative", QStringLiteral("v = \"-1,2,3,4,5,6,7\";"), false, {}},
        {"eight numbers", QStringLiteral("v = \"1,2,3,4,5,6,7,8\";"), false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = parseDrawAssignment(c.line);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.error.isEmpty(), c.ok);
        if (c.ok) {
            EXPECT_EQ(r.numbers, c.numbers);
        }
    }
}

TEST(ResultPage, ReadsEveryMarkedDraw) {
    struct Case {
        const char* name;
        QString page;
        std::size_t draws;
        bool error;
    };
    const QString draw = QStringLiteral("  z = \"1,2,3,4,5,6,7\";");
    const std::vector<Case> cases = {
        {"one", QStringLiteral("<p>05.10.2002</p>\n") + Marker + "\n" + draw + "\n", 1, false},
        {"two markers", Marker + "\r\n" + draw + "\r\n<br>\r\n" + Marker + "\r\n" + draw, 2, false},
        {"no marker", QStringLiteral("<p>05.10.2002</p>\n") + draw, 0, false},
        {"marker on the last line", draw + "\n" + Marker, 0, false},
        {"marker on the last line before a final break", draw + "\n" + Marker + "\n", 0, false},
        {"bad draw ends the page after the good one",
         Marker + "\n" + draw + "\n" + Marker + "\nz = \"1,2,3\";\n" + Marker + "\n" + draw, 1, true},
        {"CR line breaks", Marker + "\r" + draw, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = readDraws(split(c.page));
        EXPECT_EQ(r.draws.size(), c.draws);
        EXPECT_EQ(!r.error.isEmpty(), c.error);
    }
}

} // namespace

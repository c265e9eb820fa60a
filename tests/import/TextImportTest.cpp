#include "import/TextImport.h"

#include "platform/AppError.h"
#include "platform/Dates.h"
#include "support/ArchiveExportEnv.h"

#include <QDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ImportEnv : SessionEnv {
    int shown = 0; // how often the newest draw was shown afterwards

    ImportEnv() { clock.setToday(QDate(2026, 12, 8)); }
    // Writes the files into the program directory and imports them in this order.
    ImportReport run(const std::vector<std::pair<QString, QByteArray>>& files) {
        QStringList paths;
        for (const auto& [name, bytes] : files) {
            dir.writeFile(name, bytes);
            paths << dir.file(name);
        }
        return importPaths(paths);
    }
    ImportReport importPaths(const QStringList& paths) {
        return importDrawFiles(
            session, [paths] { return paths; }, [this] { ++shown; });
    }
};

} // namespace

TEST(TextImport, ReadsTheLineFormsAndNamesWhatIsWrong) {
    const Draw example = makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7);
    const Draw withSz = makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7, 4);
    const QString before = QStringLiteral("anderes Spiel (vor dem 04.01.1986)");
    const QString after = QStringLiteral("anderes Spiel (nach dem 09.01.2013)");
    // A draw row's reason is the one it is held back for: another game's years, a day without a draw.
    struct Case {
        const char* line;
        ImportLine::Kind kind;
        Draw draw;
        QString reason;
    };
    const Case cases[] = {
        {"05.10.2002;3;12;17;23;34;45;7;", ImportLine::Kind::Draw, example, {}},
        {"05.10.2002,3,12,17,23,34,45,7", ImportLine::Kind::Draw, example, {}},
        {"05.10.2002\t3\t12\t17\t23\t34\t45\t7\t", ImportLine::Kind::Draw, example, {}},
        {" 05.10.2002 ; 3 ;12 ; 17;23 ;34; 45 ; 7 ", ImportLine::Kind::Draw, example, {}},
        {"5.10.2002;3;12;17;23;34;45;7;", ImportLine::Kind::Draw, example, {}},
        {"05.10.02;3;12;17;23;34;45;7;", ImportLine::Kind::Draw, example, {}},
        {"2002-10-05;3;12;17;23;34;45;7;", ImportLine::Kind::Draw, example, {}},
        {"05/10/2002;3;12;17;23;34;45;7;", ImportLine::Kind::Draw, example, {}}, // day first unless told
        {"05/10/02;3;12;17;23;34;45;7;", ImportLine::Kind::Draw, example, {}},
        {"10/13/2002;3;12;17;23;34;45;7;", ImportLine::Kind::Bad, {}, "das Datum 10/13/2002 gibt es nicht"},
        // No Wednesday draws of "6 aus 45" before 1997.
        {"16.10.1996;3;12;17;23;34;45;7;", ImportLine::Kind::Draw,
         makeDraw(QDate(1996, 10, 16), {3, 12, 17, 23, 34, 45}, 7), QStringLiteral("kein Ziehungstag")},
        {"05.10.2002;45;3;12;17;23;34;7;4",
         ImportLine::Kind::Draw,
         makeDraw(QDate(2002, 10, 5), {45, 3, 12, 17, 23, 34}, 7, 4),
         {}},
        // The layouts real files come in.
        {"1986-01-04,\"[2, 5, 9, 15, 22, 28]\",43,,6/45 : 6 numbers from 1 to 45",
         ImportLine::Kind::Draw,
         makeDraw(QDate(1986, 1, 4), {2, 5, 9, 15, 22, 28}, 43),
         {}},
        {"1970-01-10,\"[7, 8, 12, 17, 32, 40]\",24,,6/40 : 6 numbers from 1 to 40", ImportLine::Kind::Draw,
         makeDraw(QDate(1970, 1, 10), {7, 8, 12, 17, 32, 40}, 24), before},
        {"2016-11-30,\"[1, 2, 5, 13, 24, 29]\",,6,6/42 + 1/6 : 6 numbers from 1 to 42 and 1 lucky number "
         "from 1 "
         "to 6",
         ImportLine::Kind::Bad,
         {},
         after},
        {"05.10.2002;\"3,12,17,23,34,45\";7", ImportLine::Kind::Draw, example, {}},
        {"03.10.2002;3;12;17;23;34;45;7", ImportLine::Kind::Draw,
         makeDraw(QDate(2002, 10, 3), {3, 12, 17, 23, 34, 45}, 7), "kein Ziehungstag"},
        {"05.10.2002;3 12 17 23 34 45;7;4", ImportLine::Kind::Draw, withSz, {}},
        {"05.10.2002,[3, 12, 17, 23, 34, 45, 7],4", ImportLine::Kind::Draw, withSz, {}},
        {"05.10.2002 3 12 17 23 34 45 7", ImportLine::Kind::Draw, example, {}},
        {"\"05.10.2002\";\"3\";\"12\";\"17\";\"23\";\"34\";\"45\";\"7\"",
         ImportLine::Kind::Draw,
         example,
         {}},
        {"1234;05.10.2002;3;12;17;23;34;45;7;", ImportLine::Kind::Draw, example, {}},
        {"05.10.2002;3;12;17;23;34;45;7;;Samstag", ImportLine::Kind::Draw, example, {}},
        {"05.10.2002;3;12;17;23;34;45;7;Ziehung am Samstag;9", ImportLine::Kind::Draw, example, {}},
        // The years of "6 aus 45", to the day.
        {"04.01.1986;3;12;17;23;34;45;7",
         ImportLine::Kind::Draw,
         makeDraw(QDate(1986, 1, 4), {3, 12, 17, 23, 34, 45}, 7),
         {}},
        {"28.12.1985;3;12;17;23;34;45;7", ImportLine::Kind::Draw,
         makeDraw(QDate(1985, 12, 28), {3, 12, 17, 23, 34, 45}, 7), before},
        {"09.01.2013;3;12;17;23;34;45;7",
         ImportLine::Kind::Draw,
         makeDraw(QDate(2013, 1, 9), {3, 12, 17, 23, 34, 45}, 7),
         {}},
        {"12.01.2013;3;12;17;23;34;45;7", ImportLine::Kind::Draw,
         makeDraw(QDate(2013, 1, 12), {3, 12, 17, 23, 34, 45}, 7), after},
        {"09.10.1955;3;12;17;23;34;45;7", ImportLine::Kind::Draw,
         makeDraw(QDate(1955, 10, 9), {3, 12, 17, 23, 34, 45}, 7), before},
        {"08.12.2026;3;12;17;23;34;45;7", ImportLine::Kind::Draw,
         makeDraw(QDate(2026, 12, 8), {3, 12, 17, 23, 34, 45}, 7), after},
        {"   ", ImportLine::Kind::Empty, {}, {}},
        {" \"\" ", ImportLine::Kind::Empty, {}, {}},
        {"Datum;Z1;Z2;Z3;Z4;Z5;Z6;ZZ", ImportLine::Kind::Bad, {}, "\"Datum\" ist kein Datum"},
        {"\"Ziehung \"\"A\"\"\";1;2", ImportLine::Kind::Bad, {}, "\"Ziehung \"A\"\" ist kein Datum"},
        {"Ziehungen der Schweiz im Spiel 6 aus 45 seit 1986;2;3",
         ImportLine::Kind::Bad,
         {},
         "\"Ziehungen der Schweiz im Spiel 6 aus 45 \u2026\" ist kein Datum"},
        {"31.02.2002;3;12;17;23;34;45;7;", ImportLine::Kind::Bad, {}, "das Datum 31.02.2002 gibt es nicht"},
        {"08.10.1955;3;12;17;23;34;45;7;",
         ImportLine::Kind::Bad,
         {},
         "das Datum 08.10.1955 liegt vor dem 09.10.1955"},
        {"09.12.2026;3;12;17;23;34;45;7;",
         ImportLine::Kind::Bad,
         {},
         "das Datum 09.12.2026 liegt in der Zukunft"},
        {"05.10.2002;3;12;17;23;34;45;", ImportLine::Kind::Bad, {}, "keine Zusatzzahl"},
        {"05.10.2002;3;12;17;23;34", ImportLine::Kind::Bad, {}, "weniger als sieben Zahlen"},
        {"05.10.2002;3;12;17;23;34;45;7;1;2",
         ImportLine::Kind::Bad,
         {},
         "mehr als sieben Zahlen und eine Superzahl"},
        {"05.10.2002;\"[3, 12, 17, 23, 34, 45, 7, 4]\"",
         ImportLine::Kind::Bad,
         {},
         "mehr als sieben Zahlen und eine Superzahl"},
        {"05.10.2002;3;12;17;23;34;46;7;",
         ImportLine::Kind::Bad,
         {},
         "die Zahl 46 liegt nicht zwischen 1 und 45"},
        {"05.10.2002;3;12;17;23;34;45;0;",
         ImportLine::Kind::Bad,
         {},
         "die Zusatzzahl 0 liegt nicht zwischen 1 und 45"},
        {"05.10.2002;3;12;17;23;34;45;46;",
         ImportLine::Kind::Bad,
         {},
         "die Zusatzzahl 46 liegt nicht zwischen 1 und 45"},
        {"05.10.2002;3;12;x;23;34;45;7;", ImportLine::Kind::Bad, {}, "\"x\" ist keine Zahl"},
        {"05.10.2002;3;12;1.5;23;34;45;7;", ImportLine::Kind::Bad, {}, "\"1.5\" ist keine Zahl"},
        {"05.10.2002;3;12;12;23;34;45;7;",
         ImportLine::Kind::Bad,
         {},
         "die Zahl 12 steht zweimal unter den sechs Zahlen"},
        {"05.10.2002;3;12;17;23;34;45;12;",
         ImportLine::Kind::Bad,
         {},
         "die Zusatzzahl 12 ist auch eine der sechs Zahlen"},
        {"05.10.2002;3;12;17;23;34;45;7;10",
         ImportLine::Kind::Bad,
         {},
         "die Superzahl 10 liegt nicht zwischen 0 und 9"},
        {"05.10.2002;3;12;17;23;34;45;7;-1",
         ImportLine::Kind::Bad,
         {},
         "die Superzahl -1 liegt nicht zwischen 0 und 9"},
    };
    // "6 aus 42": the Glückszahl in the next field or the one after an empty field, 1 .. 6, and the same as
    // one of the six if it comes so; its years from 12.01.2013.
    const auto draw42 = [](std::initializer_list<int> six, int gz) {
        return makeDraw(QDate(2013, 1, 12), six, gz);
    };
    using K = ImportLine::Kind;
    const Case cases42[] = {
        // clang-format off
        {"12.01.2013;6;8;9;12;28;30;4", K::Draw, draw42({6, 8, 9, 12, 28, 30}, 4), {}},
        {"12.01.2013;6;8;9;12;28;30;6", K::Draw, draw42({6, 8, 9, 12, 28, 30}, 6), {}},
        {"12.01.2013;6;8;9;12;28;30;;4", K::Draw, draw42({6, 8, 9, 12, 28, 30}, 4), {}},
        {"2016-11-30,\"[1, 2, 5, 13, 24, 29]\",,6,6/42 + 1/6 Regeln", K::Draw, makeDraw(QDate(2016, 11, 30), {1, 2, 5, 13, 24, 29}, 6), {}},
        {"26.09.2013;6;8;9;12;28;30;4", K::Draw, makeDraw(QDate(2013, 9, 26), {6, 8, 9, 12, 28, 30}, 4), "kein Ziehungstag"},
        {"05.01.2013;1;2;3;4;5;6;3", K::Bad, {}, "anderes Spiel (vor dem 12.01.2013)"}, // never asked about
        {"09.01.2013;2;13;25;32;34;35;29", K::Bad, {}, "anderes Spiel (vor dem 12.01.2013)"},
        {"12.01.2013;6;8;9;12;28;43;4", K::Bad, {}, "die Zahl 43 liegt nicht zwischen 1 und 42"},
        {"12.01.2013;6;8;9;12;28;30;7", K::Bad, {}, "die Glückszahl 7 liegt nicht zwischen 1 und 6"},
        {"12.01.2013;6;8;9;12;28;30", K::Bad, {}, "keine Glückszahl"},
        {"12.01.2013;6;8;9;12;28", K::Bad, {}, "weniger als sechs Zahlen"},
        {"12.01.2013;6;8;9;12;28;30;4;5", K::Bad, {}, "mehr als sechs Zahlen und eine Glückszahl"},
        {"12.01.2013;6;8;8;12;28;30;4", K::Bad, {}, "die Zahl 8 steht zweimal unter den sechs Zahlen"},
        // clang-format on
    };
    // EuroMillions: five numbers, then two stars of the drum of the draw's day, as its record and the lists
    // of numbers write them.
    const auto drawEM = [](const QDate& day, std::initializer_list<int> five,
                           std::initializer_list<int> stars) {
        Draw d = makeDraw(day, five);
        d.extras = stars;
        return d;
    };
    const Case casesEM[] = {
        // clang-format off
        {"30.12.2025;11;26;29;34;44;1;10", K::Draw, drawEM(QDate(2025, 12, 30), {11, 26, 29, 34, 44}, {1, 10}), {}},
        {"2025-12-30,\"[11, 26, 29, 34, 44]\",\"[1, 10]\"", K::Draw, drawEM(QDate(2025, 12, 30), {11, 26, 29, 34, 44}, {1, 10}), {}},
        {"08.01.2010;1;2;3;4;5;1;12", K::Bad, {}, "der Stern 12 liegt nicht zwischen 1 und 9"},
        {"30.12.2025;11;26;29;34;44;10;10", K::Bad, {}, "der Stern 10 steht zweimal da"},
        {"30.12.2025;11;26;29;34;44;10", K::Bad, {}, "nur 1 der 2 Sterne"},
        {"30.12.2025;11;26;29;34;44;1;10;3", K::Bad, {}, "mehr als fünf Zahlen und zwei Sterne"},
        {"06.02.2004;1;2;3;4;5;1;2", K::Bad, {}, "anderes Spiel (vor dem 13.02.2004)"},
        // clang-format on
    };
    // The desktop's locale has no say in what a line means.
    for (const QLocale& desktop :
         {QLocale(QLocale::German, QLocale::Switzerland), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(desktop);
        for (const auto& [game, table] :
             {std::pair{&Game::sixOf45(), std::vector<Case>(std::begin(cases), std::end(cases))},
              std::pair{&Game::sixOf42(), std::vector<Case>(std::begin(cases42), std::end(cases42))},
              std::pair{&Game::euroMillions(), std::vector<Case>(std::begin(casesEM), std::end(casesEM))}}) {
            for (const auto& c : table) {
                SCOPED_TRACE(c.line);
                const ImportLine line = readImportLine(QString::fromUtf8(c.line), *game, QDate(2026, 12, 8));
                EXPECT_EQ(line.kind, c.kind);
                EXPECT_EQ(line.reason, c.reason);
                if (c.kind == ImportLine::Kind::Draw) {
                    EXPECT_EQ(line.draw, c.draw);
                    EXPECT_EQ(line.hold != ImportLine::Hold::None, !c.reason.isEmpty());
                }
            }
        }
    }
    dates::useProgramLocale();
}

// 40 real draws of 1991 and 1992 in the files people have: each imports whole, under any desktop locale,
// whatever its line ends, encoding and order of day and month; a file with both orders, or with nothing
// in it, says so.
TEST(TextImport, ReadsTheFilesPeopleHave) {
    std::vector<Draw> draws;
    for (const Draw& r : shippedDraws())
        if (dates::yearOf(r.date) >= 1991 && draws.size() < 40) draws.push_back(r);
    // The draws of days 1 .. 12 give no field above 12: the weekdays tell the order.
    std::vector<Draw> smallDays;
    std::copy_if(draws.begin(), draws.end(), std::back_inserter(smallDays),
                 [](const Draw& r) { return dates::fromDayNumber(r.date).day() <= 12; });
    const auto file = [&](const char* dateFormat, const char* lineEnd, const std::vector<Draw>& of) {
        QString text = QStringLiteral("Datum;Zahlen;Zusatzzahl") + QLatin1String(lineEnd);
        for (const Draw& r : of)
            text += exportText(r).replace(dates::formatFixedDate(r.date),
                                          dates::fromDayNumber(r.date).toString(QLatin1String(dateFormat))) +
                    QLatin1String(lineEnd);
        return text;
    };
    const QString dayFirst = file("dd/MM/yyyy", "\r\n", draws);
    // A header in capitals names the columns as well: the weekday between the date and the numbers is passed
    // over.
    QString capitals = QStringLiteral("NR;DATUM;WOCHENTAG;ZAHLEN;ZUSATZZAHL\n");
    for (std::size_t i = 0; i < 3; ++i) {
        QStringList six;
        for (const int n : draws[i].numbers) six << QString::number(n);
        capitals += QStringLiteral("%1;%2;Sa;%3;%4\n")
                        .arg(i + 1)
                        .arg(dates::formatFixedDate(draws[i].date), six.join(' '))
                        .arg(draws[i].extras[0]);
    }
    const QByteArray utf16 = QByteArray("\xFF\xFE") +
                             QByteArray(reinterpret_cast<const char*>(dayFirst.utf16()), dayFirst.size() * 2);
    QByteArray utf16be("\xFE\xFF");
    for (const QChar ch : dayFirst) utf16be += char(ch.unicode() >> 8), utf16be += char(ch.unicode() & 0xff);
    const QString taken =
        QStringLiteral("Import abgeschlossen: 40 neue Ziehungen, 0 ersetzt, 0 unverändert, 0 "
                       "Zeilen übersprungen.");
    const QString smallTaken =
        QStringLiteral("Import abgeschlossen: %1 neue Ziehungen, 0 ersetzt, 0 unverändert, 0 Zeilen "
                       "übersprungen.")
            .arg(smallDays.size());
    const std::tuple<QByteArray, QString, std::vector<Draw>> cases[] = {
        // clang-format off
        {dayFirst.toLatin1(), taken, draws}, {file("MM/dd/yyyy", "\n", draws).toLatin1(), taken, draws},
        {file("dd.MM.yyyy", "\r", draws).toLatin1(), taken, draws}, {utf16, taken, draws}, {utf16be, taken, draws},
        {file("MM/dd/yyyy", "\n", smallDays).toLatin1(), smallTaken, smallDays},
        {file("dd/MM/yyyy", "\n", smallDays).toLatin1(), smallTaken, smallDays},
        {capitals.toLatin1(), QString(taken).replace("40 neue", "3 neue"), std::vector(draws.begin(), draws.begin() + 3)},
        {(dayFirst + "01/13/1993;1;2;3;4;5;6;7\r\n").toLatin1(),
         QStringLiteral("Die Datei \"%1ziehungen.csv\" schreibt Daten mit dem Tag zuerst (Zeile 4: \"19/01/1991;11;13;20;23;31;"
                        "33;2;\") und mit dem Monat zuerst (Zeile 42: \"01/13/1993;1;2;3;4;5;6;7\"). Welche Zahl der Tag ist, "
                        "lässt sich nicht sagen; die Datei wird nicht eingelesen."), {}},
        {"Datum;Zahlen\r\n\r\n", QStringLiteral("Import abgeschlossen: 0 neue Ziehungen, 0 ersetzt, 0 unverändert, 0 Zeilen "
                                                 "übersprungen.\n\nDie Datei \"ziehungen.csv\" enthält keine Ziehungen."), {}},
        // clang-format on
    };
    for (const auto desktop : {QLocale::UnitedStates, QLocale::Switzerland}) {
        QLocale::setDefault(
            QLocale(desktop == QLocale::Switzerland ? QLocale::German : QLocale::English, desktop));
        for (const auto& [bytes, message, stored] : cases) {
            ImportEnv env;
            try {
                env.run({{QStringLiteral("ziehungen.csv"), bytes}});
            } catch (const AppError& e) {
                env.ui.messages << e.message();
            }
            EXPECT_EQ(env.ui.messages.value(0),
                      QString(message).replace(QLatin1String("%1"), env.dir.path()));
            EXPECT_EQ(env.dir.readArchive(), stored);
        }
    }
    dates::useProgramLocale();
}

// Stored: 2 and 9 October 2002. Each row imports its files and checks the counts, the questions with the
// button each offers first, and the archive afterwards.
TEST(TextImport, MergesIntoTheArchiveInDateOrder) {
    const Draw a = makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 1);
    const Draw c = makeDraw(QDate(2002, 10, 9), {10, 20, 30, 40, 41, 42}, 9, 2);
    const Draw before = makeDraw(QDate(2002, 9, 28), {8, 9, 10, 11, 12, 13}, 14);
    const Draw between = makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7, 5);
    const Draw after = makeDraw(QDate(2002, 10, 12), {21, 22, 23, 24, 25, 26}, 27);
    const Draw otherC = makeDraw(QDate(2002, 10, 9), {11, 20, 30, 40, 41, 42}, 9);
    const Draw first = makeDraw(QDate(1986, 1, 4), {2, 5, 9, 15, 22, 28}, 43);
    const Draw sixOutOf40 = makeDraw(QDate(1970, 1, 10), {7, 8, 12, 17, 32, 40}, 24);
    const QString oneDiffers =
        QStringLiteral("1 Ziehung weicht von der gespeicherten ab. Soll sie ersetzt werden?");
    const QString oneOtherGame =
        QStringLiteral("1 Zeile stammt aus der Zeit vor dem 04.01.1986 oder nach dem 09.01.2013, als in der "
                       "Schweiz nicht 6 aus 45 gespielt wurde. Soll sie trotzdem übernommen werden?");
    const QByteArray webLayout =
        "# Draw,Numbers,Complementary #,Lucky #,Rules\n"
        "1970-01-10,\"[7, 8, 12, 17, 32, 40]\",24,,6/40 : 6 numbers from 1 to 40\n"
        "1986-01-04,\"[2, 5, 9, 15, 22, 28]\",43,,6/45 : 6 numbers from 1 to 45\n"
        "2016-11-30,\"[1, 2, 5, 13, 24, 29]\",,6,6/42 + 1/6 : 6 numbers from 1 to 42 "
        "and 1 lucky number from 1 to 6\n";
    using P = Ui::Preset;
    const struct {
        const char* name;
        std::vector<QByteArray> files;
        std::deque<bool> answers;
        int inserted, replaced, unchanged, skipped;
        QStringList questions;
        std::vector<P> presets;
        std::vector<Draw> archive;
        const Game* game = &Game::sixOf45();
    } cases[] = {
        {"before, between and after",
         {"12.10.2002;21;22;23;24;25;26;27\n28.09.2002;8;9;10;11;12;13;14\n05.10.2002;3;12;17;23;34;45;7;"
          "5\n"},
         {},
         3,
         0,
         0,
         0,
         {},
         {},
         {before, a, between, c, after}},
        {"the same numbers in another order",
         {"09.10.2002;42;41;40;30;20;10;9;\n"},
         {},
         0,
         0,
         1,
         0,
         {},
         {},
         {a, c}},
        {"other numbers, replaced",
         {"09.10.2002;11;20;30;40;41;42;9;\n12.10.2002;21;22;23;24;25;26;27\n"},
         {true},
         1,
         1,
         0,
         0,
         {oneDiffers},
         {P::No},
         {a, otherC, after}},
        {"other numbers, kept",
         {"09.10.2002;11;20;30;40;41;42;9;\n12.10.2002;21;22;23;24;25;26;27\n"},
         {false},
         1,
         0,
         1,
         0,
         {oneDiffers},
         {P::No},
         {a, c, after}},
        {"only replacements, answered yes",
         {"09.10.2002;11;20;30;40;41;42;9;\n"},
         {true},
         0,
         1,
         0,
         0,
         {oneDiffers},
         {P::No},
         {a, otherC}},
        {"two differ",
         {"02.10.2002;1;2;3;4;5;7;8\n09.10.2002;11;20;30;40;41;42;9;\n"},
         {false},
         0,
         0,
         2,
         0,
         {QStringLiteral("2 Ziehungen weichen von den gespeicherten ab. Sollen sie ersetzt werden?")},
         {P::No},
         {a, c}},
        {"one date twice in the file: the later line wins",
         {"05.10.2002;1;2;3;4;5;6;7\n05.10.2002;3;12;17;23;34;45;7;5\n"},
         {},
         1,
         0,
         0,
         1,
         {},
         {},
         {a, between, c}},
        {"one date twice, only the super number differs",
         {"05.10.2002;3;12;17;23;34;45;7;4\n05.10.2002;3;12;17;23;34;45;7;5\n"},
         {},
         1,
         0,
         0,
         1,
         {},
         {},
         {a, between, c}},
        {"two files, each with its header",
         {"Datum;Zahl 1;Zahl 2;Zahl 3;Zahl 4;Zahl 5;Zahl 6;Zusatzzahl\n28.09.2002;8;9;10;11;12;13;14\n",
          "Datum;Zahl 1;Zahl 2;Zahl 3;Zahl 4;Zahl 5;Zahl "
          "6;Zusatzzahl\n12.10.2002;21;22;23;24;25;26;27\n"},
         {},
         2,
         0,
         0,
         0,
         {},
         {},
         {before, a, c, after}},
        {"another game's draws left out",
         {webLayout},
         {false},
         1,
         0,
         0,
         2,
         {oneOtherGame},
         {P::No},
         {first, a, c}},
        {"another game's draws taken",
         {webLayout},
         {true},
         2,
         0,
         0,
         1,
         {oneOtherGame},
         {P::No},
         {sixOutOf40, first, a, c}},
        // clang-format off
        // The public lists of 6 aus 42: columns found by their names, a list of one a number; a draw that
        // repeats the draw day before exactly is asked about, and with Nein left out.
        {"the public list of 6 aus 42",
         {"id,datum,system,jahr,wochentag,ziehungszahlen,sonderzahlen,erstellt_am\n"
          "e2663151-8fdb-402f-b8fa-bd63b77d2071,2025-06-25,swisslotto,2025,Wednesday,\"[9, 17, 18, 24, 34, 37]\",[1],2025-06-26 02:45:03.226392\n"
          "b1,2026-02-11,swisslotto,2026,Wednesday,\"[2, 8, 19, 27, 35, 41]\",[4],2026-02-12 02:45:01.1\n"
          "b2,2026-02-14,swisslotto,2026,Saturday,\"[2, 8, 19, 27, 35, 41]\",[4],2026-02-15 02:45:01.1\n"},
         {false}, 2, 0, 0, 1,
         {QStringLiteral("1 Ziehung wiederholt genau die Ziehung des vorigen Ziehungstags (Samstag, 14.02.2026 wie Mittwoch, "
                         "11.02.2026); das ist fast immer ein Fehler der Liste. Soll sie trotzdem übernommen werden?")}, {P::No},
         {makeDraw(QDate(2025, 6, 25), {9, 17, 18, 24, 34, 37}, 1), makeDraw(QDate(2026, 2, 11), {2, 8, 19, 27, 35, 41}, 4)},
         &Game::sixOf42()},
        {"the older public record of 6 aus 42",
         {"\"id\",\"datum\",\"system\",\"jahr\",\"wochentag\",\"ziehungszahlen\",\"sonderzahlen\",\"erstellt_am\"\n"
          "\"a974a61a-0c2e\",2025-07-19,swisslotto,2025,Saturday,\"{4,9,22,31,33,40}\",{3},2025-07-20 02:45:02.499\n"},
         {}, 1, 0, 0, 0, {}, {}, {makeDraw(QDate(2025, 7, 19), {4, 9, 22, 31, 33, 40}, 3)}, &Game::sixOf42()},
        // 05/01/2002 is Saturday 5 January or Wednesday 1 May: the file cannot tell, the user does.
        {"an order of day and month asked about", {"05/01/2002;1;2;3;4;5;6;7\n"}, {false}, 1, 0, 0, 0,
         {QStringLiteral("In der Datei \"%1\" lässt sich nicht erkennen, ob die Daten mit dem Tag oder mit dem Monat zuerst "
                         "geschrieben sind: \"05/01/2002;1;2;3;4;5;6;7\" ist mit dem Tag zuerst Samstag, 05.01.2002, mit "
                         "dem Monat zuerst Mittwoch, 01.05.2002. Sind die Daten mit dem Tag zuerst geschrieben?")},
         {P::Yes}, {makeDraw(QDate(2002, 5, 1), {1, 2, 3, 4, 5, 6}, 7), a, c}},
        {"a day without a draw left out", {"03.10.2002;8;9;10;11;12;13;14\n"}, {false}, 0, 0, 0, 1,
         {QStringLiteral("1 Zeile ist auf einen Tag ohne Ziehung datiert (Donnerstag, 03.10.2002); keine Statistik zählt sie. "
                         "Soll sie trotzdem übernommen werden?")}, {P::No}, {a, c}},
        // The public record of "6 aus 42" repeats Wednesday's draw on a Thursday.
        {"6 aus 42 into its own archive", {"12.01.2013;6;8;9;12;28;30;4\n25.09.2013;2;11;16;21;31;39;5\n"
                                           "26.09.2013;2;11;16;21;31;39;5\n03.10.2013;2;11;16;21;31;39;5\n"}, {false}, 2, 0, 0, 2,
         {QStringLiteral("2 Zeilen sind auf Tage ohne Ziehung datiert, zuerst Donnerstag, 26.09.2013; keine Statistik zählt "
                         "sie. Sollen sie trotzdem übernommen werden?")}, {P::No},
         {makeDraw(QDate(2013, 1, 12), {6, 8, 9, 12, 28, 30}, 4), makeDraw(QDate(2013, 9, 25), {2, 11, 16, 21, 31, 39}, 5)},
         &Game::sixOf42()},
        // clang-format on
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.name);
        ImportEnv env;
        env.dir.writeArchive({a, c});
        env.state.game = cs.game;
        env.ui.questionAnswers = cs.answers;
        std::vector<std::pair<QString, QByteArray>> files;
        for (const QByteArray& f : cs.files)
            files.emplace_back(QStringLiteral("ziehungen%1.csv").arg(files.size()), f);
        const ImportReport report = env.run(files);
        EXPECT_EQ(report.inserted, cs.inserted);
        EXPECT_EQ(report.replaced, cs.replaced);
        EXPECT_EQ(report.unchanged, cs.unchanged);
        EXPECT_EQ(report.skippedLines, cs.skipped);
        EXPECT_EQ(env.ui.questions.join('|'),
                  cs.questions.join('|').replace(QLatin1String("%1"), env.dir.file("ziehungen0.csv")));
        EXPECT_EQ(env.ui.presets, cs.presets);
        EXPECT_EQ(env.dir.readArchive(cs.game->archiveFile), cs.archive);
        EXPECT_EQ(env.controls.date(QStringLiteral("DateTimePicker1")),
                  dates::fromDayNumber(cs.archive.back().date));
        EXPECT_EQ(env.shown, 1);
        EXPECT_EQ(env.ui.busyAtBoxes, 0); // no hourglass while a question or the report waits
        EXPECT_FALSE(QFile::exists(env.dir.file(QStringLiteral("ZahlenCH.dat~"))));
    }
}

// The report as the user reads it: counts in singular and plural, consecutive lines with one reason as one
// entry, and more than ten entries in the box's details.
TEST(TextImport, ReportsEverySkippedLineWithItsFileAndLine) {
    QByteArray mixed = "Datum;Z1;Z2;Z3;Z4;Z5;Z6;ZZ\r\n"
                       "05.10.2002;3;12;17;23;34;45;7;\r\n"
                       "\r\n"
                       "09.10.2002;3;12;17;23;34;46;7;\r\n"
                       "Gr\xFC\xDF"
                       "e\r\n"; // Latin-1, as the program's own export writes
    for (int i = 0; i < 10; ++i) mixed += "12.10.2002;1;2;3\r\n";
    QByteArray eleven;
    for (int i = 1; i <= 11; ++i)
        eleven +=
            QByteArray::number(i) + ".10.2002;1;2;3;4;5;" + QByteArray::number(i % 2 ? 46 : 47) + ";7\n";
    QStringList elevenEntries;
    for (int i = 1; i <= 11; ++i)
        elevenEntries << QStringLiteral("elf.csv, Zeile %1: die Zahl %2 liegt nicht zwischen 1 und 45")
                             .arg(i)
                             .arg(i % 2 ? 46 : 47);
    const struct {
        const char* name;
        QString file;
        QByteArray bytes;
        QString message;
        QString details;
    } cases[] = {
        {"a mixed Latin-1 export",
         QStringLiteral("CHJ2002.csv"),
         mixed,
         QStringLiteral(
             "Import abgeschlossen: 1 neue Ziehung, 0 ersetzt, 0 unverändert, 12 Zeilen übersprungen.\n\n"
             "CHJ2002.csv, Zeile 4: die Zahl 46 liegt nicht zwischen 1 und 45\n"
             "CHJ2002.csv, Zeile 5: \"Grüße\" ist kein Datum\n"
             "CHJ2002.csv, Zeilen 6 bis 15: weniger als sieben Zahlen"),
         {}},
        {"more than ten entries", QStringLiteral("elf.csv"), eleven,
         QStringLiteral("Import abgeschlossen: 0 neue Ziehungen, 0 ersetzt, 0 unverändert, 11 Zeilen "
                        "übersprungen.\n\n") +
             elevenEntries.mid(0, 10).join(QLatin1Char('\n')) +
             QStringLiteral("\n\n1 weiterer Eintrag in den Details."),
         elevenEntries.join(QLatin1Char('\n'))},
        {"a first line that looks like a draw is no header",
         QStringLiteral("eins.csv"),
         "31.02.2002;3;12;17;23;34;45;7\n",
         QStringLiteral(
             "Import abgeschlossen: 0 neue Ziehungen, 0 ersetzt, 0 unverändert, 1 Zeile übersprungen.\n\n"
             "eins.csv, Zeile 1: das Datum 31.02.2002 gibt es nicht"),
         {}},
        {"a byte order mark before the header",
         QStringLiteral("bom.csv"),
         "\xEF\xBB\xBF"
         "Datum;Zahl 1;Zahl 2;Zahl 3;Zahl 4;Zahl 5;Zahl 6;Zusatzzahl\n05.10.2002;3;12;17;23;34;45;7\n",
         QStringLiteral(
             "Import abgeschlossen: 1 neue Ziehung, 0 ersetzt, 0 unverändert, 0 Zeilen übersprungen."),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportEnv env;
        env.run({{c.file, c.bytes}});
        EXPECT_EQ(env.ui.messages, QStringList{c.message});
        EXPECT_EQ(env.ui.details, QStringList{c.details});
        EXPECT_EQ(env.ui.busyDepth, 0);
        EXPECT_EQ(env.ui.busyAtBoxes, 0);
    }
    ImportEnv env;
    env.run({{QStringLiteral("CHJ2002.csv"), mixed}});
    EXPECT_EQ(env.ui.statusTexts[1], QStringLiteral("Import: 15 Zeilen gelesen"));
}

// Exported whole and read back into an empty archive, every record comes back as it was, but for SZ,
// which the export does not write.
TEST(TextImport, WhatTheExportWritesComesBackTheSame) {
    ExportEnv out(QDate(1990, 1, 1));
    const auto draws = generatedDraws(QDate(1999, 6, 1), 400, 5);
    out.dir.writeArchive(draws);
    out.run(out.dir.file(QStringLiteral("CHJ1990.csv")));
    QStringList files;
    for (const QString& name : out.written()) files << out.dir.file(name);
    ASSERT_GE(files.size(), 4);

    ImportEnv in;
    const ImportReport report = in.importPaths(files);
    EXPECT_EQ(report.inserted, 400);
    EXPECT_TRUE(report.skipped.isEmpty());
    auto expected = draws;
    for (auto& r : expected) r.superNumber = 0;
    EXPECT_EQ(in.dir.readArchive(), expected);
}

// A file that cannot be read or is too large, or an archive that cannot be written: an error, and the
// archive byte for byte as it was.
// A file at the limits is read; one past them, or one that cannot be read or is no regular file, or an
// archive that cannot be written: an error, and the archive byte for byte as it was.
TEST(TextImport, FailuresLeaveTheArchiveAsItWas) {
    const QByteArray good = "05.10.2002;3;12;17;23;34;45;7;\n";
    const struct {
        const char* name;
        std::function<QString(TestDir&)> makeFile;
        QString error;
    } cases[] = {
        {"missing file", [](TestDir& d) { return d.file(QStringLiteral("fehlt.csv")); },
         QStringLiteral("Die Datei \"%1fehlt.csv\" wurde nicht gefunden.")},
        {"a folder",
         [](TestDir& d) {
             QDir(d.path()).mkdir(QStringLiteral("ordner.csv"));
             return d.file(QStringLiteral("ordner.csv"));
         },
         QStringLiteral("\"%1ordner.csv\" ist ein Ordner und keine Datei.")},
        {"over 50 MB",
         [](TestDir& d) {
             QFile f(d.file(QStringLiteral("gross.csv")));
             f.open(QIODevice::WriteOnly);
             f.resize(50LL * 1024 * 1024 + 1);
             return f.fileName();
         },
         QStringLiteral("Die Datei \"%1gross.csv\" ist größer als 50 MB und wird nicht eingelesen.")},
        {"over 200000 lines",
         [](TestDir& d) {
             d.writeFile(QStringLiteral("lang.csv"), QByteArray(200001, '\n'));
             return d.file(QStringLiteral("lang.csv"));
         },
         QStringLiteral("Die Datei \"%1lang.csv\" hat mehr als 200000 Zeilen und wird nicht eingelesen.")},
        {"exactly 200000 lines",
         [](TestDir& d) {
             d.writeFile(QStringLiteral("lang.csv"), QByteArray(200000, '\n'));
             return d.file(QStringLiteral("lang.csv"));
         },
         {}},
        {"exactly 50 MB",
         [](TestDir& d) {
             QByteArray line(1024, ' ');
             line.back() = '\n';
             d.writeFile(QStringLiteral("gross.csv"), line.repeated(50 * 1024));
             return d.file(QStringLiteral("gross.csv"));
         },
         {}},
        {"a pipe",
         [](TestDir& d) {
             ::mkfifo(QFile::encodeName(d.file(QStringLiteral("rohr.csv"))).constData(), 0600);
             return d.file(QStringLiteral("rohr.csv"));
         },
         QStringLiteral("\"%1rohr.csv\" ist keine gewöhnliche Datei und wird nicht eingelesen.")},
        {"a device",
         [](TestDir& d) {
             QFile::link(QStringLiteral("/dev/zero"), d.file(QStringLiteral("null.csv")));
             return d.file(QStringLiteral("null.csv"));
         },
         QStringLiteral("\"%1null.csv\" ist keine gewöhnliche Datei und wird nicht eingelesen.")},
        {"a read-only archive",
         [](TestDir& d) {
             QFile::setPermissions(d.archivePath(), QFileDevice::ReadOwner | QFileDevice::ReadOther);
             return d.file(QStringLiteral("gut.csv"));
         },
         QStringLiteral("Keine Berechtigung, die Datei \"%1ZahlenCH.dat\" zu schreiben.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportEnv env;
        env.dir.writeArchive({makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 1)});
        const QByteArray before = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
        env.dir.writeFile(QStringLiteral("gut.csv"), good);
        const QStringList files{env.dir.file(QStringLiteral("gut.csv")), c.makeFile(env.dir)};
        if (c.error.isEmpty()) {
            EXPECT_EQ(env.importPaths(files).inserted, 1);
            continue;
        }
        try {
            env.importPaths(files);
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), c.error.arg(QDir::toNativeSeparators(env.dir.path())));
        }
        EXPECT_EQ(env.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
        EXPECT_EQ(env.shown, 0);
        EXPECT_FALSE(env.state.archiveGate.busy());
    }
    // A folder the archive cannot be written to, as an ordinary user (root writes everywhere).
    ImportEnv env;
    env.dir.writeArchive({makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 1)});
    const QByteArray before = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
    env.dir.writeFile(QStringLiteral("gut.csv"), good);
    QFile::setPermissions(env.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    EXPECT_THROW(env.importPaths({env.dir.file(QStringLiteral("gut.csv"))}), AppError);
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    QFile::setPermissions(env.dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(env.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
}

#include "WindowFixture.h"

#include "archive/DrawRecord.h"
#include "import/ArchiveExport.h"

#include "import/ShippedRecord.h"
#include "import/TextImport.h"
#include "platform/Dates.h"
#include "support/FakeUi.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <deque>
#include <gtest/gtest.h>

// The first start in a folder without an archive offers the shipped record of the real draws, with its
// count and dates read from the file; a yes stores it through the import and start-up goes on with it.
TEST(StartUp, FirstStartOffersTheShippedRecord) {
    const QString record = Game::sixOf45().shippedRecord;
    TestDir threeDraws;
    threeDraws.writeFile(record, "Datum;Zahl 1;Zahl 2;Zahl 3;Zahl 4;Zahl 5;Zahl 6;Zusatzzahl\n"
                                 "04.01.1986;2;5;9;15;22;28;43\n"
                                 "11.01.1986;6;7;12;17;28;34;13\n"
                                 "18.01.1986;2;10;25;31;35;38;20\n");
    TestDir noDraws;
    noDraws.writeFile(record, "Datum;Zahl 1;Zahl 2\n");
    const QString shippedFolder = QFileInfo(shippedRecordPath()).absolutePath();
    const QString yesText =
        QStringLiteral("Es sind noch keine Ziehungen gespeichert. Sollen die mitgelieferten 2096 "
                       "Ziehungen vom 04.01.1986 bis 09.01.2013 übernommen werden?");
    const auto stored =
        DrawRecord::encode(makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7), Game::sixOf45());
    const QByteArray oneDraw(reinterpret_cast<const char*>(stored.data()),
                             static_cast<qsizetype>(stored.size()));
    // archiveBefore: the archive file's bytes before, empty: none; question empty: none; stored: the draws in
    // the archive afterwards, -1: no archive
    // clang-format off
    // settings: 0 "Spiel" names the game, 1 none at all (a new user), 2 values but no "Spiel" (the version before)
    const struct { const char* name; QString folder; QByteArray archiveBefore; std::deque<bool> answers; QString question; int stored;
                   const Game* game = &Game::sixOf45(); int settings = 0; } cases[] = {
        {"yes", shippedFolder, {}, {true}, yesText, 2096},
        {"no", shippedFolder, {}, {false}, yesText, -1},
        // A write that failed on a fresh folder leaves less than one record: no draw, the offer stands.
        {"an archive without a whole record", shippedFolder, "half a", {true}, yesText, 2096},
        {"a record of three draws", threeDraws.path(), {}, {true},
         QStringLiteral("Es sind noch keine Ziehungen gespeichert. Sollen die mitgelieferten 3 Ziehungen vom 04.01.1986 bis "
                        "18.01.1986 übernommen werden?"), 3},
        {"a record without draws", noDraws.path(), {}, {}, {}, -1},
        {"no record", threeDraws.path() + QStringLiteral("fehlt"), {}, {}, {}, -1},
        {"an archive already there", shippedFolder, oneDraw, {}, {}, 1},
        // The game of the last run was "6 aus 42": its own record is offered, named.
        {"6 aus 42", shippedFolder, {}, {true},
         QStringLiteral("Es sind noch keine Ziehungen von 6 aus 42 gespeichert. Sollen die mitgelieferten 1354 Ziehungen vom "
                        "12.01.2013 bis 31.12.2025 übernommen werden?"), 1354, &Game::sixOf42()},
        // A new user starts with the game played today; a user of the version before keeps "6 aus 45".
        {"a new user", shippedFolder, {}, {true},
         QStringLiteral("Es sind noch keine Ziehungen von 6 aus 42 gespeichert. Sollen die mitgelieferten 1354 Ziehungen vom "
                        "12.01.2013 bis 31.12.2025 übernommen werden?"), 1354, &Game::sixOf42(), 1},
        {"a user of the version before", shippedFolder, {}, {true}, yesText, 2096, &Game::sixOf45(), 2},
        {"EuroMillions", shippedFolder, {}, {true},
         QStringLiteral("Es sind noch keine Ziehungen von EuroMillions gespeichert. Sollen die mitgelieferten 1907 Ziehungen "
                        "vom 13.02.2004 bis 30.12.2025 übernommen werden?"), 1907, &Game::euroMillions()},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        f.today = QDate(2026, 12, 8);
        f.dataFolders = {c.folder};
        if (!c.archiveBefore.isEmpty()) f.dir.writeFile(QStringLiteral("ZahlenCH.dat"), c.archiveBefore);
        f.newUser();
        if (c.settings != 1)
            QSettings(f.settingsFile, QSettings::IniFormat)
                .setValue(QString::fromLatin1(c.settings == 0 ? "Spiel" : "UpDown8"),
                          c.settings == 0 ? int(c.game->id) : 10);
        f.open(false);
        f.dialogs->questionAnswers = c.answers;
        f.window->startUp();
        EXPECT_EQ(f.dialogs->questions, c.question.isEmpty() ? QStringList() : QStringList{c.question});
        if (!c.question.isEmpty()) {
            EXPECT_EQ(f.dialogs->yesFirst, std::vector<bool>{true});
        }
        const QString archive = c.game->archiveFile;
        EXPECT_EQ(QFile::exists(f.dir.file(archive)), c.stored >= 0);
        if (c.stored > 0) {
            // Start-up goes on with the stored draws: the newest on display, the frequencies counted.
            const auto draws = f.dir.readArchive(archive);
            EXPECT_EQ(draws.size(), static_cast<std::size_t>(c.stored));
            EXPECT_TRUE(f.dialogs->errors.isEmpty()) << f.dialogs->errors.join(' ').toStdString();
            EXPECT_TRUE(f.dialogs->messages.isEmpty()) << f.dialogs->messages.join(' ').toStdString();
            EXPECT_EQ(f.context->chart.barCount(), c.game->numbers.highest());
            EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker1"))->date(),
                      dates::fromDayNumber(draws.back().date));
        } else {
            // As without a record: the evaluation's message and the frequencies' file error.
            EXPECT_EQ(f.dialogs->messages,
                      QStringList{QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein")});
            EXPECT_EQ(f.dialogs->errors.size(), 1);
        }
        if (c.name == std::string("no")) {
            // The game chosen again in this run brings no box again: the status bar says how to get draws.
            f.dialogs->messages.clear();
            f.dialogs->errors.clear();
            f.dialogs->questions.clear();
            auto* box = f.find<QComboBox>(QStringLiteral("ComboBox1"));
            for (const int index : {1, 0}) {
                box->setCurrentIndex(index);
                emit box->activated(index);
            }
            EXPECT_EQ(f.dialogs->questions.size(), 1); // the record of "6 aus 42", shown the first time
            EXPECT_EQ(f.dialogs->messages + f.dialogs->errors, QStringList());
            EXPECT_EQ(f.window->status(0) + " | " + f.window->status(1),
                      QStringLiteral(
                          "0 Ziehungen | Keine Ziehungen von 6 aus 45 gespeichert: „Import aus Text“ auf der "
                          "Seite „Datenbank“ oder die mitgelieferten beim nächsten Start."));
        }
        if (c.stored == 2096) {
            EXPECT_EQ(f.window->status(0), QStringLiteral("2096 Ziehungen übernommen"));
            // Shown whole: the panel is as wide as the text needs.
            QCoreApplication::processEvents();
            auto* panel = f.find<QLabel>(QStringLiteral("StatusPanel0"));
            EXPECT_EQ(panel->text(), QStringLiteral("2096 Ziehungen übernommen"));
            EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()));
            // Byte for byte what "Import aus Text" makes of the shipped file.
            TestDir imported;
            ArchiveGate gate;
            FakeUi ui;
            ImportReport report;
            storeDraws(gate.take(), DrawArchive(imported.path(), Game::sixOf45()), {},
                       readDrawFiles({shippedRecordPath()}, Game::sixOf45(), {f.today, {}, {}}), report, ui,
                       [](int) { return false; });
            EXPECT_EQ(f.dir.readFile(QStringLiteral("ZahlenCH.dat")),
                      imported.readFile(QStringLiteral("ZahlenCH.dat")));
            const auto draws = f.dir.readArchive();
            EXPECT_EQ(draws, shippedDraws());
            EXPECT_EQ(draws.front(), makeDraw(QDate(1986, 1, 4), {2, 5, 9, 15, 22, 28}, 43));
            EXPECT_EQ(draws.back(), makeDraw(QDate(2013, 1, 9), {2, 13, 25, 32, 34, 35}, 29));
        }
        if (c.stored == 1907) {
            // Exactly the record, every star within the drum of its day, and exported back line for line.
            const auto draws = f.dir.readArchive(archive);
            EXPECT_EQ(draws, shippedDraws(Game::euroMillions()));
            QFile record(shippedRecordPath(Game::euroMillions()));
            ASSERT_TRUE(record.open(QIODevice::ReadOnly));
            const QStringList lines =
                QString::fromUtf8(record.readAll()).split('\n', Qt::SkipEmptyParts).mid(1);
            ASSERT_EQ(lines.size(), qsizetype(draws.size()));
            for (std::size_t i = 0; i < draws.size(); ++i) {
                EXPECT_EQ(Game::euroMillions().problemOf(draws[i]).kind, Game::DrawProblem::Kind::None);
                EXPECT_EQ(exportText(draws[i]), lines[qsizetype(i)].trimmed() + ';');
            }
            EXPECT_EQ(f.window->status(1),
                      QStringLiteral("Neueste Ziehung: 30.12.2025 – seither 97 Ziehungen nicht "
                                     "gespeichert; „Aktualisieren“ holt sie."));
        }
        if (c.stored == 1354) {
            const auto draws = f.dir.readArchive(archive);
            EXPECT_EQ(draws, shippedDraws(Game::sixOf42()));
            EXPECT_EQ(draws.front(), makeDraw(QDate(2013, 1, 12), {6, 8, 9, 12, 28, 30}, 4));
            EXPECT_EQ(draws.back(), makeDraw(QDate(2025, 12, 31), {1, 11, 23, 37, 39, 40}, 6));
            EXPECT_TRUE(f.find<QLabel>(QStringLiteral("Label35"))->text().endsWith(QStringLiteral(" GZ:6")));
            // A year of draws not stored, said in the status bar (today is 08.12.2026), after the one draw
            // whose quotas, shipped along, were published with other numbers.
            EXPECT_EQ(
                f.window->status(1),
                QStringLiteral("Die Quoten vom 15.03.2025 fehlen: die Liste nennt 3 27 31 33 36 40 GZ:5, die "
                               "Datenbank 3 27 31 33 36 39 GZ:5.  Neueste Ziehung: 31.12.2025 – seither 97 "
                               "Ziehungen nicht gespeichert; „Aktualisieren“ holt sie."));
            EXPECT_EQ(QuotaStore(f.dir.path()).quotas(Game::sixOf42()).size(), 1353u);
        }
    }
}

#include "platform/AppError.h"
#include "platform/Dates.h"
#include "support/ArchiveExportEnv.h"

#include <QDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(ArchiveExport, LineFormat) {
    EXPECT_EQ(exportLine(makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7, 9)),
              QByteArray("05.10.2002;3;12;17;23;34;45;7;\r\n"));
    EXPECT_EQ(exportLine(makeDraw(QDate(1955, 10, 9), {40, 1, 2, 3, 4, 5}, 6)),
              QByteArray("09.10.1955;40;1;2;3;4;5;6;\r\n"));
}

TEST(ArchiveExport, DefaultNameSplitsByYearIntoTheProgramDirectory) {
    ExportEnv env;
    env.run(env.dir.file(QStringLiteral("CHJ2001.csv")));
    EXPECT_EQ(env.defaults, QStringList{env.dir.file(QStringLiteral("CHJ2001.csv"))});
    EXPECT_EQ(env.written(), (QStringList{"CHJ2001.csv", "CHJ2002.csv", "CHJ2003.csv"}));
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2001.csv")), lines2001);
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2002.csv")), lines2002);
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2003.csv")), lines2003);
    EXPECT_EQ(env.state.referenceDate, dates::toDayNumber(QDate(2001, 6, 2)));
}

TEST(ArchiveExport, StartAfterTheNewestDrawGivesOneEmptyFile) {
    ExportEnv env(QDate(2004, 2, 1));
    env.run(env.dir.file(QStringLiteral("CHJ2004.csv")));
    EXPECT_EQ(env.written(), QStringList{"CHJ2004.csv"});
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2004.csv")), QByteArray());
    EXPECT_EQ(env.state.referenceDate, dates::toDayNumber(QDate(2004, 2, 1)));
}

TEST(ArchiveExport, ChosenNamesWithAndWithoutTheYear) {
    // A folder named after the start year splits even though the file name does not hold it; the later
    // years go beside the chosen file, and the export says what it wrote.
    ExportEnv folder;
    QDir(folder.dir.path()).mkdir(QStringLiteral("Lotto2001"));
    folder.run(folder.dir.file(QStringLiteral("Lotto2001/ziehungen.txt")));
    EXPECT_EQ(folder.dir.readFile(QStringLiteral("Lotto2001/ziehungen.txt")), lines2001);
    EXPECT_EQ(folder.written(), QStringList());
    EXPECT_EQ(folder.dir.readFile(QStringLiteral("Lotto2001/CHJ2003.csv")), lines2003);
    EXPECT_EQ(folder.ui.messages,
              QStringList{"3 Dateien geschrieben: ziehungen.txt (2 Ziehungen), CHJ2002.csv "
                          "(2 Ziehungen), CHJ2003.csv (1 Ziehung)."});

    // Without the year's digits everything goes into the one chosen file.
    ExportEnv single;
    single.run(single.dir.file(QStringLiteral("alle.txt")));
    EXPECT_EQ(single.written(), QStringList{"alle.txt"});
    EXPECT_EQ(single.dir.readFile(QStringLiteral("alle.txt")), lines2001 + lines2002 + lines2003);
}

// A later year's file that is there is replaced after a yes, Nein first; with Nein it stays as it was.
TEST(ArchiveExport, ALaterFileThatIsThereIsReplacedOnlyAfterAYes) {
    ExportEnv env;
    env.dir.writeFile(QStringLiteral("CHJ2002.csv"), QByteArray(500, 'x'));
    env.run(env.dir.file(QStringLiteral("CHJ2001.csv")));
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2002.csv")), QByteArray(500, 'x'));
    EXPECT_EQ(env.ui.questions, QStringList{QStringLiteral("Die Datei \"%1\" gibt es schon. Soll sie ersetzt "
                                                           "werden?")
                                                .arg(env.dir.file("CHJ2002.csv"))});
    EXPECT_EQ(env.ui.messages.back(),
              "2 Dateien geschrieben: CHJ2001.csv (2 Ziehungen), CHJ2003.csv (1 Ziehung). "
              "Nicht ersetzt: CHJ2002.csv.");
    env.ui.questionAnswers = {true, true};
    env.run(env.dir.file(QStringLiteral("CHJ2001.csv")));
    EXPECT_EQ(env.ui.presets, std::vector(3, Ui::Preset::No));
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2001.csv")), lines2001);
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2002.csv")), lines2002);
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2003.csv")), lines2003);
}

// The archive is read before the chosen file is opened, and a file of the draws is never a target: either
// failure leaves every file as it was.
TEST(ArchiveExport, AMissingArchiveOrAChosenFileOfTheDrawsLeaveEveryFileAsItWas) {
    ExportEnv env;
    const QByteArray archiveBytes = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
    // The same file by another path: a hard link, another case of a file still to come, a link to one.
    QFile::link(env.dir.file(QStringLiteral("Zahlen42.dat")), env.dir.file(QStringLiteral("zu42")));
    ASSERT_EQ(::link(QFile::encodeName(env.dir.archivePath()).constData(),
                     QFile::encodeName(env.dir.file(QStringLiteral("kopie.dat"))).constData()),
              0);
    for (const char* name :
         {"ZahlenCH.dat", "ZahlenCH.dat~", "Zahlen.da~", "ZahlenCH.dat.lock", "unter/../ZahlenCH.dat",
          "Zahlen42.dat", "Zahlen42.dat~", "Zahlen42.da~", "kopie.dat", "ZAHLEN42.DAT", "zu42"}) {
        try {
            env.run(env.dir.file(QString::fromLatin1(name)));
            ADD_FAILURE() << name;
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("\"%1\" ist eine Datei der Datenbank und wird nicht überschrieben. "
                                     "Bitte wählen Sie einen anderen Namen.")
                          .arg(QDir::toNativeSeparators(env.dir.file(QString::fromLatin1(name)))));
        }
    }
    EXPECT_EQ(env.dir.readFile(QStringLiteral("ZahlenCH.dat")), archiveBytes);
    EXPECT_EQ(env.written(), QStringList{"kopie.dat"}); // and no Zahlen42.dat behind the link
    QFile::remove(env.dir.file(QStringLiteral("kopie.dat")));
    QFile::remove(env.dir.file(QStringLiteral("zu42")));

    QFile::remove(env.dir.archivePath());
    env.dir.writeFile(QStringLiteral("CHJ2001.csv"), "old content\r\n");
    EXPECT_THROW(env.run(env.dir.file(QStringLiteral("CHJ2001.csv"))), AppError);
    EXPECT_EQ(env.written(), QStringList{"CHJ2001.csv"});
    EXPECT_EQ(env.dir.readFile(QStringLiteral("CHJ2001.csv")), QByteArray("old content\r\n"));
    EXPECT_EQ(env.state.referenceDate, 777);
}

TEST(ArchiveExport, CancelWritesNothing) {
    ExportEnv env;
    env.run(QString());
    EXPECT_TRUE(env.written().isEmpty());
    EXPECT_EQ(env.state.referenceDate, 777);
}

TEST(ArchiveExport, UnwritableFileIsReported) {
    ExportEnv env;
    EXPECT_THROW(env.run(env.dir.file(QStringLiteral("no-such-folder/CHJ2001.csv"))), AppError);
    EXPECT_EQ(env.state.referenceDate, 777);
}

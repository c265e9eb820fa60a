#include "archive/AppState.h"
#include "archive/ArchiveExport.h"
#include "archive/DrawArchive.h"
#include "archive/TextImport.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "support/FakeUi.h"

#include "support/TestDir.h"

#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// A process killed in the middle of a rewrite (insert, delete, import) leaves the archive either as it was or
// as it was meant to become, never missing and never half-written.
TEST(DrawArchiveKill, ArchiveSurvivesSigkillDuringRewrites) {
    TestDir dir;
    const auto base = generatedDraws(QDate(1990, 1, 3), 2000, 3);
    const DrawRecord extra = makeDraw(QDate(1995, 6, 7).addDays(1), {1, 2, 3, 4, 5, 6}, 7, 0);
    std::vector<DrawRecord> withExtra;
    for (const auto& r : base) {
        if (r.datum > extra.datum && withExtra.size() == static_cast<std::size_t>(&r - base.data()))
            withExtra.push_back(extra);
        withExtra.push_back(r);
    }
    ASSERT_EQ(withExtra.size(), base.size() + 1);
    dir.writeArchive(base);
    dir.writeFile(QStringLiteral("extra.csv"), QByteArray("Datum;Zahlen\n") + exportLine(extra));

    std::mt19937 gen(42);
    std::uniform_int_distribution<int> pause(0, 15000);
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            DrawArchive archive(dir.path());
            AppState state;
            state.programDir = dir.path();
            Controls controls;
            FakeUi ui;
            Clock clock;
            const QStringList importFile{dir.file(QStringLiteral("extra.csv"))};
            for (;;) {
                archive.insertOrReplace(extra);
                archive.deleteDate(extra.datum);
                // The import's one rewrite as well.
                importDrawFiles(
                    state, controls, ui, clock, [&] { return importFile; }, [] {});
                archive.deleteDate(extra.datum);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pause(gen)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        ASSERT_TRUE(QFile::exists(dir.archivePath())) << "round " << round;
        const auto now = dir.readArchive();
        ASSERT_TRUE(now == base || now == withExtra) << "round " << round << ": " << now.size() << " records";
        ASSERT_EQ(dir.readFile(QStringLiteral("ZahlenCH.dat")).size() % 16, 0);
    }
}

#include "archive/ArchiveExport.h"
#include "import/TextImport.h"
#include "support/SessionEnv.h"

#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// A process killed in the middle of any write of the archive - a rewrite (insert, delete, import, the
// rebuild's commit) or the update's append - leaves the archive either as it was or as it was meant to
// become, never missing and never half-written. ZIEHBOX_KILL_ROUNDS sets the number of kills (the soak
// run, "make soak", takes 10,000).
TEST(DrawArchiveKill, ArchiveSurvivesSigkillDuringEveryWrite) {
    TestDir dir;
    const auto base = generatedDraws(QDate(1990, 1, 3), 2000, 3);
    const DrawRecord extra = makeDraw(QDate(1995, 6, 7).addDays(1), {1, 2, 3, 4, 5, 6}, 7, 0);
    const DrawRecord later = makeDraw(QDate(2010, 6, 5), {11, 12, 13, 14, 15, 16}, 17, 0);
    std::vector<DrawRecord> withExtra;
    for (const auto& r : base) {
        if (r.datum > extra.datum && withExtra.size() == static_cast<std::size_t>(&r - base.data()))
            withExtra.push_back(extra);
        withExtra.push_back(r);
    }
    ASSERT_EQ(withExtra.size(), base.size() + 1);
    std::vector<DrawRecord> withLater = base;
    withLater.push_back(later);
    dir.writeArchive(base);
    dir.writeFile(QStringLiteral("extra.csv"), QByteArray("Datum;Zahlen\n") + exportLine(extra));

    const int rounds = qEnvironmentVariableIsSet("ZIEHBOX_KILL_ROUNDS")
                           ? qEnvironmentVariableIntValue("ZIEHBOX_KILL_ROUNDS")
                           : 60;
    int losses = 0;
    std::mt19937 gen(42);
    std::uniform_int_distribution<int> pause(0, 15000);
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SessionEnv env;
            AppState& state = env.state;
            state.programDir = dir.path();
            const DrawArchive archive = state.archive();
            const QStringList importFile{dir.file(QStringLiteral("extra.csv"))};
            for (;;) {
                {
                    const ArchiveLease lease = state.archiveGate.take();
                    archive.insertOrReplace(lease, extra);
                    archive.deleteDate(lease, extra.datum);
                }
                // The import's one rewrite.
                importDrawFiles(
                    env.session, [&] { return importFile; }, [] {});
                const ArchiveLease lease = state.archiveGate.take();
                archive.deleteDate(lease, extra.datum);
                // The rebuild's commit of a whole new archive.
                auto rebuilt = archive.openReplacement(lease);
                for (const auto& r : withExtra) rebuilt.append(r);
                archive.commitReplacement(rebuilt);
                archive.deleteDate(lease, extra.datum);
                // The update's append behind the newest draw.
                auto update = archive.openForAppend(lease);
                update.append(later);
                update.close();
                archive.deleteDate(lease, later.datum);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pause(gen)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const auto now = dir.readArchive();
        const bool whole =
            QFile::exists(dir.archivePath()) && (now == base || now == withExtra || now == withLater);
        if (!whole) {
            ++losses;
            ADD_FAILURE() << "round " << round << ": " << now.size() << " records";
        }
        dir.writeArchive(base); // each round starts from the same archive
    }
    std::cout << "kills: " << rounds << ", losses: " << losses << std::endl;
}

#include "archive/ArchiveLock.h"
#include "archive/DrawRecord.h"
#include "import/ArchiveExport.h"
#include "import/TextImport.h"
#include "support/SessionEnv.h"

#include <QFile>
#include <array>
#include <chrono>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// The steps of the writing child, in the order it runs them; the child names the one it is in.
enum Step { Insert, Delete, Import, RebuildAppends, RebuildCommit, UpdateAppend, Cleanup, StepCount };
const char* const StepNames[StepCount] = {
    "insert", "delete", "import", "rebuild appending", "rebuild's commit", "update's append", "clean-up"};

QByteArray bytesOf(const std::vector<Draw>& records) {
    QByteArray bytes;
    for (const auto& r : records) {
        const auto b = DrawRecord::encode(r, Game::sixOf45());
        bytes.append(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    }
    return bytes;
}

} // namespace

// A process killed in the middle of any write of the archive - a rewrite (insert, delete, import, the
// rebuild's commit) or the update's append - leaves the archive byte for byte either as it was or as it was
// meant to become, never missing and never half-written, and the next start leaves no work file behind.
// Each kill is counted by the step it landed in. ZIEHBOX_KILL_ROUNDS sets the number of kills (the soak
// run, "make soak", takes 10,000).
TEST(DrawArchiveKill, ArchiveSurvivesSigkillDuringEveryWrite) {
    TestDir dir;
    const auto base = generatedDraws(QDate(1990, 1, 3), 2000, 3);
    const Draw extra = makeDraw(QDate(1995, 6, 7).addDays(1), {1, 2, 3, 4, 5, 6}, 7, 0);
    const Draw later = makeDraw(QDate(2010, 6, 5), {11, 12, 13, 14, 15, 16}, 17, 0);
    std::vector<Draw> withExtra;
    for (const auto& r : base) {
        if (r.date > extra.date && withExtra.size() == static_cast<std::size_t>(&r - base.data()))
            withExtra.push_back(extra);
        withExtra.push_back(r);
    }
    ASSERT_EQ(withExtra.size(), base.size() + 1);
    std::vector<Draw> withLater = base;
    withLater.push_back(later);
    const QByteArray wholeArchives[] = {bytesOf(base), bytesOf(withExtra), bytesOf(withLater)};
    dir.writeArchive(base);
    dir.writeFile(QStringLiteral("extra.csv"), QByteArray("Datum;Zahlen\n") + exportLine(extra));

    // The step the child is in, where the parent reads it after the kill.
    auto* step = static_cast<volatile int*>(
        ::mmap(nullptr, sizeof(int), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(static_cast<void*>(const_cast<int*>(step)), MAP_FAILED);

    const int rounds = qEnvironmentVariableIsSet("ZIEHBOX_KILL_ROUNDS")
                           ? qEnvironmentVariableIntValue("ZIEHBOX_KILL_ROUNDS")
                           : 60;
    int losses = 0;
    std::array<int, StepCount> kills{};
    std::mt19937 gen(42);
    std::uniform_int_distribution<int> pause(0, 400);
    for (int round = 0; round < rounds; ++round) {
        *step = Cleanup;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // No temporary folder of its own: a killed child never removes it, and every child, forked
            // from one parent, would try the same names.
            SessionParts parts;
            AppState& state = parts.state;
            Session& session = parts.session;
            state.programDir = dir.path();
            const DrawArchive archive = state.archive();
            const QStringList importFile{dir.file(QStringLiteral("extra.csv"))};
            for (;;) {
                {
                    const ArchiveLease lease = state.archiveGate.take();
                    *step = Insert;
                    archive.insertOrReplace(lease, extra);
                    *step = Delete;
                    archive.deleteDraw(lease, extra);
                }
                *step = Import; // the import's one rewrite, the day without a draw taken on the question
                parts.ui.questionAnswers = {true};
                importDrawFiles(
                    session, [&] { return importFile; }, [] {});
                const ArchiveLease lease = state.archiveGate.take();
                *step = Delete;
                archive.deleteDraw(lease, extra);
                *step = RebuildAppends; // the rebuild's new archive, built aside
                auto rebuilt = archive.openReplacement(lease);
                for (const auto& r : withExtra) rebuilt.append(r);
                *step = RebuildCommit;
                archive.commitReplacement(rebuilt);
                *step = Delete;
                archive.deleteDraw(lease, extra);
                *step = UpdateAppend; // behind the newest draw, the archive itself
                auto update = archive.openForAppend(lease);
                update.append(later);
                update.close();
                *step = Delete;
                archive.deleteDraw(lease, later);
                *step = Cleanup;
            }
        }
        // Each round aims at one step in turn - the short ones, the commit and the append, too - and kills a
        // moment after the child has entered it; the step it was in when it died is the one counted.
        const int aim = round % (StepCount - 1);
        for (int spins = 0; *step != aim && spins < 2000000; ++spins) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::microseconds(pause(gen)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++kills[static_cast<std::size_t>(*step)];

        const QByteArray now = dir.readFile(QStringLiteral("ZahlenCH.dat"));
        const bool whole =
            QFile::exists(dir.archivePath()) &&
            std::find(std::begin(wholeArchives), std::end(wholeArchives), now) != std::end(wholeArchives);
        // The next start takes the lock, and the work files of the killed run go.
        ASSERT_NE(ArchiveLock::take(dir.path(), [](const QString&) { return false; }), nullptr);
        const bool clean = !QFile::exists(dir.file(QStringLiteral("ZahlenCH.dat~"))) &&
                           !QFile::exists(dir.file(QStringLiteral("Zahlen.da~")));
        if (!whole || !clean) {
            ++losses;
            ADD_FAILURE() << "round " << round << " (" << StepNames[*step] << "): " << now.size() << " bytes"
                          << (clean ? "" : ", a work file left");
        }
        dir.writeArchive(base); // each round starts from the same archive
    }
    ::munmap(const_cast<int*>(step), sizeof(int));
    std::cout << "kills: " << rounds << ", losses: " << losses << "; by step:";
    for (int s = 0; s < StepCount; ++s) std::cout << (s ? ", " : " ") << StepNames[s] << " " << kills[s];
    std::cout << std::endl;
}

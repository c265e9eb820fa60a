#include "BenchData.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "archive/DrawArchive.h"
#include "import/ArchiveExport.h"
#include "import/ShippedRecord.h"
#include "import/TextImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
QString shippedRecord(const Game& game = Game::sixOf45()) {
    return QStringLiteral(ZIEHBOX_RECORDS_DIR "/") + game.shippedRecord;
}
} // namespace

// Scanning the archive against reading its bytes: the record decoding is what the scan adds.
static void ArchiveScan3000(benchmark::State& state) {
    BenchArchive data;
    const DrawArchive archive(data.programDir(), Game::sixOf45());
    for (auto _ : state) benchmark::DoNotOptimize(archive.scan());
}
BENCHMARK(ArchiveScan3000)->Unit(benchmark::kMicrosecond);

static void ArchivePlainRead3000(benchmark::State& state) {
    BenchArchive data;
    const QString path = data.programDir() + QStringLiteral("ZahlenCH.dat");
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}
BENCHMARK(ArchivePlainRead3000)->Unit(benchmark::kMicrosecond);

// The ratio of the two above, measured side by side in one run.
void printArchiveScanRatio() {
    BenchArchive data;
    const DrawArchive archive(data.programDir(), Game::sixOf45());
    const QString path = data.programDir() + QStringLiteral("ZahlenCH.dat");
    constexpr int rounds = 300;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < rounds; ++i) benchmark::DoNotOptimize(archive.scan());
    const double scan = static_cast<double>(clock.nsecsElapsed()) / rounds;
    clock.restart();
    for (int i = 0; i < rounds; ++i) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
    const double plain = static_cast<double>(clock.nsecsElapsed()) / rounds;
    std::printf("Archive of %zu draws: scan %.1f us, plain read %.1f us, ratio %.2f\n", data.records().size(),
                scan / 1000, plain / 1000, scan / plain);
}

// "Import aus Text" of a 3,000-line export: into an empty archive, and into one that already holds
// 3,000 later draws (one rewrite of 6,000 records). Each round starts from the same archive. The generated
// draws run past the years of "6 aus 45"; the bench says yes to taking them.
static void ImportText3000(benchmark::State& state) {
    const bool full = state.range(0) != 0;
    BenchSession s;
    s.ui.answerYes = true;
    const QString archivePath = s.data.programDir() + QStringLiteral("ZahlenCH.dat");
    QFile original(archivePath);
    original.open(QIODevice::ReadOnly);
    const QByteArray archiveBytes = original.readAll();
    original.close();
    QByteArray text;
    for (Draw r : s.data.records()) {
        if (full) r.date -= 7 * 1560; // the same weekdays, all before the stored draws, none before 1955
        text += exportLine(r);
    }
    const QString file = s.data.programDir() + QStringLiteral("import.csv");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(text);
    out.close();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(archivePath);
        if (full) {
            QFile f(archivePath);
            f.open(QIODevice::WriteOnly);
            f.write(archiveBytes);
        }
        state.ResumeTiming();
        const ImportReport report = importDrawFiles(
            s.session, [&] { return QStringList{file}; }, [] {});
        if (report.inserted != 3000) state.SkipWithError("not every line was imported");
    }
}
BENCHMARK(ImportText3000)->Arg(0)->Arg(1)->ArgName("intoFullArchive")->Unit(benchmark::kMillisecond);

// The shipped record of the 2,096 real draws through "Import aus Text" into an empty archive.
static void ImportShippedRecord(benchmark::State& state) {
    BenchSession s;
    const QString archivePath = s.data.programDir() + QStringLiteral("ZahlenCH.dat");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(archivePath);
        state.ResumeTiming();
        const ImportReport report = importDrawFiles(
            s.session, [] { return QStringList{shippedRecord()}; }, [] {});
        if (report.inserted != 2096) state.SkipWithError("the shipped record was not read whole");
    }
}
BENCHMARK(ImportShippedRecord)->Unit(benchmark::kMillisecond);

// A new user's first start, on 6 aus 42 with its shipped record, the question answered yes: the copy of the
// record alone, and the whole start up to the window shown.
void printFirstStart() {
    constexpr int rounds = 20;
    double copying = 0;
    double starting = 0;
    for (int i = 0; i < rounds; ++i) {
        QTemporaryDir dir;
        const QString programDir = dir.path() + QLatin1Char('/');
        AppContext context(programDir, programDir + QStringLiteral("settings.ini"));
        auto dialogs = std::make_unique<YesDialogs>();
        YesDialogs& answers = *dialogs;
        context.dialogs = std::move(dialogs);
        context.sound = std::make_unique<NoSound>();
        context.dataFolders = {QFileInfo(shippedRecord()).absolutePath()};
        QElapsedTimer clock;
        clock.start();
        MainWindow window(context);
        window.startUp();
        window.show();
        QCoreApplication::processEvents();
        starting += static_cast<double>(clock.nsecsElapsed());
        if (!answers.errors.isEmpty() ||
            QFileInfo(programDir + Game::sixOf42().archiveFile).size() != 1354 * 16)
            std::printf("First start: the record was not taken\n");

        // The copy alone, through the same path, into a fresh folder.
        QTemporaryDir again;
        BenchSession s;
        s.state.programDir = again.path() + QLatin1Char('/');
        s.state.game = &Game::sixOf42();
        s.ui.answerYes = true;
        clock.restart();
        shippedrecord::offer(s.session, shippedRecord(Game::sixOf42()));
        copying += static_cast<double>(clock.nsecsElapsed());
        window.close();
    }
    std::printf("First start with the shipped record of 1,354 draws of 6 aus 42: copy %.1f ms, start up to "
                "the window shown "
                "%.1f ms\n",
                copying / rounds / 1e6, starting / rounds / 1e6);
}

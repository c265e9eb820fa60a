#include "BenchData.h"

#include "archive/ArchiveExport.h"
#include "archive/DrawArchive.h"
#include "archive/TextImport.h"

#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>

// Scanning the archive against reading its bytes: the record decoding is what the scan adds.
static void ArchiveScan3000(benchmark::State& state) {
    BenchArchive data;
    DrawArchive archive(data.programDir());
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
    DrawArchive archive(data.programDir());
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
// 3,000 earlier draws (one rewrite of 6,000 records). Each round starts from the same archive.
static void ImportText3000(benchmark::State& state) {
    const bool full = state.range(0) != 0;
    BenchSession s;
    const QString archivePath = s.data.programDir() + QStringLiteral("ZahlenCH.dat");
    QFile original(archivePath);
    original.open(QIODevice::ReadOnly);
    const QByteArray archiveBytes = original.readAll();
    original.close();
    QByteArray text;
    for (DrawRecord r : s.data.records()) {
        if (full) r.datum += 7 * 1600; // the same weekdays, all after the stored draws
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
            s.state, s.controls, s.ui, s.clock, [&] { return QStringList{file}; }, [] {});
        if (report.inserted != 3000) state.SkipWithError("not every line was imported");
    }
}
BENCHMARK(ImportText3000)->Arg(0)->Arg(1)->ArgName("intoFullArchive")->Unit(benchmark::kMillisecond);

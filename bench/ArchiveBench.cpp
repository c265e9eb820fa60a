#include "BenchData.h"

#include "archive/DrawArchive.h"

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

#include "BenchData.h"

#include "archive/DrawArchive.h"

#include <QFile>
#include <benchmark/benchmark.h>

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

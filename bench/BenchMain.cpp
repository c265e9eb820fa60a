#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

void printArchiveScanRatio();
void printFirstStart();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printArchiveScanRatio();
    printFirstStart();
    return 0;
}

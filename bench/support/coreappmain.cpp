// The main of a benchmark whose code needs a QCoreApplication (timers, sockets, the event loop).
#include <QCoreApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

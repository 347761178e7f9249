// Times the results list's operations on 100,000 rows without a view, with and without the
// journal.
#include "resultsbench.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    return resultsbench::InOwnProcesses(argc, argv, [&](bool journalled) {
        QCoreApplication app(argc, argv);
        resultsbench::ListUnderTest bench(journalled);
        std::printf("Results list, no view attached%s:\n", journalled ? ", journalled" : "");
        const double slowest = resultsbench::RunAll(
            bench.list, [] { QCoreApplication::processEvents(); }, bench.journalOrNull());
        std::printf("  slowest step: %.1f ms cpu\n", slowest);
        return 0;
    });
}

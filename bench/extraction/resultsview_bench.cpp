// Times the results list's operations on 100,000 rows with the view shown (offscreen), so the
// view's reaction to every model and selection signal, and its repaint, are part of the cost;
// with and without the journal.
#include "gui/extraction/resultsview.h"
#include "resultsbench.h"

#include <QApplication>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return resultsbench::InOwnProcesses(argc, argv, [&](bool journalled) {
        QApplication app(argc, argv);
        resultsbench::ListUnderTest bench(journalled);
        ResultsView view(bench.list);
        view.resize(911, 177);
        view.show();
        QApplication::processEvents();

        std::printf("Results list with the view shown%s:\n", journalled ? ", journalled" : "");
        const double slowest = resultsbench::RunAll(
            bench.list,
            [&view] {
                QApplication::processEvents();
                view.repaint();
            },
            bench.journalOrNull());
        std::printf("  slowest step: %.1f ms cpu\n", slowest);
        return 0;
    });
}

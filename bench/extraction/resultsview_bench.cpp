// Times the results list's operations on 100,000 rows with the view shown (offscreen), so the
// view's reaction to every model and selection signal, and its repaint, are part of the cost;
// with and without the journal.
#include "core/host/linuxhost.h"
#include "gui/extraction/resultsview.h"
#include "resultsbench.h"
#include "support/fakehost.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <optional>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return resultsbench::InOwnProcesses(argc, argv, [&](bool journalled) {
        QApplication app(argc, argv);
        QTemporaryDir dir;
        LinuxHost host(dir.filePath(QStringLiteral("registry.ini")));
        FakeDialogs dialogs;
        FakeStatus status;
        AppContext context(host, status, dialogs);
        context.texts.setText(QStringLiteral("main45"), QStringLiteral("[VAR1] items listed"));
        ResultsList list(context);
        std::optional<ResultsJournal> journal;
        if (journalled) {
            journal.emplace(list, dir.filePath(QStringLiteral("results.journal")));
            journal->start(dialogs, context.texts, QLocale::c());
        }
        ResultsView view(list);
        view.resize(911, 177);
        view.show();
        QApplication::processEvents();

        std::printf("Results list with the view shown%s:\n", journalled ? ", journalled" : "");
        const double slowest = resultsbench::RunAll(
            list,
            [&view] {
                QApplication::processEvents();
                view.repaint();
            },
            journal ? &*journal : nullptr);
        std::printf("  slowest step: %.1f ms cpu\n", slowest);
        return 0;
    });
}

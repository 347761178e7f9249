// Times the results list's operations on 100,000 rows without a view, with and without the
// journal.
#include "core/host/linuxhost.h"
#include "resultsbench.h"
#include "support/fakehost.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <optional>

int main(int argc, char **argv) {
    return resultsbench::InOwnProcesses(argc, argv, [&](bool journalled) {
        QCoreApplication app(argc, argv);
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

        std::printf("Results list, no view attached%s:\n", journalled ? ", journalled" : "");
        const double slowest = resultsbench::RunAll(
            list, [] { QCoreApplication::processEvents(); }, journal ? &*journal : nullptr);
        std::printf("  slowest step: %.1f ms cpu\n", slowest);
        return 0;
    });
}

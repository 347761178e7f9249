// Times the results list's operations on 100,000 rows without a view.
#include "core/host/linuxhost.h"
#include "resultsbench.h"
#include "support/fakehost.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    LinuxHost host(dir.filePath(QStringLiteral("registry.ini")));
    FakeDialogs dialogs;
    FakeStatus status;
    AppContext context(host, status, dialogs);
    context.texts.setText(QStringLiteral("main45"), QStringLiteral("[VAR1] items listed"));
    ResultsList list(context);

    std::printf("Results list, no view attached:\n");
    const double slowest = resultsbench::RunAll(list, [] { QCoreApplication::processEvents(); });
    std::printf("  slowest step: %.1f ms cpu\n", slowest);
    return 0;
}

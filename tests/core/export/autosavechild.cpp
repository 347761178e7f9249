// Appends numbered rows to an automatic export file until it is killed. Each count is printed
// while the program processes events after counting the row, the moment the window shows it;
// with PAUSE_AT above 0 it stops there for good once that count is reached.
#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "exporttesthelpers.h"
#include "support/testcontext.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: autosavechild FOLDER PAUSE_AT\n");
        return 2;
    }
    const Windows1252Scope codePage;
    TestContext t;
    t.context.run.DateTimeVal = QStringLiteral("killed run");
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int pauseAt = std::atoi(argv[2]);
    for (int row = 1;; ++row) {
        const ExportResult result =
            AutomaticSave(AutomaticExportOf(t.context), CaptionList(), folder, QStringLiteral("Results"),
                          ExportLine(NumberedRow(row), QStringLiteral(",")));
        if (!result) {
            std::fprintf(stderr, "%s\n", qPrintable(result.errorString));
            return 1;
        }
        // Each counted row is reported as soon as it is counted.
        std::printf("%d\n", t.context.run.ExportedNum);
        std::fflush(stdout);
        while (t.context.run.ExportedNum == pauseAt) {
            pause();
        }
    }
}

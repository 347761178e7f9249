// Lists numbered rows into a journalled results list until it is killed: a few every 10 ms,
// now and then thousands at once. Each row's number is printed once the row is listed.
#include "core/extraction/resultslist.h"
#include "core/journal/resultsjournal.h"
#include "journalrows.h"
#include "support/testcontext.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <random>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: journalchild JOURNAL\n");
        return 2;
    }
    TestContext t;
    ResultsList list(ListPiecesOf(t.context));
    ResultsJournal journal(list, QString::fromLocal8Bit(argv[1]));
    journal.start(t.dialogs, t.context.texts, QLocale::c());
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> few(1, 5);
    std::bernoulli_distribution thousands(0.01);
    int listed = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (int left = thousands(random) ? 3000 : few(random); left > 0; --left) {
            list.appendRow(JournalRow(++listed));
            std::printf("%d\n", listed);
        }
        std::fflush(stdout);
    });
    timer.start(10);
    return app.exec();
}

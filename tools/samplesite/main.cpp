// tarnwick-sample-site: serves everything an extraction run talks to on 127.0.0.1, so a whole
// run works without an account or a network. Prints the base address once it accepts requests
// and serves until SIGINT or SIGTERM.

#include "core/app/endpointnames.h"
#include "samplesite/samplesite.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <utility>

namespace {

struct Arguments {
    SampleSiteOptions options;
    bool printEnvironment = false;
};

bool ParseArguments(const QCoreApplication &app, Arguments &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves a sample LinkedIn search, Places service, company web "
                                                    "sites and publisher files on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to serve on (0: a free one)."),
                                  QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the sample data."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption pages1(QStringLiteral("pages1"), QStringLiteral("Result pages of the first layout."),
                                    QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption pages2(QStringLiteral("pages2"), QStringLiteral("Result pages of the second layout."),
                                    QStringLiteral("N"), QStringLiteral("2"));
    const QCommandLineOption pages3(QStringLiteral("pages3"), QStringLiteral("Result pages of today's search."),
                                    QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption entries(QStringLiteral("entries"), QStringLiteral("Companies per result page."),
                                     QStringLiteral("N"), QStringLiteral("10"));
    const QCommandLineOption shared(QStringLiteral("shared"),
                                    QStringLiteral("Entries of each second-layout page taken from the first layout."),
                                    QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption keyword(QStringLiteral("keyword"), QStringLiteral("Keyword the searches show."),
                                     QStringLiteral("K"), QStringLiteral("Widgets"));
    const QCommandLineOption startAtSearch(QStringLiteral("start-at-search"),
                                           QStringLiteral("Redirect \"/\" to the first result page."));
    const QCommandLineOption printEnv(QStringLiteral("print-env"),
                                      QStringLiteral("Also print TARNWICK_<NAME>=<value> lines, then \"ready\"."));
    parser.addOptions({port, seed, pages1, pages2, pages3, entries, shared, keyword, startAtSearch, printEnv});
    parser.process(app);

    bool ok = true;
    const auto number = [&parser, &ok](const QCommandLineOption &option) {
        bool isNumber = false;
        const int value = parser.value(option).toInt(&isNumber);
        ok = ok && isNumber && value >= 0;
        return value;
    };
    SampleSiteOptions &options = arguments.options;
    options.port = number(port);
    bool seedIsNumber = false;
    options.seed = parser.value(seed).toUInt(&seedIsNumber);
    ok = ok && seedIsNumber;
    options.layout1Pages = number(pages1);
    options.layout2Pages = number(pages2);
    options.layout3Pages = number(pages3);
    options.entriesPerPage = number(entries);
    options.sharedEntries = number(shared);
    options.keyword = parser.value(keyword);
    options.startAtSearch = parser.isSet(startAtSearch);
    arguments.printEnvironment = parser.isSet(printEnv);
    return ok && options.port <= 65535;
}

void PrintEnvironment(const Endpoints &endpoints) {
    for (const auto &[name, member] : EndpointEnvironmentNames()) {
        std::printf("%s=%s\n", name, qPrintable(endpoints.*member));
    }
    std::printf("ready\n");
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-sample-site"));
    Arguments arguments;
    if (!ParseArguments(app, arguments)) {
        std::fprintf(stderr, "tarnwick-sample-site: numbers must be whole and not negative\n");
        return 2;
    }

    // Blocked before the server's threads exist, so they inherit the mask and only sigwait
    // below receives the signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SampleSite site(arguments.options);
    if (!site.start()) {
        std::fprintf(stderr, "tarnwick-sample-site: cannot listen on 127.0.0.1:%d\n", arguments.options.port);
        return 1;
    }
    std::printf("%s\n", qPrintable(site.base()));
    if (arguments.printEnvironment) {
        PrintEnvironment(site.endpoints());
    }
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    site.stop();
    return 0;
}

#include "gui/app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace {

// Whether any argument before a "--" is one of names.
bool HasArgument(int argc, char **argv, std::initializer_list<std::string_view> names) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--") {
            return false;
        }
        for (const std::string_view name : names) {
            if (argument == name) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

QString SampleSiteProgram(const QString &executableFolder) {
    const QFileInfo program(executableFolder + QStringLiteral("/tarnwick-sample-site"));
    return program.isFile() && program.isExecutable() ? program.filePath() : QString();
}

bool AsksOnlyForText(int argc, char **argv) {
    return HasArgument(argc, argv, {"-h", "-?", "--help", "--help-all", "-v", "--version"});
}

bool AsksForVerbose(int argc, char **argv) {
    return HasArgument(argc, argv, {"--verbose"});
}

CommandLine ParseCommandLine(const QCoreApplication &app, bool demoAvailable) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Collects company contact records from LinkedIn's company search.\n"
                       "Chromium switches for the browser pane go in QTWEBENGINE_CHROMIUM_FLAGS."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Show the browser engine's messages on the console."));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Run on the sample site on 127.0.0.1 instead of the real sites, in "
                                                 "a throw-away home folder, without the pause between requests."));
    const QCommandLineOption queue(QStringLiteral("queue"),
                                   QStringLiteral("Run the searches listed in FILE, one a line (a LinkedIn search "
                                                  "address or keywords), in place of the stored queue."),
                                   QStringLiteral("FILE"));
    parser.addOption(verbose);
    parser.addOption(queue);
    if (demoAvailable) {
        parser.addOption(demo);
    }
    CommandLine line;
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(parser.errorText()));
        line.exitStatus = EXIT_FAILURE;
        return line;
    }
    parser.process(app);
    line.verbose = parser.isSet(verbose);
    line.demo = demoAvailable && parser.isSet(demo);
    if (parser.isSet(queue)) {
        line.queueFile = QFileInfo(parser.value(queue)).absoluteFilePath();
    }
    return line;
}

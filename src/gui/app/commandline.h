#pragma once

#include <QString>

#include <optional>

class QCoreApplication;

// The program's own options. Qt's options (-platform, -style) are taken by the application
// object before these are read; Chromium's switches go through QTWEBENGINE_CHROMIUM_FLAGS, never
// through the command line.
struct CommandLine {
    bool verbose = false;
    bool demo = false;
    // --queue FILE: the searches to run, one a line; empty for none.
    QString queueFile;
    // Set when the program ends at once with this status: a wrong option was reported.
    std::optional<int> exitStatus;
};

// The sample site that --demo runs against; empty when none lies in executableFolder.
QString SampleSiteProgram(const QString &executableFolder);

// Whether the raw arguments ask only for text (help or version), which needs no window system.
bool AsksOnlyForText(int argc, char **argv);
// Whether the raw arguments hold --verbose. Read before the application object exists, because
// the browser engine's messages are set up from the environment by then.
bool AsksForVerbose(int argc, char **argv);

// Reads the options of the application's arguments; --demo exists only when demoAvailable.
// --help and --version print their text and end the process; a wrong option is reported and
// handed back as an exit status, so the caller returns in order and its temporary folders go.
CommandLine ParseCommandLine(const QCoreApplication &app, bool demoAvailable);

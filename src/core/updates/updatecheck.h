#pragma once

#include <QString>

#include <functional>

struct AppContext;
class Fetcher;

// The name of the updater program that lies beside the executable.
inline constexpr QStringView UpdaterProgramName = u"tarnwick-updater";

// Asks the publisher's server whether a newer version exists and, when the user agrees, starts
// the updater beside the executable with the update folder, the running version and "A", then
// closes the window, so the updater can replace the program.
class UpdateCheck {
public:
    // closeWindow ends the program by the window's usual closing path.
    UpdateCheck(AppContext &context, Fetcher &fetcher, QString executableFolder, std::function<void()> closeWindow);

    // Silent: say nothing when the program is up to date (the check at start-up). A failed fetch
    // or an unreadable file says nothing in either mode.
    void DownloadApplicationUpdates(bool Silent);

private:
    AppContext &m_context;
    Fetcher &m_fetcher;
    QString m_executableFolder;
    std::function<void()> m_closeWindow;
};

#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <functional>

class Dialogs;
struct Endpoints;
class Fetcher;
class Host;
class UiTexts;

// The name of the updater program that lies beside the executable.
inline constexpr QStringView UpdaterProgramName = u"tarnwick-updater";

// Asks the publisher's server whether a newer version exists and, when the user agrees, starts
// the updater beside the executable with the update folder, the running version and "A", then
// closes the window, so the updater can replace the program.
class UpdateCheck {
public:
    struct Pieces {
        Fetcher &fetcher;
        Host &host;
        Dialogs &dialogs;
        const UiTexts &texts;
        const Endpoints &endpoints;
    };

    // closeWindow ends the program by the window's usual closing path.
    UpdateCheck(Pieces pieces, QString executableFolder, std::function<void()> closeWindow);

    // Silent: say nothing when the program is up to date or the check fails (the check at
    // start-up). Asked by the user, a failed fetch or an unreadable file is named with its reason. stop ends the fetch
    // (the window closes); a run's Stop does not touch it.
    QCoro::Task<> DownloadApplicationUpdates(bool Silent, StopToken stop);

private:
    Pieces m_pieces;
    QString m_executableFolder;
    std::function<void()> m_closeWindow;
};

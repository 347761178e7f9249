#pragma once

#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/host/host.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

// A substitute host: an in-memory registry, recorded program starts and runs, and folders the
// test names.
class FakeHost : public Host {
public:
    struct StartedProgram {
        QString program;
        QStringList arguments;
    };

    QString readClassesRootDefault(const QString &key) override { return classesRoot.value(key); }
    bool writeCurrentUserDword(const QString &key, const QString &valueName, quint32 value) override;
    std::optional<FileVersion> fileVersion(const QString &path) override;
    void clearBrowserCache() override { ++cacheClears; }
    QString browserLauncher() override { return launcher; }
    bool startProgram(const QString &program, const QStringList &arguments, QString *errorText = nullptr) override;
    // Recorded in started as well; ends at once as programExit says.
    QCoro::Task<ProgramExit> runProgram(const QString &program, const QStringList &arguments, StopToken stop) override;
    QString executableName() override { return exeName; }
    QString documentsFolder() override { return documents; }
    QString appDataFolder() override { return appData; }

    // Registry substitute.
    QHash<QString, QString> classesRoot;
    QMap<QString, QMap<QString, quint32>> currentUser; // key -> value name -> DWORD
    bool failRegistryWrites = false;
    QHash<QString, FileVersion> fileVersions;

    int cacheClears = 0;
    QString launcher = QStringLiteral("xdg-open");
    bool failStarts = false;
    ProgramExit programExit{ProgramExit::Kind::Exited, 0, {}};
    QList<StartedProgram> started;
    QString exeName = QStringLiteral("tarnwick");
    QString documents = QStringLiteral("/home/user/Documents");
    QString appData = QStringLiteral("/home/user/.config");
};

// A status bar that keeps what it is told.
class FakeStatus : public StatusSink {
public:
    void setPanelText(int panel, const QString &text) override;
    QString panelText(int panel) const override { return panels.value(panel); }
    void setPanelToolTip(int panel, const QString &toolTip) override { toolTips.insert(panel, toolTip); }
    void setGaugeMaximum(qint64 maximum) override { gaugeMax = maximum; }
    void setGaugePosition(qint64 position) override { gaugePos = position; }
    qint64 gaugeMaximum() const override { return gaugeMax; }
    qint64 gaugePosition() const override { return gaugePos; }

    QMap<int, QString> panels;
    QMap<int, QString> toolTips;
    QStringList activityHistory; // every text panel 0 was given, in order
    // Runs after every panel text: tests act "while" the status shows something.
    std::function<void(int panel, const QString &text)> onPanelText;
    qint64 gaugeMax = 100;
    qint64 gaugePos = 0;
};

// Dialogs answered from a script; every question asked is recorded.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        Icon icon;
        QString text;
        bool question;
        QString detail; // the selectable text below the message, if any
    };

    void showMessage(Icon icon, const QString &text) override { shown.append({icon, text, false, {}}); }
    void showMessageWithDetail(Icon icon, const QString &text, const QString &detail) override {
        shown.append({icon, text, false, detail});
    }
    bool confirm(Icon icon, const QString &text) override;
    Choice choose(Icon icon, const QString &text, const QString &, const QString &) override {
        shown.append({icon, text, true, {}});
        const Choice answer = choices.empty() ? Choice::Accept : choices.front();
        choices.erase(choices.begin(), choices.begin() + (choices.empty() ? 0 : 1));
        return answer;
    }
    std::optional<QString> getSaveFileName(const SaveFileRequest &request) override;
    std::optional<SaveFileChoice> getSaveFile(const SaveFileRequest &request) override;

    QList<Shown> shown;
    std::deque<bool> confirmAnswers; // empty: OK
    std::deque<Choice> choices;      // empty: accept
    QList<SaveFileRequest> saveRequests;
    std::optional<QString> nextSaveFileName;
    int nextSaveFilterIndex = 0; // the file type the next answer was chosen under
};

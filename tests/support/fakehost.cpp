#include "support/fakehost.h"

#include <QCoreApplication>

#include <utility>

bool FakeHost::writeCurrentUserDword(const QString &key, const QString &valueName, quint32 value) {
    if (failRegistryWrites) {
        return false;
    }
    currentUser[key][valueName] = value;
    return true;
}

std::optional<FileVersion> FakeHost::fileVersion(const QString &path) {
    const auto it = fileVersions.constFind(path);
    if (it == fileVersions.constEnd()) {
        return std::nullopt;
    }
    return *it;
}

bool FakeHost::startProgram(const QString &program, const QStringList &arguments, QString *errorText) {
    started.append({program, arguments});
    if (failStarts && errorText != nullptr) {
        *errorText = QStringLiteral("the program could not be started");
    }
    return !failStarts;
}

QCoro::Task<ProgramExit> FakeHost::runProgram(const QString &program, const QStringList &arguments, StopToken) {
    started.append({program, arguments});
    co_return programExit;
}

void FakeStatus::setPanelText(int panel, const QString &text) {
    panels.insert(panel, text);
    toolTips.remove(panel);
    if (panel == ActivityPanel) {
        activityHistory.append(text);
    }
    if (onPanelText) {
        onPanelText(panel, text);
    }
}

bool FakeDialogs::confirm(Icon icon, const QString &text) {
    shown.append({icon, text, true, {}});
    if (confirmAnswers.empty()) {
        return true;
    }
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeDialogs::getSaveFileName(const SaveFileRequest &request) {
    saveRequests.append(request);
    return std::exchange(nextSaveFileName, std::nullopt);
}

std::optional<Dialogs::SaveFileChoice> FakeDialogs::getSaveFile(const SaveFileRequest &request) {
    const int filterIndex = std::exchange(nextSaveFilterIndex, 0);
    const std::optional<QString> path = getSaveFileName(request);
    return path ? std::optional(SaveFileChoice{*path, filterIndex}) : std::nullopt;
}

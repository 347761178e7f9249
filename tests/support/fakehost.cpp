#include "support/fakehost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

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

bool FakeHost::startProgram(const QString &program, const QStringList &arguments) {
    started.append({program, arguments});
    return !failStarts;
}

void FakeHost::processEvents() {
    ++processPasses;
    if (realEvents) {
        QCoreApplication::processEvents();
    }
    if (onProcessEvents) {
        onProcessEvents();
    }
}

void FakeHost::waitForEvents(int maxMs) {
    ++waits;
    if (realEvents) {
        QEventLoop loop;
        QTimer::singleShot(maxMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ticks += tickStep.value_or(static_cast<quint32>(maxMs));
    if (onProcessEvents) {
        onProcessEvents();
    }
}

void FakeStatus::setPanelText(int panel, const QString &text) {
    panels.insert(panel, text);
    if (panel == ActivityPanel) {
        activityHistory.append(text);
    }
}

bool FakeDialogs::confirm(Icon icon, const QString &text) {
    shown.append({icon, text, true});
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

#pragma once

#include <QString>

#include <utility>

// What a library operation gave: a value, or the reason there is none.
template<typename T>
struct LibraryResult {
    T value{};
    QString errorString; // empty on success

    bool ok() const { return errorString.isEmpty(); }
    static LibraryResult failure(QString reason) { return {T{}, std::move(reason)}; }
};

// How opening the library went. Anything but Failed leaves it open.
struct LibraryOpening {
    enum class State {
        Opened,   // the file was there and whole
        Created,  // there was no file: an empty library was made
        Replaced, // the file was damaged: it went aside and an empty library was made
        Failed    // no library: reason says why
    };
    State state = State::Failed;
    QString reason;  // Replaced: what was wrong with the file; Failed: why it could not be opened
    QString movedTo; // Replaced: where the damaged file went

    bool ok() const { return state != State::Failed; }
};

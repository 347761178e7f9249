#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <mutex>

// What makes today's LinkedIn pages change at every start: class names that are hashed strings
// rather than words, and the time a page's script waits before drawing. Both come from a random
// source seeded when the site is made, so two sites never share their class names. Safe to use
// from the server's threads.
class StartVariation {
public:
    StartVariation();

    // The class name of a role a page gives its elements; the same role always gives the same
    // name, different roles different names. Letters without vowels, so never a readable word.
    QString ClassName(int role) const;
    // A wait in milliseconds, drawn anew at every call.
    int DrawDelay(int minimumMs, int maximumMs) const;

private:
    QStringList m_names;
    mutable std::mutex m_mutex;
    mutable QRandomGenerator m_random;
};

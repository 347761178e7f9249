#pragma once

#include <QString>

// The text with every backslash, "/", ":", "?", "*", double quote, "<", ">" and "|" removed;
// every other character, blanks included, stays.
QString CleanFileName(const QString &text);

#pragma once

#include "core/library/libraryresult.h"

#include <QDateTime>
#include <QString>

// Moves a database file that cannot be used aside, with its -wal and -shm files, to
// "<path>.damaged-<yyyyMMdd-HHmmss>" (a number added when that name is taken), so a fresh file
// can take its place and the old one stays for a closer look. Gives the main file's new path.
LibraryResult<QString> MoveDamagedAside(const QString &path, const QDateTime &now);

#include "core/library/damagedfile.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

constexpr const char16_t *Companions[] = {u"-wal", u"-shm"};

bool AnyExists(const QString &target) {
    if (QFile::exists(target)) {
        return true;
    }
    for (const char16_t *suffix : Companions) {
        if (QFile::exists(target + QStringView(suffix))) {
            return true;
        }
    }
    return false;
}

} // namespace

LibraryResult<QString> MoveDamagedAside(const QString &path, const QDateTime &now) {
    const QString stem = path + u".damaged-"_s + now.toString(u"yyyyMMdd-HHmmss"_s);
    QString target = stem;
    for (int number = 2; AnyExists(target); ++number) {
        target = stem + u'-' + QString::number(number);
    }
    // The companions go first: a -wal left beside a fresh file would be replayed into it.
    for (const char16_t *suffix : Companions) {
        const QString companion = path + QStringView(suffix);
        if (QFile::exists(companion) && !QFile::rename(companion, target + QStringView(suffix))) {
            return LibraryResult<QString>::failure(u"cannot move %1 aside"_s.arg(companion));
        }
    }
    if (QFile::exists(path) && !QFile::rename(path, target)) {
        return LibraryResult<QString>::failure(u"cannot move %1 aside"_s.arg(path));
    }
    return {target, {}};
}

#include "core/library/sqlitedatabase.h"
#include "libraryfixture.h"

#include <QFile>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QByteArray Bytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class DamagedLibrary : public LibraryFixture {
protected:
    // A library of many rows, checkpointed into the main file and closed.
    void fill() {
        reopen();
        for (int number = 0; number < 3000; ++number) {
            library->add(Company(u"Company %1"_s.arg(number), u"link-%1"_s.arg(number), u"City"_s), {});
        }
        library->flush();
        library.reset();
    }
    void sql(const char *statements) {
        SqliteDatabase db;
        ASSERT_TRUE(db.open(path()));
        ASSERT_TRUE(db.exec(statements)) << db.errorString().toStdString();
    }
};

TEST_F(DamagedLibrary, IsMovedAsideWithItsCompanionsAndReplaced) {
    // Each damage is found after a session cut short (a -wal left beside the file); all but an
    // overwritten page also after a session that ended, when only the header and schema are read.
    const struct {
        const char *name;
        std::function<void()> damage;
        bool foundAfterAnEnd = true;
    } cases[] = {
        {"garbage",
         [this] {
             Write(path(), QByteArray("not a database at all\n").repeated(300));
         }},
        {"cut short",
         [this] {
             fill();
             Write(path(), Bytes(path()).first(QFile(path()).size() / 2));
         }},
        {"overwritten page",
         [this] {
             fill();
             QByteArray bytes = Bytes(path());
             bytes.replace(8192, 4096, QByteArray(4096, '\x5a'));
             Write(path(), bytes);
         },
         false},
        {"another database",
         [this] {
             sql("CREATE TABLE notes (text TEXT)");
         }},
        {"tables dropped",
         [this] {
             sql("PRAGMA user_version = 1; CREATE TABLE companies (id INTEGER)");
         }},
    };
    for (const bool cutShort : {true, false}) {
        for (const auto &c : cases) {
            if (!cutShort && !c.foundAfterAnEnd) {
                continue;
            }
            SCOPED_TRACE(std::string(c.name) + (cutShort ? ", cut short" : ", ended"));
            library.reset();
            for (const char *suffix : {"", "-wal", "-shm"}) {
                QFile::remove(path() + QLatin1StringView(suffix));
            }
            c.damage();
            if (cutShort) {
                Write(path() + u"-wal"_s, "left by the damaged file");
            }
            const QByteArray damaged = Bytes(path());
            const LibraryOpening opening = reopen();
            ASSERT_EQ(opening.state, LibraryOpening::State::Replaced) << opening.reason.toStdString();
            EXPECT_FALSE(opening.reason.isEmpty());
            EXPECT_TRUE(opening.movedTo.startsWith(path() + u".damaged-"_s));
            EXPECT_EQ(Bytes(opening.movedTo), damaged);
            if (cutShort) {
                EXPECT_EQ(Bytes(opening.movedTo + u"-wal"_s), "left by the damaged file");
            }
            library->add(Company(u"A"_s, u"link-a"_s), {});
            ASSERT_TRUE(library->flush().ok());
            EXPECT_EQ(library->count(LibraryFilter()).value, 1);
        }
    }
}

TEST_F(DamagedLibrary, OfALaterVersionIsLeftAlone) {
    library.reset();
    sql("PRAGMA user_version = 99");
    const QByteArray bytes = Bytes(path());
    EXPECT_EQ(reopen().state, LibraryOpening::State::Failed);
    EXPECT_FALSE(library->isOpen());
    EXPECT_EQ(Bytes(path()), bytes);
}

} // namespace

#include "libraryfixture.h"

#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using Library = LibraryFixture;

LibraryFilter Filter(const QString &text, const QString &address = {}, qint64 from = -1, qint64 to = -1) {
    const auto at = [](qint64 ms) {
        return ms < 0 ? QDateTime() : QDateTime::fromMSecsSinceEpoch(ms);
    };
    return {text, address, at(from), at(to)};
}

QStringList Names(const QList<LibraryEntry> &entries) {
    QStringList names;
    for (const LibraryEntry &entry : entries) {
        names << entry.row[LeadRow::BusinessName];
    }
    return names;
}

TEST_F(Library, RowsComeBackWholeAfterAReopen) {
    LeadRow full;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        full[column] = u"Zelle %1 · Ελληνικά · 東京 · عربي · 🚀"_s.arg(column);
    }
    full[LeadRow::LinkedInLink] = u"https://www.linkedin.com/company/ünïcode"_s;
    library->add(full, u"https://www.linkedin.com/search/results/companies/?keywords=a"_s);
    library->add(Company(u"Sparse"_s, u"https://www.linkedin.com/company/sparse"_s), {}, u"no web site"_s);
    ASSERT_EQ(library->flush().value, 2);
    EXPECT_EQ(reopen().state, LibraryOpening::State::Opened);
    const QList<LibraryEntry> entries = all();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].row.cells, full.cells);
    EXPECT_EQ(entries[0].searchAddress, u"https://www.linkedin.com/search/results/companies/?keywords=a"_s);
    EXPECT_EQ(entries[0].firstSeen.toMSecsSinceEpoch(), now);
    EXPECT_EQ(entries[1].failure, u"no web site"_s);
    EXPECT_EQ(library->searchAddresses().value, QStringList{entries[0].searchAddress});
}

TEST_F(Library, ReAddingAKnownLinkUpdatesItsCellsTimeAndFailure) {
    LeadRow first = Company(u"Oldname"_s, u"https://www.linkedin.com/company/acme"_s, u"Leeds"_s);
    first[LeadRow::Phone] = u"+44 1"_s;
    library->add(first, u"first search"_s, u"company page not fetched"_s);
    library->flush();
    now += 60'000;
    library->add(Company(u"Newname"_s, u"HTTPS://WWW.LINKEDIN.COM/company/ACME"_s), u"second search"_s);
    library->flush();
    const QList<LibraryEntry> entries = all();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].row[LeadRow::BusinessName], u"Newname"_s);
    EXPECT_EQ(entries[0].row[LeadRow::City], u"Leeds"_s);
    EXPECT_EQ(entries[0].row[LeadRow::Phone], u"+44 1"_s);
    EXPECT_EQ(entries[0].row[LeadRow::LinkedInLink], u"HTTPS://WWW.LINKEDIN.COM/company/ACME"_s);
    EXPECT_EQ(entries[0].lastSeen.toMSecsSinceEpoch() - entries[0].firstSeen.toMSecsSinceEpoch(), 60'000);
    EXPECT_EQ(entries[0].searchAddress, u"first search"_s);
    EXPECT_TRUE(entries[0].failure.isEmpty());
    EXPECT_TRUE(library->failedRows().value.isEmpty());
    // The text index follows the cells.
    EXPECT_EQ(library->count(Filter(u"oldname"_s)).value, 0);
    EXPECT_EQ(library->count(Filter(u"newname"_s)).value, 1);
}

TEST_F(Library, KnownLinksAreFoundQueuedAndWrittenWhateverTheirCase) {
    library->add(Company(u"A"_s, u"https://www.linkedin.com/company/Alpha"_s), {});
    library->add(Company(u"No link"_s, {}), {});
    EXPECT_TRUE(library->contains(u"https://www.linkedin.com/company/alpha"_s));
    EXPECT_EQ(library->flush().value, 1);
    EXPECT_TRUE(library->contains(u"HTTPS://WWW.LINKEDIN.COM/COMPANY/ALPHA"_s));
    EXPECT_FALSE(library->contains(u"https://www.linkedin.com/company/alph"_s));
}

TEST_F(Library, FiltersNarrowByWordsAddressAndTimeSeen) {
    const qint64 start = now;
    library->add(Company(u"Nordwind Trading"_s, u"l1"_s, u"Zürich"_s, u"nordwind.example"_s), u"s1"_s);
    now += 1000;
    library->add(Company(u"Southwind"_s, u"l2"_s, u"Leeds"_s, {}, u"sales@breeze.example"_s), u"s2"_s);
    now += 1000;
    library->add(Company(u"Nordic Tools"_s, u"l3"_s, u"Oslo"_s), u"s2"_s);
    library->flush();
    const struct {
        LibraryFilter filter;
        QStringList names;
    } cases[] = {
        {Filter({}), {u"Nordwind Trading"_s, u"Southwind"_s, u"Nordic Tools"_s}},
        {Filter(u"nord"_s), {u"Nordwind Trading"_s, u"Nordic Tools"_s}},
        {Filter(u"NORD tra"_s), {u"Nordwind Trading"_s}},
        {Filter(u"zurich"_s), {u"Nordwind Trading"_s}},
        {Filter(u"breeze"_s), {u"Southwind"_s}},
        {Filter(u"wind"_s), {}},
        {Filter(u"\"-( *"_s), {u"Nordwind Trading"_s, u"Southwind"_s, u"Nordic Tools"_s}},
        {Filter(u"nord\" OR \"south"_s), {}},
        {Filter({}, u"s2"_s), {u"Southwind"_s, u"Nordic Tools"_s}},
        {Filter(u"nord"_s, u"s2"_s), {u"Nordic Tools"_s}},
        {Filter({}, {}, start + 1000), {u"Southwind"_s, u"Nordic Tools"_s}},
        {Filter({}, {}, -1, start + 1000), {u"Nordwind Trading"_s, u"Southwind"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.filter.text.toStdString() + " " + c.filter.searchAddress.toStdString());
        EXPECT_EQ(Names(all(c.filter)), c.names);
        EXPECT_EQ(library->count(c.filter).value, c.names.size());
    }
    EXPECT_EQ(Names(library->page(LibraryFilter(), 1, 1).value), QStringList{u"Southwind"_s});
    EXPECT_EQ(Names(library->page(Filter(u"nord"_s), 1, 5).value), QStringList{u"Nordic Tools"_s});

    // What a search found is not kept past a change of the library.
    library->add(Company(u"Nordstern"_s, u"l4"_s), u"s1"_s);
    library->flush();
    EXPECT_EQ(library->count(Filter(u"nord"_s)).value, 3);
    ASSERT_TRUE(library->remove({all(Filter(u"nordic"_s)).at(0).id}).ok());
    EXPECT_EQ(Names(all(Filter(u"nord"_s))), (QStringList{u"Nordwind Trading"_s, u"Nordstern"_s}));
    EXPECT_EQ(library->count(Filter(u"nord"_s)).value, 2);
}

TEST_F(Library, ExportsAreNotedByIdOrLinkAndGoWithTheirCompany) {
    library->add(Company(u"A"_s, u"link-a"_s), {});
    library->add(Company(u"B"_s, u"link-b"_s), {});
    library->flush();
    library->add(Company(u"C"_s, u"link-c"_s), {});
    const qint64 idA = all()[0].id;
    EXPECT_EQ(library->markExported({idA}, u"/out/first.csv"_s).value, 1);
    EXPECT_EQ(library->markExportedLinks({u"LINK-C"_s, u"unknown"_s}, u"/out/second.csv"_s).value, 1);
    EXPECT_EQ(library->markExportedLinks({u"link-a"_s}, u"/out/second.csv"_s).value, 1);
    const QStringList links = {u"link-a"_s, u"link-b"_s, u"link-c"_s, u"never-seen"_s};
    EXPECT_EQ(library->notExported(links), (QList<bool>{false, true, false, true}));
    EXPECT_EQ(library->exportFiles(idA).value, (QStringList{u"/out/first.csv"_s, u"/out/second.csv"_s}));
    EXPECT_EQ(library->remove({idA}).value, 1);
    EXPECT_TRUE(library->exportFiles(idA).value.isEmpty());
    EXPECT_EQ(library->notExported({links[0]}), QList<bool>{true});
    EXPECT_EQ(Names(all()), (QStringList{u"B"_s, u"C"_s}));
}

TEST_F(Library, RowsAreWrittenOnTheBeatWithoutAFlush) {
    library->add(Company(u"A"_s, u"link-a"_s), {});
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return library->count(LibraryFilter()).value == 1; }, 5 * LeadLibrary::FlushDelayMs));
}

TEST_F(Library, FileAndCompanionsAreTheOwnersAlone) {
    library->add(Company(u"A"_s, u"link-a"_s), {});
    library->flush();
    for (const QString &file : {path(), QString(path() + u"-wal"_s), QString(path() + u"-shm"_s)}) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_EQ(QFileInfo(file).permissions() & 0x7777,
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }
}

// A session that wrote one batch and queued another when it was killed leaves the first.
TEST_F(Library, AKilledSessionLosesAtMostItsLastBatch) {
    library.reset();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        LeadLibrary session;
        session.open(path());
        for (int number = 0; number < 100; ++number) {
            session.add(Company(u"Kept"_s, u"kept-%1"_s.arg(number)), {});
        }
        session.flush();
        session.add(Company(u"Queued"_s, u"queued"_s), {});
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    reopen();
    EXPECT_EQ(library->count(LibraryFilter()).value, 100);
    EXPECT_FALSE(library->contains(u"queued"_s));
}

TEST_F(Library, ASessionThatEndsWritesWhatItQueued) {
    library->add(Company(u"A"_s, u"link-a"_s), {});
    reopen();
    EXPECT_TRUE(library->contains(u"link-a"_s));
    EXPECT_EQ(library->count(LibraryFilter()).value, 1);
}

} // namespace

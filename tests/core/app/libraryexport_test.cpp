#include "core/app/libraryexport.h"
#include "core/export/exporttesthelpers.h"
#include "support/testcontext.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Three listed rows; the library has seen the first exported to an older file.
class LibraryExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        t.context.texts.setText(u"main240"_s, u"nothing new"_s);
        t.context.settings.eExportFields = u"1,0"_s;
        m_source.captions = CaptionList();
        for (int row = 0; row < 3; ++row) {
            m_source.rows.append(NumberedRow(row));
        }
        fillLibrary(u"library.sqlite"_s);
    }
    void fillLibrary(const QString &name) {
        ASSERT_TRUE(library().open(m_dir.filePath(name)).ok());
        for (int row = 0; row < 3; ++row) {
            library().add(NumberedRow(row), u"search"_s);
        }
        ASSERT_TRUE(library().markExportedLinks({link(0)}, u"older.csv"_s).ok());
    }

    LeadLibrary &library() { return t.context.library; }
    static QString link(int row) { return NumberedRow(row)[LeadRow::LinkedInLink]; }
    QString target() const { return m_dir.filePath(u"export.csv"_s); }
    ManualExportOutcome exportSelection(QList<int> selection) {
        m_source.selectedRows = std::move(selection);
        t.dialogs.nextSaveFileName = target();
        return QCoro::waitFor(RunExportNotingLibrary(t.context, m_source));
    }
    QList<bool> notExported() { return library().notExported({NumberedRow(0), NumberedRow(1), NumberedRow(2)}); }

    Windows1252Scope m_codePage;
    QTemporaryDir m_dir;
    TestContext t;
    ExportSource m_source;
};

TEST_F(LibraryExportTest, WrittenRowsAreNotedAndTheOptionLeavesOutRowsExportedBefore) {
    const struct {
        bool onlyNew;
        QByteArray file;
    } cases[] = {
        {false, QuotedLine({u"r0c0"_s, u"r0c1"_s}) + QuotedLine({u"r2c0"_s, u"r2c1"_s})},
        {true, QuotedLine({u"r2c0"_s, u"r2c1"_s})},
    };
    for (const auto &each : cases) {
        SCOPED_TRACE(each.onlyNew);
        fillLibrary(each.onlyNew ? u"only-new.sqlite"_s : u"all.sqlite"_s);
        t.context.settings.cExportOnlyNewRows = each.onlyNew;

        EXPECT_EQ(exportSelection({2, 0}).kind, ManualExportOutcome::Written);

        EXPECT_EQ(ReadFileBytes(target()), QuotedLine({u"Category"_s, u"Business Name"_s}) + each.file);
        EXPECT_EQ(notExported(), (QList<bool>{false, true, false}));
        const qint64 lastId = library().page({}, 0, 3).value.value(2).id;
        EXPECT_EQ(library().exportFiles(lastId).value, QStringList{target()});
        QFile::remove(target());
    }
}

TEST_F(LibraryExportTest, NothingNewLeftIsSaidAndNoFileIsAskedFor) {
    t.context.settings.cExportOnlyNewRows = true;

    EXPECT_EQ(exportSelection({0}).kind, ManualExportOutcome::RefusedNoRowSelected);

    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].text, u"nothing new");
    EXPECT_TRUE(t.dialogs.saveRequests.isEmpty());
    EXPECT_FALSE(QFile::exists(target()));
}

} // namespace

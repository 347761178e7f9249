#include "core/model/leadrow.h"
#include "gui/settings/mainwindowlanguage.h"
#include "support/fakehost.h"

#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A stand-in for the main window holding the named widgets the language reaches.
class NamedWindow : public QWidget {
public:
    NamedWindow() {
        auto *layout = new QVBoxLayout(this);
        for (const QString &name :
             {u"btnStart"_s, u"btnStop"_s, u"btnSettings"_s, u"btnUpdates"_s, u"btnHelp"_s, u"btnGo"_s,
              u"btnRSelectAll"_s, u"btnRClearSelection"_s, u"btnRDelete"_s, u"btnRDeleteAll"_s, u"btnExportAll"_s,
              u"btnOpenWebsite"_s, u"btnOpenMaps"_s, u"btnOpenDetails"_s}) {
            add(new QPushButton(u"built-in"_s), name);
        }
        for (const QString &name : {u"imgHome"_s, u"imgBack"_s, u"imgForward"_s, u"imgStop"_s, u"imgRefresh"_s}) {
            add(new QToolButton, name)->setToolTip(u"built-in"_s);
        }
        add(new QLabel(u"Language:"_s), u"lblCurrentLanguage"_s);
        add(new QLabel(u"Results"_s), u"panResultsHeader"_s);
        auto *tabs = add(new QTabWidget, u"pgcMain"_s);
        tabs->addTab(new QWidget, u"Browser"_s);
        tabs->addTab(new QWidget, u"News"_s);
        layout->addStretch();
    }

    template<typename T>
    T *add(T *widget, const QString &name) {
        widget->setObjectName(name);
        layout()->addWidget(widget);
        return widget;
    }

    template<typename T>
    T *named(const QString &name) const {
        return findChild<T *>(name);
    }
};

} // namespace

class MainWindowLanguage : public ::testing::Test {
protected:
    void apply(const QHash<QString, QString> &sections) {
        MainWindowLanguageTargets targets;
        targets.status = &status;
        targets.setColumnCaption = [this](int column, const QString &caption) {
            columns.insert(column, caption);
        };
        ApplyMainWindowLanguage(&window, sections, targets);
    }

    NamedWindow window;
    FakeStatus status;
    QMap<int, QString> columns;
};

TEST_F(MainWindowLanguage, EveryTargetTakesItsSection) {
    QHash<QString, QString> sections;
    sections.insert(u"main1"_s, u"Langue :"_s);
    sections.insert(u"main4"_s, u"&Extraire"_s);
    sections.insert(u"main13"_s, u"Pr\u00e9c\u00e9dent"_s);
    sections.insert(u"main18"_s, u"Navigateur"_s);
    sections.insert(u"main19"_s, u"Nouvelles && offres"_s);
    sections.insert(u"main20"_s, u"R\u00e9sultats"_s);
    sections.insert(u"main42"_s, u"Ouvrir la fiche"_s);
    sections.insert(u"main43"_s, u"Progression :"_s);
    sections.insert(u"main71"_s, u"Cat\u00e9gorie"_s);
    sections.insert(u"main90"_s, u"D\u00e9tails"_s);
    apply(sections);

    EXPECT_EQ(window.named<QLabel>(u"lblCurrentLanguage"_s)->text(), u"Langue :"_s);
    EXPECT_EQ(window.named<QPushButton>(u"btnStart"_s)->text(), u"&Extraire"_s);
    EXPECT_EQ(window.named<QToolButton>(u"imgBack"_s)->toolTip(), u"Pr\u00e9c\u00e9dent"_s);
    const auto *tabs = window.named<QTabWidget>(u"pgcMain"_s);
    EXPECT_EQ(tabs->tabText(0), u"Navigateur"_s);
    EXPECT_EQ(tabs->tabText(1), u"Nouvelles && offres"_s);
    EXPECT_EQ(window.named<QLabel>(u"panResultsHeader"_s)->text(), u"R\u00e9sultats"_s);
    EXPECT_EQ(window.named<QPushButton>(u"btnOpenDetails"_s)->text(), u"Ouvrir la fiche"_s);
    EXPECT_EQ(status.panelText(3), u"Progression :"_s);
    ASSERT_EQ(columns.size(), LeadRow::ColumnCount);
    EXPECT_EQ(columns.value(0), u"Cat\u00e9gorie"_s);
    EXPECT_EQ(columns.value(19), u"D\u00e9tails"_s);
}

TEST_F(MainWindowLanguage, MissingSectionsBlankTheirTargets) {
    QHash<QString, QString> sections;
    sections.insert(u"main4"_s, u"Go!"_s);
    apply(sections);
    EXPECT_EQ(window.named<QPushButton>(u"btnStart"_s)->text(), u"Go!"_s);
    EXPECT_TRUE(window.named<QPushButton>(u"btnStop"_s)->text().isEmpty());
    EXPECT_TRUE(window.named<QToolButton>(u"imgHome"_s)->toolTip().isEmpty());
    EXPECT_TRUE(window.named<QTabWidget>(u"pgcMain"_s)->tabText(1).isEmpty());
    EXPECT_TRUE(status.panelText(3).isEmpty());
    EXPECT_TRUE(columns.value(5).isEmpty());
}

TEST_F(MainWindowLanguage, AbsentWidgetsAndTargetsAreSkipped) {
    QWidget bare;
    QHash<QString, QString> sections;
    sections.insert(u"main4"_s, u"Go!"_s);
    ApplyMainWindowLanguage(&bare, sections, {});
    ApplyMainWindowLanguage(nullptr, sections, {});
    EXPECT_TRUE(bare.findChildren<QWidget *>().isEmpty());
}

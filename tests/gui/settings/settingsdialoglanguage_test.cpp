#include "dialogfixture.h"
#include "gui/settings/folderbrowser.h"

#include <QFile>
#include <QSignalSpy>
#include <QStringConverter>

using namespace Qt::StringLiterals;

namespace {

QString ShippedLanguagesFolder() {
    return QStringLiteral(TARNWICK_SOURCE_DIR);
}

// Saves a picture of widget as <build>/screenshots/<name>.png.
void SaveScreenshot(QWidget *widget, const QString &name) {
    const QString buildDir = qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath());
    const QString folder = buildDir + u"/screenshots"_s;
    QDir().mkpath(folder);
    EXPECT_TRUE(widget->grab().save(folder + u'/' + name + u".png"_s));
}

} // namespace

class DialogLanguage : public DialogFixture {};

TEST_F(DialogLanguage, MissingFileKeepsTheBuiltInTexts) {
    ctx.context.settings.CurrLang = u"fr"_s;
    open();
    EXPECT_EQ(m_dialog->windowTitle(), u"Settings"_s);
    EXPECT_EQ(ui().rbtRandom->text(), u"Use a random proxy from the following  list. Enter 1 proxy per line."_s);
    EXPECT_EQ(ui().chkCompleteFromGoogle->text(),
              u"Complete data from Google Maps  (Will slow the extraction process)"_s);
    EXPECT_EQ(ui().pgcSettings->tabText(1), u"Data"_s);
}

TEST_F(DialogLanguage, ShownDialogTakesTheCurrentLanguageAndBlanksMissingSections) {
    // settings17 stands before settings15, which the pass reads first, so it is not found.
    writeLanguage(u"xx"_s, "<settings1>Reglages</settings1>\r\n<SETTINGS2>Connexions</SETTINGS2>\r\n"
                           "<Settings6>H&ote</Settings6>\r\n<settings13>sec && min</settings13>\r\n"
                           "<settings17>Colonnes</settings17>\r\n<settings15>D'&accord</settings15>\r\n");
    ctx.context.settings.CurrLang = u"xx"_s;
    open();
    EXPECT_EQ(m_dialog->windowTitle(), u"Reglages"_s);
    EXPECT_EQ(ui().pgcSettings->tabText(0), u"Connexions"_s);
    EXPECT_TRUE(ui().pgcSettings->tabText(1).isEmpty());
    EXPECT_EQ(ui().lblHost->text(), u"H&ote"_s);
    EXPECT_EQ(ui().lblSeconds->text(), u"sec & min"_s);
    EXPECT_EQ(ui().btnOk->text(), u"D'&accord"_s);
    EXPECT_TRUE(ui().lblColumns->text().isEmpty());
    EXPECT_TRUE(ui().btnCancel->text().isEmpty());
    EXPECT_TRUE(ui().rbtNoProxy->text().isEmpty());
}

TEST_F(DialogLanguage, DelimiterHeaderKeepsItsWidth) {
    open();
    const int width = ui().lblDelimiterHeader->width();
    const int heightBefore = ui().lblDelimiterHeader->heightForWidth(width);
    QHash<QString, QString> sections;
    sections.insert(u"settings21"_s, QString(400, u'w').replace(u"wwww"_s, u"www "_s));
    m_dialog->ApplyLanguageSections(sections);
    EXPECT_EQ(ui().lblDelimiterHeader->width(), width);
    EXPECT_GT(ui().lblDelimiterHeader->heightForWidth(width), heightBefore);
}

TEST_F(DialogLanguage, FrenchCaptionsAndColumnItemsFollowTheMainWindow) {
    m_dialog.reset();
    ctx.context.settings.CurrLang = u"fr"_s;
    QStringList frenchCaptions = captions();
    frenchCaptions[1] = u"Nom de l'entreprise"_s;
    m_dialog = std::make_unique<SettingsDialog>(ctx.context, frenchCaptions);
    m_dialog->setLanguageFolder(ShippedLanguagesFolder());
    m_dialog->show();
    EXPECT_EQ(ui().pgcSettings->tabText(0), u"Connexions"_s);
    EXPECT_EQ(ui().pgcSettings->tabText(1), u"Donn\u00e9es"_s);
    EXPECT_EQ(ui().chlColumns->item(1)->text(), u"Nom de l'entreprise"_s);
    EXPECT_NE(ui().rbtNoProxy->text(), u"Don't use any proxy"_s);

    SaveScreenshot(m_dialog.get(), u"settings-connections-fr"_s);
    ui().pgcSettings->setCurrentIndex(1);
    SaveScreenshot(m_dialog.get(), u"settings-data-fr"_s);
}

class DialogFolderAndAdvice : public DialogFixture {};

TEST_F(DialogFolderAndAdvice, ChosenFolderReplacesTheFieldAndCancelKeepsIt) {
    ctx.context.settings.cExportManually = false;
    ctx.context.settings.cExportAutomatic = true;
    ctx.context.settings.eExportFolder = u"/before"_s;
    open();
    FolderBrowser::setNextAnswer(u"/chosen/folder"_s);
    ui().btnBrowse->click();
    EXPECT_EQ(ui().edtFolder->text(), u"/chosen/folder"_s);
    FolderBrowser::setNextAnswer(std::nullopt);
    ui().btnBrowse->click();
    EXPECT_EQ(ui().edtFolder->text(), u"/chosen/folder"_s);
}

TEST_F(DialogFolderAndAdvice, AdviceButtonAsksForTheAdvicePage) {
    ctx.context.endpoints.proxyAdviceUrl = u"http://127.0.0.1:1/advice"_s;
    open();
    QSignalSpy opened(m_dialog.get(), &SettingsDialog::linkActivated);
    ui().btnFreeProxies->click();
    EXPECT_EQ(opened, QList<QVariantList>{{u"http://127.0.0.1:1/advice"_s}});
}

class FolderBrowserChecks : public DialogFixture {};

TEST_F(FolderBrowserChecks, TypedPathThatIsNoFolderIsRefusedAndTheBrowserStaysOpen) {
    QDir(dirPath({})).mkpath(u"real"_s);
    QFile plain(dirPath(u"plain.txt"_s));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    FolderBrowser browser(ctx.dialogs);
    EXPECT_EQ(browser.windowTitle(), u"Select a directory"_s);
    browser.setDirectory(dirPath({}));
    browser.show();
    browser.setTypedPath(u"plain.txt"_s);
    browser.accept();
    ASSERT_EQ(ctx.dialogs.shown.size(), 1);
    EXPECT_EQ(ctx.dialogs.shown.at(0).text, u"\"plain.txt\" is an invalid path"_s);
    EXPECT_TRUE(browser.isVisible());
    EXPECT_NE(browser.result(), QDialog::Accepted);

    browser.setTypedPath(dirPath(u"missing"_s));
    browser.accept();
    ASSERT_EQ(ctx.dialogs.shown.size(), 2);
    EXPECT_EQ(ctx.dialogs.shown.at(1).text, u"\""_s + dirPath(u"missing"_s) + u"\" is an invalid path"_s);

    browser.setTypedPath(u"real"_s);
    browser.accept();
    EXPECT_EQ(ctx.dialogs.shown.size(), 2);
    EXPECT_EQ(browser.result(), QDialog::Accepted);
    ASSERT_FALSE(browser.selectedFiles().isEmpty());
    EXPECT_EQ(QDir::cleanPath(browser.selectedFiles().constFirst()), QDir::cleanPath(dirPath(u"real"_s)));
}

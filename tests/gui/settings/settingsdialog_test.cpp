#include "dialogfixture.h"

#include <QSignalSpy>
#include <QSpinBox>

using namespace Qt::StringLiterals;

namespace {

QList<int> AllColumns() {
    QList<int> all;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        all.append(column);
    }
    return all;
}

} // namespace

class DialogOpensFromSettings : public DialogFixture {};

TEST_F(DialogOpensFromSettings, DefaultsShowNoProxyManualExportAndEveryColumn) {
    open();
    EXPECT_EQ(m_dialog->size(), QSize(583, 482));
    EXPECT_EQ(m_dialog->minimumSize(), m_dialog->maximumSize());
    EXPECT_EQ(m_dialog->font().pixelSize(), 11);
    EXPECT_EQ(m_dialog->windowTitle(), u"Settings"_s);
    EXPECT_EQ(ui().pgcSettings->currentWidget(), ui().TabSheet1);
    EXPECT_TRUE(ui().rbtNoProxy->isChecked());
    EXPECT_FALSE(ui().rbtProxy->isChecked());
    EXPECT_FALSE(ui().rbtRandom->isChecked());
    for (QWidget *widget : {static_cast<QWidget *>(ui().edtHost), static_cast<QWidget *>(ui().edtPort),
                            static_cast<QWidget *>(ui().chkAuthentification), static_cast<QWidget *>(ui().edtUsername),
                            static_cast<QWidget *>(ui().edtPassword), static_cast<QWidget *>(ui().memRandomProxies)}) {
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    EXPECT_EQ(ui().edtPort->text(), u"80"_s);
    EXPECT_EQ(ui().speRandom->text(), u"3"_s);
    EXPECT_EQ(ui().chlColumns->count(), LeadRow::ColumnCount);
    EXPECT_EQ(ui().chlColumns->item(1)->text(), u"Business Name"_s);
    EXPECT_EQ(tickedColumns(), AllColumns());
    EXPECT_TRUE(ui().rbtExportManually->isChecked());
    EXPECT_EQ(ui().edtFolder->text(), ctx.host.documents);
    EXPECT_FALSE(ui().edtFolder->isEnabled());
    EXPECT_FALSE(ui().btnBrowse->isEnabled());
    EXPECT_EQ(ui().edtDelimiter->text(), u","_s);
    EXPECT_TRUE(ui().chkExtractEmails->isChecked());
    EXPECT_TRUE(ui().chkCompleteFromGoogle->isChecked());
    EXPECT_TRUE(ui().btnOk->isDefault());
}

TEST_F(DialogOpensFromSettings, AutomaticExportEnablesFolderAndBrowse) {
    ctx.context.settings.cExportManually = false;
    ctx.context.settings.cExportAutomatic = true;
    open();
    EXPECT_TRUE(ui().rbtExportAutomatic->isChecked());
    EXPECT_FALSE(ui().rbtExportManually->isChecked());
    EXPECT_TRUE(ui().edtFolder->isEnabled());
    EXPECT_TRUE(ui().btnBrowse->isEnabled());
}

TEST_F(DialogOpensFromSettings, FixedProxyWithAuthenticationEnablesItsFields) {
    auto &settings = ctx.context.settings;
    settings.rNoProxy = false;
    settings.rUseProxy = true;
    settings.rAuthentification = true;
    settings.eHost = u"proxy.example"_s;
    settings.eUserName = u"ann"_s;
    settings.ePassword = u"pw"_s;
    open();
    EXPECT_TRUE(ui().rbtProxy->isChecked());
    EXPECT_FALSE(ui().rbtNoProxy->isChecked());
    EXPECT_TRUE(ui().edtUsername->isEnabled());
    EXPECT_TRUE(ui().edtPassword->isEnabled());
    EXPECT_FALSE(ui().memRandomProxies->isEnabled());
    EXPECT_EQ(ui().edtHost->text(), u"proxy.example"_s);
    EXPECT_EQ(ui().edtPassword->text(), u"pw"_s);
    EXPECT_EQ(ui().edtPassword->echoMode(), QLineEdit::Password);
}

TEST_F(DialogOpensFromSettings, NoModeSelectedShowsNoRadioSelected) {
    ctx.context.settings.rNoProxy = false;
    open();
    EXPECT_FALSE(ui().rbtNoProxy->isChecked());
    EXPECT_FALSE(ui().rbtProxy->isChecked());
    EXPECT_FALSE(ui().rbtRandom->isChecked());
}

TEST_F(DialogOpensFromSettings, ProxyListShowsOneLinePerProxy) {
    ctx.context.settings.rNoProxy = false;
    ctx.context.settings.rRandomProxy = true;
    ctx.context.settings.eRandomProxies = {u"a.example:1"_s, u"b.example:2:u:p"_s};
    open();
    EXPECT_TRUE(ui().memRandomProxies->isEnabled());
    EXPECT_FALSE(ui().edtHost->isEnabled());
    EXPECT_EQ(ui().memRandomProxies->toPlainText(), u"a.example:1\nb.example:2:u:p"_s);
}

class DialogEnablingRules : public DialogFixture {};

TEST_F(DialogEnablingRules, FixedProxyThenAuthenticationThenRandomList) {
    open();
    ui().rbtProxy->click();
    EXPECT_TRUE(ui().edtHost->isEnabled());
    EXPECT_TRUE(ui().edtPort->isEnabled());
    EXPECT_TRUE(ui().chkAuthentification->isEnabled());
    EXPECT_FALSE(ui().edtUsername->isEnabled());
    EXPECT_FALSE(ui().edtPassword->isEnabled());

    ui().chkAuthentification->click();
    EXPECT_TRUE(ui().edtUsername->isEnabled());
    EXPECT_TRUE(ui().edtPassword->isEnabled());

    ui().rbtRandom->click();
    for (QWidget *widget : {static_cast<QWidget *>(ui().edtHost), static_cast<QWidget *>(ui().edtPort),
                            static_cast<QWidget *>(ui().chkAuthentification), static_cast<QWidget *>(ui().edtUsername),
                            static_cast<QWidget *>(ui().edtPassword)}) {
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    }
    EXPECT_TRUE(ui().memRandomProxies->isEnabled());

    ui().rbtNoProxy->click();
    EXPECT_FALSE(ui().edtHost->isEnabled());
    EXPECT_FALSE(ui().memRandomProxies->isEnabled());
}

TEST_F(DialogEnablingRules, MissingExportFolderIsNotedAsMadeWhenARunStarts) {
    open();
    ui().rbtExportAutomatic->click();
    ui().edtFolder->setText(dirPath(u"new/folder"_s));
    EXPECT_EQ(ui().lblFolderNote->text(), u"This folder does not exist yet. It will be created when a run starts."_s);
    EXPECT_FALSE(ui().lblFolderNote->isHidden());
    ui().edtFolder->setText(dirPath(QString()));
    EXPECT_TRUE(ui().lblFolderNote->isHidden());
}

TEST_F(DialogEnablingRules, ExportModeTogglesFolderAndBrowse) {
    open();
    ui().rbtExportAutomatic->click();
    EXPECT_TRUE(ui().edtFolder->isEnabled());
    EXPECT_TRUE(ui().btnBrowse->isEnabled());
    ui().rbtExportManually->click();
    EXPECT_FALSE(ui().edtFolder->isEnabled());
    EXPECT_FALSE(ui().btnBrowse->isEnabled());
}

TEST_F(DialogEnablingRules, PortAndDelayAcceptDigitsOnlyAndTheDelimiterOneCharacter) {
    open();
    ui().rbtProxy->click();
    ui().edtPort->clear();
    QTest::keyClicks(ui().edtPort, u"8a0"_s);
    EXPECT_EQ(ui().edtPort->text(), u"80"_s);
    ui().speRandom->clear();
    QTest::keyClicks(ui().speRandom, u"-5x"_s);
    EXPECT_EQ(ui().speRandom->text(), u"5"_s);
    ui().edtDelimiter->clear();
    QTest::keyClicks(ui().edtDelimiter, u";;"_s);
    EXPECT_EQ(ui().edtDelimiter->text(), u";"_s);
}

class DialogAccepting : public DialogFixture {};

TEST_F(DialogAccepting, FixedProxyWithEmptyPortIsRefusedAndTheDialogStaysOpen) {
    const AppSettings before = ctx.context.settings;
    open();
    ui().rbtProxy->click();
    ui().edtHost->setText(u"proxy.example"_s);
    ui().edtPort->clear();
    ui().btnOk->click();
    ASSERT_EQ(ctx.dialogs.shown.size(), 1);
    EXPECT_EQ(ctx.dialogs.shown.at(0).text, u"Please enter a valid proxy server address and port."_s);
    EXPECT_EQ(ctx.dialogs.shown.at(0).icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(ui().edtHost->text(), u"proxy.example"_s);
    EXPECT_EQ(ctx.context.settings.rUseProxy, before.rUseProxy);
    EXPECT_EQ(ctx.context.settings.rNoProxy, before.rNoProxy);
}

TEST_F(DialogAccepting, BlankHostIsTextButAnEmptyHostIsRefused) {
    open();
    ui().rbtProxy->click();
    ui().edtHost->setText(u" "_s);
    ui().btnOk->click();
    EXPECT_TRUE(ctx.dialogs.shown.isEmpty());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ctx.context.settings.eHost, u" "_s);
}

// The note names the lines the proxy step passes over; a list of them only is refused.
TEST_F(DialogAccepting, RandomListWithoutAUsableLineIsRefused) {
    open();
    ui().rbtRandom->click();
    ui().memRandomProxies->setPlainText(u"not a proxy\n\n1.2.3.4\n :8080"_s);
    EXPECT_TRUE(ui().lblProxyNote->text().endsWith(u": 1, 3, 4"_s)) << ui().lblProxyNote->text().toStdString();
    ui().btnOk->click();
    ASSERT_EQ(ctx.dialogs.shown.size(), 1);
    EXPECT_EQ(ctx.dialogs.shown.at(0).text, u"Please enter at least one valid proxy."_s);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_FALSE(ctx.context.settings.rRandomProxy);
}

TEST_F(DialogAccepting, OneProxyLineIsAcceptedWhateverTheDelayHolds) {
    open();
    ui().rbtRandom->click();
    ui().memRandomProxies->setPlainText(u"10.0.0.1:8080\n"_s);
    ui().speRandom->clear();
    ui().btnOk->click();
    EXPECT_TRUE(ctx.dialogs.shown.isEmpty());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    const auto &settings = ctx.context.settings;
    EXPECT_TRUE(settings.rRandomProxy);
    EXPECT_FALSE(settings.rNoProxy);
    EXPECT_FALSE(settings.rUseProxy);
    EXPECT_EQ(settings.eRandomProxies, QStringList{u"10.0.0.1:8080"_s});
    EXPECT_TRUE(settings.eRandom.isEmpty());
}

TEST_F(DialogAccepting, OkOnAnUntouchedDialogKeepsTheStoredListAndDelimiter) {
    const QList<QStringList> lists = {
        {u"x:1"_s, QString()}, {u"x:1"_s, QString(), QString()}, {QString()}, {u"x:1"_s, u"y:2"_s}};
    for (const QStringList &list : lists) {
        ctx.context.settings.eRandomProxies = list;
        ctx.context.settings.eDelimiter = u";;"_s;
        open();
        ui().btnOk->click();
        EXPECT_EQ(ctx.context.settings.eRandomProxies, list) << list.join(u'|').toStdString();
        EXPECT_EQ(ctx.context.settings.eDelimiter, u";;"_s);
    }
}

TEST_F(DialogAccepting, DisabledFieldsAreWrittenAsTheyStand) {
    ctx.context.settings.eUserName = u"kept"_s;
    open();
    ui().rbtProxy->click();
    ui().edtHost->setText(u"h.example"_s);
    ui().edtPort->setText(u"3128"_s);
    ui().memRandomProxies->setPlainText(u"x:1\n\ny:2"_s);
    ui().rbtExportAutomatic->click();
    ui().edtFolder->setText(u"/nowhere/at/all"_s);
    ui().edtDelimiter->clear();
    ui().chkExtractEmails->click();
    ui().btnOk->click();
    const auto &settings = ctx.context.settings;
    EXPECT_EQ(settings.eUserName, u"kept"_s);
    EXPECT_EQ(settings.ePort, u"3128"_s);
    EXPECT_EQ(settings.eRandomProxies, (QStringList{u"x:1"_s, QString(), u"y:2"_s}));
    EXPECT_TRUE(settings.cExportAutomatic);
    EXPECT_FALSE(settings.cExportManually);
    EXPECT_EQ(settings.eExportFolder, u"/nowhere/at/all"_s);
    EXPECT_TRUE(settings.eDelimiter.isEmpty());
    EXPECT_FALSE(settings.cExtractEmails);
    EXPECT_TRUE(settings.cCompleteFromGoogle);
}

TEST_F(DialogAccepting, UntickedBusinessNameStaysOutAndReopensUnticked) {
    open();
    ui().chlColumns->item(1)->setCheckState(Qt::Unchecked);
    ui().btnOk->click();
    const QString fields = ctx.context.settings.eExportFields;
    EXPECT_FALSE(fields.split(u',').contains(u"1"_s));
    EXPECT_TRUE(fields.split(u',').contains(u"11"_s));
    EXPECT_FALSE(IsColumnSelected(fields, 1));

    open();
    QList<int> expected = AllColumns();
    expected.removeOne(1);
    EXPECT_EQ(tickedColumns(), expected);
}

TEST_F(DialogAccepting, NoTickedColumnGivesEmptyFieldsAndReopensWithNone) {
    open();
    for (int row = 0; row < ui().chlColumns->count(); ++row) {
        ui().chlColumns->item(row)->setCheckState(Qt::Unchecked);
    }
    EXPECT_TRUE(m_dialog->CountExportFields().isEmpty());
    ui().btnOk->click();
    EXPECT_TRUE(ctx.context.settings.eExportFields.isEmpty());
    open();
    EXPECT_TRUE(tickedColumns().isEmpty());
}

TEST_F(DialogAccepting, EnterPressesOk) {
    open();
    QSignalSpy accepted(m_dialog.get(), &QDialog::accepted);
    ui().chkCompleteFromGoogle->setChecked(false);
    QTest::keyClick(ui().edtDelimiter, Qt::Key_Return);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_FALSE(ctx.context.settings.cCompleteFromGoogle);
}

TEST_F(DialogAccepting, PageBudgetsLoadKeepTheDayAtLeastTheHourAndAreSaved) {
    ctx.context.settings.eDayBudget = 2000;
    open();
    EXPECT_EQ(ui().speHourBudget->value(), 300);
    EXPECT_EQ(ui().speDayBudget->value(), 2000);
    ui().speDayBudget->setValue(100);
    EXPECT_EQ(ui().speDayBudget->value(), 300);
    ui().speHourBudget->setValue(700);
    EXPECT_EQ(ui().speDayBudget->value(), 700);
    ui().btnOk->click();
    EXPECT_EQ(ctx.context.settings.eHourBudget, 700);
    EXPECT_EQ(ctx.context.settings.eDayBudget, 700);
}

class DialogCancelling : public DialogFixture {};

TEST_F(DialogCancelling, CancelLeavesSettingsAndFileAsTheyWere) {
    const QString path = dirPath(u"settings.dat"_s);
    ASSERT_TRUE(SaveSettings(ctx.context.settings, path).ok);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytesBefore = file.readAll();
    file.close();

    open();
    ui().rbtProxy->click();
    ui().edtHost->setText(u"proxy.example"_s);
    ui().chlColumns->item(0)->setCheckState(Qt::Unchecked);
    ui().chkExtractEmails->click();
    ui().btnCancel->click();
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);

    const QString pathAfter = dirPath(u"after.dat"_s);
    ASSERT_TRUE(SaveSettings(ctx.context.settings, pathAfter).ok);
    QFile after(pathAfter);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytesBefore);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytesBefore);
}

TEST_F(DialogCancelling, RefusedOkThenCancelKeepsTheProxyFlags) {
    open();
    ui().rbtRandom->click();
    ui().chkAuthentification->setChecked(true);
    ui().btnOk->click();
    ASSERT_EQ(ctx.dialogs.shown.size(), 1);
    m_dialog->reject();
    const auto &settings = ctx.context.settings;
    EXPECT_TRUE(settings.rNoProxy);
    EXPECT_FALSE(settings.rRandomProxy);
    EXPECT_FALSE(settings.rUseProxy);
    EXPECT_FALSE(settings.rAuthentification);
}

#include "core/net/randomsource.h"
#include "core/settings/settingsstore.h"
#include "gui/settings/settingsdialog.h"
#include "gui/settings/settingsflow.h"
#include "support/nullpane.h"
#include "support/testcontext.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

class RecordingPane : public NullPane {
public:
    void setProxy(const QString &, const QString &address, const QString &, const QString &, int port) override {
        proxies.append(address.isEmpty() ? u"direct"_s : address + u':' + QString::number(port));
    }
    void clearBrowserProxy() override { proxies.append(u"clear"_s); }

    QStringList proxies;
};

class FirstLine : public RandomSource {
public:
    void Reseed() override {}
    int Below(int) override { return 0; }
};

} // namespace

class SettingsButton : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        request.settingsPath = m_dir.filePath(u"settings.dat"_s);
        request.executableFolder = m_dir.path();
        request.columnCaptions = {u"Category"_s, u"Business Name"_s};
    }

    // Runs the button while act drives the modal dialog once it is up.
    SettingsDialogOutcome press(std::function<void(SettingsDialog &)> act) {
        QTimer::singleShot(0, [act] {
            if (auto *dialog = qobject_cast<SettingsDialog *>(QApplication::activeModalWidget())) {
                act(*dialog);
            }
        });
        return RunSettingsDialog(ctx.context, request, pane, random, nullptr);
    }

    TestContext ctx;
    RecordingPane pane;
    FirstLine random;
    SettingsDialogRequest request;

private:
    QTemporaryDir m_dir;
};

TEST_F(SettingsButton, OkSavesThenPointsThePaneAtTheChosenProxy) {
    const auto outcome = press([](SettingsDialog &dialog) {
        dialog.ui().rbtProxy->click();
        dialog.ui().edtHost->setText(u"proxy.example"_s);
        dialog.ui().edtPort->setText(u"3128"_s);
        dialog.ui().btnOk->click();
    });
    ASSERT_TRUE(outcome.accepted);
    EXPECT_TRUE(outcome.save.ok) << outcome.save.errorString.toStdString();
    EXPECT_EQ(pane.proxies, (QStringList{u"direct"_s, u"clear"_s, u"proxy.example:3128"_s}));

    AppSettings reloaded;
    LoadSettings(reloaded, request.settingsPath, {});
    EXPECT_TRUE(reloaded.rUseProxy);
    EXPECT_EQ(reloaded.eHost, u"proxy.example"_s);
}

TEST_F(SettingsButton, SwitchingBackToNoProxyMakesThePaneDirectAtOnce) {
    ctx.context.settings.rNoProxy = false;
    ctx.context.settings.rUseProxy = true;
    ctx.context.settings.eHost = u"proxy.example"_s;
    press([](SettingsDialog &dialog) {
        dialog.ui().rbtNoProxy->click();
        dialog.ui().btnOk->click();
    });
    EXPECT_EQ(pane.proxies, (QStringList{u"direct"_s, u"clear"_s}));
}

TEST_F(SettingsButton, CancelNeitherSavesNorTouchesThePane) {
    const auto outcome = press([](SettingsDialog &dialog) {
        dialog.ui().rbtProxy->click();
        dialog.ui().btnCancel->click();
    });
    EXPECT_FALSE(outcome.accepted);
    EXPECT_TRUE(pane.proxies.isEmpty());
    EXPECT_FALSE(QFile::exists(request.settingsPath));
    EXPECT_FALSE(ctx.context.settings.rUseProxy);
}

TEST_F(SettingsButton, FailedSaveIsReportedAndTheProxyStillApplies) {
    request.settingsPath = u"/proc/tarnwick-no-such-folder/settings.dat"_s;
    ctx.context.settings.rNoProxy = false;
    ctx.context.settings.rUseProxy = true;
    ctx.context.settings.eHost = u"proxy.example"_s;
    const auto outcome = press([](SettingsDialog &dialog) {
        dialog.ui().rbtNoProxy->click();
        dialog.ui().btnOk->click();
    });
    ASSERT_TRUE(outcome.accepted);
    EXPECT_FALSE(outcome.save.ok);
    EXPECT_FALSE(outcome.save.errorString.isEmpty());
    EXPECT_EQ(pane.proxies, (QStringList{u"direct"_s, u"clear"_s}));
}

TEST_F(SettingsButton, ListModeSavesBeforeTheDrawnLineIsWrittenBack) {
    const auto outcome = press([](SettingsDialog &dialog) {
        dialog.ui().rbtRandom->click();
        dialog.ui().memRandomProxies->setPlainText(u"list.example:9000"_s);
        dialog.ui().btnOk->click();
    });
    ASSERT_TRUE(outcome.accepted);
    EXPECT_EQ(pane.proxies.last(), u"list.example:9000"_s);
    EXPECT_EQ(ctx.context.settings.eHost, u"list.example"_s);
    AppSettings reloaded;
    LoadSettings(reloaded, request.settingsPath, {});
    EXPECT_TRUE(reloaded.eHost.isEmpty());
}

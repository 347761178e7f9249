#include "core/host/hostservices.h"
#include "support/fakehost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Waiting is a timer the event loop serves: other events run meanwhile, and several waits
// overlap without holding each other up.
TEST(PumpDelay, WaitsAtLeastItsTimeWhileOtherWorkRunsAndWaitsOverlap) {
    QStringList order;
    QElapsedTimer clock;
    clock.start();
    const auto wait = [&](int ms, QString name) -> QCoro::Task<> {
        const bool ran = co_await PumpDelay(ms);
        EXPECT_TRUE(ran);
        EXPECT_GE(clock.elapsed(), ms);
        order.append(name);
    };
    QTimer::singleShot(10, [&] { order.append(u"timer"_s); });
    QCoro::Task<> longer = wait(120, u"long"_s);
    QCoro::Task<> shorter = wait(60, u"short"_s);
    QCoro::waitFor(longer);
    QCoro::waitFor(shorter);
    EXPECT_EQ(order, (QStringList{u"timer"_s, u"short"_s, u"long"_s}));
    EXPECT_LT(clock.elapsed(), 120 + 60); // they ran side by side
}

TEST(PumpDelay, ZeroOrLessWaitsOneTurnOfTheEventLoop) {
    for (const int duration : {0, -5}) {
        bool delivered = false;
        QMetaObject::invokeMethod(
            qApp, [&delivered] { delivered = true; }, Qt::QueuedConnection);
        EXPECT_TRUE(QCoro::waitFor(PumpDelay(duration)));
        EXPECT_TRUE(delivered) << duration;
    }
}

// A requested stop ends the wait inside the request, before the event loop turns again.
TEST(PumpDelay, StopEndsTheWaitAtOnce) {
    const StopToken stop = StopToken::Create();
    std::optional<bool> ran;
    const auto wait = [&]() -> QCoro::Task<> {
        ran = co_await PumpDelay(60000, stop);
    };
    QCoro::Task<> waiting = wait();
    EXPECT_FALSE(ran.has_value());
    stop.request();
    EXPECT_EQ(ran, false);
    EXPECT_EQ(QCoro::waitFor(PumpDelay(60000, stop)), false);
}

class OpenUrlInBrowserHandOver : public ::testing::Test {
protected:
    FakeHost host;
};

TEST_F(OpenUrlInBrowserHandOver, AddressIsTheOnlyArgumentUnchanged) {
    const QString addresses[] = {
        u"https://www.example.com/company/acme"_s,
        u"https://maps.example.com/?q=Rue de la Paix 1, Paris&z=5"_s,
        u"http://x.example/a;rm -rf ~;\"quoted\" 'single' $(id) `id` | cat > out"_s,
    };
    for (const QString &address : addresses) {
        host.started.clear();
        QCoro::waitFor(OpenUrlInBrowser(host, address));
        ASSERT_EQ(host.started.size(), 1);
        EXPECT_EQ(host.started.front().program, u"xdg-open"_s);
        EXPECT_EQ(host.started.front().arguments, QStringList{address});
    }
}

TEST_F(OpenUrlInBrowserHandOver, OnlyWebAddressesReachTheBrowser) {
    const struct {
        QString address;
        QString handedOver; // empty: nothing is opened
    } cases[] = {
        {u"www.example.com"_s, u"http://www.example.com"_s},
        {u"  example.com/contact "_s, u"http://example.com/contact"_s},
        {u"example.com:8080/x"_s, u"http://example.com:8080/x"_s},
        {u"//cdn.example.com/a"_s, u"http://cdn.example.com/a"_s},
        {u"HTTPS://Example.com/A"_s, u"HTTPS://Example.com/A"_s},
        {u"http://127.0.0.1:8080/maps?q=1+Main+St,+Lyon"_s, u"http://127.0.0.1:8080/maps?q=1+Main+St,+Lyon"_s},
        {u"mailto:info@example.com"_s, QString()},
        {u"javascript:alert(1)"_s, QString()},
        {u"file:///etc/passwd"_s, QString()},
        {u"ftp://example.com/"_s, QString()},
        {u"/etc/passwd"_s, QString()},
        {u"http://"_s, QString()},
        {u"--manual"_s, QString()},
        {u"-h"_s, QString()},
        {u"   "_s, QString()},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        host.started.clear();
        QCoro::waitFor(OpenUrlInBrowser(host, c.address));
        if (c.handedOver.isEmpty()) {
            EXPECT_TRUE(host.started.isEmpty()) << c.address.toStdString();
        } else {
            ASSERT_EQ(host.started.size(), 1) << c.address.toStdString();
            EXPECT_EQ(host.started.front().arguments, QStringList{c.handedOver});
        }
    }
}

TEST_F(OpenUrlInBrowserHandOver, NoLauncherOpensNothing) {
    host.launcher.clear();
    QCoro::waitFor(OpenUrlInBrowser(host, u"https://www.example.com/"_s));
    EXPECT_TRUE(host.started.isEmpty());
}

class UserFolders : public ::testing::Test {
protected:
    FakeHost host;
};

TEST_F(UserFolders, FoldersComeFromTheHost) {
    host.documents = u"/home/ann/Dokumente"_s;
    host.appData = u"/home/ann/.config"_s;
    EXPECT_EQ(GetDocumentsFolder(host), u"/home/ann/Dokumente"_s);
    EXPECT_EQ(GetAppDataFolder(host), u"/home/ann/.config"_s);
    EXPECT_EQ(AppDataFolder(host), u"/home/ann/.config/Brisvane Software/Tarnwick"_s);
}

TEST_F(UserFolders, UnknownConfigurationFolderGivesNoProgramFolder) {
    host.appData.clear();
    host.documents.clear();
    EXPECT_EQ(GetDocumentsFolder(host), QString());
    // Not "/Brisvane Software/Tarnwick" at the root of the file system.
    EXPECT_EQ(AppDataFolder(host), QString());
}

} // namespace

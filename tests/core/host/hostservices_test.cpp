#include "core/host/hostservices.h"
#include "support/fakehost.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

class PumpDelayOnSubstituteHost : public ::testing::Test {
protected:
    FakeHost host;
};

TEST_F(PumpDelayOnSubstituteHost, ZeroOrLessProcessesEventsExactlyOnce) {
    for (const int duration : {0, -5, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(duration);
        host.processPasses = 0;
        host.waits = 0;
        PumpDelay(host, duration);
        EXPECT_EQ(host.processPasses, 1);
        EXPECT_EQ(host.waits, 0);
    }
}

TEST_F(PumpDelayOnSubstituteHost, SleepsForExactlyTheRemainingTime) {
    host.ticks = 1000;
    PumpDelay(host, 250);
    // One sleep asked for the whole duration: nothing is spent spinning.
    EXPECT_EQ(host.processPasses, 1);
    EXPECT_EQ(host.waits, 1);
    EXPECT_EQ(host.ticks, 1250u);
}

TEST_F(PumpDelayOnSubstituteHost, ShortWakeUpsWaitAgainUntilTheDurationHasPassed) {
    host.tickStep = 7;
    PumpDelay(host, 100);
    EXPECT_EQ(host.waits, 15); // ceil(100 / 7)
    EXPECT_EQ(host.ticks, 105u);
}

TEST_F(PumpDelayOnSubstituteHost, AWrapOfTheTickCounterStillWaitsTheFullTime) {
    const quint32 start = std::numeric_limits<quint32>::max() - 20;
    host.ticks = start;
    host.tickStep = 7;
    PumpDelay(host, 100);
    EXPECT_LT(host.ticks, start); // the counter did wrap
    EXPECT_GE(static_cast<quint32>(host.ticks - start), 100u);
    EXPECT_EQ(host.waits, 15);
}

TEST_F(PumpDelayOnSubstituteHost, NestedCallsReturnInReverseOrder) {
    QStringList order;
    bool nested = false;
    host.onProcessEvents = [&] {
        if (!nested && host.ticks >= 50) {
            nested = true;
            order.append(u"inner start"_s);
            const quint32 innerStart = host.ticks;
            PumpDelay(host, 30);
            EXPECT_GE(host.ticks - innerStart, 30u);
            order.append(u"inner end"_s);
        }
    };
    host.tickStep = 10;
    PumpDelay(host, 200);
    order.append(u"outer end"_s);
    EXPECT_EQ(order, (QStringList{u"inner start"_s, u"inner end"_s, u"outer end"_s}));
    EXPECT_GE(host.ticks, 200u);
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
        OpenUrlInBrowser(host, address);
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
        OpenUrlInBrowser(host, c.address);
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
    OpenUrlInBrowser(host, u"https://www.example.com/"_s);
    EXPECT_TRUE(host.started.isEmpty());
}

TEST_F(OpenUrlInBrowserHandOver, AFailedStartIsAttemptedOnceAndStaysSilent) {
    host.failStarts = true;
    OpenUrlInBrowser(host, u"https://www.example.com/"_s);
    EXPECT_EQ(host.started.size(), 1);
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

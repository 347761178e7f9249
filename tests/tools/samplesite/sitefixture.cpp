#include "sitefixture.h"

void SampleSiteTest::SetUp() {
    ASSERT_TRUE(site.start());
    test.context.endpoints = site.endpoints();
    test.context.settings.eRandom.clear(); // no pause between requests
}

httplib::Result SampleSiteTest::Get(const QString &target, std::chrono::milliseconds timeout) const {
    httplib::Client client(site.base().toStdString());
    client.set_connection_timeout(timeout);
    client.set_read_timeout(timeout);
    client.set_url_encode(false); // targets go out exactly as the test writes them
    return client.Get(target.toStdString());
}

QString SampleSiteTest::Page(const QString &target) const {
    const httplib::Result result = Get(target);
    if (!result || result->status != 200) {
        ADD_FAILURE() << "no page at " << target.toStdString();
        return {};
    }
    return QString::fromStdString(result->body);
}

#pragma once

#include "core/app/appcontext.h"
#include "core/net/downloader.h"
#include "core/net/randomsource.h"
#include "support/fakehost.h"
#include "support/loopbackserver.h"

#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>

// Remembers every gauge change, in order.
class RecordingStatus : public FakeStatus {
public:
    struct GaugeChange {
        bool maximum; // false: position
        qint64 value;
        bool operator==(const GaugeChange &) const = default;
    };

    void setGaugeMaximum(qint64 maximum) override {
        FakeStatus::setGaugeMaximum(maximum);
        gaugeChanges.append({true, maximum});
    }
    void setGaugePosition(qint64 position) override {
        FakeStatus::setGaugePosition(position);
        gaugeChanges.append({false, position});
    }

    QList<GaugeChange> gaugeChanges;
};

// Pauses drawn from a script (0 once it runs out); records what was asked.
class ScriptedRandom : public RandomSource {
public:
    void Reseed() override { ++reseeds; }
    int Below(int bound) override {
        bounds.append(bound);
        if (draws.empty()) {
            return 0;
        }
        const int draw = draws.front();
        draws.pop_front();
        return draw;
    }

    std::deque<int> draws;
    QList<int> bounds;
    int reseeds = 0;
};

// A downloader on a substitute host whose status texts are their tags ("main56" shows "T56"),
// with no pause between requests unless a test asks for one.
class NetTest : public ::testing::Test {
protected:
    NetTest() {
        for (int tag : {56, 57, 62, 63, 64, 65, 66}) {
            context.texts.setText(QStringLiteral("main%1").arg(tag), QStringLiteral("T%1").arg(tag));
        }
        context.settings.eRandom.clear();
        downloader.setRandomSource(random);
    }

    void StartServer() { ASSERT_TRUE(server.start()); }
    QString Url(const char *path) const { return server.url(QString::fromLatin1(path)); }

    FakeHost host;
    RecordingStatus status;
    FakeDialogs dialogs;
    AppContext context{host, status, dialogs};
    ScriptedRandom random;
    Downloader downloader{context};
    LoopbackServer server;
};

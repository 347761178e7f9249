// The lead library on real files in a temporary folder. Targets: 100,000 rows added and
// flushed under 1 s; with 1,000,000 companies, the known-link test of one link under 50 µs and a
// search-box filter (count and first page of 100) under 100 ms. The million rows are written
// once, through the library itself, before the first benchmark that needs them.
#include "core/library/leadlibrary.h"
#include "core/library/sqlitedatabase.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Million = 1'000'000;

const std::array<QString, 20> Names = {u"Nordwind"_s, u"Alpine"_s, u"Harbour"_s,   u"Cobalt"_s, u"Summit"_s,
                                       u"Meridian"_s, u"Lumen"_s,  u"Granite"_s,   u"Vertex"_s, u"Orchid"_s,
                                       u"Pioneer"_s,  u"Quartz"_s, u"Riverside"_s, u"Sable"_s,  u"Tandem"_s,
                                       u"Umbra"_s,    u"Velvet"_s, u"Willow"_s,    u"Zenith"_s, u"Bramble"_s};
const std::array<QString, 10> Trades = {u"Analytics"_s, u"Software"_s, u"Logistics"_s, u"Consulting"_s, u"Robotics"_s,
                                        u"Foods"_s,     u"Energy"_s,   u"Design"_s,    u"Finance"_s,    u"Health"_s};
const std::array<QString, 50> Cities = [] {
    std::array<QString, 50> cities;
    const char16_t *base[] = {u"Leeds", u"München", u"Zürich", u"Lyon", u"Porto"};
    for (std::size_t i = 0; i < cities.size(); ++i) {
        cities[i] = QStringView(base[i % 5]).toString() + (i < 5 ? QString() : u" "_s + QString::number(i));
    }
    return cities;
}();

// A row as a run typically lists it: about 400 bytes, half the cells filled.
LeadRow Row(int number) {
    const QString name =
        Names[std::size_t(number % 20)] + u' ' + Trades[std::size_t(number / 20 % 10)] + u' ' + QString::number(number);
    const QString slug = u"company-%1"_s.arg(number);
    LeadRow row;
    row[LeadRow::Category] = u"Information Technology and Services"_s;
    row[LeadRow::BusinessName] = name;
    row[LeadRow::FullAddress] = u"%1 Harbour Street, %2"_s.arg(number % 300).arg(Cities[std::size_t(number % 50)]);
    row[LeadRow::City] = Cities[std::size_t(number % 50)];
    row[LeadRow::Phone] = u"+44 113 %1"_s.arg(number, 7, 10, QLatin1Char('0'));
    row[LeadRow::Website] = u"https://www.%1.example"_s.arg(slug);
    row[LeadRow::Email] = u"info@%1.example"_s.arg(slug);
    row[LeadRow::CompanySize] = u"51-200 employees"_s;
    row[LeadRow::MapLink] = u"https://maps.example/?q=%1"_s.arg(slug);
    row[LeadRow::LinkedInLink] = u"https://www.linkedin.com/company/%1"_s.arg(slug);
    return row;
}

QString Address(int number) {
    return u"https://www.linkedin.com/search/results/companies/?keywords=%1"_s.arg(number % 40);
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// 100,000 rows into a fresh library: the adds and the one flush that writes them. Closing,
// which folds the -wal into the file, is left out: the program does it at its end. The time is
// the thread's processor time, so other work on a busy machine does not distort it; the wall
// time is given beside it.
void BM_Add100kRows(benchmark::State &state) {
    for (auto _ : state) {
        QTemporaryDir dir;
        LeadLibrary library;
        library.open(dir.filePath(u"library.sqlite"_s));
        std::vector<LeadRow> rows;
        rows.reserve(100'000);
        for (int number = 0; number < 100'000; ++number) {
            rows.push_back(Row(number));
        }
        const QString address = Address(0);
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = ThreadCpuSeconds();
        for (const LeadRow &row : rows) {
            library.add(row, address);
        }
        state.counters["add_ms"] = (ThreadCpuSeconds() - cpuStart) * 1e3;
        const LibraryResult<int> written = library.flush();
        state.SetIterationTime(ThreadCpuSeconds() - cpuStart);
        state.counters["wall_ms"] = double(timer.nsecsElapsed()) / 1e6;
        if (written.value != 100'000) {
            state.SkipWithError(written.errorString.toUtf8().constData());
        }
    }
}
BENCHMARK(BM_Add100kRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// The million-company library, written once and then opened as a new session would.
class MillionLibrary {
public:
    static MillionLibrary &instance() {
        static MillionLibrary library;
        return library;
    }
    static LeadLibrary &get() { return *instance().m_library; }
    QString path() const { return m_dir.filePath(u"library.sqlite"_s); }

private:
    MillionLibrary() {
        QElapsedTimer timer;
        timer.start();
        {
            LeadLibrary writer;
            writer.open(path());
            for (int number = 0; number < Million; ++number) {
                writer.add(Row(number), Address(number));
                if (number % 100'000 == 99'999) {
                    writer.flush();
                }
            }
        }
        std::printf("1,000,000 companies written in %.1f s\n", double(timer.elapsed()) / 1e3);
        timer.restart();
        m_library = std::make_unique<LeadLibrary>();
        const LibraryOpening opening = m_library->open(path());
        std::printf("opened in %lld ms (%s)\n", timer.elapsed(), opening.ok() ? "ok" : "failed");
    }

    QTemporaryDir m_dir;
    std::unique_ptr<LeadLibrary> m_library;
};

// The known-link test of one link, known (arg 1) or not, in another letter case than kept.
void BM_ContainsOfAMillion(benchmark::State &state) {
    LeadLibrary &library = MillionLibrary::get();
    const bool known = state.range(0) != 0;
    int number = 0;
    for (auto _ : state) {
        number = (number + 7919) % Million;
        const QString link =
            u"HTTPS://WWW.LINKEDIN.COM/COMPANY/%1-%2"_s.arg(known ? u"company"_s : u"other"_s).arg(number);
        benchmark::DoNotOptimize(library.contains(link));
    }
}
BENCHMARK(BM_ContainsOfAMillion)->ArgName("known")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The other way to the known-link test: every key in a hash set, read at open. Its lookup is a
// fraction of a microsecond, but it costs this read and the set's memory at every start.
void BM_KeySetOfAMillion(benchmark::State &state) {
    const QString path = MillionLibrary::instance().path();
    for (auto _ : state) {
        SqliteDatabase db;
        db.open(path);
        SqliteStatement keys = db.prepare(u"SELECT link_key FROM companies"_s);
        QSet<QString> set;
        set.reserve(Million);
        keys.begin();
        while (keys.step()) {
            set.insert(keys.text(0));
        }
        state.counters["keys"] = double(set.size());
    }
}
BENCHMARK(BM_KeySetOfAMillion)->Unit(benchmark::kMillisecond)->Iterations(1);

// The search box: the count of matches and the first page of 100, searched afresh, for a company's name (one
// match), a trade (100,000), a city (200,000) narrowed by a search address (to 5,000), and the
// whole library.
void BM_SearchOfAMillion(benchmark::State &state) {
    LeadLibrary &library = MillionLibrary::get();
    const std::array<LibraryFilter, 4> filters = {
        LibraryFilter{u"nordwind analytics 400000"_s, {}, {}, {}},
        LibraryFilter{u"robot"_s, {}, {}, {}},
        LibraryFilter{u"münchen"_s, Address(1), {}, {}},
        LibraryFilter{},
    };
    LibraryFilter filter = filters[std::size_t(state.range(0))];
    const QString text = filter.text;
    qint64 matches = 0;
    int round = 0;
    for (auto _ : state) {
        // Trailing blanks change the filter but not its search: the library searches afresh
        // each time instead of answering from what it kept of the last search.
        filter.text = text + QString(++round % 64, u' ');
        matches = library.count(filter).value;
        benchmark::DoNotOptimize(library.page(filter, 0, 100).value.size());
    }
    state.counters["matches"] = double(matches);
}
BENCHMARK(BM_SearchOfAMillion)->ArgName("filter")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// A page of 100 as far down as a scroll bar can go: the whole library, or a common word.
void BM_LastPageOfAMillion(benchmark::State &state) {
    LeadLibrary &library = MillionLibrary::get();
    LibraryFilter filter;
    filter.text = state.range(0) != 0 ? u"robot"_s : QString();
    const qint64 count = library.count(filter).value;
    for (auto _ : state) {
        benchmark::DoNotOptimize(library.page(filter, count - 100, 100).value.size());
    }
}
BENCHMARK(BM_LastPageOfAMillion)->ArgName("words")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

// The Library tab over a library of 1,000,000 companies on real files in a temporary folder.
// Targets: the first screen within 300 ms (the library opened, counted, its first page read and
// the table laid out and painted), and a search-box filter within 100 ms (applied, counted and
// the first page painted). The counters split each time into the library's part (opening,
// counting) and the page read and painted. The million rows are written once, through the
// library itself (about 20 s).
#include "core/library/leadlibrary.h"
#include "core/settings/languagefile.h"
#include "core/settings/languagetags.h"
#include "core/settings/uitexts.h"
#include "gui/library/librarymodel.h"
#include "gui/library/librarytab.h"
#include "support/fakehost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Million = 1'000'000;

const std::array<QString, 10> Names = {u"Nordwind"_s, u"Alpine"_s, u"Harbour"_s, u"Cobalt"_s, u"Summit"_s,
                                       u"Meridian"_s, u"Lumen"_s,  u"Granite"_s, u"Vertex"_s, u"Orchid"_s};
const std::array<QString, 10> Trades = {u"Analytics"_s, u"Software"_s, u"Logistics"_s, u"Consulting"_s, u"Robotics"_s,
                                        u"Foods"_s,     u"Energy"_s,   u"Design"_s,    u"Finance"_s,    u"Health"_s};
const std::array<QString, 5> Cities = {u"Leeds"_s, u"München"_s, u"Zürich"_s, u"Lyon"_s, u"Porto"_s};

LeadRow Row(int number) {
    const QString slug = u"company-%1"_s.arg(number);
    LeadRow row;
    row[LeadRow::Category] = u"Information Technology and Services"_s;
    row[LeadRow::BusinessName] =
        Names[std::size_t(number % 10)] + u' ' + Trades[std::size_t(number / 10 % 10)] + u' ' + QString::number(number);
    row[LeadRow::City] = Cities[std::size_t(number % 5)] + u' ' + QString::number(number % 40);
    row[LeadRow::FullAddress] = u"%1 Harbour Street, %2"_s.arg(number % 300).arg(row[LeadRow::City]);
    row[LeadRow::Phone] = u"+44 113 %1"_s.arg(number, 7, 10, QLatin1Char('0'));
    row[LeadRow::Website] = u"https://www.%1.example"_s.arg(slug);
    row[LeadRow::Email] = u"info@%1.example"_s.arg(slug);
    row[LeadRow::CompanySize] = u"51-200 employees"_s;
    row[LeadRow::LinkedInLink] = u"https://www.linkedin.com/company/%1"_s.arg(slug);
    return row;
}

QString Address(int number) {
    return u"https://www.linkedin.com/search/results/companies/?keywords=%1"_s.arg(number % 40);
}

// The million-company file, written once.
class MillionFile {
public:
    static const QString &path() {
        static MillionFile file;
        return file.m_path;
    }

private:
    MillionFile() : m_path(m_dir.filePath(u"library.sqlite"_s)) {
        QElapsedTimer timer;
        timer.start();
        LeadLibrary writer;
        writer.open(m_path);
        for (int number = 0; number < Million; ++number) {
            writer.add(Row(number), Address(number));
            if (number % 100'000 == 99'999) {
                writer.flush();
            }
        }
        std::printf("1,000,000 companies written in %.1f s\n", double(timer.elapsed()) / 1e3);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

// A tab as the window makes it, in English, at the window's size.
struct ShownTab {
    explicit ShownTab(LeadLibrary &library)
        : tab(LibraryTab::Pieces{library,
                                 dialogs,
                                 texts,
                                 [] {
                                     QStringList captions;
                                     for (const QString &caption : DefaultColumnCaptions()) {
                                         captions << caption;
                                     }
                                     return captions;
                                 },
                                 {}}) {
        tab.resize(1100, 500);
    }
    static UiTexts English() {
        UiTexts texts;
        ApplyUiTexts(ReadLanguageSections(BuiltInLanguagePath(), MainWindowTags()).texts, texts);
        return texts;
    }

    FakeDialogs dialogs;
    UiTexts texts = English();
    LibraryTab tab;
};

// From a closed library to the first screen painted: open, count, first page, layout, paint.
void BM_FirstScreenOfAMillion(benchmark::State &state) {
    const QString path = MillionFile::path();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        LeadLibrary library;
        library.open(path);
        const double opened = double(timer.nsecsElapsed()) / 1e6;
        ShownTab shown(library);
        shown.tab.show();
        const double counted = double(timer.nsecsElapsed()) / 1e6;
        const QPixmap painted = shown.tab.grab();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.counters["open_ms"] = opened;
        state.counters["count_ms"] = counted - opened;
        state.counters["paint_ms"] = double(timer.nsecsElapsed()) / 1e6 - counted;
        state.counters["rows"] = shown.tab.model().rowCount();
        benchmark::DoNotOptimize(painted.width());
    }
}
BENCHMARK(BM_FirstScreenOfAMillion)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// The search box once its pause ends: a company's name (one match), a trade (100,000), a city
// (25,000), a word every company has (1,000,000), and the box emptied again.
void BM_SearchBoxOfAMillion(benchmark::State &state) {
    static const std::array<QString, 5> texts = {u"nordwind robotics 400040"_s, u"robot"_s, u"münchen 11"_s, u"info"_s,
                                                 QString()};
    LeadLibrary library;
    library.open(MillionFile::path());
    ShownTab shown(library);
    shown.tab.show();
    auto *search = shown.tab.findChild<QLineEdit *>(u"edtLibrarySearch"_s);
    const QString &text = texts[std::size_t(state.range(0))];
    for (auto _ : state) {
        // From another filter each time, so the filter changes.
        search->setText(u"other"_s);
        Q_EMIT search->returnPressed();
        search->setText(text);
        QElapsedTimer timer;
        timer.start();
        Q_EMIT search->returnPressed();
        const double counted = double(timer.nsecsElapsed()) / 1e6;
        const QPixmap painted = shown.tab.grab();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.counters["count_ms"] = counted;
        state.counters["page_paint_ms"] = double(timer.nsecsElapsed()) / 1e6 - counted;
        benchmark::DoNotOptimize(painted.width());
    }
    state.counters["matches"] = shown.tab.model().rowCount();
}
BENCHMARK(BM_SearchBoxOfAMillion)->ArgName("text")->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseManualTime();

// Dragging the scroll bar to the middle and to the end: the page read there, painted.
void BM_ScrollInAMillion(benchmark::State &state) {
    LeadLibrary library;
    library.open(MillionFile::path());
    ShownTab shown(library);
    shown.tab.show();
    QTableView *view = shown.tab.view();
    const int target = state.range(0) == 0 ? Million / 2 : Million - 1;
    for (auto _ : state) {
        view->scrollToTop();
        shown.tab.model().refresh();
        benchmark::DoNotOptimize(shown.tab.grab().width());
        QElapsedTimer timer;
        timer.start();
        view->scrollTo(view->model()->index(target, 0));
        const QPixmap painted = shown.tab.grab();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        benchmark::DoNotOptimize(painted.width());
    }
}
BENCHMARK(BM_ScrollInAMillion)->ArgName("end")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

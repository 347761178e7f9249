// SaveRecords of 100,000 rows of 20 cells (target: under 300 ms), SaveWorkbook of the same rows
// (target: under 2 s) and AutomaticSave throughput, on real files in a temporary folder, in
// Windows-1252.
#include "core/app/contextpieces.h"
#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "core/export/recordwriter.h"
#include "core/export/workbookwriter.h"
#include "core/settings/settingsstore.h"
#include "core/util/codepage.h"
#include "support/fakehost.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A heavy row: every cell filled with about 30 characters, one of them outside ASCII.
LeadRow FullRow(int row) {
    LeadRow lead;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        lead[column] = QStringLiteral("Cell %1 of row %2, Caf\u00E9 & Co").arg(column).arg(row);
    }
    lead[LeadRow::LinkedInLink] = QStringLiteral("https://www.linkedin.com/company/%1").arg(row);
    return lead;
}

// A row as a run typically finds it: name, address parts, links, several cells empty.
LeadRow TypicalRow(int row) {
    LeadRow lead;
    lead[LeadRow::Category] = QStringLiteral("Results");
    lead[LeadRow::BusinessName] = QStringLiteral("Northwind Trading %1").arg(row);
    lead[LeadRow::FullAddress] = QStringLiteral("12 Harbour Street, Leeds, LS1 4AB, GB");
    lead[LeadRow::Address] = QStringLiteral("12 Harbour Street");
    lead[LeadRow::City] = QStringLiteral("Leeds");
    lead[LeadRow::PostalCode] = QStringLiteral("LS1 4AB");
    lead[LeadRow::Country] = QStringLiteral("GB");
    lead[LeadRow::Website] = QStringLiteral("http://www.northwind%1.example").arg(row);
    lead[LeadRow::Industry] = QStringLiteral("Wholesale");
    lead[LeadRow::CompanySize] = QStringLiteral("51-200 employees");
    lead[LeadRow::LinkedInLink] = QStringLiteral("https://www.linkedin.com/company/%1").arg(row);
    return lead;
}

QStringList Captions() {
    const auto &captions = DefaultColumnCaptions();
    return QStringList(captions.cbegin(), captions.cend());
}

// state.range(0): 0 for typical rows, 1 for full rows.
void BM_SaveRecords100kRows(benchmark::State &state) {
    CodePage::setCurrent(CodePage::named("windows-1252"));
    QTemporaryDir dir;
    ExportSource source;
    source.captions = Captions();
    for (int row = 0; row < 100000; ++row) {
        source.rows.append(state.range(0) == 0 ? TypicalRow(row) : FullRow(row));
    }
    const QString path = dir.filePath(QStringLiteral("all.csv"));
    for (auto _ : state) {
        const ExportResult result = SaveRecords(source, path, true, CountColumns(), QStringLiteral(","));
        if (!result) {
            state.SkipWithError(qPrintable(result.errorString));
            break;
        }
    }
    state.counters["file_MB"] = static_cast<double>(QFile(path).size()) / 1e6;
    state.SetItemsProcessed(state.iterations() * source.rows.size());
}
BENCHMARK(BM_SaveRecords100kRows)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// state.range(0): 0 for typical rows, 1 for full rows.
void BM_SaveWorkbook100kRows(benchmark::State &state) {
    QTemporaryDir dir;
    ExportSource source;
    source.captions = Captions();
    for (int row = 0; row < 100000; ++row) {
        source.rows.append(state.range(0) == 0 ? TypicalRow(row) : FullRow(row));
    }
    const QString path = dir.filePath(QStringLiteral("all.xlsx"));
    for (auto _ : state) {
        const ExportResult result = SaveWorkbook(source, path, true, CountColumns());
        if (!result) {
            state.SkipWithError(qPrintable(result.errorString));
            break;
        }
    }
    state.counters["file_MB"] = static_cast<double>(QFile(path).size()) / 1e6;
    state.SetItemsProcessed(state.iterations() * source.rows.size());
}
BENCHMARK(BM_SaveWorkbook100kRows)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_AutomaticSaveRow(benchmark::State &state) {
    CodePage::setCurrent(CodePage::named("windows-1252"));
    QTemporaryDir dir;
    FakeHost host;
    FakeStatus status;
    FakeDialogs dialogs;
    AppContext context(host, status, dialogs);
    context.texts.setText(QStringLiteral("main46"), QStringLiteral("[VAR1] items exported"));
    context.texts.setText(QStringLiteral("main47"), QStringLiteral("Exporting to "));
    context.run.DateTimeVal = QStringLiteral("bench");
    const QStringList captions = Captions();
    const QString line = ExportLine(TypicalRow(1), QStringLiteral(","));
    for (auto _ : state) {
        const ExportResult result =
            AutomaticSave(AutomaticExportOf(context), captions, dir.path(), QStringLiteral("Results"), line);
        if (!result) {
            state.SkipWithError(qPrintable(result.errorString));
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AutomaticSaveRow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

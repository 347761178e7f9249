// SaveRecords of 100,000 rows of every column (target: under 300 ms), SaveWorkbook of the same
// rows (target: under 2 s) and AutomaticSave throughput, on real files in a temporary folder, in
// Windows-1252. Rows are typical (several cells empty), full (every cell about 30 characters)
// or rich (every cell filled as a well-documented company fills it: several addresses with
// their grades and pages, social links, a long specialties text).
#include "core/app/contextpieces.h"
#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "core/export/recordwriter.h"
#include "core/export/workbookwriter.h"
#include "core/settings/settingsstore.h"
#include "core/util/codepage.h"
#include "support/fakehost.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

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

LeadRow RichRow(int row) {
    const QString n = QString::number(row);
    const QString site = u"https://www.northwind-trading"_s + n + u".example"_s;
    const QString domain = u"northwind-trading"_s + n + u".example"_s;
    LeadRow lead;
    lead[LeadRow::Category] = u"Industrial Machinery Manufacturing"_s;
    lead[LeadRow::BusinessName] = u"Northwind Trading & Engineering "_s + n;
    lead[LeadRow::FullAddress] = u"12 Harbour Street, Leeds, West Yorkshire, LS1 4AB, United Kingdom"_s;
    lead[LeadRow::Address] = u"12 Harbour Street"_s;
    lead[LeadRow::City] = u"Leeds"_s;
    lead[LeadRow::State] = u"West Yorkshire"_s;
    lead[LeadRow::PostalCode] = u"LS1 4AB"_s;
    lead[LeadRow::Country] = u"United Kingdom"_s;
    lead[LeadRow::Phone] = u"+44 113 496 0"_s + n.right(3);
    lead[LeadRow::Fax] = u"+44 113 496 1"_s + n.right(3);
    lead[LeadRow::Website] = site;
    lead[LeadRow::Email] =
        u"info@"_s + domain + u";sales@"_s + domain + u";anna.bianchi@"_s + domain + u";northwind.founder@gmail.com"_s;
    lead[LeadRow::Specialties] =
        u"Industrial automation, Precision machining, CNC milling and turning, Sheet metal fabrication, Robotic "
        u"welding, Quality assurance to ISO 9001, Supply chain consulting, Contract manufacturing, Rapid "
        u"prototyping, Custom tooling, Caf\u00E9 equipment"_s;
    lead[LeadRow::Industry] = u"Machinery Manufacturing"_s;
    lead[LeadRow::Type] = u"Privately Held"_s;
    lead[LeadRow::Founded] = u"1987"_s;
    lead[LeadRow::CompanySize] = u"201-500 employees"_s;
    lead[LeadRow::MapLink] = u"http://maps.google.com/maps?q=12+Harbour+Street,+Leeds,+West+Yorkshire,+LS1+4AB"_s;
    lead[LeadRow::LinkedInLink] = u"https://www.linkedin.com/company/northwind-trading-"_s + n;
    lead[LeadRow::GoogleMapsDetails] =
        u"https://maps.googleapis.com/maps/api/place/details/json?placeid=ChIJ"_s + n + u"Qx7bW2eGeUgR&key=AIzaSyA"_s;
    lead[LeadRow::EmailStatus] = u"role, has MX;role, has MX;has MX;free mail, has MX"_s;
    lead[LeadRow::EmailSource] = site + u"/;"_s + site + u"/contact;"_s + site + u"/contact;"_s + site + u"/about"_s;
    lead[LeadRow::SocialLinks] = u"https://www.linkedin.com/company/northwind-trading-"_s + n +
                                 u";https://x.com/northwind"_s + n + u";https://www.facebook.com/northwind"_s + n +
                                 u";https://www.instagram.com/northwind"_s + n;
    return lead;
}

// 0: typical, 1: full, 2: rich.
LeadRow BenchRow(int kind, int row) {
    return kind == 0 ? TypicalRow(row) : kind == 1 ? FullRow(row) : RichRow(row);
}

QStringList Captions() {
    const auto &captions = DefaultColumnCaptions();
    return QStringList(captions.cbegin(), captions.cend());
}

void BM_SaveRecords100kRows(benchmark::State &state) {
    CodePage::setCurrent(CodePage::named("windows-1252"));
    QTemporaryDir dir;
    ExportSource source;
    source.captions = Captions();
    for (int row = 0; row < 100000; ++row) {
        source.rows.append(BenchRow(static_cast<int>(state.range(0)), row));
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
BENCHMARK(BM_SaveRecords100kRows)->ArgName("rows")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_SaveWorkbook100kRows(benchmark::State &state) {
    QTemporaryDir dir;
    ExportSource source;
    source.captions = Captions();
    for (int row = 0; row < 100000; ++row) {
        source.rows.append(BenchRow(static_cast<int>(state.range(0)), row));
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
BENCHMARK(BM_SaveWorkbook100kRows)
    ->ArgName("rows")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

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

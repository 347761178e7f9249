#include "core/settings/languagetags.h"

#include "core/model/leadrow.h"

using namespace Qt::StringLiterals;

namespace {

QString MainTag(int number) {
    return u"main"_s + QString::number(number);
}

void AppendRange(LanguageTable &table, int first, int last) {
    for (int number = first; number <= last; ++number)
        table.push_back({MainTag(number), QString()});
}

LanguageTable BuildMainWindowTags() {
    LanguageTable table = {
        {u"main1"_s, u"Language:"_s},
        {u"main4"_s, u"Get Data"_s},
        {u"main5"_s, u"Stop"_s},
        {u"main6"_s, u"Settings"_s},
        {u"main7"_s, u"Get Updates"_s},
        {u"main8"_s, u"Help"_s},
        {u"main12"_s, u"Home"_s},
        {u"main13"_s, u"Go Back"_s},
        {u"main14"_s, u"Go Forward"_s},
        {u"main15"_s, u"Stop"_s},
        {u"main16"_s, u"Refresh"_s},
        {u"main17"_s, u"Go"_s},
        {u"main18"_s, u"Browser"_s},
        {u"main19"_s, u"News && Special Offers"_s},
        {u"main20"_s, u"Results"_s},
        {u"main35"_s, u"Select All"_s},
        {u"main36"_s, u"Clear Selection"_s},
        {u"main37"_s, u"Delete Selected"_s},
        {u"main38"_s, u"Delete All"_s},
        {u"main39"_s, u"Export Data"_s},
        {u"main40"_s, u"Open Website"_s},
        {u"main41"_s, u"Open Maps URL"_s},
        {u"main42"_s, u"Open Details URL"_s},
        {u"main43"_s, u"Progress:"_s},
    };
    AppendRange(table, 45, 66);
    const auto &captions = DefaultColumnCaptions();
    const auto appendCaptions = [&](int first, int end) {
        for (int column = first; column < end; ++column)
            table.push_back({ColumnCaptionTag(column), captions[static_cast<std::size_t>(column)]});
    };
    appendCaptions(0, LeadRow::LegacyColumnCount);
    AppendRange(table, 92, 92);
    AppendRange(table, 100, 101);
    AppendRange(table, 110, 117);
    AppendRange(table, 120, 121);
    AppendRange(table, 130, 131);
    AppendRange(table, 140, 160);
    AppendRange(table, 200, 206);
    appendCaptions(LeadRow::LegacyColumnCount, LeadRow::ColumnCount);
    AppendRange(table, 220, 235);
    AppendRange(table, 240, 244);
    AppendRange(table, 255, 272);
    AppendRange(table, 285, 290);
    return table;
}

} // namespace

QString ColumnCaptionTag(int column) {
    // The tags after the first twenty columns' were taken by other texts by the time the
    // contact columns came.
    if (column >= LeadRow::LegacyColumnCount) {
        return MainTag(210 + column - LeadRow::LegacyColumnCount);
    }
    return MainTag(71 + column);
}

const LanguageTable &MainWindowTags() {
    static const LanguageTable table = BuildMainWindowTags();
    return table;
}

const LanguageTable &SettingsDialogTags() {
    static const LanguageTable table = {
        {u"settings1"_s, u"Settings"_s},
        {u"settings2"_s, u"Connections"_s},
        {u"settings3"_s, u"Data"_s},
        {u"settings4"_s, u"Don't use any proxy"_s},
        {u"settings5"_s, u"Use this specific proxy"_s},
        {u"settings6"_s, u"Host:"_s},
        {u"settings7"_s, u"Port:"_s},
        {u"settings8"_s, u"Need Authentication"_s},
        {u"settings9"_s, u"Username:"_s},
        {u"settings10"_s, u"Password:"_s},
        {u"settings11"_s, u"Use a random proxy from the following  list. Enter 1 proxy per line."_s},
        {u"settings12"_s, u"Random delay between requests:"_s},
        {u"settings13"_s, u"seconds"_s},
        {u"settings14"_s, u"How to protect your IP?"_s},
        {u"settings15"_s, u"Ok"_s},
        {u"settings16"_s, u"Cancel"_s},
        {u"settings17"_s, u"Columns to Export:"_s},
        {u"settings18"_s, u"Export results manually"_s},
        {u"settings19"_s, u"Export results automatically to a folder"_s},
        {u"settings20"_s, u"Browse"_s},
        {u"settings21"_s, u"Enter a delimiter char to separate columns when you export data. Ex: for USA default char "
                          u"is comma (,) but in Italy is the semicolon (;)"_s},
        {u"settings22"_s, u"Delimiter Char:"_s},
        {u"settings23"_s, u"Extract emails from websites (Will slow the extraction process)"_s},
        {u"settings29"_s, u"Complete data from Google Maps  (Will slow the extraction process)"_s},
        {u"settings40"_s, u"LinkedIn pages read, at most:"_s},
        {u"settings41"_s, u"per hour"_s},
        {u"settings42"_s, u"per day"_s},
        {u"settings45"_s, u"Lines that are not host:port and will be passed over: [VAR1]"_s},
        {u"settings46"_s, u"This folder does not exist yet. It will be created when a run starts."_s},
        {u"settings47"_s, u"This folder does not exist and cannot be created."_s},
        {u"settings50"_s, u"File format:"_s},
        {u"settings51"_s, u"CSV"_s},
        {u"settings52"_s, u"Excel workbook (XLSX)"_s},
        {u"settings55"_s, u"Check that each e-mail domain has a mail server"_s},
        {u"settings60"_s, u"Pause between the searches of a queue:"_s},
        {u"settings61"_s, u"seconds"_s},
        {u"settings65"_s, u"Leave out companies already in the library"_s},
        {u"settings66"_s, u"Export only rows not exported before"_s},
    };
    return table;
}

const QStringList &UiTextTags() {
    static const QStringList tags = [] {
        QStringList list;
        for (int number = 45; number <= 66; ++number)
            list.append(MainTag(number));
        list.append(MainTag(92));
        list.append(MainTag(100));
        list.append(MainTag(101));
        for (int number = 110; number <= 117; ++number)
            list.append(MainTag(number));
        list.append(MainTag(120));
        list.append(MainTag(121));
        list.append(MainTag(130));
        list.append(MainTag(131));
        for (int number = 140; number <= 160; ++number)
            list.append(MainTag(number));
        for (int number = 200; number <= 206; ++number)
            list.append(MainTag(number));
        for (int number = 220; number <= 235; ++number)
            list.append(MainTag(number));
        for (int number = 240; number <= 244; ++number)
            list.append(MainTag(number));
        for (int number = 255; number <= 272; ++number)
            list.append(MainTag(number));
        for (int number = 285; number <= 290; ++number)
            list.append(MainTag(number));
        return list;
    }();
    return tags;
}

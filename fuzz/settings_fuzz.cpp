// settings.dat through the code-page layer: loading any file works, and the settings loaded,
// saved and loaded again are the same. Left out: a set with a value that holds a marker ("<%%"
// or "%%>"; the file escapes nothing, so such a value can take another key's place), and each
// value the code page cannot hold.
#include "core/settings/settingsstore.h"
#include "core/util/codepage.h"
#include "core/util/textfile.h"
#include "fuzzcheck.h"
#include "fuzzfile.h"
#include "fuzztext.h"

#include <algorithm>
#include <iterator>

namespace {

const QString documents = QStringLiteral("/home/user/Documents");

bool HoldsMarker(const QString &value) {
    return value.contains(QLatin1String("<%%")) || value.contains(QLatin1String("%%>"));
}

bool AnyHoldsMarker(const AppSettings &settings) {
    const QString values[] = {settings.eHost,         settings.ePort,
                              settings.eUserName,     settings.ePassword,
                              settings.eExportFields, settings.eRandom,
                              settings.eExportFolder, settings.eDelimiter,
                              settings.CurrLang,      JoinLinesCrLf(settings.eRandomProxies)};
    return std::any_of(std::begin(values), std::end(values), HoldsMarker);
}

bool Storable(const QString &value) {
    const CodePage codePage = CodePage::current();
    return codePage.decode(codePage.encode(value)) == value;
}

void CheckText(const char *key, const QString &loaded, const QString &reloaded) {
    if (Storable(loaded)) {
        FuzzCheck(loaded == reloaded, "a loaded settings value saved and loaded again is the same", [&]() -> QString {
            return QLatin1String(key) + QStringLiteral(": ") + Shown(loaded) + QStringLiteral(" became ") +
                   Shown(reloaded);
        });
    }
}

void CheckBoolean(const char *key, bool loaded, bool reloaded) {
    FuzzCheck(loaded == reloaded, "a loaded settings value saved and loaded again is the same",
              [&]() -> QString { return QLatin1String(key); });
}

void CheckRoundTrip(const AppSettings &a, const AppSettings &b) {
    CheckBoolean("rNoProxy", a.rNoProxy, b.rNoProxy);
    CheckBoolean("rUseProxy", a.rUseProxy, b.rUseProxy);
    CheckBoolean("rAuthentification", a.rAuthentification, b.rAuthentification);
    CheckText("eHost", a.eHost, b.eHost);
    CheckText("ePort", a.ePort, b.ePort);
    CheckText("eUserName", a.eUserName, b.eUserName);
    CheckText("ePassword", a.ePassword, b.ePassword);
    CheckBoolean("rRandomProxy", a.rRandomProxy, b.rRandomProxy);
    if (Storable(JoinLinesCrLf(a.eRandomProxies))) {
        FuzzCheck(a.eRandomProxies == b.eRandomProxies, "the proxy list saved and loaded again is the same",
                  [&]() -> QString {
                      return Shown(a.eRandomProxies.join(u'|')) + QStringLiteral(" became ") +
                             Shown(b.eRandomProxies.join(u'|'));
                  });
    }
    CheckText("eExportFields", a.eExportFields, b.eExportFields);
    CheckText("eRandom", a.eRandom, b.eRandom);
    CheckBoolean("cExtractEmails", a.cExtractEmails, b.cExtractEmails);
    CheckBoolean("cCompleteFromGoogle", a.cCompleteFromGoogle, b.cCompleteFromGoogle);
    CheckBoolean("cExportManually", a.cExportManually, b.cExportManually);
    CheckBoolean("cExportAutomatic", a.cExportAutomatic, b.cExportAutomatic);
    CheckText("eExportFolder", a.eExportFolder, b.eExportFolder);
    CheckText("eDelimiter", a.eDelimiter, b.eDelimiter);
    CheckText("Language", a.CurrLang, b.CurrLang);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString path = WriteInputFile(QStringLiteral("settings.dat"), data, size);
    AppSettings loaded;
    const LoadSettingsResult first = LoadSettings(loaded, path, documents);
    FuzzCheck(first.status != LoadSettingsResult::Status::NoFile &&
                  first.status != LoadSettingsResult::Status::Unreadable,
              "a settings file that is there is read");

    if (AnyHoldsMarker(loaded)) {
        return 0;
    }
    const QString savedPath = FuzzFilePath(QStringLiteral("saved.dat"));
    const SaveSettingsResult saved = SaveSettings(loaded, savedPath);
    FuzzCheck(saved.ok, "loaded settings can be saved", [&]() -> QString { return saved.errorString; });
    AppSettings reloaded;
    const LoadSettingsResult second = LoadSettings(reloaded, savedPath, documents);
    FuzzCheck(second.status == LoadSettingsResult::Status::Loaded, "saved settings load completely",
              [&]() -> QString { return second.key; });
    CheckRoundTrip(loaded, reloaded);
    return 0;
}

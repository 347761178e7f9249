#include "core/app/endpoints.h"

#include "core/app/endpointnames.h"

#include <QFile>
#include <QFileInfo>

const std::array<EndpointName, 14> &EndpointEnvironmentNames() {
    static const std::array<EndpointName, 14> names{{
        {"TARNWICK_LINKEDIN_HTTPS", &Endpoints::linkedInHttps},
        {"TARNWICK_LINKEDIN_HTTP", &Endpoints::linkedInHttp},
        {"TARNWICK_GOOGLE_MAPS_HTTP", &Endpoints::googleMapsHttp},
        {"TARNWICK_PLACES_HTTP", &Endpoints::placesHttp},
        {"TARNWICK_PLACES_HTTPS", &Endpoints::placesHttps},
        {"TARNWICK_PLACES_KEY_A", &Endpoints::placesKeyA},
        {"TARNWICK_PLACES_KEY_B", &Endpoints::placesKeyB},
        {"TARNWICK_UPDATE_BASE_URL", &Endpoints::updateBaseUrl},
        {"TARNWICK_NEWS_DATA_URL", &Endpoints::newsDataUrl},
        {"TARNWICK_OFFERS_PAGE_URL", &Endpoints::offersPageUrl},
        {"TARNWICK_TUTORIAL_URL", &Endpoints::tutorialUrl},
        {"TARNWICK_AFFILIATES_URL", &Endpoints::affiliatesUrl},
        {"TARNWICK_PROXY_ADVICE_URL", &Endpoints::proxyAdviceUrl},
        {"TARNWICK_DNS_SERVER", &Endpoints::dnsServer},
    }};
    return names;
}

namespace {

constexpr QFileDevice::Permissions NotOwnerOnly = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                  QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                  QFileDevice::WriteOther | QFileDevice::ExeOther;

void ApplyEnvironment(Endpoints &endpoints, const QProcessEnvironment &environment) {
    for (const auto &[name, member] : EndpointEnvironmentNames()) {
        const QString key = QString::fromLatin1(name);
        if (environment.contains(key)) {
            endpoints.*member = environment.value(key);
        }
    }
}

bool Named(QStringView name, QStringView expected) {
    return name.compare(expected, Qt::CaseInsensitive) == 0;
}

// Reads the "name=value" lines of the [Places] and [Network] groups; group and key names in any
// letter case, blank lines and lines starting with '#' or ';' skipped.
void ReadGroups(const QString &text, ConfigFile &config) {
    QStringView group;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';')) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = line.sliced(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        const QStringView name = line.first(equals).trimmed();
        const QString value = line.sliced(equals + 1).trimmed().toString();
        if (Named(group, u"Places") && Named(name, u"KeyA")) {
            config.keyA = value;
        } else if (Named(group, u"Places") && Named(name, u"KeyB")) {
            config.keyB = value;
        } else if (Named(group, u"Network") && Named(name, u"CaFile")) {
            config.caFile = value;
        } else if (Named(group, u"Network") && Named(name, u"VerifyTls")) {
            config.verifyTls =
                !(Named(value, u"false") || Named(value, u"no") || Named(value, u"off") || value == u"0");
        }
    }
}

} // namespace

QString ConfigFilePath(const QString &appDataFolder) {
    return appDataFolder.isEmpty() ? QString() : appDataFolder + QStringLiteral("/tarnwick.conf");
}

ConfigFile ReadConfigFile(const QString &path) {
    ConfigFile keys;
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return keys;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        keys.warning = QStringLiteral("%1: cannot read the Places keys: %2").arg(path, file.errorString());
        return keys;
    }
    ReadGroups(QString::fromUtf8(file.readAll()), keys);
    if (file.permissions() & NotOwnerOnly) {
        keys.othersMayRead = true;
        keys.warning = QStringLiteral("%1 holds the Places keys but other users may read it; make it private "
                                      "with: chmod 600 '%1'")
                           .arg(path);
    }
    return keys;
}

Endpoints Endpoints::fromEnvironment(const QProcessEnvironment &environment) {
    Endpoints endpoints;
    ApplyEnvironment(endpoints, environment);
    return endpoints;
}

Endpoints Endpoints::fromKeyFileAndEnvironment(const ConfigFile &keys, const QProcessEnvironment &environment) {
    Endpoints endpoints;
    endpoints.placesKeyA = keys.keyA;
    endpoints.placesKeyB = keys.keyB;
    ApplyEnvironment(endpoints, environment);
    return endpoints;
}

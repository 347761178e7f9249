#pragma once

#include <QProcessEnvironment>
#include <QString>

// What a user keeps in the program's configuration file (tarnwick.conf beside settings.dat): the
// Places keys in a [Places] group (KeyA=, KeyB=), and how certificates are checked in a
// [Network] group (CaFile= names a bundle of further authorities, VerifyTls=false turns the
// checks off).
struct ConfigFile {
    QString keyA;
    QString keyB;
    QString caFile;
    bool verifyTls = true;
    // Why the keys may not be private or could not be read; empty when all is well.
    QString warning;
    // Others than its owner may read or write the file.
    bool othersMayRead = false;
};

// The configuration file in the program's data folder; empty when that folder is unknown.
QString ConfigFilePath(const QString &appDataFolder);
// The file at path. A missing file holds nothing and is no fault; a file that others than its
// owner may read or write is still read, with a warning.
ConfigFile ReadConfigFile(const QString &path);

// Every address the program talks to outside the browser pane's own browsing. The defaults are
// the real services; each value can be overridden from the environment (TARNWICK_<NAME>, for
// instance TARNWICK_LINKEDIN_HTTPS=http://127.0.0.1:8080), so tests and the sample site can
// point every one of them at this machine. The README lists the names.
struct Endpoints {
    // The LinkedIn site as scheme and host (and port), no trailing slash.
    QString linkedInHttps = QStringLiteral("https://www.linkedin.com");
    QString linkedInHttp = QStringLiteral("http://www.linkedin.com");
    // The host of the map links written into rows (http, path /maps).
    QString googleMapsHttp = QStringLiteral("http://maps.google.com");
    // The Places web service. The service takes every request, geocoding too, over https only;
    // geocoding keeps an address of its own (and its own environment name).
    QString placesHttp = QStringLiteral("https://maps.googleapis.com");
    QString placesHttps = QStringLiteral("https://maps.googleapis.com");
    // The two Places keys; empty until the configuration file or the environment supplies them.
    QString placesKeyA;
    QString placesKeyB;
    // The publisher's addresses.
    QString updateBaseUrl = QStringLiteral("https://www.brisvanesoftware.com/updates/tarnwick/");
    QString newsDataUrl = QStringLiteral("https://www.brisvanesoftware.com/promotions/news/K3816.dat");
    QString offersPageUrl = QStringLiteral("https://www.brisvanesoftware.com/promotions/news/K3816.php");
    QString tutorialUrl = QStringLiteral("https://www.brisvanesoftware.com/tutorial.php");
    QString affiliatesUrl = QStringLiteral("https://www.brisvanesoftware.com/affiliates");
    // The advice page behind "How to protect your IP?" in the settings dialog.
    QString proxyAdviceUrl = QStringLiteral("https://www.brisvanesoftware.com/protect-your-ip");
    // The DNS server asked about mail exchangers, as "host:port" (several separated by commas);
    // empty for the system's resolver configuration.
    QString dnsServer;

    // The defaults, with every value the environment names replaced.
    static Endpoints fromEnvironment(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    // The defaults with the keys of the file, then every value the environment names: a key set
    // in the environment wins over the file's.
    static Endpoints
    fromKeyFileAndEnvironment(const ConfigFile &keys,
                              const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
};

#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

class Host;

// --demo: the sample site beside the executable, serving on 127.0.0.1 everything a run talks
// to, and a throw-away home folder for the program meanwhile. The site stops and the folder
// goes when this object does, so it must outlive the window and the browser profile.
class DemoSite {
public:
    DemoSite() = default;
    ~DemoSite();
    DemoSite(const DemoSite &) = delete;
    DemoSite &operator=(const DemoSite &) = delete;

    // Starts program and waits until it serves; points HOME and the XDG folders into the
    // throw-away folder and stores settings without the random pause between requests there;
    // their export folder is the host's documents folder. Call before anything asks host for a
    // folder. False with errorString() when it fails.
    bool start(const QString &program, Host &host);
    QString errorString() const { return m_error; }
    // The process environment with the endpoint variables the site printed.
    QProcessEnvironment environment() const { return m_environment; }

private:
    bool readEndpoints();
    bool prepareHome(Host &host);

    QProcess m_site;
    QTemporaryDir m_home;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QString m_error;
};

#pragma once

#include <QObject>
#include <QString>

#include <memory>

class BrowserProfile;
struct Endpoints;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class StatusSink;
class UiTexts;
class WebEnginePane;

// The Browser tab: the browser pane that runs read, and the address panel above the tabs that
// drives it. The page's loading shows in the status bar's gauge.
class BrowserTab : public QObject {
    Q_OBJECT

public:
    static constexpr int AddressPanelHeight = 44;

    struct Pieces {
        BrowserProfile &profile;
        StatusSink &status;
        const UiTexts &texts;
        const Endpoints &endpoints;
    };

    explicit BrowserTab(Pieces pieces);
    ~BrowserTab() override;

    WebEnginePane &pane() { return *m_ewbMain; }
    // The tab's page; the window's tabs take it over.
    QWidget *page() const;
    // The address panel, made once as a child of parent for the window to place.
    QWidget *buildAddressPanel(QWidget *parent);
    void focusAddress();
    // The company search page the Home image and the "nhome" rule lead to.
    QString companySearchUrl() const;

    // Browser controls.
    void btnGoClick();
    void imgHomeClick();
    void imgBackClick();
    void imgForwardClick();
    void imgStopClick();
    void imgRefreshClick();
    // Browser events.
    void ewbMainNavigateComplete2(const QString &url);
    void ewbMainProgressChange(qint64 progress, qint64 progressMax);
    void ewbMainScriptError(const QString &message);

private:
    Pieces m_pieces;
    std::unique_ptr<WebEnginePane> m_ewbMain;
    QToolButton *m_imgHome = nullptr;
    QToolButton *m_imgBack = nullptr;
    QToolButton *m_imgForward = nullptr;
    QToolButton *m_imgStop = nullptr;
    QToolButton *m_imgRefresh = nullptr;
    QLineEdit *m_edtAddress = nullptr;
    QPushButton *m_btnGo = nullptr;
};

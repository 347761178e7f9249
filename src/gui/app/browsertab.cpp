#include "gui/app/browsertab.h"

#include "core/app/endpoints.h"
#include "core/app/statussink.h"
#include "core/settings/uitexts.h"
#include "gui/app/makebutton.h"
#include "gui/browser/webenginepane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QWebEngineView>

namespace {

constexpr int ImageSize = 32;

// The style's "home" picture is a folder (the home directory); the browser's Home is a house.
QIcon HouseIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2f, 0x4f, 0x6f), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0xc0, 0x39, 0x2b));
    painter.drawPolygon(QPolygonF({QPointF(6, 30), QPointF(32, 6), QPointF(58, 30)}));
    painter.setBrush(QColor(0xf5, 0xe6, 0xc8));
    painter.drawRect(QRectF(13, 30, 38, 28));
    painter.setBrush(QColor(0x6b, 0x4f, 0x2f));
    painter.drawRect(QRectF(27, 40, 11, 18));
    return QIcon(pixmap);
}

QToolButton *MakeImage(QWidget *parent, const char *name, const QIcon &icon, const QString &hint) {
    auto *image = new QToolButton(parent);
    image->setObjectName(QLatin1String(name));
    image->setIcon(icon);
    image->setIconSize(QSize(ImageSize - 8, ImageSize - 8));
    image->setFixedSize(ImageSize, ImageSize);
    image->setAutoRaise(true);
    image->setToolTip(hint);
    return image;
}

} // namespace

BrowserTab::BrowserTab(Pieces pieces) : m_pieces(pieces), m_ewbMain(std::make_unique<WebEnginePane>(pieces.profile)) {
    m_ewbMain->view()->setObjectName(QStringLiteral("ewbMain"));
    m_ewbMain->setUnreachableText([this](const QString &host, const QString &reason) {
        return m_pieces.texts.format(QStringLiteral("main157"), {host, reason});
    });
    connect(m_ewbMain.get(), &BrowserPane::navigateComplete2, this, &BrowserTab::ewbMainNavigateComplete2);
    connect(m_ewbMain.get(), &BrowserPane::progressChange, this, &BrowserTab::ewbMainProgressChange);
    connect(m_ewbMain.get(), &BrowserPane::scriptError, this, &BrowserTab::ewbMainScriptError);
}

BrowserTab::~BrowserTab() = default;

QWidget *BrowserTab::page() const {
    return m_ewbMain->view();
}

QWidget *BrowserTab::buildAddressPanel(QWidget *parent) {
    Q_ASSERT(m_edtAddress == nullptr);
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("panAddress"));
    panel->setFixedHeight(AddressPanelHeight);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 6, 8, 6);
    const QStyle *style = panel->style();
    m_imgHome = MakeImage(panel, "imgHome", HouseIcon(), QStringLiteral("Home"));
    m_imgBack = MakeImage(panel, "imgBack", style->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Go Back"));
    m_imgForward =
        MakeImage(panel, "imgForward", style->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Go Forward"));
    m_imgStop = MakeImage(panel, "imgStop", style->standardIcon(QStyle::SP_BrowserStop), QStringLiteral("Stop"));
    m_imgRefresh =
        MakeImage(panel, "imgRefresh", style->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Refresh"));
    for (QToolButton *image : {m_imgHome, m_imgBack, m_imgForward, m_imgStop, m_imgRefresh}) {
        row->addWidget(image);
    }
    auto *label = new QLabel(QStringLiteral("Address:"), panel);
    label->setObjectName(QStringLiteral("lblAddress"));
    m_edtAddress = new QLineEdit(panel);
    m_edtAddress->setObjectName(QStringLiteral("edtAddress"));
    m_btnGo = MakeButton(panel, "btnGo", QStringLiteral("Go"));
    row->addWidget(label);
    row->addWidget(m_edtAddress, 1);
    row->addWidget(m_btnGo);

    connect(m_btnGo, &QPushButton::clicked, this, &BrowserTab::btnGoClick);
    connect(m_imgHome, &QToolButton::clicked, this, &BrowserTab::imgHomeClick);
    connect(m_imgBack, &QToolButton::clicked, this, &BrowserTab::imgBackClick);
    connect(m_imgForward, &QToolButton::clicked, this, &BrowserTab::imgForwardClick);
    connect(m_imgStop, &QToolButton::clicked, this, &BrowserTab::imgStopClick);
    connect(m_imgRefresh, &QToolButton::clicked, this, &BrowserTab::imgRefreshClick);
    return panel;
}

void BrowserTab::focusAddress() {
    m_edtAddress->setFocus();
}

QString BrowserTab::companySearchUrl() const {
    return m_pieces.endpoints.linkedInHttp + QStringLiteral("/vsearch/c");
}

void BrowserTab::btnGoClick() {
    m_ewbMain->navigate(m_edtAddress->text());
}

void BrowserTab::imgHomeClick() {
    m_ewbMain->navigate(companySearchUrl());
}

void BrowserTab::imgBackClick() {
    if (m_ewbMain->isBusy()) {
        m_ewbMain->stop();
    }
    m_ewbMain->goBack();
}

void BrowserTab::imgForwardClick() {
    if (m_ewbMain->isBusy()) {
        m_ewbMain->stop();
    }
    m_ewbMain->goForward();
}

void BrowserTab::imgStopClick() {
    m_ewbMain->stop();
    m_pieces.status.setGaugePosition(0);
}

void BrowserTab::imgRefreshClick() {
    if (m_ewbMain->isBusy()) {
        m_ewbMain->stop();
    }
    m_ewbMain->refresh();
}

void BrowserTab::ewbMainNavigateComplete2(const QString &url) {
    m_edtAddress->setText(m_ewbMain->locationUrl());
    // LinkedIn's member home page is never shown; the company search takes its place.
    if (url.contains(QStringLiteral("nhome"), Qt::CaseSensitive)) {
        imgHomeClick();
    }
}

void BrowserTab::ewbMainProgressChange(qint64 progress, qint64 progressMax) {
    m_pieces.status.setGaugeMaximum(100);
    const bool measurable = progress >= 1 && progressMax >= 2;
    m_pieces.status.setGaugePosition(measurable ? progress * 100 / progressMax : 0);
}

void BrowserTab::ewbMainScriptError(const QString &) {
    // Page script errors are the page's business: no dialog, and its scripts keep running.
}

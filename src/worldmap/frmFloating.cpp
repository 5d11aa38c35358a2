#include "worldmap/frmFloating.h"

#include "tracking/TrackingModel.h"

#include "services/mGlobal.h"
#include "services/mLang.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int kLeastOpacity = 90;
constexpr int kMostOpacity = 255;
constexpr int kInitialOpacity = 180;

} // namespace

frmFloating::frmFloating(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmFloating"));
    fraSatellitePrincipale = new QGroupBox(this);
    fraSatellitePrincipale->setObjectName(QStringLiteral("fraSatellitePrincipale"));
    auto* grid = new QGridLayout(fraSatellitePrincipale);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);

    struct Row
    {
        const char16_t* caption;
        const char16_t* key;
        const char16_t* value;
        QLabel** label;
    };
    // Two columns of nine: position and look direction left, orbit and radio right.
    const Row rows[] = {
        {u"lblLat", u"lat", u"lblLatitude", &lblLatitude},
        {u"lblLon", u"lon", u"lblLongitude", &lblLongitude},
        {u"lblAlt", u"alt", u"lblAltitude", &lblAltitude},
        {u"lblAz", u"az", u"lblAzimuth", &lblAzimuth},
        {u"lblAR", u"ar", u"lblAscension", &lblAscension},
        {u"lblDec", u"dec", u"lblDeclination", &lblDeclination},
        {u"lblOrbita", u"orb", u"lblOrbitNumber", &lblOrbitNumber},
        {u"lblVarDist", u"var", u"lblRangeRate", &lblRangeRate},
        {u"lblStato", u"stato", u"lblState", &lblState},
        {u"lblMag", u"mag", u"lblMagnitude", &lblMagnitude},
        {u"lblQuota", u"hgt", u"lblHeight", &lblHeight},
        {u"lblDista", u"dist", u"lblRange", &lblRange},
        {u"lblApg", u"apg", u"lblApogee", &lblApogee},
        {u"lblPrg", u"prg", u"lblPerigee", &lblPerigee},
        {u"lblPrd", u"prd", u"lblPeriod", &lblPeriod},
        {u"lblVel", u"vel", u"lblVelocity", &lblVelocity},
        {u"lblRicezione", u"ricezione", u"lblRicez", &lblRicez},
        {u"lblTrasmissione", u"trasmissione", u"lblTrasm", &lblTrasm},
    };
    const int perColumn = 9;
    int index = 0;
    for (const Row& row : rows) {
        auto* caption = new QLabel(fraSatellitePrincipale);
        caption->setObjectName(QString::fromUtf16(row.caption));
        auto* value = new QLabel(fraSatellitePrincipale);
        value->setObjectName(QString::fromUtf16(row.value));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0000000.0000")));
        *row.label = value;
        const int column = index / perColumn * 2;
        grid->addWidget(caption, index % perColumn, column);
        grid->addWidget(value, index % perColumn, column + 1);
        m_captions.emplace_back(caption, row.key);
        ++index;
    }
    grid->setColumnMinimumWidth(2, 70);

    hscrTrasparenza = new QScrollBar(Qt::Horizontal, this);
    hscrTrasparenza->setObjectName(QStringLiteral("hscrTrasparenza"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(fraSatellitePrincipale);
    layout->addWidget(hscrTrasparenza);

    Imposta_etichette();
    hscrTrasparenza->setRange(kLeastOpacity, kMostOpacity);
    hscrTrasparenza->setValue(kInitialOpacity);
    // Without a compositor the platform refuses and the bar stays opaque.
    mGlobal::Imposta_trasparenza(this, hscrTrasparenza->value());
    connect(hscrTrasparenza, &QScrollBar::valueChanged, this,
            [this](int value) { mGlobal::Imposta_trasparenza(this, value); });

    connect(&TrackingModel::instance(), &TrackingModel::ticked, this, &frmFloating::followTick);
    followTick();
}

void frmFloating::Imposta_etichette()
{
    using mLang::Testo_lingua;
    setWindowTitle(Testo_lingua(u"frmSatellite", u"satellite"));
    fraSatellitePrincipale->setTitle(Testo_lingua(u"frmWorldMap", u"satelliteprincipale"));
    for (const auto& [label, key] : m_captions)
        label->setText(Testo_lingua(u"Def", key));
    for (const auto& [label, key] : m_captions)
        label->setToolTip(Testo_lingua(u"ToolTips", key));
}

void frmFloating::followTick()
{
    const TickSnapshot& snapshot = TrackingModel::instance().snapshot();
    if (snapshot.hasPrincipal) {
        showPrincipalTexts(snapshot.principal);
    } else if (snapshot.satellites.empty()) {
        // With no active satellite left the bar shows no one's values, as the map's box.
        PrincipalTexts empty;
        for (QString* value : {&empty.latitude, &empty.longitude, &empty.height, &empty.range,
                               &empty.rangeRate, &empty.orbitNumber, &empty.elevation,
                               &empty.azimuth, &empty.apogee, &empty.perigee, &empty.period,
                               &empty.speed, &empty.rightAscension, &empty.declination,
                               &empty.downlink, &empty.uplink})
            *value = QStringLiteral("0");
        showPrincipalTexts(empty);
    }
}

void frmFloating::showPrincipalTexts(const PrincipalTexts& t)
{
    lblLatitude->setText(t.latitude);
    lblLongitude->setText(t.longitude);
    lblHeight->setText(t.height);
    lblRange->setText(t.range);
    lblRangeRate->setText(t.rangeRate);
    lblOrbitNumber->setText(t.orbitNumber);
    lblAltitude->setText(t.elevation);
    lblAzimuth->setText(t.azimuth);
    lblApogee->setText(t.apogee);
    lblPerigee->setText(t.perigee);
    lblPeriod->setText(t.period);
    lblVelocity->setText(t.speed);
    lblAscension->setText(t.rightAscension);
    lblDeclination->setText(t.declination);
    lblState->setText(t.state);
    lblMagnitude->setText(t.magnitude);
    lblRicez->setText(t.downlink);
    lblTrasm->setText(t.uplink);
}

void frmFloating::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit unloaded();
}

// The world map's controls, language texts, layout and remembered geometry.

#include "worldmap/frmWorldMap.h"

#include "services/TextRoom.h"
#include "services/Twips.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>

#include <algorithm>
#include <array>
#include <cmath>

using namespace worldmap;

namespace {

const QString kWindowName = QStringLiteral("frmWorldMap");
const QString kApplication = QStringLiteral("Quorvanel");
const QString kSection = QStringLiteral("Mappamondo");

constexpr double kDataBoxWidthTwips = 1935;
constexpr double kMarginTwips = 10;
constexpr double kDefaultWidthTwips = 10665;
constexpr double kDefaultHeightTwips = 6870;

struct DataRow
{
    const char16_t* caption; ///< the caption label's name
    const char16_t* key;     ///< its text in "Def", its tooltip in "ToolTips"
    const char16_t* value;   ///< the value label's name
};

// In the order the tick writes the values.
constexpr std::array<DataRow, 18> kRows{{
    {u"lblLat", u"lat", u"lblLatitude"},        {u"lblLon", u"lon", u"lblLongitude"},
    {u"lblQuota", u"hgt", u"lblHeight"},        {u"lblAlt", u"alt", u"lblAltitude"},
    {u"lblAz", u"az", u"lblAzimuth"},           {u"lblAR", u"ar", u"lblAscension"},
    {u"lblDec", u"dec", u"lblDeclination"},     {u"lblOrbita", u"orb", u"lblOrbitNumber"},
    {u"lblVarDist", u"var", u"lblRangeRate"},   {u"lblStato", u"stato", u"lblState"},
    {u"lblMag", u"mag", u"lblMagnitude"},       {u"lblDista", u"dist", u"lblRange"},
    {u"lblApg", u"apg", u"lblApogee"},          {u"lblPrg", u"prg", u"lblPerigee"},
    {u"lblPrd", u"prd", u"lblPeriod"},          {u"lblVel", u"vel", u"lblVelocity"},
    {u"lblRicezione", u"ricezione", u"lblRicez"}, {u"lblTrasmissione", u"trasmissione", u"lblTrasm"},
}};

/// The texts of a data box in the order of its rows.
std::array<const QString*, 18> inRowOrder(const PrincipalTexts& texts)
{
    return {&texts.latitude,  &texts.longitude,      &texts.height,      &texts.elevation,
            &texts.azimuth,   &texts.rightAscension, &texts.declination, &texts.orbitNumber,
            &texts.rangeRate, &texts.state,          &texts.magnitude,   &texts.range,
            &texts.apogee,    &texts.perigee,        &texts.period,      &texts.speed,
            &texts.downlink,  &texts.uplink};
}

int pixels(double twipsValue)
{
    return static_cast<int>(std::lround(twips::toPixels(twipsValue)));
}

QWidget* frameOf(QWidget* window)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    return frame != nullptr ? static_cast<QWidget*>(frame) : window;
}

double storedTwips(const QString& key, const QString& fallback)
{
    bool ok = false;
    const double value = mReg::Leggi_registro(kApplication, kSection, key, fallback).toDouble(&ok);
    return ok ? value : fallback.toDouble();
}

} // namespace

void frmWorldMap::buildControls()
{
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAttribute(Qt::WA_OpaquePaintEvent);
    Picture1->setMouseTracking(true);

    fraSatellitePrincipale = new QGroupBox(this);
    fraSatellitePrincipale->setObjectName(QStringLiteral("fraSatellitePrincipale"));
    QFont small = fraSatellitePrincipale->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2.0));
    fraSatellitePrincipale->setFont(small);
    auto* grid = new QGridLayout(fraSatellitePrincipale);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        m_captions[i] = new QLabel(fraSatellitePrincipale);
        m_captions[i]->setObjectName(QString::fromUtf16(kRows[i].caption));
        m_values[i] = new QLabel(fraSatellitePrincipale);
        m_values[i]->setObjectName(QString::fromUtf16(kRows[i].value));
        m_values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(m_captions[i], int(i), 0);
        grid->addWidget(m_values[i], int(i), 1);
    }
    grid->setRowStretch(int(kRows.size()), 1);
    const PrincipalTexts widest = widestPrincipalTexts();
    const std::array<const QString*, 18> widestValues = inRowOrder(widest);
    for (std::size_t i = 0; i < kRows.size(); ++i)
        m_values[i]->setMinimumWidth(m_values[i]->fontMetrics().horizontalAdvance(*widestValues[i]));
}

void frmWorldMap::Imposta_lingua()
{
    Testo_mappamondo = mLang::Testo_lingua(kWindowName, u"mappamondo");
    Testo_rettangolare = mLang::Testo_lingua(kWindowName, u"mapparettangolare");
    Testo_ortografica = mLang::Testo_lingua(kWindowName, u"mappaortografica");
    setWindowTitle(Testo_mappamondo);
    fraSatellitePrincipale->setTitle(mLang::Testo_lingua(kWindowName, u"satelliteprincipale"));
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        m_captions[i]->setText(mLang::Testo_lingua(u"Def", QStringView(kRows[i].key)));
        m_captions[i]->setToolTip(mLang::Testo_lingua(u"ToolTips", QStringView(kRows[i].key)));
    }
}

void frmWorldMap::Leggi_posizione_finestra()
{
    QWidget* frame = frameOf(this);
    const int storedWidth = pixels(storedTwips(QStringLiteral("Window_Width"), QStringLiteral("10665")));
    const int storedHeight = pixels(storedTwips(QStringLiteral("Window_Height"), QStringLiteral("6870")));
    if (Impostazioni.Posizioni_finestre) {
        frame->setGeometry(pixels(storedTwips(QStringLiteral("Window_Left"), QStringLiteral("0"))),
                           pixels(storedTwips(QStringLiteral("Window_Top"), QStringLiteral("0"))),
                           std::max(1, storedWidth), std::max(1, storedHeight));
    } else {
        frame->resize(pixels(kDefaultWidthTwips), pixels(kDefaultHeightTwips));
    }
}

void frmWorldMap::savePosition()
{
    QWidget* frame = frameOf(this);
    if (frame->isMinimized() || isMinimized())
        return;
    const QRect at = frame->geometry();
    const auto text = [](int px) { return QString::number(static_cast<float>(twips::fromPixels(px))); };
    // One write for the four values; a store that cannot be written keeps the previous
    // geometry: nothing to tell.
    (void)mReg::writeValues(kApplication,
                            {{kSection, QStringLiteral("Window_Left"), text(at.x())},
                             {kSection, QStringLiteral("Window_Top"), text(at.y())},
                             {kSection, QStringLiteral("Window_Width"), text(at.width())},
                             {kSection, QStringLiteral("Window_Height"), text(at.height())}});
}

void frmWorldMap::Form_Resize()
{
    const int margin = std::max(1, pixels(kMarginTwips));
    // The layout's width, or what the title, the captions and the widest values need.
    const int boxWidth =
        m_model.worldMap().riquadroDati
            ? std::max(pixels(kDataBoxWidthTwips), groupBoxWidthFor(*fraSatellitePrincipale))
            : 0;
    const int mapWidth = std::max(0, width() - margin - boxWidth - (boxWidth > 0 ? margin : 0));
    const int mapHeight = std::max(0, height() - 2 * margin);
    Picture1->setGeometry(margin, margin, mapWidth, mapHeight);
    fraSatellitePrincipale->setVisible(boxWidth > 0);
    fraSatellitePrincipale->setGeometry(mapWidth + 2 * margin, margin, boxWidth, mapHeight);
    if (Picture1->size() != m_background.size())
        Genera_mappa();
}

void frmWorldMap::showPrincipalTexts(const PrincipalTexts& texts)
{
    const std::array<const QString*, 18> values = inRowOrder(texts);
    for (std::size_t i = 0; i < values.size(); ++i)
        m_values[i]->setText(*values[i]);
}

void frmWorldMap::resetPrincipalTexts()
{
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const bool word = kRows[i].value == std::u16string_view(u"lblState")
                          || kRows[i].value == std::u16string_view(u"lblMagnitude");
        m_values[i]->setText(word ? QString() : QStringLiteral("0"));
    }
}

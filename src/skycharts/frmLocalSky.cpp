#include "skycharts/frmLocalSky.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/LocalSkyPrintout.h"

#include "common/gates.h"
#include "common/options.h"
#include "common/program_time.h"
#include "core/DateValue.h"
#include "services/BusyCursor.h"
#include "services/DisplayFormat.h"
#include "services/PaintDeviceSurface.h"
#include "services/PictureBox.h"
#include "services/Printing.h"
#include "services/ProgramFolder.h"
#include "services/TextRoom.h"
#include "services/Twips.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

constexpr int kRedrawIntervalMs = 60000;
constexpr double kDataBoxWidthTwips = 1935;
constexpr double kDefaultWidthTwips = 10665;
constexpr double kDefaultHeightTwips = 6870;
constexpr int kMarginPixels = 1;
constexpr double kDataBoxFontScale = 0.85;

struct DataRow
{
    const char* caption;    ///< caption label
    const char16_t* key;    ///< its text in "Def" and its tooltip in "ToolTips"
    const char* value;      ///< value label
};

// The data box in the order of the principal's texts.
constexpr std::array<DataRow, 18> kDataRows{{
    {"lblLat", u"lat", "lblLatitude"},       {"lblLon", u"lon", "lblLongitude"},
    {"lblQuota", u"hgt", "lblHeight"},       {"lblDista", u"dist", "lblRange"},
    {"lblVarDist", u"var", "lblRangeRate"},  {"lblOrbita", u"orb", "lblOrbitNumber"},
    {"lblAlt", u"alt", "lblAltitude"},       {"lblAz", u"az", "lblAzimuth"},
    {"lblApg", u"apg", "lblApogee"},         {"lblPrg", u"prg", "lblPerigee"},
    {"lblPrd", u"prd", "lblPeriod"},         {"lblVel", u"vel", "lblVelocity"},
    {"lblAR", u"ar", "lblAscension"},        {"lblDec", u"dec", "lblDeclination"},
    {"lblStato", u"stato", "lblState"},      {"lblMag", u"mag", "lblMagnitude"},
    {"lblRicezione", u"ricezione", "lblRicez"},
    {"lblTrasmissione", u"trasmissione", "lblTrasm"},
}};

std::array<QString, 18> principalValues(const PrincipalTexts& t)
{
    return {t.latitude, t.longitude,  t.height, t.range,          t.rangeRate,   t.orbitNumber,
            t.elevation, t.azimuth,   t.apogee, t.perigee,        t.period,      t.speed,
            t.rightAscension, t.declination, t.state, t.magnitude, t.downlink, t.uplink};
}

} // namespace

frmLocalSky::frmLocalSky(Hooks hooks, QWidget* parent)
    : QWidget(parent), m_hooks(std::move(hooks)),
      m_geometry(QStringLiteral("Cielo locale"), {kDefaultWidthTwips, kDefaultHeightTwips})
{
    setObjectName(QStringLiteral("frmLocalSky"));
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setBackColor(Qt::black);
    Picture1->setMouseTracking(true);
    Picture1->installEventFilter(this);
    buildDataBox();
    tmrLocalSky = new QTimer(this);
    tmrLocalSky->setObjectName(QStringLiteral("tmrLocalSky"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMarginPixels, kMarginPixels, kMarginPixels, kMarginPixels);
    layout->addWidget(Picture1, 1);
    layout->addWidget(fraSatellitePrincipale);
    Form_Load();
    connectControls();
}

frmLocalSky::~frmLocalSky() = default;

void frmLocalSky::buildDataBox()
{
    fraSatellitePrincipale = new QGroupBox(this);
    fraSatellitePrincipale->setObjectName(QStringLiteral("fraSatellitePrincipale"));
    // A smaller type than the window's, so that caption and value share a line.
    QFont font = fraSatellitePrincipale->font();
    font.setPointSizeF(font.pointSizeF() * kDataBoxFontScale);
    auto* grid = new QGridLayout(fraSatellitePrincipale);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    for (std::size_t i = 0; i < kDataRows.size(); ++i) {
        m_captions[i] = new QLabel(fraSatellitePrincipale);
        m_captions[i]->setObjectName(QString::fromLatin1(kDataRows[i].caption));
        m_captions[i]->setFont(font);
        m_values[i] = new QLabel(fraSatellitePrincipale);
        m_values[i]->setObjectName(QString::fromLatin1(kDataRows[i].value));
        m_values[i]->setFont(font);
        m_values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(m_captions[i], static_cast<int>(i), 0);
        grid->addWidget(m_values[i], static_cast<int>(i), 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(static_cast<int>(kDataRows.size()), 1);
    const std::array<QString, 18> widest = principalValues(widestPrincipalTexts());
    for (std::size_t i = 0; i < kDataRows.size(); ++i)
        m_values[i]->setMinimumWidth(m_values[i]->fontMetrics().horizontalAdvance(widest[i]));
}

void frmLocalSky::Form_Load()
{
    Punti_transito.assign(1, Punto_traccia{});
    Etichette_transito.assign(1, Etichetta_traccia{});
    Imposta_etichette();
    // Without a landscape picture the chart simply shows no landscape.
    m_landscape.load(dataFilePath(QStringLiteral("landscape.dat")));
    TrackingModel& model = TrackingModel::instance();
    LocalSkyDisplay display = seededLocalSky(model.localSky(), Impostazioni);
    display.riquadroDati = Impostazioni.Cielo_locale_riquadro_dati;
    updateModel([&display](LocalSkyDisplay& d) { d = display; });
    setGintNumStelle(Impostazioni.Cielo_locale_stelle);
    applyDataBox();
    showPrincipalTexts();
    tmrLocalSky->setInterval(kRedrawIntervalMs);
    tmrLocalSky->start();
    m_loaded = true;
}

void frmLocalSky::Imposta_etichette()
{
    m_titleText = mLang::Testo_lingua(u"frmLocalSky", u"mappalocale");
    m_localTimeText = mLang::Testo_lingua(u"Def", u"oralocale");
    setWindowTitle(m_titleText);
    for (std::size_t i = 0; i < kDataRows.size(); ++i)
        m_captions[i]->setText(mLang::Testo_lingua(u"Def", kDataRows[i].key));
    fraSatellitePrincipale->setTitle(mLang::Testo_lingua(u"frmLocalSky", u"satelliteprincipale"));
    for (std::size_t i = 0; i < kDataRows.size(); ++i)
        m_captions[i]->setToolTip(mLang::Testo_lingua(u"ToolTips", kDataRows[i].key));
    // The layout's width, or what the title, the captions and the widest values need.
    fraSatellitePrincipale->setFixedWidth(std::max(qRound(twips::toPixels(kDataBoxWidthTwips)),
                                                   groupBoxWidthFor(*fraSatellitePrincipale)));
}

void frmLocalSky::connectControls()
{
    connect(tmrLocalSky, &QTimer::timeout, this, &frmLocalSky::tmrLocalSky_Timer);
    TrackingModel& model = TrackingModel::instance();
    connect(&model, &TrackingModel::ticked, this, &frmLocalSky::model_ticked);
    connect(&model, &TrackingModel::localSkyChanged, this, &frmLocalSky::model_localSkyChanged);
    connect(&model, &TrackingModel::chartCommand, this, &frmLocalSky::model_chartCommand);
    connect(&model, &TrackingModel::observerChanged, this, &frmLocalSky::scheduleRedraw);
    connect(&model, &TrackingModel::activeSetChanged, this, [this] {
        // A track belongs to the principal it was computed for.
        if (TrackingModel::instance().localSky().transitoPrincipale)
            recomputeTransit();
        scheduleRedraw();
    });
}

void frmLocalSky::model_ticked()
{
    if (TrackingModel::instance().snapshot().clockJumped) {
        // The sky and the principal's pass belong to the instant the clock jumped from.
        if (TrackingModel::instance().localSky().transitoPrincipale)
            recomputeTransit();
        Genera_mappa();
    } else {
        Disegna_satellite_in_cielo();
    }
    showPrincipalTexts();
}

void frmLocalSky::setGintNumStelle(int count)
{
    m_starCount = std::clamp(count, 0, kStarCount);
}

void frmLocalSky::updateModel(const std::function<void(LocalSkyDisplay&)>& change)
{
    TrackingModel& model = TrackingModel::instance();
    LocalSkyDisplay display = model.localSky();
    change(display);
    const bool wasUpdating = std::exchange(m_updatingModel, true);
    model.setLocalSky(display);
    m_updatingModel = wasUpdating;
}

void frmLocalSky::model_localSkyChanged(const LocalSkyDisplay& previous)
{
    if (m_updatingModel || !m_loaded)
        return;
    const LocalSkyDisplay& now = TrackingModel::instance().localSky();
    if (now.riquadroDati != previous.riquadroDati)
        applyDataBox();
    if (now.zoomed != previous.zoomed && !now.zoomed && m_zoomed) {
        restoreView();
        return;
    }
    const bool viewChanged = now.proiezioneStereo != previous.proiezioneStereo
                             || now.orientamento != previous.orientamento;
    if (now.transitoPrincipale && (!previous.transitoPrincipale || viewChanged)) {
        recomputeTransit();
    }
    Picture1->setCursor(now.zoom ? Qt::CrossCursor
                        : now.tempi ? Qt::PointingHandCursor
                                    : Qt::ArrowCursor);
    // Readout, zoom and label modes only change what the mouse does.
    LocalSkyDisplay drawn = now;
    LocalSkyDisplay before = previous;
    for (LocalSkyDisplay* d : {&drawn, &before}) {
        d->coordinateOrizzontali = false;
        d->zoom = false;
        d->zoomed = false; // the window's own zoom box (gblnZoom) is what the chart shows
        d->tempi = false;
        d->soloPrincipale = false;
        d->riquadroDati = false;
    }
    if (drawn != before)
        Genera_mappa();
    else if (now.soloPrincipale != previous.soloPrincipale)
        Disegna_satellite_in_cielo();
}

void frmLocalSky::model_chartCommand(ChartKind chart, ChartCommand command)
{
    if (chart != ChartKind::LocalSky)
        return;
    switch (command) {
    case ChartCommand::Redraw:
        Etichette_transito.assign(1, Etichetta_traccia{});
        Punti_transito.assign(1, Punto_traccia{});
        if (TrackingModel::instance().localSky().transitoPrincipale)
            recomputeTransit();
        tmrLocalSky_Timer();
        break;
    case ChartCommand::RestoreView:
        restoreView();
        break;
    case ChartCommand::Print:
        yieldToEvents();
        Stampa();
        break;
    case ChartCommand::Close:
        WindowRegistry::instance().unload(this);
        break;
    }
}

void frmLocalSky::restoreView()
{
    m_zoomed = false;
    updateModel([](LocalSkyDisplay& d) {
        d.zoom = false;
        d.zoomed = false;
        d.tempi = false;
    });
    Picture1->setCursor(Qt::ArrowCursor);
    Genera_mappa();
}

bool frmLocalSky::principalAbove() const
{
    const TickSnapshot& snapshot = TrackingModel::instance().snapshot();
    return snapshot.hasPrincipal && !snapshot.satellites.empty()
           && snapshot.satellites.front().state.Elevazione > 0;
}

void frmLocalSky::recomputeTransit()
{
    Etichette_transito.assign(1, Etichetta_traccia{});
    if (!principalAbove() || !m_hooks.computeTransit) {
        Punti_transito.assign(1, Punto_traccia{});
        updateModel([](LocalSkyDisplay& d) {
            d.transitoPrincipale = false;
            d.tempi = false;
        });
        return;
    }
    const BusyCursor busy;
    Punti_transito = m_hooks.computeTransit(
        [this](double azimuth, double elevation) { return Mappatura(azimuth, elevation); });
    if (Punti_transito.empty())
        Punti_transito.assign(1, Punto_traccia{});
    updateModel([](LocalSkyDisplay& d) { d.tempi = true; d.zoom = false; });
}

void frmLocalSky::dropTransitIfPrincipalDown()
{
    if (principalAbove())
        return;
    Etichette_transito.assign(1, Etichetta_traccia{});
    if (TrackingModel::instance().localSky().transitoPrincipale
        || TrackingModel::instance().localSky().tempi) {
        updateModel([](LocalSkyDisplay& d) {
            d.transitoPrincipale = false;
            d.tempi = false;
        });
    }
}

void frmLocalSky::tmrLocalSky_Timer()
{
    // The minute's redraw waits while a pass search runs: the search owns the tick's gates
    // for its whole run, and the next minute redraws the chart anyway.
    if (pflgRicerca)
        return;
    Genera_mappa();
}

void frmLocalSky::scheduleRedraw()
{
    if (m_redrawPending)
        return;
    m_redrawPending = true;
    QTimer::singleShot(0, this, [this] {
        m_redrawPending = false;
        Genera_mappa();
    });
}

void frmLocalSky::Genera_mappa()
{
    const QSize size = Picture1->size();
    // A minimised or empty window has nothing to show; its next resize draws the chart.
    if (!m_loaded || isMinimized() || size.isEmpty())
        return;
    drawChart(size);
    Disegna_satellite_in_cielo();
}

void frmLocalSky::drawChart(QSize size)
{
    const TickPause pause(pflgSatellite);
    const BusyCursor busy;
    skycharts::bringSkyToInstant(Data_attuale);
    m_chartTime = formatDate(DateValue::split(Data_attuale), u"dd mmm yyyy hh:mm");
    if (!m_zoomed)
        m_view = skycharts::fullViewBox(static_cast<double>(size.width()) / size.height());
    dropTransitIfPrincipalDown();

    const LocalSkyDisplay& display = TrackingModel::instance().localSky();
    skycharts::LocalSkyScene scene =
        skycharts::sceneFromOptions(display, Impostazioni, m_view, m_starCount);
    // Full names follow a zoom box that is in force, not the menu's offer to restore one.
    scene.display.zoomed = m_zoomed;
    if (display.transitoPrincipale)
        scene.track = &Punti_transito;
    scene.labels = &Etichette_transito;
    scene.landscape = &m_landscape;
    scene.background = &m_background;
    if (m_chart.size() != size)
        m_chart = QImage(size, QImage::Format_RGB32);
    m_chart.fill(Qt::black);
    {
        PaintDeviceSurface surface(m_chart);
        m_positions = skycharts::drawLocalSkyChart(surface, size, scene);
        surface.end();
    }
    Picture1->setAutoRedraw(true);
    Picture1->Cls();
    Picture1->drawImageAtDevicePixel(m_chart, QPoint(0, 0));
    Picture1->setAutoRedraw(false);
    Picture1->Scale(m_view.left, m_view.top, m_view.right, m_view.bottom);
    setWindowTitle(m_titleText + QStringLiteral(" - ") + m_chartTime + u' ' + m_localTimeText);
    ++m_redraws;
}

QPointF frmLocalSky::Mappatura(double azimuthDeg, double elevationDeg) const
{
    const skycharts::ChartPoint p =
        skycharts::localSkyProjection(TrackingModel::instance().localSky())
            .toChart(azimuthDeg, elevationDeg);
    return {p.x, p.y};
}

skycharts::HorizontalDirection frmLocalSky::Mappatura_inversa(QPointF chartPoint) const
{
    return skycharts::localSkyProjection(TrackingModel::instance().localSky())
        .toHorizontal({static_cast<float>(chartPoint.x()), static_cast<float>(chartPoint.y())});
}

QImage frmLocalSky::chartImage() const
{
    return Picture1->image();
}

QImage frmLocalSky::screenImage() const
{
    return Picture1->screenImage();
}

void frmLocalSky::showPrincipalTexts()
{
    const TickSnapshot& snapshot = TrackingModel::instance().snapshot();
    const std::array<QString, 18> values = principalValues(snapshot.principal);
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        QString text = snapshot.hasPrincipal ? values[i] : QString();
        if (!snapshot.hasPrincipal && i < 14)
            text = QStringLiteral("0");
        if (m_values[i]->text() != text)
            m_values[i]->setText(text);
    }
}

void frmLocalSky::applyDataBox()
{
    fraSatellitePrincipale->setVisible(TrackingModel::instance().localSky().riquadroDati);
}

void frmLocalSky::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scheduleRedraw();
}

void frmLocalSky::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_geometry.restoreOnce(*this, Impostazioni.Posizioni_finestre);
    scheduleRedraw();
}

void frmLocalSky::closeEvent(QCloseEvent* event)
{
    m_dragPause.reset();
    tmrLocalSky->stop();
    updateModel([](LocalSkyDisplay& d) {
        d.zoom = false;
        d.tempi = false;
        d.transitoPrincipale = false;
    });
    m_geometry.save(*this);
    event->accept();
}

void frmLocalSky::Stampa()
{
    if (!showPrintDialog(this))
        return;
    if (!printOnSharedPrinter())
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             mLang::Testo_lingua(u"frmLocalSky", u"stampafallita"));
}

bool frmLocalSky::printOnSharedPrinter()
{
    const BusyCursor busy;
    QPrinter& printer = sharedPrinter();
    printer.setPageOrientation(QPageLayout::Portrait);
    const bool letter = printer.pageLayout().pageSize().id() == QPageSize::Letter;
    PrinterSurface& page = Printer();
    page.ScaleReset();
    skycharts::bringSkyToInstant(Data_attuale);
    skycharts::drawLocalSkyPrintout(page, TrackingModel::instance().localSky(), m_starCount,
                                    Data_attuale, letter);
    // The printout projects the catalogues for itself: the screen chart keeps its positions.
    return page.EndDoc();
}

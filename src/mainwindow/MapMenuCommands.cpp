#include "mainwindow/MapMenuCommands.h"

#include "services/BusyCursor.h"
#include "mainwindow/LiveWindows.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/ProgramClock.h"
#include "mainwindow/TransitTrack.h"

#include "common/gates.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "common/sky_tracks.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "services/mLang.h"

#include <QAction>
#include <QDialog>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

const QString kOrientationItems[] = {
    QStringLiteral("mnuLocalSkyOrientamentoNord"), QStringLiteral("mnuLocalSkyOrientamentoSud"),
    QStringLiteral("mnuLocalSkyOrientamentoOvest"), QStringLiteral("mnuLocalSkyOrientamentoEst")};
const QString kPassOrientationItems[] = {
    QStringLiteral("mnuSkySatOrientamentoNord"), QStringLiteral("mnuSkySatOrientamentoSud"),
    QStringLiteral("mnuSkySatOrientamentoOvest"), QStringLiteral("mnuSkySatOrientamentoEst")};

const QString kTransit = QStringLiteral("mnuLocalSkyTransitoPrincipale");
const QString kTimeLabels = QStringLiteral("mnuLocalSkyTempi");
const QString kLocalZoom = QStringLiteral("mnuLocalSkyZoom");
const QString kLocalRestore = QStringLiteral("mnuLocalSkyRipristina");
const QString kGeneralZoom = QStringLiteral("mnuGeneralSkyZoom");
const QString kGeneralRestore = QStringLiteral("mnuGeneralSkyRipristina");

// Full views of the sky charts [chart units]: the local sky is 400 x 200 around the horizon
// circle; the whole sky runs from 24 h at the left to 0 h at the right, +90 to -90 degrees.
constexpr ChartBounds kLocalSkyFullView{-200, 100, 200, -100};
constexpr ChartBounds kGeneralSkyFullView{24, 90, 0, -90};

bool principalLoaded()
{
    return !Satelement[kPrincipalSlot].Nome_satellite.empty();
}

WorldMapWindow* worldMap()
{
    return loadedWindow<WorldMapWindow>(windowNames::kWorldMap);
}

LocalSkyWindow* localSky()
{
    return loadedWindow<LocalSkyWindow>(windowNames::kLocalSky);
}

GeneralSkyWindow* generalSky()
{
    return loadedWindow<GeneralSkyWindow>(windowNames::kGeneralSky);
}

/// A transit sample's time as the general date and time text of the locale.
std::string sampleTimeText(double localDate)
{
    const QDateTime wallClock = wallClockOf(localDate);
    const QLocale locale;
    return (locale.toString(wallClock.date(), QLocale::ShortFormat) + u' ' +
            wallClock.time().toString(QStringLiteral("HH:mm:ss")))
        .toStdString();
}

} // namespace

MapMenuCommands::MapMenuCommands(MDIForm1& main) : m_main(main) {}

QAction* MapMenuCommands::item(const QString& name) const
{
    return m_main.menuItem(name);
}

bool MapMenuCommands::ticked(const QString& name) const
{
    const QAction* action = item(name);
    return action != nullptr && action->isChecked();
}

void MapMenuCommands::setTicked(const QString& name, bool value)
{
    if (QAction* action = item(name))
        action->setChecked(value);
}

void MapMenuCommands::invert(const QString& name)
{
    setTicked(name, !ticked(name));
}

void MapMenuCommands::unloadWindow(const QString& name)
{
    WindowRegistry::instance().unload(WindowRegistry::instance().find(name));
}

// --- world map -----------------------------------------------------------------------------

void MapMenuCommands::gridOrTrackToggle(const QString& itemName,
                                        void (WorldMapWindow::*drawLayer)())
{
    WorldMapWindow* map = worldMap();
    if (!principalLoaded() || map == nullptr)
        return;
    if (ticked(itemName)) {
        setTicked(itemName, false);
        yieldToEvents();
        map->Genera_mappa();
        return;
    }
    setTicked(itemName, true);
    yieldToEvents();
    (map->*drawLayer)();
}

void MapMenuCommands::mnuWorldmapGriglia_Click()
{
    gridOrTrackToggle(QStringLiteral("mnuWorldmapGriglia"), &WorldMapWindow::Disegna_griglia);
}

void MapMenuCommands::mnuWorldmapTracciatoOrbita_Click()
{
    gridOrTrackToggle(QStringLiteral("mnuWorldmapTracciatoOrbita"),
                      &WorldMapWindow::Disegna_orbita);
}

void MapMenuCommands::mnuWorldmapRiquadroDati_Click()
{
    invert(QStringLiteral("mnuWorldmapRiquadroDati"));
    if (WorldMapWindow* map = worldMap()) {
        map->setDataBoxVisible(ticked(QStringLiteral("mnuWorldmapRiquadroDati")));
        map->Form_Resize();
    }
}

void MapMenuCommands::mnuWorldmapDatiSatellite_Click()
{
    invert(QStringLiteral("mnuWorldmapDatiSatellite"));
}

void MapMenuCommands::mnuWorldmapCoordinateMouse_Click()
{
    const QString name = QStringLiteral("mnuWorldmapCoordinateMouse");
    const bool on = !ticked(name);
    setTicked(name, on);
    WorldMapWindow* map = worldMap();
    if (map == nullptr)
        return;
    map->setCrossPointer(on);
    if (!on) {
        QWidget* window = WindowRegistry::instance().find(windowNames::kWorldMap);
        window->setWindowTitle(
            mLang::Testo_lingua(u"frmWorldMap", map->projection() == WorldMapProjection::Rectangular
                                                    ? u"mapparettangolare"
                                                    : u"mappaortografica"));
    }
}

void MapMenuCommands::mnuWorldmapNomeCitta_Click()
{
    invert(QStringLiteral("mnuWorldmapNomeCitta"));
    yieldToEvents();
    if (WorldMapWindow* map = worldMap())
        map->Genera_mappa();
}

void MapMenuCommands::mnuWorldmapSole_Click()
{
    WorldMapWindow* map = worldMap();
    if (map == nullptr)
        return;
    invert(QStringLiteral("mnuWorldmapSole"));
    yieldToEvents();
    map->Genera_mappa();
}

void MapMenuCommands::mnuWorldmapTerminatore_Click()
{
    WorldMapWindow* map = worldMap();
    if (map == nullptr)
        return;
    const QString terminator = QStringLiteral("mnuWorldmapTerminatore");
    if (ticked(terminator)) {
        setTicked(terminator, false);
        setTicked(QStringLiteral("mnuWorldmapOmbra"), false);
    } else {
        setTicked(terminator, true);
    }
    yieldToEvents();
    map->Genera_mappa();
}

void MapMenuCommands::mnuWorldmapOmbra_Click()
{
    invert(QStringLiteral("mnuWorldmapOmbra"));
    if (auto* map =
            dynamic_cast<WorldMapWindow*>(WindowRegistry::instance().form(windowNames::kWorldMap)))
        map->Genera_mappa();
}

void MapMenuCommands::mnuWorldmapCerchioVisibilita_Click()
{
    invert(QStringLiteral("mnuWorldmapCerchioVisibilita"));
}

void MapMenuCommands::mnuWorldmapRimuovi_Click()
{
    WorldMapWindow* map = worldMap();
    if (map == nullptr)
        return;
    const int picked = map->mintSelezione();
    const int count = Numero_satelliti;
    // Guard: nothing picked, or a pick that no longer names an active slot.
    if (picked < kPrincipalSlot || picked > count)
        return;
    m_main.removeActiveSatellite(picked);
    if (principalLoaded())
        mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
    map->Genera_mappa();
}

void MapMenuCommands::mnuWorldmapRidisegnaMappa_Click()
{
    if (WorldMapWindow* map = worldMap())
        map->Genera_mappa();
}

void MapMenuCommands::mnuWorldmapChiudi_Click()
{
    unloadWindow(windowNames::kWorldMap);
}

// --- local sky -----------------------------------------------------------------------------

void MapMenuCommands::localSkyLayer_Click(const QString& itemName)
{
    invert(itemName);
    yieldToEvents();
    if (LocalSkyWindow* sky = localSky())
        sky->Genera_mappa();
}

void MapMenuCommands::mnuLocalSkyRiquadroDati_Click()
{
    invert(QStringLiteral("mnuLocalSkyRiquadroDati"));
    if (LocalSkyWindow* sky = localSky()) {
        sky->setDataBoxVisible(ticked(QStringLiteral("mnuLocalSkyRiquadroDati")));
        sky->Form_Resize();
    }
}

void MapMenuCommands::radioPair(const QString& chosen, const QString& partner)
{
    if (ticked(chosen) || !ticked(partner))
        return;
    setTicked(partner, false);
    setTicked(chosen, true);
}

void MapMenuCommands::mnuLocalSkyCoordEquat_Click()
{
    radioPair(QStringLiteral("mnuLocalSkyCoordEquat"), QStringLiteral("mnuLocalSkyCoordOrizz"));
}

void MapMenuCommands::mnuLocalSkyCoordOrizz_Click()
{
    radioPair(QStringLiteral("mnuLocalSkyCoordOrizz"), QStringLiteral("mnuLocalSkyCoordEquat"));
}

void MapMenuCommands::mnuLocalSkyProiezStereo_Click()
{
    const QString chosen = QStringLiteral("mnuLocalSkyProiezStereo");
    const QString partner = QStringLiteral("mnuLocalSkyProiezNormale");
    if (ticked(chosen) || !ticked(partner))
        return;
    radioPair(chosen, partner);
    yieldToEvents();
    mnuLocalSkyRidisegnaMappa_Click();
}

void MapMenuCommands::mnuLocalSkyProiezNormale_Click()
{
    const QString chosen = QStringLiteral("mnuLocalSkyProiezNormale");
    const QString partner = QStringLiteral("mnuLocalSkyProiezStereo");
    if (ticked(chosen) || !ticked(partner))
        return;
    radioPair(chosen, partner);
    yieldToEvents();
    mnuLocalSkyRidisegnaMappa_Click();
}

void MapMenuCommands::localSkyOrientation_Click(const QString& chosen)
{
    if (ticked(chosen))
        return;
    for (const QString& orientation : kOrientationItems)
        setTicked(orientation, orientation == chosen);
    mnuLocalSkyRidisegnaMappa_Click();
}

void MapMenuCommands::showMagnitudeDialog(const QString& whichMap, QWidget* owner)
{
    QWidget* dialog = WindowRegistry::instance().form(windowNames::kMagnitude);
    if (dialog == nullptr)
        return;
    dialog->setProperty("gstrQualeMappa", whichMap);
    if (owner != nullptr && dialog->parentWidget() != owner)
        dialog->setParent(owner, dialog->windowFlags());
    if (auto* modal = qobject_cast<QDialog*>(dialog))
        modal->exec();
}

void MapMenuCommands::mnuLocalSkyMagnitudine_Click()
{
    showMagnitudeDialog(QStringLiteral("locale"), &m_main);
}

void MapMenuCommands::mnuLocalSkyZoom_Click()
{
    LocalSkyWindow* sky = localSky();
    if (ticked(kLocalZoom)) {
        setTicked(kLocalZoom, false);
        if (sky != nullptr)
            sky->setChartCursor(ChartCursor::Normal);
        return;
    }
    setTicked(kTimeLabels, false);
    setTicked(kLocalZoom, true);
    if (sky != nullptr)
        sky->setChartCursor(ChartCursor::Zoom);
    item(kLocalRestore)->setEnabled(true);
}

void MapMenuCommands::mnuLocalSkyRipristina_Click()
{
    LocalSkyWindow* sky = localSky();
    if (sky != nullptr)
        sky->clearChart();
    setTicked(kLocalZoom, false);
    if (sky != nullptr) {
        sky->setChartCursor(ChartCursor::Normal);
        sky->setViewBounds(kLocalSkyFullView, false);
        sky->Genera_mappa();
    }
    item(kLocalRestore)->setEnabled(false);
    setTicked(kTimeLabels, false);
}

void MapMenuCommands::mnuLocalSkyTempi_Click()
{
    LocalSkyWindow* sky = localSky();
    if (ticked(kTimeLabels)) {
        setTicked(kTimeLabels, false);
        if (sky != nullptr)
            sky->setChartCursor(ChartCursor::Normal);
        return;
    }
    if (Valori[kPrincipalSlot].Elevazione <= 0 || !ticked(kTransit))
        return;
    setTicked(kLocalZoom, false);
    setTicked(kTimeLabels, true);
    if (sky != nullptr)
        sky->setChartCursor(ChartCursor::TimeLabel);
}

void MapMenuCommands::mnuLocalSkyTransitoPrincipale_Click()
{
    if (ticked(kTransit))
        switchTransitOff();
    else
        switchTransitOn();
}

void MapMenuCommands::principalChanged()
{
    if (ticked(kTransit))
        switchTransitOff();
}

void MapMenuCommands::switchTransitOff()
{
    setTicked(kTransit, false);
    setTicked(kTimeLabels, false);
    LocalSkyWindow* sky = localSky();
    if (sky == nullptr)
        return;
    sky->setChartCursor(ChartCursor::Normal);
    yieldToEvents();
    sky->Genera_mappa();
}

void MapMenuCommands::switchTransitOn()
{
    LocalSkyWindow* sky = localSky();
    if (sky == nullptr || Valori[kPrincipalSlot].Elevazione <= 0)
        return;
    setTicked(kTransit, true);
    setTicked(kTimeLabels, true);
    sky->setChartCursor(ChartCursor::TimeLabel);
    yieldToEvents();
    if (!principalLoaded())
        return;

    const BusyCursor busy;
    // The shared time state and Valori(1) travel along the pass; the tick stays away until
    // both are back at the present instant.
    const TickPause pause(pflgCentrale);
    sky->setPersistentDrawing(true);
    const auto sampleAt = [](double localDate) {
        mAstro::Calcola_tempi(localDate);
        mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
        return Valori[kPrincipalSlot];
    };
    const Posizione_satellite present = sampleAt(Data_attuale);
    const auto project = [sky](double azimuthDeg, double elevationDeg) {
        return sky->Mappatura(azimuthDeg, elevationDeg);
    };
    const TransitTrackResult track = computeTransitTrack(
        Data_attuale, present.Periodo, project(present.Azimut, present.Elevazione), sampleAt,
        project, sampleTimeText);
    // The labels point into the track: a new track drops them.
    Punti_transito = track.points;
    Etichette_transito.assign(1, Etichetta_traccia{});
    const double dotRadius = std::abs(sky->chartScaleWidth()) / 400.0;
    for (const TransitLeg& leg : track.legs) {
        sky->drawTrackLine(leg.from, leg.to, leg.colour);
        if (leg.dot)
            sky->drawTrackDot(leg.to, dotRadius, leg.colour);
    }
    sky->Disegna_terreno();
    sampleAt(Data_attuale);
    sky->setPersistentDrawing(false);
}

void MapMenuCommands::mnuLocalSkySoloPrincipale_Click()
{
    invert(QStringLiteral("mnuLocalSkySoloPrincipale"));
}

void MapMenuCommands::mnuLocalSkyRidisegnaMappa_Click()
{
    yieldToEvents();
    Etichette_transito.assign(1, Etichetta_traccia{});
    Punti_transito.assign(1, Punto_traccia{});
    // Inverted here and again on entry of the transit command: a track that was shown is
    // computed anew for the current view, one that was not stays off.
    invert(kTransit);
    mnuLocalSkyTransitoPrincipale_Click();
    if (LocalSkyWindow* sky = localSky())
        sky->tmrLocalSky_Timer();
}

void MapMenuCommands::mnuLocalSkyStampa_Click()
{
    yieldToEvents();
    if (LocalSkyWindow* sky = localSky())
        sky->Stampa();
}

void MapMenuCommands::mnuLocalSkyChiudi_Click()
{
    unloadWindow(windowNames::kLocalSky);
}

// --- whole sky -----------------------------------------------------------------------------

void MapMenuCommands::generalSkyLayer_Click(const QString& itemName)
{
    invert(itemName);
    yieldToEvents();
    if (GeneralSkyWindow* sky = generalSky())
        sky->Genera_mappa();
}

void MapMenuCommands::mnuGeneralSkyMagnitudine_Click()
{
    showMagnitudeDialog(QStringLiteral("generale"), &m_main);
}

void MapMenuCommands::mnuGeneralSkyZoom_Click()
{
    GeneralSkyWindow* sky = generalSky();
    const bool on = !ticked(kGeneralZoom);
    setTicked(kGeneralZoom, on);
    if (sky != nullptr)
        sky->setChartCursor(on ? ChartCursor::Zoom : ChartCursor::Normal);
    if (on)
        item(kGeneralRestore)->setEnabled(true);
}

void MapMenuCommands::mnuGeneralSkyRipristina_Click()
{
    GeneralSkyWindow* sky = generalSky();
    setTicked(kGeneralZoom, false);
    if (sky != nullptr) {
        sky->clearChart();
        sky->setChartCursor(ChartCursor::Normal);
        sky->setViewBounds(kGeneralSkyFullView);
        sky->Genera_mappa();
    }
    item(kGeneralRestore)->setEnabled(false);
}

void MapMenuCommands::mnuGeneralSkyRidisegnaMappa_Click()
{
    if (GeneralSkyWindow* sky = generalSky())
        sky->tmrGeneralSky_Timer();
}

void MapMenuCommands::mnuGeneralSkyStampa_Click() {}

void MapMenuCommands::mnuGeneralSkyChiudi_Click()
{
    unloadWindow(windowNames::kGeneralSky);
}

// --- sky chart of a pass ---------------------------------------------------------------------

namespace {

QWidget* activeChild(const MDIForm1& main)
{
    const QMdiSubWindow* active = main.mdiArea()->activeSubWindow();
    return active != nullptr ? active->widget() : nullptr;
}

PassChartWindow* activePassChart(const MDIForm1& main)
{
    return dynamic_cast<PassChartWindow*>(activeChild(main));
}

} // namespace

void MapMenuCommands::passChartToggle_Click(const QString& itemName)
{
    PassChartWindow* chart = activePassChart(m_main);
    if (chart == nullptr)
        return;
    invert(itemName);
    chart->setDisplaySwitch(itemName, ticked(itemName));
    yieldToEvents();
    chart->Genera_mappa(false);
}

void MapMenuCommands::passChartProjection(const QString& chosen, const QString& partner)
{
    PassChartWindow* chart = activePassChart(m_main);
    if (chart == nullptr || !ticked(partner))
        return;
    setTicked(partner, false);
    chart->setDisplaySwitch(partner, false);
    setTicked(chosen, true);
    chart->setDisplaySwitch(chosen, true);
    yieldToEvents();
    chart->Genera_mappa(false);
}

void MapMenuCommands::mnuSkySatProiezStereo_Click()
{
    passChartProjection(QStringLiteral("mnuSkySatProiezStereo"),
                        QStringLiteral("mnuSkySatProiezNormale"));
}

void MapMenuCommands::mnuSkySatProiezNormale_Click()
{
    passChartProjection(QStringLiteral("mnuSkySatProiezNormale"),
                        QStringLiteral("mnuSkySatProiezStereo"));
}

void MapMenuCommands::passChartOrientation_Click(const QString& chosen)
{
    PassChartWindow* chart = activePassChart(m_main);
    if (chart == nullptr || ticked(chosen))
        return;
    for (const QString& orientation : kPassOrientationItems) {
        setTicked(orientation, orientation == chosen);
        chart->setDisplaySwitch(orientation, orientation == chosen);
    }
    yieldToEvents();
    chart->Genera_mappa(true);
}

void MapMenuCommands::mnuSkySatMagnitudine_Click()
{
    showMagnitudeDialog(QStringLiteral("anteprima"), activeChild(m_main));
}

void MapMenuCommands::mnuSkySatRidisegnaMappa_Click()
{
    if (PassChartWindow* chart = activePassChart(m_main))
        chart->Genera_mappa(true);
}

void MapMenuCommands::mnuSkySatStampa_Click()
{
    yieldToEvents();
    if (PassChartWindow* chart = activePassChart(m_main))
        chart->Stampa();
}

void MapMenuCommands::mnuSkySatChiudi_Click()
{
    if (QWidget* chart = activeChild(m_main))
        WindowRegistry::instance().unload(chart);
}

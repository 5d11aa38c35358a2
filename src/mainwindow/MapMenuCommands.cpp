#include "mainwindow/MapMenuCommands.h"

#include "mainwindow/MDIForm1.h"
#include "mainwindow/MenuBindings.h"

#include "common/satellite_slots.h"
#include "common/sky_tracks.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "tracking/PassChartControl.h"
#include "tracking/TrackingModel.h"

#include "services/BusyCursor.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

bool principalLoaded()
{
    return !Satelement[kPrincipalSlot].Nome_satellite.empty();
}

bool loaded(const QString& window)
{
    return mGlobal::Form_caricato(window);
}

} // namespace

MapMenuCommands::MapMenuCommands(MDIForm1& main) : m_main(main) {}

TrackingModel& MapMenuCommands::model() const
{
    return TrackingModel::instance();
}

// --- world map -----------------------------------------------------------------------------

void MapMenuCommands::invertWorldMap(bool WorldMapDisplay::*field)
{
    WorldMapDisplay options = model().worldMap();
    options.*field = !(options.*field);
    model().setWorldMap(options);
}

void MapMenuCommands::worldMapLayerToggle(bool WorldMapDisplay::*field)
{
    // The map draws a layer turned on over its current picture, and redraws without one
    // turned off.
    if (!principalLoaded() || !loaded(windowNames::kWorldMap))
        return;
    yieldToEvents();
    invertWorldMap(field);
}

void MapMenuCommands::mnuWorldmapGriglia_Click()
{
    worldMapLayerToggle(&WorldMapDisplay::griglia);
}

void MapMenuCommands::mnuWorldmapTracciatoOrbita_Click()
{
    worldMapLayerToggle(&WorldMapDisplay::tracciatoOrbita);
}

void MapMenuCommands::mnuWorldmapRiquadroDati_Click()
{
    invertWorldMap(&WorldMapDisplay::riquadroDati);
}

void MapMenuCommands::mnuWorldmapDatiSatellite_Click()
{
    invertWorldMap(&WorldMapDisplay::datiSatellite);
}

void MapMenuCommands::mnuWorldmapCoordinateMouse_Click()
{
    invertWorldMap(&WorldMapDisplay::coordinateMouse);
}

void MapMenuCommands::mnuWorldmapNomeCitta_Click()
{
    yieldToEvents();
    invertWorldMap(&WorldMapDisplay::nomeCitta);
}

void MapMenuCommands::mnuWorldmapSole_Click()
{
    if (!loaded(windowNames::kWorldMap))
        return;
    yieldToEvents();
    invertWorldMap(&WorldMapDisplay::sole);
}

void MapMenuCommands::mnuWorldmapTerminatore_Click()
{
    if (!loaded(windowNames::kWorldMap))
        return;
    WorldMapDisplay options = model().worldMap();
    // The night shadow needs the terminator: it goes with it, and does not come back with it.
    if (options.terminatore) {
        options.terminatore = false;
        options.ombra = false;
    } else {
        options.terminatore = true;
    }
    yieldToEvents();
    model().setWorldMap(options);
}

void MapMenuCommands::mnuWorldmapOmbra_Click()
{
    // An open map redraws at once; a closed one shows the choice when it opens (it keeps the
    // shadow switch of the display options it finds).
    invertWorldMap(&WorldMapDisplay::ombra);
}

void MapMenuCommands::mnuWorldmapCerchioVisibilita_Click()
{
    invertWorldMap(&WorldMapDisplay::cerchioVisibilita);
}

void MapMenuCommands::mnuWorldmapRimuovi_Click()
{
    if (!loaded(windowNames::kWorldMap))
        return;
    const int picked = model().worldMapPick();
    // Guard: nothing picked, or a pick that no longer names an active slot.
    if (picked < kPrincipalSlot || picked > Numero_satelliti)
        return;
    model().setWorldMapPick(0);
    m_main.removeActiveSatellite(picked);
    model().requestChartCommand(ChartKind::WorldMap, ChartCommand::Redraw);
}

void MapMenuCommands::mnuWorldmapRidisegnaMappa_Click()
{
    model().requestChartCommand(ChartKind::WorldMap, ChartCommand::Redraw);
}

void MapMenuCommands::mnuWorldmapChiudi_Click()
{
    model().requestChartCommand(ChartKind::WorldMap, ChartCommand::Close);
}

// --- local sky -----------------------------------------------------------------------------

void MapMenuCommands::invertLocalSky(const QString& item)
{
    const MarkBinding<LocalSkyDisplay>* mark = findMark(localSkyMarks(), item);
    if (mark == nullptr || mark->field == nullptr)
        return;
    LocalSkyDisplay options = model().localSky();
    options.*(mark->field) = !(options.*(mark->field));
    model().setLocalSky(options);
}

void MapMenuCommands::localSkyLayer_Click(const QString& item)
{
    yieldToEvents();
    invertLocalSky(item);
}

void MapMenuCommands::mnuLocalSkyRiquadroDati_Click()
{
    invertLocalSky(mnu(u"mnuLocalSkyRiquadroDati"));
}

void MapMenuCommands::mnuLocalSkyCoordEquat_Click()
{
    LocalSkyDisplay options = model().localSky();
    options.coordinateOrizzontali = false;
    model().setLocalSky(options);
}

void MapMenuCommands::mnuLocalSkyCoordOrizz_Click()
{
    LocalSkyDisplay options = model().localSky();
    options.coordinateOrizzontali = true;
    model().setLocalSky(options);
}

void MapMenuCommands::setLocalSkyProjection(bool stereo)
{
    // Choosing the projection already in force does nothing, not even a redraw.
    LocalSkyDisplay options = model().localSky();
    if (options.proiezioneStereo == stereo)
        return;
    options.proiezioneStereo = stereo;
    model().setLocalSky(options);
    yieldToEvents();
    mnuLocalSkyRidisegnaMappa_Click();
}

void MapMenuCommands::mnuLocalSkyProiezStereo_Click()
{
    setLocalSkyProjection(true);
}

void MapMenuCommands::mnuLocalSkyProiezNormale_Click()
{
    setLocalSkyProjection(false);
}

void MapMenuCommands::localSkyOrientation_Click(const QString& item)
{
    const MarkBinding<LocalSkyDisplay>* mark = findMark(localSkyMarks(), item);
    LocalSkyDisplay options = model().localSky();
    if (mark == nullptr || mark->orientation < 0 ||
        static_cast<int>(options.orientamento) == mark->orientation)
        return;
    options.orientamento = static_cast<SkyOrientation>(mark->orientation);
    model().setLocalSky(options);
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
    // Zoom mode and time-label mode exclude each other; entering zoom mode offers the restore.
    LocalSkyDisplay options = model().localSky();
    if (options.zoom) {
        options.zoom = false;
    } else {
        options.tempi = false;
        options.zoom = true;
        options.zoomed = true;
    }
    model().setLocalSky(options);
}

void MapMenuCommands::mnuLocalSkyRipristina_Click()
{
    LocalSkyDisplay options = model().localSky();
    options.zoom = false;
    options.zoomed = false;
    options.tempi = false;
    model().setLocalSky(options);
    model().requestChartCommand(ChartKind::LocalSky, ChartCommand::RestoreView);
}

void MapMenuCommands::mnuLocalSkyTempi_Click()
{
    LocalSkyDisplay options = model().localSky();
    if (options.tempi) {
        options.tempi = false;
    } else {
        // Labels hang on the shown pass of a principal above the horizon only.
        if (Valori[kPrincipalSlot].Elevazione <= 0 || !options.transitoPrincipale)
            return;
        options.zoom = false;
        options.tempi = true;
    }
    model().setLocalSky(options);
}

bool MapMenuCommands::transitCanStart() const
{
    return loaded(windowNames::kLocalSky) && Valori[kPrincipalSlot].Elevazione > 0;
}

void MapMenuCommands::mnuLocalSkyTransitoPrincipale_Click()
{
    LocalSkyDisplay options = model().localSky();
    if (options.transitoPrincipale) {
        switchTransitOff();
        return;
    }
    // The principal below or on the horizon (or none) has no pass to show: nothing at all.
    if (!transitCanStart())
        return;
    options.transitoPrincipale = true;
    options.tempi = true;
    yieldToEvents();
    model().setLocalSky(options);
}

void MapMenuCommands::principalChanged()
{
    if (model().localSky().transitoPrincipale)
        switchTransitOff();
}

void MapMenuCommands::switchTransitOff()
{
    // Punti_transito keeps the track; the local sky redraws without it.
    LocalSkyDisplay options = model().localSky();
    options.transitoPrincipale = false;
    options.tempi = false;
    yieldToEvents();
    model().setLocalSky(options);
}

void MapMenuCommands::mnuLocalSkySoloPrincipale_Click()
{
    invertLocalSky(mnu(u"mnuLocalSkySoloPrincipale"));
}

void MapMenuCommands::mnuLocalSkyRidisegnaMappa_Click()
{
    yieldToEvents();
    Etichette_transito.assign(1, Etichetta_traccia{});
    Punti_transito.assign(1, Punto_traccia{});
    // A shown track is computed anew by the redraw; one whose principal has set goes off.
    LocalSkyDisplay options = model().localSky();
    if (options.transitoPrincipale && !transitCanStart()) {
        options.transitoPrincipale = false;
        model().setLocalSky(options);
    }
    model().requestChartCommand(ChartKind::LocalSky, ChartCommand::Redraw);
}

void MapMenuCommands::mnuLocalSkyStampa_Click()
{
    yieldToEvents();
    model().requestChartCommand(ChartKind::LocalSky, ChartCommand::Print);
}

void MapMenuCommands::mnuLocalSkyChiudi_Click()
{
    model().requestChartCommand(ChartKind::LocalSky, ChartCommand::Close);
}

// --- whole sky -----------------------------------------------------------------------------

void MapMenuCommands::invertGeneralSky(const QString& item)
{
    const MarkBinding<GeneralSkyDisplay>* mark = findMark(generalSkyMarks(), item);
    if (mark == nullptr || mark->field == nullptr)
        return;
    GeneralSkyDisplay options = model().generalSky();
    options.*(mark->field) = !(options.*(mark->field));
    model().setGeneralSky(options);
}

void MapMenuCommands::generalSkyLayer_Click(const QString& item)
{
    yieldToEvents();
    invertGeneralSky(item);
}

void MapMenuCommands::mnuGeneralSkyMagnitudine_Click()
{
    showMagnitudeDialog(QStringLiteral("generale"), &m_main);
}

void MapMenuCommands::mnuGeneralSkyZoom_Click()
{
    GeneralSkyDisplay options = model().generalSky();
    options.zoom = !options.zoom;
    if (options.zoom)
        options.zoomed = true;
    model().setGeneralSky(options);
}

void MapMenuCommands::mnuGeneralSkyRipristina_Click()
{
    GeneralSkyDisplay options = model().generalSky();
    options.zoom = false;
    options.zoomed = false;
    model().setGeneralSky(options);
    model().requestChartCommand(ChartKind::GeneralSky, ChartCommand::RestoreView);
}

void MapMenuCommands::mnuGeneralSkyRidisegnaMappa_Click()
{
    model().requestChartCommand(ChartKind::GeneralSky, ChartCommand::Redraw);
}

void MapMenuCommands::mnuGeneralSkyStampa_Click() {}

void MapMenuCommands::mnuGeneralSkyChiudi_Click()
{
    model().requestChartCommand(ChartKind::GeneralSky, ChartCommand::Close);
}

// --- sky chart of a pass ---------------------------------------------------------------------

QWidget* MapMenuCommands::activeChild() const
{
    const QMdiSubWindow* active = m_main.mdiArea()->activeSubWindow();
    return active != nullptr ? active->widget() : nullptr;
}

PassChartControl* MapMenuCommands::activePassChart() const
{
    return dynamic_cast<PassChartControl*>(activeChild());
}

void MapMenuCommands::applyToPassChart(PassChartControl& chart, const PassChartDisplay& options,
                                       bool arraynuovo)
{
    chart.setPassChartDisplay(options);
    m_main.showPassChartMarks(options);
    yieldToEvents();
    chart.Genera_mappa(arraynuovo);
}

void MapMenuCommands::passChartToggle_Click(const QString& item)
{
    PassChartControl* chart = activePassChart();
    const MarkBinding<PassChartDisplay>* mark = findMark(passChartMarks(), item);
    if (chart == nullptr || mark == nullptr || mark->field == nullptr)
        return;
    PassChartDisplay options = chart->passChartDisplay();
    options.*(mark->field) = !(options.*(mark->field));
    // A layer toggle keeps the user's labels on the chart.
    applyToPassChart(*chart, options, false);
}

void MapMenuCommands::passChartProjection(bool stereo)
{
    PassChartControl* chart = activePassChart();
    if (chart == nullptr || chart->passChartDisplay().proiezioneStereo == stereo)
        return;
    PassChartDisplay options = chart->passChartDisplay();
    options.proiezioneStereo = stereo;
    applyToPassChart(*chart, options, false);
}

void MapMenuCommands::mnuSkySatProiezStereo_Click()
{
    passChartProjection(true);
}

void MapMenuCommands::mnuSkySatProiezNormale_Click()
{
    passChartProjection(false);
}

void MapMenuCommands::passChartOrientation_Click(const QString& item)
{
    PassChartControl* chart = activePassChart();
    const MarkBinding<PassChartDisplay>* mark = findMark(passChartMarks(), item);
    if (chart == nullptr || mark == nullptr || mark->orientation < 0)
        return;
    PassChartDisplay options = chart->passChartDisplay();
    if (static_cast<int>(options.orientamento) == mark->orientation)
        return;
    options.orientamento = static_cast<SkyOrientation>(mark->orientation);
    // A new orientation clears the user's labels on the chart.
    applyToPassChart(*chart, options, true);
}

void MapMenuCommands::mnuSkySatMagnitudine_Click()
{
    showMagnitudeDialog(QStringLiteral("anteprima"), activeChild());
}

void MapMenuCommands::mnuSkySatRidisegnaMappa_Click()
{
    if (PassChartControl* chart = activePassChart())
        chart->Genera_mappa(true);
}

void MapMenuCommands::mnuSkySatStampa_Click()
{
    yieldToEvents();
    if (PassChartControl* chart = activePassChart())
        chart->Stampa();
}

void MapMenuCommands::mnuSkySatChiudi_Click()
{
    if (QWidget* chart = activeChild())
        WindowRegistry::instance().unload(chart);
}

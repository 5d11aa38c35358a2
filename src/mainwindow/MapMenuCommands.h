#pragma once
// The commands of the four menus that the map windows pop up over their charts: world map
// (mnuWorldmap), local sky (mnuLocalSky), whole sky (mnuGeneralSky) and the sky chart of a
// pass (mnuSkySat). The display options live in the tracking model: these commands change the
// records there (the check marks follow them, MenuBindings.h) and send the other commands
// (redraw, restore, print, close) as chart commands; each map window redraws itself. The pass
// charts keep their own options and are reached through PassChartControl.

#include "tracking/DisplayOptions.h"

#include <QString>

class MDIForm1;
class PassChartControl;
class QWidget;
class TrackingModel;

class MapMenuCommands
{
public:
    explicit MapMenuCommands(MDIForm1& main);

    // World map
    void mnuWorldmapGriglia_Click();
    void mnuWorldmapRiquadroDati_Click();
    void mnuWorldmapDatiSatellite_Click();
    void mnuWorldmapCoordinateMouse_Click();
    void mnuWorldmapNomeCitta_Click();
    void mnuWorldmapSole_Click();
    void mnuWorldmapTerminatore_Click();
    void mnuWorldmapOmbra_Click();
    void mnuWorldmapCerchioVisibilita_Click();
    void mnuWorldmapTracciatoOrbita_Click();
    void mnuWorldmapRimuovi_Click();
    void mnuWorldmapRidisegnaMappa_Click();
    void mnuWorldmapChiudi_Click();

    // Local sky
    /// Grid, landscape, objects and labels: invert (the local sky redraws).
    void localSkyLayer_Click(const QString& item);
    void mnuLocalSkyRiquadroDati_Click();
    void mnuLocalSkyCoordEquat_Click();
    void mnuLocalSkyCoordOrizz_Click();
    void mnuLocalSkyProiezStereo_Click();
    void mnuLocalSkyProiezNormale_Click();
    /// One of the four orientation items.
    void localSkyOrientation_Click(const QString& item);
    void mnuLocalSkyMagnitudine_Click();
    void mnuLocalSkyZoom_Click();
    void mnuLocalSkyRipristina_Click();
    void mnuLocalSkyTransitoPrincipale_Click();
    /// Another satellite became principal: its predecessor's pass track is taken off.
    void principalChanged();
    void mnuLocalSkyTempi_Click();
    void mnuLocalSkySoloPrincipale_Click();
    void mnuLocalSkyRidisegnaMappa_Click();
    void mnuLocalSkyStampa_Click();
    void mnuLocalSkyChiudi_Click();

    // Whole sky
    void generalSkyLayer_Click(const QString& item);
    void mnuGeneralSkyMagnitudine_Click();
    void mnuGeneralSkyZoom_Click();
    void mnuGeneralSkyRipristina_Click();
    void mnuGeneralSkyRidisegnaMappa_Click();
    void mnuGeneralSkyStampa_Click();
    void mnuGeneralSkyChiudi_Click();

    // Sky chart of a pass (the active child window)
    /// Grid, landscape, objects and labels of the chart.
    void passChartToggle_Click(const QString& item);
    void mnuSkySatProiezStereo_Click();
    void mnuSkySatProiezNormale_Click();
    void passChartOrientation_Click(const QString& item);
    void mnuSkySatMagnitudine_Click();
    void mnuSkySatRidisegnaMappa_Click();
    void mnuSkySatStampa_Click();
    void mnuSkySatChiudi_Click();

    /// The active pass chart, null when the active child window is none.
    [[nodiscard]] PassChartControl* activePassChart() const;

private:
    [[nodiscard]] TrackingModel& model() const;
    void invertWorldMap(bool WorldMapDisplay::*field);
    void worldMapLayerToggle(bool WorldMapDisplay::*field);
    void invertLocalSky(const QString& item);
    void setLocalSkyProjection(bool stereo);
    void invertGeneralSky(const QString& item);
    void passChartProjection(bool stereo);
    void applyToPassChart(PassChartControl& chart, const PassChartDisplay& options,
                          bool arraynuovo);
    void showMagnitudeDialog(const QString& whichMap, QWidget* owner);
    void switchTransitOff();
    [[nodiscard]] bool transitCanStart() const;
    [[nodiscard]] QWidget* activeChild() const;

    MDIForm1& m_main;
};

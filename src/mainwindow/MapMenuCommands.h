#pragma once
// The commands of the four menus that the map windows pop up over their charts: world map
// (mnuWorldmap), local sky (mnuLocalSky), whole sky (mnuGeneralSky) and the sky chart of a
// pass (mnuSkySat). The check mark of an item is the live display option of its map: the
// maps and the tick read the marks when they draw, and these commands change them and
// redraw. A command addresses its map window only while that window is loaded.

#include <QString>

class MDIForm1;
class QAction;
class QWidget;
class WorldMapWindow;

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
    /// Grid, landscape, objects and labels: invert, then redraw.
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

private:
    [[nodiscard]] QAction* item(const QString& name) const;
    [[nodiscard]] bool ticked(const QString& name) const;
    void setTicked(const QString& name, bool value);
    void invert(const QString& name);
    void gridOrTrackToggle(const QString& itemName, void (WorldMapWindow::*drawLayer)());
    void radioPair(const QString& chosen, const QString& partner);
    void passChartProjection(const QString& chosen, const QString& partner);
    void showMagnitudeDialog(const QString& whichMap, QWidget* owner);
    void switchTransitOff();
    void switchTransitOn();
    void unloadWindow(const QString& name);

    MDIForm1& m_main;
};

#pragma once
// The live display options of the chart windows, one record per kind of window. The check
// marks of the charts' pop-up menus show and set these fields; the windows read them when
// they draw. The stored options (Opzioni) only seed them: a chart copies its stored options
// in when it opens, and the confirmed options dialog copies them again.

#include "common/options.h"

/// The world map's projection (Earth menu: mnuTerraMappaRettangolare, the tag "Recta";
/// mnuTerraMappaOrtografica, the tag "Ortho").
enum class WorldMapProjection { Rectangular, Orthographic };

/// The world map's options (menu mnuWorldmap). Defaults are the menu's design-time marks.
struct WorldMapDisplay
{
    WorldMapProjection projection = WorldMapProjection::Rectangular; ///< chosen when it opens
    bool griglia = false;           ///< mnuWorldmapGriglia: the graticule
    bool riquadroDati = true;       ///< mnuWorldmapRiquadroDati: the principal's data box shown
    bool datiSatellite = true;      ///< mnuWorldmapDatiSatellite: hover names the satellite
    bool coordinateMouse = false;   ///< mnuWorldmapCoordinateMouse: pointer readout in the caption
    bool nomeCitta = true;          ///< mnuWorldmapNomeCitta: the observer's place and name
    bool sole = true;               ///< mnuWorldmapSole: the Sun
    bool terminatore = true;        ///< mnuWorldmapTerminatore: the terminator line
    bool ombra = true;              ///< mnuWorldmapOmbra: the shaded night side
    bool cerchioVisibilita = false; ///< mnuWorldmapCerchioVisibilita: footprint of every satellite
    bool tracciatoOrbita = false;   ///< mnuWorldmapTracciatoOrbita: the principal's ground track

    bool operator==(const WorldMapDisplay&) const = default;
};

/// Orientation of a sky chart, numbered as the stored option numbers it.
enum class SkyOrientation { Nord = 0, Sud = 1, Ovest = 2, Est = 3 };

/// The local sky's options (menu mnuLocalSky).
struct LocalSkyDisplay
{
    bool griglia = false;              ///< mnuLocalSkyGriglia
    bool paesaggio = true;             ///< mnuLocalSkyPaesaggio: landscape overlay
    bool riquadroDati = true;          ///< mnuLocalSkyRiquadroDati
    bool coordinateOrizzontali = true; ///< mnuLocalSkyCoordOrizz; false: mnuLocalSkyCoordEquat
    bool proiezioneStereo = true;      ///< mnuLocalSkyProiezStereo; false: mnuLocalSkyProiezNormale
    SkyOrientation orientamento = SkyOrientation::Sud; ///< mnuLocalSkyOrientamento*
    bool oggettiCostellazioni = false;   ///< mnuLocalSkyOggettiCostellazioni: constellation lines
    bool oggettiPianeti = false;         ///< mnuLocalSkyOggettiPianeti
    bool oggettiSoleLuna = false;        ///< mnuLocalSkyOggettiSoleLuna
    bool etichetteCostellazioni = false; ///< mnuLocalSkyEtichetteCostellazioni
    bool etichettePianeti = false;       ///< mnuLocalSkyEtichettePianeti
    bool etichetteSoleLuna = false;      ///< mnuLocalSkyEtichetteSoleLuna
    bool zoom = false;                   ///< mnuLocalSkyZoom: dragging draws a zoom box
    bool zoomed = false;             ///< a zoomed view is in force (mnuLocalSkyRipristina enabled)
    bool transitoPrincipale = false; ///< mnuLocalSkyTransitoPrincipale: the principal's pass track
    bool tempi = false;              ///< mnuLocalSkyTempi: dragging hangs time labels
    bool soloPrincipale = false;     ///< mnuLocalSkySoloPrincipale: only the principal drawn

    bool operator==(const LocalSkyDisplay&) const = default;
};

/// The whole-sky chart's options (menu mnuGeneralSky).
struct GeneralSkyDisplay
{
    bool griglia = false;                ///< mnuGeneralSkyGriglia
    bool oggettiCostellazioni = false;   ///< mnuGeneralSkyOggettiCostellazioni
    bool oggettiPianeti = false;         ///< mnuGeneralSkyOggettiPianeti
    bool oggettiSoleLuna = false;        ///< mnuGeneralSkyOggettiSoleLuna
    bool etichetteCostellazioni = false; ///< mnuGeneralSkyEtichetteCostellazioni
    bool etichettePianeti = false;       ///< mnuGeneralSkyEtichettePianeti
    bool etichetteSoleLuna = false;      ///< mnuGeneralSkyEtichetteSoleLuna
    bool zoom = false;                   ///< mnuGeneralSkyZoom
    bool zoomed = false;                 ///< mnuGeneralSkyRipristina enabled

    bool operator==(const GeneralSkyDisplay&) const = default;
};

/// The options of one sky chart of a pass (menu mnuSkySat). Every chart keeps its own record;
/// the menu shows the record of the chart it was popped up over.
struct PassChartDisplay
{
    bool griglia = false;         ///< mnuSkySatGriglia
    bool paesaggio = true;        ///< mnuSkySatPaesaggio
    bool proiezioneStereo = true; ///< mnuSkySatProiezStereo; false: mnuSkySatProiezNormale
    SkyOrientation orientamento = SkyOrientation::Sud; ///< mnuSkySatOrientamento*
    bool oggettiCostellazioni = true;                  ///< mnuSkySatOggettiCostellazioni
    bool oggettiPianeti = true;                        ///< mnuSkySatOggettiPianeti
    bool oggettiSoleLuna = true;                       ///< mnuSkySatOggettiSoleLuna
    bool etichetteCostellazioni = false;               ///< mnuSkySatEtichetteCostellazioni
    bool etichettePianeti = false;                     ///< mnuSkySatEtichettePianeti
    bool etichetteSoleLuna = false;                    ///< mnuSkySatEtichetteSoleLuna

    bool operator==(const PassChartDisplay&) const = default;
};

/// The view bounds of a sky chart [chart units]: left, top, right and bottom edges.
struct SkyViewBounds
{
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

/// The full view of the local sky: 400 x 200 chart units around the horizon circle.
inline constexpr SkyViewBounds kLocalSkyFullView{-200, 100, 200, -100};
/// The full view of the whole-sky chart: right ascension 24 h at the left to 0 h at the right,
/// declination +90 to -90 degrees.
inline constexpr SkyViewBounds kGeneralSkyFullView{24, 90, 0, -90};

/// The world map's options as its opening seeds them from the stored options (the items the
/// stored options do not cover keep their current value).
[[nodiscard]] WorldMapDisplay seededWorldMap(WorldMapDisplay current, const Opzioni& stored);
/// The local sky's options as its opening seeds them.
[[nodiscard]] LocalSkyDisplay seededLocalSky(LocalSkyDisplay current, const Opzioni& stored);
/// The whole-sky chart's options as its opening seeds them.
[[nodiscard]] GeneralSkyDisplay seededGeneralSky(GeneralSkyDisplay current, const Opzioni& stored);
/// The options of a pass chart as it opens, from the stored options alone (each chart keeps
/// its own record from then on). An orientation number outside 0..3 gives south, the
/// orientation the chart is drawn in when no orientation is chosen.
[[nodiscard]] PassChartDisplay seededPassChart(const Opzioni& stored);

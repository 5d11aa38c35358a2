#include "tracking/DisplayOptions.h"

WorldMapDisplay seededWorldMap(WorldMapDisplay current, const Opzioni& stored)
{
    current.griglia = stored.Mappamondo_griglia;
    current.datiSatellite = stored.Mappamondo_mouse_dati;
    current.coordinateMouse = stored.Mappamondo_localizzatore;
    current.cerchioVisibilita = stored.Mappamondo_cerchio;
    current.tracciatoOrbita = stored.Mappamondo_orbita;
    return current;
}

LocalSkyDisplay seededLocalSky(LocalSkyDisplay current, const Opzioni& stored)
{
    current.griglia = stored.Cielo_locale_griglia;
    current.paesaggio = stored.Cielo_locale_paesaggio;
    current.coordinateOrizzontali = stored.Cielo_locale_coordinate_altazimutali;
    current.proiezioneStereo = stored.Cielo_locale_proiezione_stereo;
    if (stored.Cielo_locale_orientamento >= 0 && stored.Cielo_locale_orientamento <= 3)
        current.orientamento = static_cast<SkyOrientation>(stored.Cielo_locale_orientamento);
    current.oggettiCostellazioni = stored.Cielo_locale_costellazioni_linee;
    current.oggettiPianeti = stored.Cielo_locale_pianeti;
    current.oggettiSoleLuna = stored.Cielo_locale_sole_luna;
    current.etichetteCostellazioni = stored.Cielo_locale_costellazioni_nomi;
    current.etichettePianeti = stored.Cielo_locale_pianeti_nomi;
    current.etichetteSoleLuna = stored.Cielo_locale_sole_luna_nomi;
    return current;
}

GeneralSkyDisplay seededGeneralSky(GeneralSkyDisplay current, const Opzioni& stored)
{
    current.griglia = stored.Cielo_generale_griglia;
    current.oggettiCostellazioni = stored.Cielo_generale_costellazioni_linee;
    current.oggettiPianeti = stored.Cielo_generale_pianeti;
    current.oggettiSoleLuna = stored.Cielo_generale_sole_luna;
    current.etichetteCostellazioni = stored.Cielo_generale_costellazioni_nomi;
    current.etichettePianeti = stored.Cielo_generale_pianeti_nomi;
    current.etichetteSoleLuna = stored.Cielo_generale_sole_luna_nomi;
    return current;
}

PassChartDisplay seededPassChart(const Opzioni& stored)
{
    PassChartDisplay display;
    display.griglia = stored.Cielo_anteprima_griglia;
    display.paesaggio = stored.Cielo_anteprima_paesaggio;
    display.proiezioneStereo = stored.Cielo_anteprima_proiezione_stereo;
    display.orientamento = stored.Cielo_anteprima_orientamento >= 0
                                   && stored.Cielo_anteprima_orientamento <= 3
                               ? static_cast<SkyOrientation>(stored.Cielo_anteprima_orientamento)
                               : SkyOrientation::Sud;
    display.oggettiCostellazioni = stored.Cielo_anteprima_costellazioni_linee;
    display.oggettiPianeti = stored.Cielo_anteprima_pianeti;
    display.oggettiSoleLuna = stored.Cielo_anteprima_sole_luna;
    display.etichetteCostellazioni = stored.Cielo_anteprima_costellazioni_nomi;
    display.etichettePianeti = stored.Cielo_anteprima_pianeti_nomi;
    display.etichetteSoleLuna = stored.Cielo_anteprima_sole_luna_nomi;
    return display;
}

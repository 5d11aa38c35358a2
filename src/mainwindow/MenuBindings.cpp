#include "mainwindow/MenuBindings.h"

namespace {

template <class Record> constexpr MarkBinding<Record> mark(MenuName item, bool Record::*field)
{
    return {item, field};
}

template <class Record> constexpr MarkBinding<Record> partner(MenuName item, bool Record::*field)
{
    return {item, field, true};
}

template <class Record> constexpr MarkBinding<Record> facing(MenuName item, SkyOrientation side)
{
    return {item, nullptr, false, static_cast<int>(side)};
}

using W = WorldMapDisplay;
using L = LocalSkyDisplay;
using G = GeneralSkyDisplay;
using P = PassChartDisplay;

constexpr MarkBinding<W> kWorldMap[] = {
    mark(mnu(u"mnuWorldmapGriglia"), &W::griglia),
    mark(mnu(u"mnuWorldmapRiquadroDati"), &W::riquadroDati),
    mark(mnu(u"mnuWorldmapDatiSatellite"), &W::datiSatellite),
    mark(mnu(u"mnuWorldmapCoordinateMouse"), &W::coordinateMouse),
    mark(mnu(u"mnuWorldmapNomeCitta"), &W::nomeCitta),
    mark(mnu(u"mnuWorldmapSole"), &W::sole),
    mark(mnu(u"mnuWorldmapTerminatore"), &W::terminatore),
    mark(mnu(u"mnuWorldmapOmbra"), &W::ombra),
    mark(mnu(u"mnuWorldmapCerchioVisibilita"), &W::cerchioVisibilita),
    mark(mnu(u"mnuWorldmapTracciatoOrbita"), &W::tracciatoOrbita),
};

constexpr MarkBinding<L> kLocalSky[] = {
    mark(mnu(u"mnuLocalSkyGriglia"), &L::griglia),
    mark(mnu(u"mnuLocalSkyPaesaggio"), &L::paesaggio),
    mark(mnu(u"mnuLocalSkyRiquadroDati"), &L::riquadroDati),
    partner(mnu(u"mnuLocalSkyCoordEquat"), &L::coordinateOrizzontali),
    mark(mnu(u"mnuLocalSkyCoordOrizz"), &L::coordinateOrizzontali),
    mark(mnu(u"mnuLocalSkyProiezStereo"), &L::proiezioneStereo),
    partner(mnu(u"mnuLocalSkyProiezNormale"), &L::proiezioneStereo),
    facing<L>(mnu(u"mnuLocalSkyOrientamentoNord"), SkyOrientation::Nord),
    facing<L>(mnu(u"mnuLocalSkyOrientamentoSud"), SkyOrientation::Sud),
    facing<L>(mnu(u"mnuLocalSkyOrientamentoOvest"), SkyOrientation::Ovest),
    facing<L>(mnu(u"mnuLocalSkyOrientamentoEst"), SkyOrientation::Est),
    mark(mnu(u"mnuLocalSkyOggettiCostellazioni"), &L::oggettiCostellazioni),
    mark(mnu(u"mnuLocalSkyOggettiPianeti"), &L::oggettiPianeti),
    mark(mnu(u"mnuLocalSkyOggettiSoleLuna"), &L::oggettiSoleLuna),
    mark(mnu(u"mnuLocalSkyEtichetteCostellazioni"), &L::etichetteCostellazioni),
    mark(mnu(u"mnuLocalSkyEtichettePianeti"), &L::etichettePianeti),
    mark(mnu(u"mnuLocalSkyEtichetteSoleLuna"), &L::etichetteSoleLuna),
    mark(mnu(u"mnuLocalSkyZoom"), &L::zoom),
    mark(mnu(u"mnuLocalSkyTransitoPrincipale"), &L::transitoPrincipale),
    mark(mnu(u"mnuLocalSkyTempi"), &L::tempi),
    mark(mnu(u"mnuLocalSkySoloPrincipale"), &L::soloPrincipale),
};

constexpr MarkBinding<G> kGeneralSky[] = {
    mark(mnu(u"mnuGeneralSkyGriglia"), &G::griglia),
    mark(mnu(u"mnuGeneralSkyOggettiCostellazioni"), &G::oggettiCostellazioni),
    mark(mnu(u"mnuGeneralSkyOggettiPianeti"), &G::oggettiPianeti),
    mark(mnu(u"mnuGeneralSkyOggettiSoleLuna"), &G::oggettiSoleLuna),
    mark(mnu(u"mnuGeneralSkyEtichetteCostellazioni"), &G::etichetteCostellazioni),
    mark(mnu(u"mnuGeneralSkyEtichettePianeti"), &G::etichettePianeti),
    mark(mnu(u"mnuGeneralSkyEtichetteSoleLuna"), &G::etichetteSoleLuna),
    mark(mnu(u"mnuGeneralSkyZoom"), &G::zoom),
};

constexpr MarkBinding<P> kPassChart[] = {
    mark(mnu(u"mnuSkySatGriglia"), &P::griglia),
    mark(mnu(u"mnuSkySatPaesaggio"), &P::paesaggio),
    mark(mnu(u"mnuSkySatProiezStereo"), &P::proiezioneStereo),
    partner(mnu(u"mnuSkySatProiezNormale"), &P::proiezioneStereo),
    facing<P>(mnu(u"mnuSkySatOrientamentoNord"), SkyOrientation::Nord),
    facing<P>(mnu(u"mnuSkySatOrientamentoSud"), SkyOrientation::Sud),
    facing<P>(mnu(u"mnuSkySatOrientamentoOvest"), SkyOrientation::Ovest),
    facing<P>(mnu(u"mnuSkySatOrientamentoEst"), SkyOrientation::Est),
    mark(mnu(u"mnuSkySatOggettiCostellazioni"), &P::oggettiCostellazioni),
    mark(mnu(u"mnuSkySatOggettiPianeti"), &P::oggettiPianeti),
    mark(mnu(u"mnuSkySatOggettiSoleLuna"), &P::oggettiSoleLuna),
    mark(mnu(u"mnuSkySatEtichetteCostellazioni"), &P::etichetteCostellazioni),
    mark(mnu(u"mnuSkySatEtichettePianeti"), &P::etichettePianeti),
    mark(mnu(u"mnuSkySatEtichetteSoleLuna"), &P::etichetteSoleLuna),
};

} // namespace

std::span<const MarkBinding<WorldMapDisplay>> worldMapMarks()
{
    return kWorldMap;
}

std::span<const MarkBinding<LocalSkyDisplay>> localSkyMarks()
{
    return kLocalSky;
}

std::span<const MarkBinding<GeneralSkyDisplay>> generalSkyMarks()
{
    return kGeneralSky;
}

std::span<const MarkBinding<PassChartDisplay>> passChartMarks()
{
    return kPassChart;
}

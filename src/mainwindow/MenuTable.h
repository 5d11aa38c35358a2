#pragma once
// The one table of the main window's menus: the menu bar (File, Edit, View, Earth, Sky,
// Satellites, Ephemerides, Tools, Options, Windows, Help) and the four menus the map windows
// pop up over their charts. Every item's fixed name, its place in the tree and its design state
// (check mark, enabled, shortcut) are here; the menus are built from this table, and code names
// an item through mnu(u"..."), which looks the name up in the table while compiling: a
// misspelt name does not compile.

#include <QString>
#include <QtCore/qnamespace.h>

#include <string_view>

namespace menuTable {

enum class Kind { Menu, Item, Separator };
enum class Mark { None, Unticked, Ticked };

/// One row of the menu tree: depth 0 is a menu of the bar (or a pop-up menu), 1 its items,
/// 2 the items of a submenu.
struct Entry
{
    int depth;
    Kind kind;
    const char16_t* name = u"";
    Mark mark = Mark::None;
    bool enabled = true;
    Qt::Key shortcut = Qt::Key_unknown;
};

constexpr Entry menu(int depth, const char16_t* name)
{
    return {depth, Kind::Menu, name};
}
constexpr Entry item(int depth, const char16_t* name, Mark mark = Mark::None, bool enabled = true)
{
    return {depth, Kind::Item, name, mark, enabled};
}
constexpr Entry ticked(int depth, const char16_t* name)
{
    return item(depth, name, Mark::Ticked);
}
constexpr Entry unticked(int depth, const char16_t* name)
{
    return item(depth, name, Mark::Unticked);
}
constexpr Entry separator(int depth)
{
    return {depth, Kind::Separator};
}

/// The design of the menus: the bar's menus first, then the four pop-up menus.
inline constexpr Entry kMenuTree[] = {
    menu(0, u"mnuFile"),
    item(1, u"mnuFileApri"),
    item(1, u"mnuFileVisualizza"),
    item(1, u"mnuFileNuovo"),
    item(1, u"mnuFileModifica"),
    separator(1),
    item(1, u"mnuFileSalva"),
    separator(1),
    item(1, u"mnuFileImpostaStampante"),
    item(1, u"mnuFileStampa"),
    separator(1),
    item(1, u"mnuFileRipristinaImpostazioni"),
    item(1, u"mnuFileSalvaImpostazioni"),
    separator(1),
    item(1, u"mnuFileEsci"),

    menu(0, u"mnuModifica"),
    item(1, u"mnuModificaAnnulla"),
    separator(1),
    item(1, u"mnuModificaTaglia"),
    item(1, u"mnuModificaCopia"),
    item(1, u"mnuModificaIncolla"),
    item(1, u"mnuModificaCancella"),

    menu(0, u"mnuVisualizza"),
    ticked(1, u"mnuVisualizzaBarraPulsanti"),
    ticked(1, u"mnuVisualizzaBarraStato"),
    unticked(1, u"mnuVisualizzaBarraDati"),
    separator(1),
    unticked(1, u"mnuVisualizzaColoriNotte"),

    menu(0, u"mnuTerra"),
    item(1, u"mnuTerraMappaRettangolare"),
    item(1, u"mnuTerraMappaOrtografica"),

    menu(0, u"mnuCielo"),
    item(1, u"mnuCieloMappaLocale"),
    item(1, u"mnuCieloMappaGenerale"),

    menu(0, u"mnuSatelliti"),
    item(1, u"mnuSatellitiDatabase"),
    item(1, u"mnuSatellitiElementiOrbitali"),
    separator(1),
    item(1, u"mnuSatellitiMotoRelativo"),
    item(1, u"mnuSatellitiCalcoloEffemeridi"),
    item(1, u"mnuSatellitiPrevisioniPassaggi"),

    menu(0, u"mnuEffemeridi"),
    item(1, u"mnuEffemeridiPianeti"),
    item(1, u"mnuEffemeridiSatelliti"),
    item(1, u"mnuEffemeridiAlmanacco"),

    menu(0, u"mnuStrumenti"),
    item(1, u"mnuStrumentiCalendario"),
    item(1, u"mnuStrumentiCalcolatrice"),
    item(1, u"mnuStrumentiProgramma"),
    separator(1),
    item(1, u"mnuStrumentiDownload"),
    item(1, u"mnuStrumentiFormattazione"),
    item(1, u"mnuStrumentiSincronizzazione"),

    menu(0, u"mnuOpzioni"),
    item(1, u"mnuOpzioniData"),
    item(1, u"mnuOpzioniLocalita"),
    separator(1),
    item(1, u"mnuOpzioniGenerali"),
    item(1, u"mnuOpzioniSatelliti"),
    item(1, u"mnuOpzioniMappamondo"),
    item(1, u"mnuOpzioniCieloLocale"),
    item(1, u"mnuOpzioniCieloGenerale"),
    item(1, u"mnuOpzioniAnteprime"),
    item(1, u"mnuOpzioniFiltri"),
    item(1, u"mnuOpzioniServerNTP"),
    item(1, u"mnuOpzioniEsegui"),
    item(1, u"mnuOpzioniDownload"),
    item(1, u"mnuOpzioniColori"),
    separator(1),
    item(1, u"mnuOpzioniLingua"),

    menu(0, u"mnuFinestre"),
    item(1, u"mnuFinestreDiscesa"),
    item(1, u"mnuFinestreDisponiOrizzontale"),
    item(1, u"mnuFinestreDisponiVerticale"),
    item(1, u"mnuFinestreDisponiTutto"),
    separator(1),
    item(1, u"mnuFinestreChiudiTutto"),

    menu(0, u"mnuAiuto"),
    {1, Kind::Item, u"mnuAiutoSommario", Mark::None, true, Qt::Key_F1},
    {1, Kind::Item, u"mnuAiutoCerca", Mark::None, true, Qt::Key_F2},
    separator(1),
    item(1, u"mnuAiutoInformazioni"),

    menu(0, u"mnuWorldmap"),
    unticked(1, u"mnuWorldmapGriglia"),
    ticked(1, u"mnuWorldmapRiquadroDati"),
    ticked(1, u"mnuWorldmapDatiSatellite"),
    unticked(1, u"mnuWorldmapCoordinateMouse"),
    ticked(1, u"mnuWorldmapNomeCitta"),
    ticked(1, u"mnuWorldmapSole"),
    ticked(1, u"mnuWorldmapTerminatore"),
    ticked(1, u"mnuWorldmapOmbra"),
    menu(1, u"mnuWorldmapSatellite"),
    unticked(2, u"mnuWorldmapCerchioVisibilita"),
    unticked(2, u"mnuWorldmapTracciatoOrbita"),
    separator(2),
    item(2, u"mnuWorldmapRimuovi", Mark::None, false),
    separator(1),
    item(1, u"mnuWorldmapRidisegnaMappa"),
    item(1, u"mnuWorldmapChiudi"),

    menu(0, u"mnuLocalSky"),
    unticked(1, u"mnuLocalSkyGriglia"),
    ticked(1, u"mnuLocalSkyPaesaggio"),
    ticked(1, u"mnuLocalSkyRiquadroDati"),
    separator(1),
    unticked(1, u"mnuLocalSkyCoordEquat"),
    ticked(1, u"mnuLocalSkyCoordOrizz"),
    separator(1),
    ticked(1, u"mnuLocalSkyProiezStereo"),
    unticked(1, u"mnuLocalSkyProiezNormale"),
    menu(1, u"mnuLocalSkyOrientamento"),
    unticked(2, u"mnuLocalSkyOrientamentoNord"),
    ticked(2, u"mnuLocalSkyOrientamentoSud"),
    unticked(2, u"mnuLocalSkyOrientamentoOvest"),
    unticked(2, u"mnuLocalSkyOrientamentoEst"),
    menu(1, u"mnuLocalSkyOggetti"),
    unticked(2, u"mnuLocalSkyOggettiCostellazioni"),
    unticked(2, u"mnuLocalSkyOggettiPianeti"),
    unticked(2, u"mnuLocalSkyOggettiSoleLuna"),
    menu(1, u"mnuLocalSkyEtichette"),
    unticked(2, u"mnuLocalSkyEtichetteCostellazioni"),
    unticked(2, u"mnuLocalSkyEtichettePianeti"),
    unticked(2, u"mnuLocalSkyEtichetteSoleLuna"),
    item(1, u"mnuLocalSkyMagnitudine"),
    separator(1),
    unticked(1, u"mnuLocalSkyZoom"),
    item(1, u"mnuLocalSkyRipristina", Mark::None, false),
    menu(1, u"mnuLocalSkySatellite"),
    unticked(2, u"mnuLocalSkyTransitoPrincipale"),
    unticked(2, u"mnuLocalSkyTempi"),
    unticked(2, u"mnuLocalSkySoloPrincipale"),
    separator(1),
    item(1, u"mnuLocalSkyRidisegnaMappa"),
    item(1, u"mnuLocalSkyStampa"),
    item(1, u"mnuLocalSkyChiudi"),

    menu(0, u"mnuGeneralSky"),
    unticked(1, u"mnuGeneralSkyGriglia"),
    menu(1, u"mnuGeneralSkyOggetti"),
    unticked(2, u"mnuGeneralSkyOggettiCostellazioni"),
    unticked(2, u"mnuGeneralSkyOggettiPianeti"),
    unticked(2, u"mnuGeneralSkyOggettiSoleLuna"),
    menu(1, u"mnuGeneralSkyEtichette"),
    unticked(2, u"mnuGeneralSkyEtichetteCostellazioni"),
    unticked(2, u"mnuGeneralSkyEtichettePianeti"),
    unticked(2, u"mnuGeneralSkyEtichetteSoleLuna"),
    item(1, u"mnuGeneralSkyMagnitudine"),
    separator(1),
    unticked(1, u"mnuGeneralSkyZoom"),
    item(1, u"mnuGeneralSkyRipristina", Mark::None, false),
    separator(1),
    item(1, u"mnuGeneralSkyRidisegnaMappa"),
    item(1, u"mnuGeneralSkyStampa", Mark::None, false),
    item(1, u"mnuGeneralSkyChiudi"),

    menu(0, u"mnuSkySat"),
    unticked(1, u"mnuSkySatGriglia"),
    ticked(1, u"mnuSkySatPaesaggio"),
    separator(1),
    ticked(1, u"mnuSkySatProiezStereo"),
    unticked(1, u"mnuSkySatProiezNormale"),
    menu(1, u"mnuSkySatOrientamento"),
    unticked(2, u"mnuSkySatOrientamentoNord"),
    ticked(2, u"mnuSkySatOrientamentoSud"),
    unticked(2, u"mnuSkySatOrientamentoOvest"),
    unticked(2, u"mnuSkySatOrientamentoEst"),
    menu(1, u"mnuSkySatOggetti"),
    ticked(2, u"mnuSkySatOggettiCostellazioni"),
    ticked(2, u"mnuSkySatOggettiPianeti"),
    ticked(2, u"mnuSkySatOggettiSoleLuna"),
    menu(1, u"mnuSkySatEtichette"),
    unticked(2, u"mnuSkySatEtichetteCostellazioni"),
    unticked(2, u"mnuSkySatEtichettePianeti"),
    unticked(2, u"mnuSkySatEtichetteSoleLuna"),
    item(1, u"mnuSkySatMagnitudine"),
    separator(1),
    item(1, u"mnuSkySatRidisegnaMappa"),
    item(1, u"mnuSkySatStampa"),
    item(1, u"mnuSkySatChiudi"),
};

} // namespace menuTable

/// The fixed name of a menu, submenu or item of the table.
struct MenuName
{
    const char16_t* text;

    [[nodiscard]] QString toString() const { return QString::fromUtf16(text); }
    operator QString() const { return toString(); }
    friend constexpr bool operator==(MenuName a, MenuName b)
    {
        return std::u16string_view(a.text) == std::u16string_view(b.text);
    }
};

/// The menu name `name`, checked against the table while compiling.
consteval MenuName mnu(std::u16string_view name)
{
    for (const menuTable::Entry& entry : menuTable::kMenuTree) {
        if (entry.kind != menuTable::Kind::Separator && std::u16string_view(entry.name) == name)
            return MenuName{entry.name};
    }
    throw "not an item of the menu table"; // fails the constant evaluation: no such item
}

#include "mainwindow/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace {

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

// The design of the menus. The bar's menus first, then the four pop-up menus.
const std::vector<Entry>& menuTree()
{
    static const std::vector<Entry> tree{
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
    return tree;
}

constexpr int kMaxDepth = 3;

void applyDesign(QAction* action, const Entry& entry)
{
    action->setObjectName(QString::fromUtf16(entry.name));
    action->setCheckable(entry.mark != Mark::None);
    action->setChecked(entry.mark == Mark::Ticked);
    action->setEnabled(entry.enabled);
    if (entry.shortcut != Qt::Key_unknown)
        action->setShortcut(QKeySequence(entry.shortcut));
}

} // namespace

const QStringList& popupMenuNames()
{
    static const QStringList names{QStringLiteral("mnuWorldmap"), QStringLiteral("mnuLocalSky"),
                                   QStringLiteral("mnuGeneralSky"), QStringLiteral("mnuSkySat")};
    return names;
}

MainMenus buildMainMenus(QMenuBar* bar, QWidget* owner)
{
    MainMenus built;
    QMenu* parents[kMaxDepth] = {};
    for (const Entry& entry : menuTree()) {
        const QString name = QString::fromUtf16(entry.name);
        QMenu* parent = entry.depth > 0 ? parents[entry.depth - 1] : nullptr;
        switch (entry.kind) {
        case Kind::Separator:
            parent->addSeparator();
            break;
        case Kind::Menu: {
            auto* created = entry.depth == 0 ? new QMenu(owner) : parent->addMenu(QString());
            if (entry.depth == 0 && !popupMenuNames().contains(name))
                bar->addMenu(created);
            created->setObjectName(name);
            created->menuAction()->setObjectName(name);
            parents[entry.depth] = created;
            built.menus.insert(name, created);
            built.items.insert(name, created->menuAction());
            if (entry.depth > 0 || !popupMenuNames().contains(name))
                built.captioned.append(name);
            break;
        }
        case Kind::Item: {
            QAction* action = parent->addAction(QString());
            applyDesign(action, entry);
            built.items.insert(name, action);
            built.captioned.append(name);
            break;
        }
        }
    }
    return built;
}

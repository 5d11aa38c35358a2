// The options dialog's texts: captions of its controls and the entries of its lists, all from
// the language file (section frmSettings unless another is named).

#include "dialogs/frmSettings.h"

#include "controls/GraphButton/GraphButton.h"
#include "dialogs/SettingsBindings.h"
#include "services/DisplayFormat.h"
#include "services/mLang.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

struct Caption
{
    const char* control;
    const char16_t* key;
    const char16_t* section = u"frmSettings";
};

const Caption kCaptions[] = {
    {"fraLocalSkyOggetti", u"oggetti"},
    {"fraGeneralSkyOggetti", u"oggetti"},
    {"fraSkySatOggetti", u"oggetti"},
    {"fraLocalSkyEtichette", u"etichette"},
    {"fraGeneralSkyEtichette", u"etichette"},
    {"fraSkySatEtichette", u"etichette"},
    {"fraColoriGrigliaCieloLocale", u"grigliacielolocale"},
    {"chkConfermaUscita", u"confermauscita"},
    {"chkVerificaOpzioni", u"verificaopzioni"},
    {"chkBarraPulsanti", u"barrapulsanti"},
    {"chkBarraStato", u"barrastato"},
    {"chkPosizioniFinestre", u"posizionifinestre"},
    {"chkVerificaOraLegale", u"verificaoralegale"},
    {"chkRifrazione", u"rifrazione"},
    {"chkWorldMapGriglia", u"griglia"},
    {"chkWorldMapNomeCitta", u"nomecitta"},
    {"chkWorldMapCerchioVisibilita", u"cerchiovisibilita"},
    {"chkWorldMapTracciatoOrbita", u"tracciatoorbita"},
    {"chkWorldMapDatiSatellite", u"datisatellite"},
    {"chkWorldMapCoordinateMouse", u"coordinatemouse"},
    {"chkWorldMapRiquadroDati", u"riquadrodati"},
    {"chkWorldMapSole", u"sole"},
    {"chkWorldMapTerminatore", u"terminatore"},
    {"chkWorldMapOmbra", u"ombra"},
    {"chkTransito", u"transito", u"frmVisibleSatellites"},
    {"lblBarraStato", u"barrastatoformatoora"},
    {"lblPropagatore", u"propagatore"},
    {"lblMagnitudine", u"magnitudinevisuale"},
    {"lblVisibilita", u"visibilita"},
    {"lblLocalSkyProiezione", u"proiezione"},
    {"lblSkySatProiezione", u"proiezione"},
    {"lblLocalSkyCoordinateMouse", u"coordinatemouse"},
    {"lblLocalSkyTipoGriglia", u"tipogriglia"},
    {"lblSkySatTipoGriglia", u"tipogriglia"},
    {"lblLocalSkyOrientamento", u"orientamento"},
    {"lblSkySatOrientamento", u"orientamento"},
    {"lblLocalSkyMagnitudine", u"stellemostrate"},
    {"lblGeneralSkyMagnitudine", u"stellemostrate"},
    {"lblSkySatMagnitudine", u"stellemostrate"},
    {"lblColoreSatellite", u"satellite"},
    {"lblColoreOrbitaCorrente", u"orbitacorrente"},
    {"lblColoreOrbitaPrecedente", u"orbitaprecedente"},
    {"lblColoreNomeCitta", u"nomecitta"},
    {"lblColoreGrigliaMappamondo", u"grigliamappamondo"},
    {"lblColoreGrigliaCieloGenerale", u"grigliacielogenerale"},
    {"lblColoreCostellazioni", u"lineecostellazioni"},
    {"lblColoreGrigliaLocale1", u"coloregriglia1"},
    {"lblColoreGrigliaLocale2", u"coloregriglia2"},
    {"lblColoreGrigliaLocale3", u"coloregriglia3"},
    {"lblColoreGrigliaLocale4", u"coloregriglia4"},
    {"lblColoreEtichetteCostellazioni", u"etichettecostellazioni"},
    {"lblEseguiPercorso", u"eseguipercorso"},
    {"lblEseguiParametri", u"eseguiparametri"},
    {"lblInfoPropagatore", u"infopropagatore"},
    {"lblInfoMagnitudine", u"infomagnitudine"},
    {"lblInfoVisibilita", u"infovisibilita"},
    {"lblInfoRifrazione", u"inforifrazione"},
    {"cmdServerRipristina", u"serverripristina"},
    {"cmdServerElimina", u"serverelimina"},
    {"cmdServerSu", u"serversu"},
    {"cmdServerGiu", u"servergiu"},
    {"cmdDownloadRipristina", u"serverripristina"},
    {"cmdDownloadElimina", u"serverelimina"},
    {"cmdDownloadSu", u"serversu"},
    {"cmdDownloadGiu", u"servergiu"},
    {"cmdRipristinaColori1", u"serverripristina"},
    {"cmdRipristinaColori2", u"serverripristina"},
    {"cmdEseguiElimina", u"serverelimina"},
    {"cmdOK", u"ok", u"Buttons"},
    {"cmdCancel", u"cancel", u"Buttons"},
    {"cmdSave", u"save", u"Buttons"},
};

/// Captions of the sky-chart check boxes by the suffix after their chart prefix.
const Caption kSkyChartBoxes[] = {
    {"Griglia", u"griglia"},
    {"OggettiCostellazioni", u"costellazioni"},
    {"EtichetteCostellazioni", u"costellazioni"},
    {"OggettiPianeti", u"pianeti"},
    {"EtichettePianeti", u"pianeti"},
    {"OggettiSoleLuna", u"soleluna"},
    {"EtichetteSoleLuna", u"soleluna"},
    {"Griglia10", u"griglia10"},
    {"Orizzonte", u"orizzonte"},
    {"Paesaggio", u"paesaggio"},
    {"RiquadroDati", u"riquadrodati"},
};

const char16_t* const kPageKeys[frmSettings::kPageCount] = {
    u"tabgenerali",      u"tabsatelliti",  u"tabmappamondo", u"tabcielolocale1", u"tabcielolocale2",
    u"tabcielogenerale", u"tabanteprime1", u"tabanteprime2", u"tabfiltri",       u"tabserverntp",
    u"tabcolori1",       u"tabcolori2",    u"tabdownload",   u"tabesegui"};

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmSettings", key);
}

void setCaption(QWidget* control, const QString& caption)
{
    if (auto* button = qobject_cast<GraphButton*>(control))
        button->setCaption(caption);
    else if (auto* box = qobject_cast<QAbstractButton*>(control))
        box->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(caption);
}

void fill(QComboBox* list, const QStringList& entries)
{
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

} // namespace

void frmSettings::Applica_lingua()
{
    setWindowTitle(text(u"opzioni"));
    for (const Caption& caption : kCaptions)
        setCaption(control<QWidget>(QString::fromLatin1(caption.control)),
                   mLang::Testo_lingua(caption.section, caption.key));
    for (const char* prefix : {"chkLocalSky", "chkGeneralSky", "chkSkySat"}) {
        for (const Caption& box : kSkyChartBoxes)
            setCaption(
                control<QWidget>(QString::fromLatin1(prefix) + QString::fromLatin1(box.control)),
                text(box.key));
    }
    for (int pageNumber = 0; pageNumber < kPageCount; ++pageNumber)
        SSTab1->setTabText(pageNumber, text(kPageKeys[pageNumber]));
    for (int tab = 0; tab < 3; ++tab)
        tabFiltri->setTabText(
            tab, text(QString(QStringLiteral("tabfiltri") + QString::number(tab + 1))));
    for (int set = 0; set < 3; ++set) {
        setCaption(control<QWidget>(filterControl("lblAltezza", set)), text(u"altezza"));
        setCaption(control<QWidget>(filterControl("lblAzimuth", set)), text(u"azimuth"));
        setCaption(control<QWidget>(filterControl("chkAM", set)),
                   mLang::Testo_lingua(u"Def", u"am"));
        setCaption(control<QWidget>(filterControl("chkPM", set)),
                   mLang::Testo_lingua(u"Def", u"pm"));
        setCaption(control<QWidget>(filterControl("chkSoloVisibili", set)),
                   mLang::Testo_lingua(u"frmVisibleSatellites", u"solovisibili"));
    }
    fillLists();
    for (const char* list : {"lvwServerNTP", "lvwDownload"}) {
        auto* addresses = control<QTreeWidget>(QString::fromLatin1(list));
        const bool servers = list[3] == 'S';
        addresses->setHeaderLabels(
            {text(servers ? u"tabserverntp" : u"tabdownload"), QStringLiteral("#")});
        addresses->setToolTip(text(servers ? u"doppioclickserver" : u"doppioclickremoto"));
    }
}

void frmSettings::fillLists()
{
    QStringList dateFormats;
    for (int k = 0; k < 10; ++k)
        dateFormats.append(text(QString(QStringLiteral("formatodata") + QString::number(k))));
    fill(control<QComboBox>(QStringLiteral("cmbData")), dateFormats);
    fill(control<QComboBox>(QStringLiteral("cmbPropagatore")),
         {QStringLiteral("Plan 13"), QStringLiteral("SGP"), QStringLiteral("SGP4"),
          QStringLiteral("SGP4 + SDP4")});
    fill(control<QComboBox>(QStringLiteral("cmbMagnitudine")),
         {text(u"standard"), text(u"lambertiana")});
    const QString sunAltitude = text(u"altezzasole");
    QStringList sunLimits;
    for (int k = 0; k <= 18; ++k)
        sunLimits.append(sunAltitude + QStringLiteral(" = ") + QString::number(-k) +
                         QStringLiteral("\u00B0"));
    fill(control<QComboBox>(QStringLiteral("cmbVisibilita")), sunLimits);
    for (const char* list : {"cmbLocalSkyProiezione", "cmbSkySatProiezione"})
        fill(control<QComboBox>(QString::fromLatin1(list)),
             {text(u"normale"), text(u"stereografica")});
    fill(control<QComboBox>(QStringLiteral("cmbLocalSkyCoordinate")),
         {text(u"equatoriali"), text(u"altazimutali")});
    for (const char* list : {"cmbLocalSkyOrientamento", "cmbSkySatOrientamento"})
        fill(control<QComboBox>(QString::fromLatin1(list)),
             {text(u"nord"), text(u"sud"), text(u"ovest"), text(u"est")});
    for (const char* list : {"cmbLocalSkyTipoGriglia", "cmbSkySatTipoGriglia"})
        fill(control<QComboBox>(QString::fromLatin1(list)),
             {text(u"equatoriale"), text(u"altazimutale")});
    // Fainter than 6.5, then 6.5 down to 1.5 in steps of 0.5: the entries of the star-count
    // table, with the magnitude shown as the user writes decimals.
    const QString magnitude = text(u"magnitudine");
    QStringList starCounts{magnitude + QStringLiteral(" > ") + formatNumber(6.5, u"0.0")};
    for (int tenths = 65; tenths >= 15; tenths -= 5)
        starCounts.append(magnitude + u' ' + formatNumber(tenths / 10.0, u"0.0"));
    for (const char* list :
         {"cmbLocalSkyMagnitudine", "cmbGeneralSkyMagnitudine", "cmbSkySatMagnitudine"})
        fill(control<QComboBox>(QString::fromLatin1(list)), starCounts);
}

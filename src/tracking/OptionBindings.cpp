// The binding table of the option store: one row per stored key, with its default, its
// accepted range and the name the user knows it by (the dialog page and field that show it).

#include "tracking/OptionsStore.h"

#include "common/Elemento_satellite.h"
#include "common/catalogues.h"
#include "services/mLang.h"

#include <limits>

namespace {

template <typename T>
struct TypeRange
{
    static constexpr int minimum = 0;
    static constexpr int maximum = 0;
};
template <>
struct TypeRange<std::int16_t>
{
    static constexpr int minimum = std::numeric_limits<std::int16_t>::min();
    static constexpr int maximum = std::numeric_limits<std::int16_t>::max();
};
template <>
struct TypeRange<std::int32_t>
{
    static constexpr int minimum = std::numeric_limits<std::int32_t>::min();
    static constexpr int maximum = std::numeric_limits<std::int32_t>::max();
};
template <>
struct TypeRange<std::uint8_t>
{
    static constexpr int minimum = 0;
    static constexpr int maximum = std::numeric_limits<std::uint8_t>::max();
};

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

/// A text of the options dialog.
constexpr TextKey settings(const char16_t* key)
{
    return TextKey{u"frmSettings", key};
}

/// Adds rows to the table. The rows of one section share it; the rows of one dialog page share
/// the page's texts, which begin each row's label.
class TableBuilder
{
public:
    explicit TableBuilder(std::vector<OptionBinding>& rows) : m_rows(rows) {}

    void section(QStringView name) { m_section = name.toString(); }
    void page(std::initializer_list<TextKey> texts) { m_page = texts; }

    template <typename T>
    OptionBinding& option(QStringView key, const QString& defaultText, T Opzioni::*member,
                          std::initializer_list<TextKey> field = {})
    {
        return add(key, defaultText, [member](Opzioni& o, Dati_osservatore&) -> OptionField {
            return &(o.*member);
        }, TypeRange<T>{}, field);
    }

    template <typename T, std::size_t N>
    OptionBinding& element(QStringView key, const QString& defaultText,
                           std::array<T, N> Opzioni::*member, std::size_t index,
                           std::initializer_list<TextKey> field = {})
    {
        return add(key, defaultText,
                   [member, index](Opzioni& o, Dati_osservatore&) -> OptionField {
                       return &(o.*member)[index];
                   },
                   TypeRange<T>{}, field);
    }

    template <typename T>
    OptionBinding& observer(QStringView key, QStringView defaultText,
                            T Dati_osservatore::*member, std::initializer_list<TextKey> field)
    {
        OptionBinding& row = add(key, defaultText.toString(),
                                 [member](Opzioni&, Dati_osservatore& d) -> OptionField {
                                     return &(d.*member);
                                 },
                                 TypeRange<T>{}, field);
        row.observer = true;
        return row;
    }

private:
    template <typename Range>
    OptionBinding& add(QStringView key, const QString& defaultText,
                       std::function<OptionField(Opzioni&, Dati_osservatore&)> field, Range,
                       std::initializer_list<TextKey> label)
    {
        OptionBinding row;
        row.section = m_section;
        row.key = key.toString();
        row.defaultText = defaultText;
        row.field = std::move(field);
        row.minimum = Range::minimum;
        row.maximum = Range::maximum;
        if (label.size() > 0) {
            row.label = m_page;
            row.label.insert(row.label.end(), label.begin(), label.end());
        }
        m_rows.push_back(std::move(row));
        return m_rows.back();
    }

    std::vector<OptionBinding>& m_rows;
    QString m_section;
    std::vector<TextKey> m_page;
};

void setRange(OptionBinding& row, int minimum, int maximum)
{
    row.minimum = minimum;
    row.maximum = maximum;
}

void addObserver(TableBuilder& t)
{
    using D = Dati_osservatore;
    t.section(u"Osservatore");
    t.page({TextKey{u"frmLocation", u"localita"}});
    t.observer(u"Localita", u"Italy: Milano", &D::Nome_localita, {});
    // Guard: a position or zone beyond the Earth's would make every time and sky shown wrong.
    const auto degrees = [](OptionBinding& row, int minimum, int maximum) {
        row.form = StoredForm::Thousandths;
        setRange(row, minimum, maximum);
    };
    degrees(t.observer(u"Latitudine", u"45470", &D::Latitudine_osservatore,
                       {TextKey{u"Def", u"lat"}}),
            -90, 90);
    degrees(t.observer(u"Longitudine", u"9190", &D::Longitudine_osservatore,
                       {TextKey{u"Def", u"lon"}}),
            -180, 360);
    // The height field holds four characters: -999 to 9999 metres. Guard: a height far beyond
    // the field's would put the observer in space.
    setRange(t.observer(u"Quota", u"133", &D::Quota_osservatore,
                        {TextKey{u"frmLocation", u"quota"}}),
             -999, 9999);
    OptionBinding& zone = t.observer(u"Fuso", u"1", &D::Fuso_orario,
                                     {TextKey{u"frmLocation", u"impostazioneora"}});
    zone.form = StoredForm::LeadingNumber;
    setRange(zone, -12, 14);
    setRange(t.observer(u"Ora legale", u"0", &D::Ora_legale,
                        {TextKey{u"frmLocation", u"oralegale"}}),
             0, 1);
}

void addSatellitesAndWorldMap(TableBuilder& t)
{
    using O = Opzioni;
    const QString on = QStringLiteral("-1");
    const QString off = QStringLiteral("0");
    t.section(u"Satelliti");
    t.page({settings(u"tabsatelliti")});
    // Guard: a propagator number outside the four models would select no propagator at all.
    setRange(t.option(u"Propagatore", QStringLiteral("2"), &O::Propagatore,
                      {settings(u"propagatore")}),
             0, 3);
    t.option(u"Rifrazione", off, &O::Rifrazione, {settings(u"rifrazione")});
    t.option(u"Magnitudine", off, &O::Modello_magnitudine, {settings(u"magnitudinevisuale")});
    t.option(u"Soglia", QStringLiteral("-10"), &O::Limite_sole, {settings(u"visibilita")});

    t.section(u"Mappamondo");
    t.page({settings(u"tabmappamondo")});
    t.option(u"Griglia", on, &O::Mappamondo_griglia, {settings(u"griglia")});
    t.option(u"Citta", on, &O::Mappamondo_citta, {settings(u"nomecitta")});
    t.option(u"Cerchio", on, &O::Mappamondo_cerchio, {settings(u"cerchiovisibilita")});
    t.option(u"Orbita", on, &O::Mappamondo_orbita, {settings(u"tracciatoorbita")});
    t.option(u"Mouse dati", on, &O::Mappamondo_mouse_dati, {settings(u"datisatellite")});
    t.option(u"Localizzatore", off, &O::Mappamondo_localizzatore,
             {settings(u"coordinatemouse")});
    t.option(u"Riquadro dati", on, &O::Mappamondo_riquadro_dati, {settings(u"riquadrodati")});
    t.option(u"Sole", on, &O::Mappamondo_sole, {settings(u"sole")});
    t.option(u"Ombra", on, &O::Mappamondo_ombra, {settings(u"ombra")});
}

// Guard: a star count beyond the catalogue would make a sky chart read past its table.
void starCount(OptionBinding& row)
{
    setRange(row, 0, kStarCount);
}

constexpr TextKey kObjects = settings(u"oggetti");
constexpr TextKey kLabels = settings(u"etichette");

void addLocalSky(TableBuilder& t)
{
    using O = Opzioni;
    const QString on = QStringLiteral("-1");
    const QString off = QStringLiteral("0");
    const TextKey first = settings(u"tabcielolocale1");
    const TextKey second = settings(u"tabcielolocale2");
    t.section(u"Cielo locale");
    t.page({});
    t.option(u"Griglia", off, &O::Cielo_locale_griglia, {first, settings(u"griglia")});
    t.option(u"Griglia 10", on, &O::Cielo_locale_griglia10, {second, settings(u"griglia10")});
    t.option(u"Griglia tipo", on, &O::Cielo_locale_griglia_tipo,
             {second, settings(u"tipogriglia")});
    t.page({first});
    t.option(u"Costellazioni linee", off, &O::Cielo_locale_costellazioni_linee,
             {kObjects, settings(u"costellazioni")});
    t.option(u"Pianeti", on, &O::Cielo_locale_pianeti, {kObjects, settings(u"pianeti")});
    t.option(u"Sole luna", on, &O::Cielo_locale_sole_luna, {kObjects, settings(u"soleluna")});
    t.option(u"Costellazioni nomi", off, &O::Cielo_locale_costellazioni_nomi,
             {kLabels, settings(u"costellazioni")});
    t.option(u"Pianeti nomi", on, &O::Cielo_locale_pianeti_nomi,
             {kLabels, settings(u"pianeti")});
    t.option(u"Sole luna nomi", off, &O::Cielo_locale_sole_luna_nomi,
             {kLabels, settings(u"soleluna")});
    starCount(t.option(u"Stelle", QStringLiteral("1639"), &O::Cielo_locale_stelle,
                       {settings(u"stellemostrate")}));
    t.option(u"Proiezione stereo", on, &O::Cielo_locale_proiezione_stereo,
             {settings(u"proiezione")});
    t.page({second});
    t.option(u"Orientamento", QStringLiteral("1"), &O::Cielo_locale_orientamento,
             {settings(u"orientamento")});
    t.page({first});
    t.option(u"Coordinate altazimutali", on, &O::Cielo_locale_coordinate_altazimutali,
             {settings(u"coordinatemouse")});
    t.page({second});
    t.option(u"Effetto orizzonte", on, &O::Cielo_locale_effetto_orizzonte,
             {settings(u"orizzonte")});
    t.option(u"Paesaggio", on, &O::Cielo_locale_paesaggio, {settings(u"paesaggio")});
    t.option(u"Riquadro dati", on, &O::Cielo_locale_riquadro_dati, {settings(u"riquadrodati")});
}

void addWholeSky(TableBuilder& t)
{
    using O = Opzioni;
    const QString on = QStringLiteral("-1");
    const QString off = QStringLiteral("0");
    t.section(u"Cielo generale");
    t.page({settings(u"tabcielogenerale")});
    t.option(u"Griglia", off, &O::Cielo_generale_griglia, {settings(u"griglia")});
    t.option(u"Costellazioni linee", off, &O::Cielo_generale_costellazioni_linee,
             {kObjects, settings(u"costellazioni")});
    t.option(u"Pianeti", on, &O::Cielo_generale_pianeti, {kObjects, settings(u"pianeti")});
    t.option(u"Sole luna", on, &O::Cielo_generale_sole_luna,
             {kObjects, settings(u"soleluna")});
    t.option(u"Costellazioni nomi", off, &O::Cielo_generale_costellazioni_nomi,
             {kLabels, settings(u"costellazioni")});
    t.option(u"Pianeti nomi", on, &O::Cielo_generale_pianeti_nomi,
             {kLabels, settings(u"pianeti")});
    t.option(u"Sole luna nomi", off, &O::Cielo_generale_sole_luna_nomi,
             {kLabels, settings(u"soleluna")});
    starCount(t.option(u"Stelle", QStringLiteral("5146"), &O::Cielo_generale_stelle,
                       {settings(u"stellemostrate")}));
}

void addPassChart(TableBuilder& t)
{
    using O = Opzioni;
    const QString on = QStringLiteral("-1");
    const QString off = QStringLiteral("0");
    const TextKey first = settings(u"tabanteprime1");
    const TextKey second = settings(u"tabanteprime2");
    t.section(u"Cielo anteprima");
    t.page({first});
    t.option(u"Griglia", off, &O::Cielo_anteprima_griglia, {settings(u"griglia")});
    t.page({second});
    t.option(u"Griglia 10", on, &O::Cielo_anteprima_griglia10, {settings(u"griglia10")});
    t.page({first});
    t.option(u"Costellazioni linee", off, &O::Cielo_anteprima_costellazioni_linee,
             {kObjects, settings(u"costellazioni")});
    t.option(u"Pianeti", on, &O::Cielo_anteprima_pianeti, {kObjects, settings(u"pianeti")});
    t.option(u"Sole luna", on, &O::Cielo_anteprima_sole_luna,
             {kObjects, settings(u"soleluna")});
    t.option(u"Costellazioni nomi", off, &O::Cielo_anteprima_costellazioni_nomi,
             {kLabels, settings(u"costellazioni")});
    t.option(u"Pianeti nomi", on, &O::Cielo_anteprima_pianeti_nomi,
             {kLabels, settings(u"pianeti")});
    t.option(u"Sole luna nomi", off, &O::Cielo_anteprima_sole_luna_nomi,
             {kLabels, settings(u"soleluna")});
    starCount(t.option(u"Stelle", QStringLiteral("1639"), &O::Cielo_anteprima_stelle,
                       {settings(u"stellemostrate")}));
    t.option(u"Proiezione stereo", off, &O::Cielo_anteprima_proiezione_stereo,
             {settings(u"proiezione")});
    t.option(u"Orientamento", QStringLiteral("1"), &O::Cielo_anteprima_orientamento,
             {settings(u"orientamento")});
    t.page({second});
    t.option(u"Effetto orizzonte", on, &O::Cielo_anteprima_effetto_orizzonte,
             {settings(u"orizzonte")});
    t.option(u"Paesaggio", on, &O::Cielo_anteprima_paesaggio, {settings(u"paesaggio")});
    t.option(u"Griglia tipo", on, &O::Cielo_anteprima_griglia_tipo,
             {settings(u"tipogriglia")});
}

void addGeneralAndFilters(TableBuilder& t)
{
    using O = Opzioni;
    const QString on = QStringLiteral("-1");
    const QString off = QStringLiteral("0");
    t.section(u"Generali");
    t.page({settings(u"tabgenerali")});
    t.option(u"Conferma uscita", off, &O::Conferma_uscita, {settings(u"confermauscita")});
    t.option(u"Verifica opzioni", on, &O::Verifica_opzioni, {settings(u"verificaopzioni")});
    t.option(u"Formato ora", off, &O::Formato_ora, {settings(u"barrastatoformatoora")});
    t.option(u"Barra pulsanti", on, &O::Barra_pulsanti, {settings(u"barrapulsanti")});
    t.option(u"Barra stato", on, &O::Barra_stato, {settings(u"barrastato")});
    // No dialog shows the units: the main window's texts name them.
    t.option(u"Unita", off, &O::Unita, {TextKey{u"MDIForm1", u"unita"}});
    t.option(u"Posizioni finestre", off, &O::Posizioni_finestre,
             {settings(u"posizionifinestre")});
    t.option(u"Verifica ora legale", on, &O::Verifica_ora_legale,
             {settings(u"verificaoralegale")});

    t.section(u"Filtri");
    t.page({settings(u"tabfiltri"), settings(u"tabfiltri1")});
    t.option(u"In transito", on, &O::Filtro_transito,
             {TextKey{u"frmVisibleSatellites", u"transito"}});
    const char16_t* const sets[] = {u"tutti", u"principale", u"secondari"};
    const char16_t* const tabs[] = {u"tabfiltri1", u"tabfiltri2", u"tabfiltri3"};
    // Each filter, then the three sets of filters in turn.
    const auto filter = [&](const QString& name, const QString& defaultText, auto member,
                            TextKey field, int minimum, int maximum) {
        for (std::size_t k = 0; k < 3; ++k) {
            t.page({settings(u"tabfiltri"), settings(tabs[k])});
            OptionBinding& row = t.element(name + u' ' + QString::fromUtf16(sets[k]),
                                           defaultText, member, k, {field});
            if (minimum < maximum)
                setRange(row, minimum, maximum);
        }
    };
    filter(QStringLiteral("Solo visibili"), off, &O::Filtro_solo_visibili,
           TextKey{u"frmVisibleSatellites", u"solovisibili"}, 0, 0);
    filter(QStringLiteral("AM"), on, &O::Filtro_am, TextKey{u"Def", u"am"}, 0, 0);
    filter(QStringLiteral("PM"), on, &O::Filtro_pm, TextKey{u"Def", u"pm"}, 0, 0);
    // The ranges of the filter sliders [degrees].
    filter(QStringLiteral("Altezza min"), QStringLiteral("10"), &O::Filtro_altezza_min,
           settings(u"altezza"), 0, 90);
    filter(QStringLiteral("Azimuth min"), off, &O::Filtro_azimut_min, settings(u"azimuth"), 0,
           360);
    filter(QStringLiteral("Azimuth max"), QStringLiteral("360"), &O::Filtro_azimut_max,
           settings(u"azimuth"), 0, 360);
}

void addListsAndFiles(TableBuilder& t)
{
    using O = Opzioni;
    t.section(u"Radio");
    t.page({TextKey{u"frmTrack", u"effemeridisatelliti"}});
    for (std::size_t k = 0; k < kChannelSelections; ++k) {
        // Guard: the selection indexes the ten radio channels of a satellite.
        OptionBinding& row =
            t.element(QString(QStringLiteral("Canale") + QString::number(k + 1)),
                      QStringLiteral("1"), &O::Canale_selezionato, k,
                      {TextKey{u"frmTrack", u"canale"}});
        setRange(row, 1, kRadioChannels);
        row.labelNumber = static_cast<int>(k) + 1;
    }

    t.section(u"ServerNTP");
    t.page({settings(u"tabserverntp")});
    for (std::size_t k = 0; k < kServerNtpCount; ++k)
        t.element(QString(QStringLiteral("Server") + QString::number(k)),
                  text(kDefaultTimeServers[k]), &O::Server_NTP, k);

    t.section(u"Download");
    t.page({settings(u"tabdownload")});
    for (std::size_t k = 0; k < kDownloadSourceCount; ++k)
        t.element(QString(QStringLiteral("Remoto") + QString::number(k)),
                  text(kDefaultDownloadSources[k]), &O::Sorgenti_download, k);

    t.section(u"Database");
    t.option(u"Primario", QString(), &O::File_database).keptByDefaults = true;
}

void addColoursAndPrograms(TableBuilder& t)
{
    using O = Opzioni;
    t.section(u"Colori");
    t.page({settings(u"tabcolori1")});
    t.option(u"Griglia mappamondo", QStringLiteral("8553090"), &O::Colore_griglia_mappamondo,
             {settings(u"grigliamappamondo")});
    const TextKey localGrid = settings(u"grigliacielolocale");
    t.option(u"Griglia locale1", QStringLiteral("9211020"), &O::Colore_griglia_locale1,
             {localGrid, settings(u"coloregriglia1")});
    t.option(u"Griglia locale2", QStringLiteral("7895160"), &O::Colore_griglia_locale2,
             {localGrid, settings(u"coloregriglia2")});
    t.option(u"Griglia locale3", QStringLiteral("7895160"), &O::Colore_griglia_locale3,
             {localGrid, settings(u"coloregriglia3")});
    t.option(u"Griglia locale4", QStringLiteral("6579300"), &O::Colore_griglia_locale4,
             {localGrid, settings(u"coloregriglia4")});
    t.option(u"Griglia generale", QStringLiteral("6579300"), &O::Colore_griglia_generale,
             {settings(u"grigliacielogenerale")});
    t.option(u"Nome citta", QStringLiteral("16777215"), &O::Colore_nome_citta,
             {settings(u"nomecitta")});
    t.option(u"Satellite", QStringLiteral("65535"), &O::Colore_satellite,
             {settings(u"satellite")});
    t.option(u"Orbita1", QStringLiteral("255"), &O::Colore_orbita_passata,
             {settings(u"orbitaprecedente")});
    t.option(u"Orbita2", QStringLiteral("65280"), &O::Colore_orbita_futura,
             {settings(u"orbitacorrente")});
    t.page({settings(u"tabcolori2")});
    t.option(u"Costellazioni linee", QStringLiteral("10789888"), &O::Colore_costellazioni_linee,
             {settings(u"lineecostellazioni")});
    t.option(u"Costellazioni nomi", QStringLiteral("255"), &O::Colore_costellazioni_nomi,
             {settings(u"etichettecostellazioni")});

    t.section(u"Esegui");
    t.page({settings(u"tabesegui")});
    t.option(u"Programma", QString(), &O::Programma_esterno, {settings(u"eseguipercorso")});
    t.option(u"Parametri", QString(), &O::Parametri_esterni, {settings(u"eseguiparametri")});

    t.section(u"Generali");
    OptionBinding& language = t.option(u"Lingua", QString(), &O::File_lingua);
    language.keptByDefaults = true;
    language.comparedForChanges = false;
}

std::vector<OptionBinding> buildTable()
{
    std::vector<OptionBinding> rows;
    TableBuilder t(rows);
    addObserver(t);
    addSatellitesAndWorldMap(t);
    addLocalSky(t);
    addWholeSky(t);
    addPassChart(t);
    addGeneralAndFilters(t);
    addListsAndFiles(t);
    addColoursAndPrograms(t);
    return rows;
}

} // namespace

const std::vector<OptionBinding>& optionBindings()
{
    static const std::vector<OptionBinding> table = buildTable();
    return table;
}

QString optionLabel(const OptionBinding& row)
{
    if (row.label.empty())
        return row.section + u'/' + row.key;
    QStringList parts;
    for (const TextKey& part : row.label)
        parts.append(mLang::Testo_lingua(QStringView(part.section), QStringView(part.key)));
    QString label = parts.join(QStringLiteral(": "));
    if (row.labelNumber > 0)
        label += u' ' + QString::number(row.labelNumber);
    return label;
}

#include "tracking/OptionsStore.h"

#include "common/Elemento_satellite.h"
#include "common/catalogues.h"
#include "services/TextData.h"

#include <cmath>
#include <limits>
#include <type_traits>

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

class TableBuilder
{
public:
    explicit TableBuilder(std::vector<OptionBinding>& rows) : m_rows(rows) {}

    void section(QStringView name) { m_section = name.toString(); }

    template <typename T>
    OptionBinding& option(QStringView key, const QString& defaultText, T Opzioni::*member)
    {
        return add(key, defaultText, [member](Opzioni& o, Dati_osservatore&) -> OptionField {
            return &(o.*member);
        }, TypeRange<T>{});
    }

    template <typename T, std::size_t N>
    void options(std::initializer_list<QStringView> keys, QStringView defaultText,
                 std::array<T, N> Opzioni::*member)
    {
        std::size_t index = 0;
        for (const QStringView key : keys)
            element(key, defaultText.toString(), member, index++);
    }

    template <typename T, std::size_t N>
    OptionBinding& element(QStringView key, const QString& defaultText,
                           std::array<T, N> Opzioni::*member, std::size_t index)
    {
        return add(key, defaultText,
                   [member, index](Opzioni& o, Dati_osservatore&) -> OptionField {
                       return &(o.*member)[index];
                   },
                   TypeRange<T>{});
    }

    template <typename T>
    OptionBinding& observer(QStringView key, QStringView defaultText,
                            T Dati_osservatore::*member)
    {
        OptionBinding& row = add(key, defaultText.toString(),
                                 [member](Opzioni&, Dati_osservatore& d) -> OptionField {
                                     return &(d.*member);
                                 },
                                 TypeRange<T>{});
        row.observer = true;
        return row;
    }

private:
    template <typename Range>
    OptionBinding& add(QStringView key, const QString& defaultText,
                       std::function<OptionField(Opzioni&, Dati_osservatore&)> field, Range)
    {
        OptionBinding row;
        row.section = m_section;
        row.key = key.toString();
        row.defaultText = defaultText;
        row.field = std::move(field);
        row.minimum = Range::minimum;
        row.maximum = Range::maximum;
        m_rows.push_back(std::move(row));
        return m_rows.back();
    }

    std::vector<OptionBinding>& m_rows;
    QString m_section;
};

std::vector<OptionBinding> buildTable()
{
    std::vector<OptionBinding> rows;
    TableBuilder t(rows);
    using O = Opzioni;
    using D = Dati_osservatore;
    const QString on = QStringLiteral("-1");
    const QString off = QStringLiteral("0");

    t.section(u"Osservatore");
    t.observer(u"Localita", u"Italy: Milano", &D::Nome_localita);
    // Guard: a position or zone beyond the Earth's would make every time and sky shown wrong.
    const auto degrees = [](OptionBinding& row, int minimum, int maximum) {
        row.form = StoredForm::Thousandths;
        row.minimum = minimum;
        row.maximum = maximum;
    };
    degrees(t.observer(u"Latitudine", u"45470", &D::Latitudine_osservatore), -90, 90);
    degrees(t.observer(u"Longitudine", u"9190", &D::Longitudine_osservatore), -180, 360);
    t.observer(u"Quota", u"133", &D::Quota_osservatore);
    OptionBinding& zone = t.observer(u"Fuso", u"1", &D::Fuso_orario);
    zone.form = StoredForm::LeadingNumber;
    zone.minimum = -12;
    zone.maximum = 14;
    OptionBinding& daylight = t.observer(u"Ora legale", u"0", &D::Ora_legale);
    daylight.minimum = 0;
    daylight.maximum = 1;

    t.section(u"Satelliti");
    // Guard: a propagator number outside the four models would select no propagator at all.
    OptionBinding& propagator = t.option(u"Propagatore", QStringLiteral("2"), &O::Propagatore);
    propagator.minimum = 0;
    propagator.maximum = 3;
    t.option(u"Rifrazione", off, &O::Rifrazione);
    t.option(u"Magnitudine", off, &O::Modello_magnitudine);
    t.option(u"Soglia", QStringLiteral("-10"), &O::Limite_sole);

    t.section(u"Mappamondo");
    t.option(u"Griglia", on, &O::Mappamondo_griglia);
    t.option(u"Citta", on, &O::Mappamondo_citta);
    t.option(u"Cerchio", on, &O::Mappamondo_cerchio);
    t.option(u"Orbita", on, &O::Mappamondo_orbita);
    t.option(u"Mouse dati", on, &O::Mappamondo_mouse_dati);
    t.option(u"Localizzatore", off, &O::Mappamondo_localizzatore);
    t.option(u"Riquadro dati", on, &O::Mappamondo_riquadro_dati);
    t.option(u"Sole", on, &O::Mappamondo_sole);
    t.option(u"Ombra", on, &O::Mappamondo_ombra);

    // Guard: a star count beyond the catalogue would make a sky chart read past its table.
    const auto starCount = [](OptionBinding& row) {
        row.minimum = 0;
        row.maximum = kStarCount;
    };

    t.section(u"Cielo locale");
    t.option(u"Griglia", off, &O::Cielo_locale_griglia);
    t.option(u"Griglia 10", on, &O::Cielo_locale_griglia10);
    t.option(u"Griglia tipo", on, &O::Cielo_locale_griglia_tipo);
    t.option(u"Costellazioni linee", off, &O::Cielo_locale_costellazioni_linee);
    t.option(u"Pianeti", on, &O::Cielo_locale_pianeti);
    t.option(u"Sole luna", on, &O::Cielo_locale_sole_luna);
    t.option(u"Costellazioni nomi", off, &O::Cielo_locale_costellazioni_nomi);
    t.option(u"Pianeti nomi", on, &O::Cielo_locale_pianeti_nomi);
    t.option(u"Sole luna nomi", off, &O::Cielo_locale_sole_luna_nomi);
    starCount(t.option(u"Stelle", QStringLiteral("1639"), &O::Cielo_locale_stelle));
    t.option(u"Proiezione stereo", on, &O::Cielo_locale_proiezione_stereo);
    t.option(u"Orientamento", QStringLiteral("1"), &O::Cielo_locale_orientamento);
    t.option(u"Coordinate altazimutali", on, &O::Cielo_locale_coordinate_altazimutali);
    t.option(u"Effetto orizzonte", on, &O::Cielo_locale_effetto_orizzonte);
    t.option(u"Paesaggio", on, &O::Cielo_locale_paesaggio);
    t.option(u"Riquadro dati", on, &O::Cielo_locale_riquadro_dati);

    t.section(u"Cielo generale");
    t.option(u"Griglia", off, &O::Cielo_generale_griglia);
    t.option(u"Costellazioni linee", off, &O::Cielo_generale_costellazioni_linee);
    t.option(u"Pianeti", on, &O::Cielo_generale_pianeti);
    t.option(u"Sole luna", on, &O::Cielo_generale_sole_luna);
    t.option(u"Costellazioni nomi", off, &O::Cielo_generale_costellazioni_nomi);
    t.option(u"Pianeti nomi", on, &O::Cielo_generale_pianeti_nomi);
    t.option(u"Sole luna nomi", off, &O::Cielo_generale_sole_luna_nomi);
    starCount(t.option(u"Stelle", QStringLiteral("5146"), &O::Cielo_generale_stelle));

    t.section(u"Cielo anteprima");
    t.option(u"Griglia", off, &O::Cielo_anteprima_griglia);
    t.option(u"Griglia 10", on, &O::Cielo_anteprima_griglia10);
    t.option(u"Costellazioni linee", off, &O::Cielo_anteprima_costellazioni_linee);
    t.option(u"Pianeti", on, &O::Cielo_anteprima_pianeti);
    t.option(u"Sole luna", on, &O::Cielo_anteprima_sole_luna);
    t.option(u"Costellazioni nomi", off, &O::Cielo_anteprima_costellazioni_nomi);
    t.option(u"Pianeti nomi", on, &O::Cielo_anteprima_pianeti_nomi);
    t.option(u"Sole luna nomi", off, &O::Cielo_anteprima_sole_luna_nomi);
    starCount(t.option(u"Stelle", QStringLiteral("1639"), &O::Cielo_anteprima_stelle));
    t.option(u"Proiezione stereo", off, &O::Cielo_anteprima_proiezione_stereo);
    t.option(u"Orientamento", QStringLiteral("1"), &O::Cielo_anteprima_orientamento);
    t.option(u"Effetto orizzonte", on, &O::Cielo_anteprima_effetto_orizzonte);
    t.option(u"Paesaggio", on, &O::Cielo_anteprima_paesaggio);
    t.option(u"Griglia tipo", on, &O::Cielo_anteprima_griglia_tipo);

    t.section(u"Generali");
    t.option(u"Conferma uscita", off, &O::Conferma_uscita);
    t.option(u"Verifica opzioni", on, &O::Verifica_opzioni);
    t.option(u"Formato ora", off, &O::Formato_ora);
    t.option(u"Barra pulsanti", on, &O::Barra_pulsanti);
    t.option(u"Barra stato", on, &O::Barra_stato);
    t.option(u"Unita", off, &O::Unita);
    t.option(u"Posizioni finestre", off, &O::Posizioni_finestre);
    t.option(u"Verifica ora legale", on, &O::Verifica_ora_legale);

    t.section(u"Filtri");
    t.option(u"In transito", on, &O::Filtro_transito);
    t.options({u"Solo visibili tutti", u"Solo visibili principale", u"Solo visibili secondari"},
              u"0", &O::Filtro_solo_visibili);
    t.options({u"AM tutti", u"AM principale", u"AM secondari"}, u"-1", &O::Filtro_am);
    t.options({u"PM tutti", u"PM principale", u"PM secondari"}, u"-1", &O::Filtro_pm);
    t.options({u"Altezza min tutti", u"Altezza min principale", u"Altezza min secondari"},
              u"10", &O::Filtro_altezza_min);
    t.options({u"Azimuth min tutti", u"Azimuth min principale", u"Azimuth min secondari"},
              u"0", &O::Filtro_azimut_min);
    t.options({u"Azimuth max tutti", u"Azimuth max principale", u"Azimuth max secondari"},
              u"360", &O::Filtro_azimut_max);

    t.section(u"Radio");
    for (std::size_t k = 0; k < kChannelSelections; ++k) {
        // Guard: the selection indexes the ten radio channels of a satellite.
        OptionBinding& row = t.element(QString(QStringLiteral("Canale") + QString::number(k + 1)),
                                       QStringLiteral("1"), &O::Canale_selezionato, k);
        row.minimum = 1;
        row.maximum = kRadioChannels;
    }

    t.section(u"ServerNTP");
    for (std::size_t k = 0; k < kServerNtpCount; ++k)
        t.element(QString(QStringLiteral("Server") + QString::number(k)),
                  text(kDefaultTimeServers[k]), &O::Server_NTP, k);

    t.section(u"Download");
    for (std::size_t k = 0; k < kDownloadSourceCount; ++k)
        t.element(QString(QStringLiteral("Remoto") + QString::number(k)),
                  text(kDefaultDownloadSources[k]), &O::Sorgenti_download, k);

    t.section(u"Database");
    t.option(u"Primario", QString(), &O::File_database).keptByDefaults = true;

    t.section(u"Colori");
    t.option(u"Griglia mappamondo", QStringLiteral("8553090"), &O::Colore_griglia_mappamondo);
    t.option(u"Griglia locale1", QStringLiteral("9211020"), &O::Colore_griglia_locale1);
    t.option(u"Griglia locale2", QStringLiteral("7895160"), &O::Colore_griglia_locale2);
    t.option(u"Griglia locale3", QStringLiteral("7895160"), &O::Colore_griglia_locale3);
    t.option(u"Griglia locale4", QStringLiteral("6579300"), &O::Colore_griglia_locale4);
    t.option(u"Griglia generale", QStringLiteral("6579300"), &O::Colore_griglia_generale);
    t.option(u"Nome citta", QStringLiteral("16777215"), &O::Colore_nome_citta);
    t.option(u"Satellite", QStringLiteral("65535"), &O::Colore_satellite);
    t.option(u"Orbita1", QStringLiteral("255"), &O::Colore_orbita_passata);
    t.option(u"Orbita2", QStringLiteral("65280"), &O::Colore_orbita_futura);
    t.option(u"Costellazioni linee", QStringLiteral("10789888"), &O::Colore_costellazioni_linee);
    t.option(u"Costellazioni nomi", QStringLiteral("255"), &O::Colore_costellazioni_nomi);

    t.section(u"Esegui");
    t.option(u"Programma", QString(), &O::Programma_esterno);
    t.option(u"Parametri", QString(), &O::Parametri_esterni);

    t.section(u"Generali");
    OptionBinding& language = t.option(u"Lingua", QString(), &O::File_lingua);
    language.keptByDefaults = true;
    language.comparedForChanges = false;
    return rows;
}

/// Converts a stored text into the row's field; false when the text does not fit the field.
bool readText(const OptionBinding& row, const QString& stored, OptionField field)
{
    return std::visit(
        [&](auto* target) -> bool {
            using T = std::remove_pointer_t<decltype(target)>;
            if constexpr (std::is_same_v<T, std::string>) {
                *target = stored.toStdString();
                return true;
            } else if constexpr (std::is_same_v<T, float>) {
                std::optional<double> value;
                if (row.form == StoredForm::LeadingNumber)
                    value = leadingNumber(stored);
                else
                    value = parseDataNumber(stored);
                if (!value)
                    return false;
                if (row.form == StoredForm::Thousandths)
                    *value /= 1000.0;
                if (!(std::abs(*value) <= std::numeric_limits<float>::max()))
                    return false;
                // A real number with a range (minimum below maximum) must lie within it.
                if (row.minimum < row.maximum && !(*value >= row.minimum && *value <= row.maximum))
                    return false;
                *target = static_cast<float>(*value);
                return true;
            } else if constexpr (std::is_same_v<T, double>) {
                const std::optional<double> value = parseDataNumber(stored);
                if (!value)
                    return false;
                *target = *value;
                return true;
            } else {
                const std::optional<double> value = parseDataNumber(stored);
                if (!value)
                    return false;
                const double whole = std::round(*value);
                if constexpr (std::is_same_v<T, bool>) {
                    // Any whole number is a truth value: 0 false, everything else true.
                    if (std::abs(whole) > std::numeric_limits<std::int16_t>::max())
                        return false;
                    *target = whole != 0;
                } else {
                    if (whole < row.minimum || whole > row.maximum)
                        return false;
                    *target = static_cast<T>(whole);
                }
                return true;
            }
        },
        field);
}

/// A value in degrees as the text of its thousandths: the short form ("-33870" for -33.87)
/// when it reads back as the same value, otherwise the exact product.
QString thousandthsText(float degrees)
{
    const QString shortForm = formatDataNumber(static_cast<float>(degrees * 1000.0f));
    const std::optional<double> back = parseDataNumber(shortForm);
    if (back && static_cast<float>(*back / 1000.0) == degrees)
        return shortForm;
    return formatDataNumber(static_cast<double>(degrees) * 1000.0);
}

QString storedText(const OptionBinding& row, OptionField field)
{
    return std::visit(
        [&](auto* source) -> QString {
            using T = std::remove_pointer_t<decltype(source)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return QString::fromStdString(*source);
            } else if constexpr (std::is_same_v<T, bool>) {
                return *source ? QStringLiteral("-1") : QStringLiteral("0");
            } else if constexpr (std::is_same_v<T, float>) {
                if (row.form == StoredForm::Thousandths)
                    return thousandthsText(*source);
                return formatDataNumber(*source);
            } else if constexpr (std::is_same_v<T, double>) {
                return formatDataNumber(*source);
            } else {
                return QString::number(static_cast<int>(*source));
            }
        },
        field);
}

/// False when the stored text did not fit and the default was taken instead.
bool applyStoredText(const OptionBinding& row, const QString& stored, Opzioni& options,
                     Dati_osservatore& observer)
{
    const OptionField field = row.field(options, observer);
    if (readText(row, stored, field))
        return true;
    readText(row, row.defaultText, field);
    return false;
}

/// "Section/Key = stored text" for the list of options read as their default; a long stored
/// text is cut short.
QString resetOptionText(const OptionBinding& row, const QString& stored)
{
    return row.section + u'/' + row.key + QStringLiteral(" = ") + printableExcerpt(stored);
}

bool sameValue(const OptionField& a, const OptionField& b)
{
    return std::visit(
        [&](auto* left) -> bool {
            using P = decltype(left);
            return *left == *std::get<P>(b);
        },
        a);
}

} // namespace

const std::vector<OptionBinding>& optionBindings()
{
    static const std::vector<OptionBinding> table = buildTable();
    return table;
}

mReg::RegistryStatus Carica_impostazioni(QStringList* resetOptions)
{
    mReg::RegistryStatus first;
    if (resetOptions)
        resetOptions->clear();
    for (const OptionBinding& row : optionBindings()) {
        mReg::RegistryStatus status;
        const QString stored = mReg::Leggi_registro(kStoreApplication, row.section, row.key,
                                                    row.defaultText, &status);
        if (!status.ok() && first.ok())
            first = status;
        if (!applyStoredText(row, stored, Impostazioni, Osservatore) && resetOptions)
            resetOptions->append(resetOptionText(row, stored));
    }
    Impostazioni_salvate = Impostazioni;
    Osservatore_salvato = Osservatore;
    return first;
}

void Impostazioni_default()
{
    for (const OptionBinding& row : optionBindings()) {
        if (!row.observer && !row.keptByDefaults)
            applyStoredText(row, row.defaultText, Impostazioni, Osservatore);
    }
}

mReg::RegistryStatus Salva_impostazioni()
{
    QList<mReg::RegistryValue> values;
    values.reserve(static_cast<qsizetype>(optionBindings().size()));
    for (const OptionBinding& row : optionBindings())
        values.append({row.section, row.key, storedText(row, row.field(Impostazioni, Osservatore))});
    const mReg::RegistryStatus status = mReg::writeValues(kStoreApplication, values);
    if (status.ok()) {
        Impostazioni_salvate = Impostazioni;
        Osservatore_salvato = Osservatore;
    }
    return status;
}

bool Impostazioni_modificate()
{
    for (const OptionBinding& row : optionBindings()) {
        if (!row.comparedForChanges)
            continue;
        if (!sameValue(row.field(Impostazioni, Osservatore),
                       row.field(Impostazioni_salvate, Osservatore_salvato)))
            return true;
    }
    return false;
}

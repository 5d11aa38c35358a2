#include "dialogs/SettingsBindings.h"

#include "common/star_counts.h"
#include "controls/RangeTool/RangeTool.h"
#include "dialogs/ColourSwatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <cmath>

namespace {

using O = Opzioni;

/// The pages of the dialog, in tab order.
enum Page : int {
    kGeneral = 0,
    kSatellites = 1,
    kWorldMap = 2,
    kLocalSky1 = 3,
    kLocalSky2 = 4,
    kWholeSky = 5,
    kPassChart1 = 6,
    kPassChart2 = 7,
    kFilters = 8,
    kTimeServers = 9,
    kColours1 = 10,
    kColours2 = 11,
    kDownload = 12,
    kExternalProgram = 13,
};

/// The field of a row: a member, or one element of an array member.
template <typename T> struct FieldRef
{
    std::function<T&(Opzioni&)> get;
    std::function<const T&(const Opzioni&)> read;
};

template <typename T> FieldRef<T> member(T O::*field)
{
    return {[field](Opzioni& o) -> T& { return o.*field; },
            [field](const Opzioni& o) -> const T& { return o.*field; }};
}

template <typename T, std::size_t N> FieldRef<T> element(std::array<T, N> O::*field, int index)
{
    const auto at = static_cast<std::size_t>(index);
    return {[field, at](Opzioni& o) -> T& { return (o.*field)[at]; },
            [field, at](const Opzioni& o) -> const T& { return (o.*field)[at]; }};
}

template <class Control, typename T>
SettingBinding row(int page, QString name, FieldRef<T> field,
                   std::function<void(Control&, const T&)> show,
                   std::function<void(const Control&, T&)> take)
{
    SettingBinding binding;
    binding.page = page;
    binding.control = std::move(name);
    binding.show = [field, show](QWidget& control, const Opzioni& options) {
        if (auto* typed = qobject_cast<Control*>(&control))
            show(*typed, field.read(options));
    };
    binding.take = [field, take](const QWidget& control, Opzioni& options) {
        if (const auto* typed = qobject_cast<const Control*>(&control))
            take(*typed, field.get(options));
    };
    return binding;
}

SettingBinding check(int page, QString name, FieldRef<bool> field)
{
    return row<QCheckBox, bool>(
        page, std::move(name), field,
        [](QCheckBox& box, const bool& value) { box.setChecked(value); },
        [](const QCheckBox& box, bool& value) { value = box.isChecked(); });
}

SettingBinding twoItem(int page, QString name, FieldRef<bool> field)
{
    return row<QComboBox, bool>(
        page, std::move(name), field,
        [](QComboBox& list, const bool& value) { list.setCurrentIndex(value ? 1 : 0); },
        [](const QComboBox& list, bool& value) {
            if (list.currentIndex() >= 0)
                value = list.currentIndex() == 1;
        });
}

/// The field is the list index; a stored value the list does not hold selects nothing.
SettingBinding indexed(int page, QString name, FieldRef<std::int16_t> field)
{
    return row<QComboBox, std::int16_t>(
        page, std::move(name), field,
        [](QComboBox& list, const std::int16_t& value) {
            list.setCurrentIndex(value >= 0 && value < list.count() ? value : -1);
        },
        [](const QComboBox& list, std::int16_t& value) {
            // Guard: with nothing selected the stored value stays, never index -1.
            if (list.currentIndex() >= 0)
                value = static_cast<std::int16_t>(list.currentIndex());
        });
}

/// Magnitude model: item 0 for the standard model (0), item 1 for any other; stored 0 / -1.
SettingBinding magnitudeModel(int page, QString name, FieldRef<std::int16_t> field)
{
    return row<QComboBox, std::int16_t>(
        page, std::move(name), field,
        [](QComboBox& list, const std::int16_t& value) {
            list.setCurrentIndex(value == 0 ? 0 : 1);
        },
        [](const QComboBox& list, std::int16_t& value) {
            if (list.currentIndex() >= 0)
                value = static_cast<std::int16_t>(-list.currentIndex());
        });
}

SettingBinding sunLimit(int page, QString name, FieldRef<std::int16_t> field)
{
    return row<QComboBox, std::int16_t>(
        page, std::move(name), field,
        [](QComboBox& list, const std::int16_t& value) {
            list.setCurrentIndex(-value >= 0 && -value < list.count() ? -value : -1);
        },
        [](const QComboBox& list, std::int16_t& value) {
            if (list.currentIndex() >= 0)
                value = static_cast<std::int16_t>(-list.currentIndex());
        });
}

SettingBinding stars(int page, QString name, FieldRef<std::int16_t> field)
{
    return row<QComboBox, std::int16_t>(
        page, std::move(name), field,
        [](QComboBox& list, const std::int16_t& value) {
            list.setCurrentIndex(-1);
            for (std::size_t k = 0; k < kStarCountTable.size(); ++k) {
                if (kStarCountTable[k] == value)
                    list.setCurrentIndex(static_cast<int>(k));
            }
        },
        [](const QComboBox& list, std::int16_t& value) {
            const int k = list.currentIndex();
            if (k >= 0 && k < static_cast<int>(kStarCountTable.size()))
                value = static_cast<std::int16_t>(kStarCountTable[static_cast<std::size_t>(k)]);
        });
}

int wholeDegrees(double value)
{
    return static_cast<int>(std::nearbyint(value)); // halves to the even neighbour
}

/// Minimum elevation: the lower thumb; the upper thumb always shows 90.
SettingBinding elevation(int page, QString name, FieldRef<double> field)
{
    return row<RangeTool, double>(
        page, std::move(name), field,
        [](RangeTool& slider, const double& value) {
            slider.setLowerValue(wholeDegrees(value));
            slider.setUpperValue(90);
        },
        [](const RangeTool& slider, double& value) { value = slider.LowerValue(); });
}

SettingBinding azimuthFrom(int page, QString name, FieldRef<double> field)
{
    return row<RangeTool, double>(
        page, std::move(name), field,
        [](RangeTool& slider, const double& value) { slider.setLowerValue(wholeDegrees(value)); },
        [](const RangeTool& slider, double& value) { value = slider.LowerValue(); });
}

SettingBinding azimuthTo(int page, QString name, FieldRef<double> field)
{
    return row<RangeTool, double>(
        page, std::move(name), field,
        [](RangeTool& slider, const double& value) { slider.setUpperValue(wholeDegrees(value)); },
        [](const RangeTool& slider, double& value) { value = slider.UpperValue(); });
}

SettingBinding colour(int page, QString name, std::int32_t O::*field)
{
    return row<ColourSwatch, std::int32_t>(
        page, std::move(name), member(field),
        [](ColourSwatch& swatch, const std::int32_t& value) {
            swatch.setColour(static_cast<std::uint32_t>(value));
        },
        [](const ColourSwatch& swatch, std::int32_t& value) {
            value = static_cast<std::int32_t>(swatch.colour());
        });
}

SettingBinding text(int page, QString name, std::string O::*field)
{
    return row<QLineEdit, std::string>(
        page, std::move(name), member(field),
        [](QLineEdit& edit, const std::string& value) {
            edit.setText(QString::fromStdString(value));
        },
        [](const QLineEdit& edit, std::string& value) {
            value = edit.text().trimmed().toStdString();
        });
}

template <std::size_t N>
SettingBinding addresses(int page, QString name, std::array<std::string, N> O::*field)
{
    return row<QTreeWidget, std::array<std::string, N>>(
        page, std::move(name), member(field),
        [](QTreeWidget& list, const std::array<std::string, N>& values) {
            list.clear();
            for (std::size_t i = 0; i < N; ++i) {
                auto* item = new QTreeWidgetItem(&list);
                item->setText(0, QString::fromStdString(values[i]));
                item->setText(1, QString::number(i + 1));
                item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
                item->setFlags(item->flags() | Qt::ItemIsEditable);
            }
        },
        [](const QTreeWidget& list, std::array<std::string, N>& values) {
            for (std::size_t i = 0; i < N; ++i) {
                const QTreeWidgetItem* item = list.topLevelItem(static_cast<int>(i));
                if (item != nullptr)
                    values[i] = item->text(0).toStdString();
            }
        });
}

QString name(const char* text)
{
    return QString::fromLatin1(text);
}

std::vector<SettingBinding> buildTable()
{
    std::vector<SettingBinding> t;
    const auto add = [&t](SettingBinding b) { t.push_back(std::move(b)); };

    add(check(kGeneral, name("chkConfermaUscita"), member(&O::Conferma_uscita)));
    add(check(kGeneral, name("chkVerificaOpzioni"), member(&O::Verifica_opzioni)));
    add(check(kGeneral, name("chkBarraPulsanti"), member(&O::Barra_pulsanti)));
    add(check(kGeneral, name("chkBarraStato"), member(&O::Barra_stato)));
    add(check(kGeneral, name("chkPosizioniFinestre"), member(&O::Posizioni_finestre)));
    add(check(kGeneral, name("chkVerificaOraLegale"), member(&O::Verifica_ora_legale)));
    add(indexed(kGeneral, name("cmbData"), member(&O::Formato_ora)));

    add(indexed(kSatellites, name("cmbPropagatore"), member(&O::Propagatore)));
    add(magnitudeModel(kSatellites, name("cmbMagnitudine"), member(&O::Modello_magnitudine)));
    add(check(kSatellites, name("chkRifrazione"), member(&O::Rifrazione)));
    add(sunLimit(kSatellites, name("cmbVisibilita"), member(&O::Limite_sole)));

    add(check(kWorldMap, name("chkWorldMapGriglia"), member(&O::Mappamondo_griglia)));
    add(check(kWorldMap, name("chkWorldMapNomeCitta"), member(&O::Mappamondo_citta)));
    add(check(kWorldMap, name("chkWorldMapCerchioVisibilita"), member(&O::Mappamondo_cerchio)));
    add(check(kWorldMap, name("chkWorldMapTracciatoOrbita"), member(&O::Mappamondo_orbita)));
    add(check(kWorldMap, name("chkWorldMapDatiSatellite"), member(&O::Mappamondo_mouse_dati)));
    add(check(kWorldMap, name("chkWorldMapCoordinateMouse"), member(&O::Mappamondo_localizzatore)));
    add(check(kWorldMap, name("chkWorldMapRiquadroDati"), member(&O::Mappamondo_riquadro_dati)));
    add(check(kWorldMap, name("chkWorldMapSole"), member(&O::Mappamondo_sole)));
    add(check(kWorldMap, name("chkWorldMapOmbra"), member(&O::Mappamondo_ombra)));

    add(check(kLocalSky1, name("chkLocalSkyGriglia"), member(&O::Cielo_locale_griglia)));
    add(check(kLocalSky2, name("chkLocalSkyGriglia10"), member(&O::Cielo_locale_griglia10)));
    add(twoItem(kLocalSky2, name("cmbLocalSkyTipoGriglia"), member(&O::Cielo_locale_griglia_tipo)));
    add(check(kLocalSky1, name("chkLocalSkyOggettiCostellazioni"),
              member(&O::Cielo_locale_costellazioni_linee)));
    add(check(kLocalSky1, name("chkLocalSkyOggettiPianeti"), member(&O::Cielo_locale_pianeti)));
    add(check(kLocalSky1, name("chkLocalSkyOggettiSoleLuna"), member(&O::Cielo_locale_sole_luna)));
    add(check(kLocalSky1, name("chkLocalSkyEtichetteCostellazioni"),
              member(&O::Cielo_locale_costellazioni_nomi)));
    add(check(kLocalSky1, name("chkLocalSkyEtichettePianeti"),
              member(&O::Cielo_locale_pianeti_nomi)));
    add(check(kLocalSky1, name("chkLocalSkyEtichetteSoleLuna"),
              member(&O::Cielo_locale_sole_luna_nomi)));
    add(stars(kLocalSky1, name("cmbLocalSkyMagnitudine"), member(&O::Cielo_locale_stelle)));
    add(twoItem(kLocalSky1, name("cmbLocalSkyProiezione"),
                member(&O::Cielo_locale_proiezione_stereo)));
    add(indexed(kLocalSky2, name("cmbLocalSkyOrientamento"),
                member(&O::Cielo_locale_orientamento)));
    add(twoItem(kLocalSky1, name("cmbLocalSkyCoordinate"),
                member(&O::Cielo_locale_coordinate_altazimutali)));
    add(check(kLocalSky2, name("chkLocalSkyOrizzonte"),
              member(&O::Cielo_locale_effetto_orizzonte)));
    add(check(kLocalSky2, name("chkLocalSkyPaesaggio"), member(&O::Cielo_locale_paesaggio)));
    add(check(kLocalSky2, name("chkLocalSkyRiquadroDati"), member(&O::Cielo_locale_riquadro_dati)));

    add(check(kWholeSky, name("chkGeneralSkyGriglia"), member(&O::Cielo_generale_griglia)));
    add(check(kWholeSky, name("chkGeneralSkyOggettiCostellazioni"),
              member(&O::Cielo_generale_costellazioni_linee)));
    add(check(kWholeSky, name("chkGeneralSkyOggettiPianeti"), member(&O::Cielo_generale_pianeti)));
    add(check(kWholeSky, name("chkGeneralSkyOggettiSoleLuna"),
              member(&O::Cielo_generale_sole_luna)));
    add(check(kWholeSky, name("chkGeneralSkyEtichetteCostellazioni"),
              member(&O::Cielo_generale_costellazioni_nomi)));
    add(check(kWholeSky, name("chkGeneralSkyEtichettePianeti"),
              member(&O::Cielo_generale_pianeti_nomi)));
    add(check(kWholeSky, name("chkGeneralSkyEtichetteSoleLuna"),
              member(&O::Cielo_generale_sole_luna_nomi)));
    add(stars(kWholeSky, name("cmbGeneralSkyMagnitudine"), member(&O::Cielo_generale_stelle)));

    add(check(kPassChart1, name("chkSkySatGriglia"), member(&O::Cielo_anteprima_griglia)));
    add(check(kPassChart2, name("chkSkySatGriglia10"), member(&O::Cielo_anteprima_griglia10)));
    add(check(kPassChart1, name("chkSkySatOggettiCostellazioni"),
              member(&O::Cielo_anteprima_costellazioni_linee)));
    add(check(kPassChart1, name("chkSkySatOggettiPianeti"), member(&O::Cielo_anteprima_pianeti)));
    add(check(kPassChart1, name("chkSkySatOggettiSoleLuna"),
              member(&O::Cielo_anteprima_sole_luna)));
    add(check(kPassChart1, name("chkSkySatEtichetteCostellazioni"),
              member(&O::Cielo_anteprima_costellazioni_nomi)));
    add(check(kPassChart1, name("chkSkySatEtichettePianeti"),
              member(&O::Cielo_anteprima_pianeti_nomi)));
    add(check(kPassChart1, name("chkSkySatEtichetteSoleLuna"),
              member(&O::Cielo_anteprima_sole_luna_nomi)));
    add(stars(kPassChart1, name("cmbSkySatMagnitudine"), member(&O::Cielo_anteprima_stelle)));
    add(twoItem(kPassChart1, name("cmbSkySatProiezione"),
                member(&O::Cielo_anteprima_proiezione_stereo)));
    add(twoItem(kPassChart2, name("cmbSkySatTipoGriglia"),
                member(&O::Cielo_anteprima_griglia_tipo)));
    add(indexed(kPassChart1, name("cmbSkySatOrientamento"),
                member(&O::Cielo_anteprima_orientamento)));
    add(check(kPassChart2, name("chkSkySatOrizzonte"),
              member(&O::Cielo_anteprima_effetto_orizzonte)));
    add(check(kPassChart2, name("chkSkySatPaesaggio"), member(&O::Cielo_anteprima_paesaggio)));

    add(check(kFilters, name("chkTransito"), member(&O::Filtro_transito)));
    for (int i = 0; i < 3; ++i) {
        add(check(kFilters, filterControl("chkAM", i), element(&O::Filtro_am, i)));
        add(check(kFilters, filterControl("chkPM", i), element(&O::Filtro_pm, i)));
        add(check(kFilters, filterControl("chkSoloVisibili", i),
                  element(&O::Filtro_solo_visibili, i)));
        add(elevation(kFilters, filterControl("rtAltsat", i), element(&O::Filtro_altezza_min, i)));
        add(azimuthFrom(kFilters, filterControl("rtAzisat", i), element(&O::Filtro_azimut_min, i)));
        add(azimuthTo(kFilters, filterControl("rtAzisat", i), element(&O::Filtro_azimut_max, i)));
    }

    add(addresses(kTimeServers, name("lvwServerNTP"), &O::Server_NTP));
    add(addresses(kDownload, name("lvwDownload"), &O::Sorgenti_download));

    add(colour(kColours1, name("lblAreaColoreSatellite"), &O::Colore_satellite));
    add(colour(kColours1, name("lblAreaColoreOrbitaPrecedente"), &O::Colore_orbita_passata));
    add(colour(kColours1, name("lblAreaColoreOrbitaCorrente"), &O::Colore_orbita_futura));
    add(colour(kColours1, name("lblAreaColoreNomeCitta"), &O::Colore_nome_citta));
    add(colour(kColours1, name("lblAreaColoreGrigliaMappamondo"), &O::Colore_griglia_mappamondo));
    add(colour(kColours1, name("lblAreaColoreGrigliaGenerale"), &O::Colore_griglia_generale));
    add(colour(kColours2, name("lblAreaColoreCostellazioni"), &O::Colore_costellazioni_linee));
    add(colour(kColours2, name("lblAreaColoreEtichetteCostellazioni"),
               &O::Colore_costellazioni_nomi));
    add(colour(kColours1, name("lblAreaColoreGrigliaLocale1"), &O::Colore_griglia_locale1));
    add(colour(kColours1, name("lblAreaColoreGrigliaLocale2"), &O::Colore_griglia_locale2));
    add(colour(kColours1, name("lblAreaColoreGrigliaLocale3"), &O::Colore_griglia_locale3));
    add(colour(kColours1, name("lblAreaColoreGrigliaLocale4"), &O::Colore_griglia_locale4));

    add(text(kExternalProgram, name("txtEseguiProgramma"), &O::Programma_esterno));
    add(text(kExternalProgram, name("txtEseguiParametri"), &O::Parametri_esterni));
    return t;
}

} // namespace

QString filterControl(const char* base, int set)
{
    return QString::fromLatin1(base) + QString::number(set);
}

const std::vector<SettingBinding>& settingBindings()
{
    static const std::vector<SettingBinding> table = buildTable();
    return table;
}

void showSettings(QWidget& dialog, const Opzioni& options)
{
    for (const SettingBinding& binding : settingBindings()) {
        if (QWidget* control = dialog.findChild<QWidget*>(binding.control))
            binding.show(*control, options);
    }
}

void takeSettings(const QWidget& dialog, Opzioni& options)
{
    for (const SettingBinding& binding : settingBindings()) {
        if (const QWidget* control = dialog.findChild<QWidget*>(binding.control))
            binding.take(*control, options);
    }
}

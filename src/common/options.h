#pragma once
// The observer and every user option, read at start from the options store and changed
// in memory by the dialogs and map menus. Written by the options loader, the options
// dialog, the location dialog, the channel chooser and the map menus; read everywhere.
// Truth values are plain bools here; the store keeps them as "-1" / "0".
// The initialisers of Opzioni are the built-in defaults of the option store (a test keeps
// them equal to the store's binding table); Dati_osservatore starts empty, and the default
// observer comes from that table alone.

#include <array>
#include <cstdint>
#include <string>

struct Dati_osservatore
{
    std::string Nome_localita;          ///< location name
    float Latitudine_osservatore = 0;   ///< [degrees] north positive
    float Longitudine_osservatore = 0;  ///< [degrees] east positive
    float Quota_osservatore = 0;        ///< [m] above sea level
    float Fuso_orario = 0;              ///< time zone [hours] east positive
    std::uint8_t Ora_legale = 0;        ///< daylight-saving hours added to Fuso_orario (0 or 1)

    bool operator==(const Dati_osservatore&) const = default;
};

/// Index of the pass-search filter arrays: all satellites, the principal, the others.
inline constexpr int kFiltroTutti = 0;
inline constexpr int kFiltroPrincipale = 1;
inline constexpr int kFiltroSecondari = 2;

inline constexpr int kServerNtpCount = 10;
inline constexpr int kDownloadSourceCount = 31;
inline constexpr int kChannelSelections = 10;

/// Default time servers: public hosts that answer the TIME protocol (RFC 868, TCP port 37).
inline const std::array<std::string, kServerNtpCount> kDefaultTimeServers{
    "time.nist.gov",       "time-a-g.nist.gov",   "time-b-g.nist.gov",   "time-c-g.nist.gov",
    "time-d-g.nist.gov",   "time-a-wwv.nist.gov", "time-b-wwv.nist.gov", "time-c-wwv.nist.gov",
    "time-a-b.nist.gov",   "time-b-b.nist.gov"};

/// Public element-set server of the default download list.
inline constexpr const char* kElementSetServer = "celestrak.org";

/// Default element-file addresses: server host and path, no scheme.
inline const std::array<std::string, kDownloadSourceCount> kDefaultDownloadSources = [] {
    const char* const files[kDownloadSourceCount] = {
        "visual.txt",      "tle-new.txt",     "stations.txt",   "weather.txt",
        "noaa.txt",        "goes.txt",        "resource.txt",   "sarsat.txt",
        "tdrss.txt",       "geo.txt",         "intelsat.txt",   "gorizont.txt",
        "raduga.txt",      "molniya.txt",     "iridium.txt",    "orbcomm.txt",
        "globalstar.txt",  "amateur.txt",     "x-comm.txt",     "other-comm.txt",
        "gps-ops.txt",     "glo-ops.txt",     "nnss.txt",       "musson.txt",
        "science.txt",     "geodetic.txt",    "engineering.txt", "education.txt",
        "radar.txt",       "military.txt",    "other.txt"};
    std::array<std::string, kDownloadSourceCount> sources;
    for (std::size_t i = 0; i < sources.size(); ++i)
        sources[i] = std::string(kElementSetServer) + "/NORAD/elements/" + files[i];
    return sources;
}();

struct Opzioni
{
    std::int16_t Propagatore = 2;       ///< 0 Plan 13, 1 SGP, 2 SGP4, 3 SGP4 with SDP4
    bool Rifrazione = false;
    std::int16_t Modello_magnitudine = 0;
    std::int16_t Limite_sole = -10;     ///< [degrees] Sun elevation below which a sunlit satellite is visible

    bool Mappamondo_griglia = true;
    bool Mappamondo_citta = true;
    bool Mappamondo_cerchio = true;
    bool Mappamondo_orbita = true;
    bool Mappamondo_mouse_dati = true;
    bool Mappamondo_localizzatore = false;
    bool Mappamondo_riquadro_dati = true;
    bool Mappamondo_sole = true;
    bool Mappamondo_ombra = true;

    bool Cielo_locale_griglia = false;
    bool Cielo_locale_griglia10 = true;
    bool Cielo_locale_griglia_tipo = true;
    bool Cielo_locale_costellazioni_linee = false;
    bool Cielo_locale_pianeti = true;
    bool Cielo_locale_sole_luna = true;
    bool Cielo_locale_costellazioni_nomi = false;
    bool Cielo_locale_pianeti_nomi = true;
    bool Cielo_locale_sole_luna_nomi = false;
    std::int16_t Cielo_locale_stelle = 1639;
    bool Cielo_locale_proiezione_stereo = true;
    /// The direction the observer faces, at the bottom of the chart: 0 north, 1 south, 2 west,
    /// 3 east (the same numbering for Cielo_anteprima_orientamento).
    std::int16_t Cielo_locale_orientamento = 1;
    bool Cielo_locale_coordinate_altazimutali = true;
    bool Cielo_locale_effetto_orizzonte = true;
    bool Cielo_locale_paesaggio = true;
    bool Cielo_locale_riquadro_dati = true;

    bool Cielo_generale_griglia = false;
    bool Cielo_generale_costellazioni_linee = false;
    bool Cielo_generale_pianeti = true;
    bool Cielo_generale_sole_luna = true;
    bool Cielo_generale_costellazioni_nomi = false;
    bool Cielo_generale_pianeti_nomi = true;
    bool Cielo_generale_sole_luna_nomi = false;
    std::int16_t Cielo_generale_stelle = 5146;

    bool Cielo_anteprima_griglia = false;
    bool Cielo_anteprima_griglia10 = true;
    bool Cielo_anteprima_costellazioni_linee = false;
    bool Cielo_anteprima_pianeti = true;
    bool Cielo_anteprima_sole_luna = true;
    bool Cielo_anteprima_costellazioni_nomi = false;
    bool Cielo_anteprima_pianeti_nomi = true;
    bool Cielo_anteprima_sole_luna_nomi = false;
    std::int16_t Cielo_anteprima_stelle = 1639;
    bool Cielo_anteprima_proiezione_stereo = false;
    std::int16_t Cielo_anteprima_orientamento = 1;
    bool Cielo_anteprima_effetto_orizzonte = true;
    bool Cielo_anteprima_paesaggio = true;
    bool Cielo_anteprima_griglia_tipo = true;

    bool Conferma_uscita = false;
    bool Verifica_opzioni = true;  ///< ask at exit to save changed options
    std::int16_t Formato_ora = 0;       ///< status-bar clock format 0..9
    bool Barra_pulsanti = true;
    bool Barra_stato = true;
    std::int16_t Unita = 0;
    bool Posizioni_finestre = false;
    bool Verifica_ora_legale = true;

    bool Filtro_transito = true;
    std::array<bool, 3> Filtro_solo_visibili{false, false, false};
    std::array<bool, 3> Filtro_am{true, true, true};
    std::array<bool, 3> Filtro_pm{true, true, true};
    std::array<double, 3> Filtro_altezza_min{10, 10, 10};   ///< [degrees]
    std::array<double, 3> Filtro_azimut_min{0, 0, 0};       ///< [degrees]
    std::array<double, 3> Filtro_azimut_max{360, 360, 360}; ///< [degrees]

    /// Selected radio channel (1..10) per tracking-table row; element 0 is the principal's.
    std::array<std::int16_t, kChannelSelections> Canale_selezionato{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::array<std::string, kServerNtpCount> Server_NTP = kDefaultTimeServers;
    std::array<std::string, kDownloadSourceCount> Sorgenti_download = kDefaultDownloadSources;
    std::string File_database;

    std::int32_t Colore_griglia_mappamondo = 8553090; ///< colours: decimal RGB, red in the low byte
    std::int32_t Colore_griglia_locale1 = 9211020;
    std::int32_t Colore_griglia_locale2 = 7895160;
    std::int32_t Colore_griglia_locale3 = 7895160;
    std::int32_t Colore_griglia_locale4 = 6579300;
    std::int32_t Colore_griglia_generale = 6579300;
    std::int32_t Colore_nome_citta = 16777215;
    std::int32_t Colore_satellite = 65535;
    std::int32_t Colore_orbita_passata = 255;
    std::int32_t Colore_orbita_futura = 65280;
    std::int32_t Colore_costellazioni_linee = 10789888;
    std::int32_t Colore_costellazioni_nomi = 255;

    std::string Programma_esterno;
    std::string Parametri_esterni;
    std::string File_lingua; ///< language file name, relative to the program folder

    bool operator==(const Opzioni&) const = default;
};

inline Opzioni Impostazioni;            ///< every option, as in force now
inline Opzioni Impostazioni_salvate;    ///< snapshot taken after loading
inline Dati_osservatore Osservatore;    ///< the observer, as in force now
inline Dati_osservatore Osservatore_salvato; ///< snapshot taken after loading

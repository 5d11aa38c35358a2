#pragma once
// The principal satellite's pass over the local sky and the user's time labels on it.
// Punti_transito is written by the main window's pass-track command and emptied by the
// local-sky menu commands; the local sky map reads it when it draws and fills
// Etichette_transito from its mouse handling. Both arrays keep element 0 unused, so an
// empty track or label list is an array of size 1.

#include <cstdint>
#include <string>
#include <vector>

/// One sampled point of a pass track.
struct Punto_traccia
{
    float X_mappa = 0;       ///< chart x [chart units]
    float Y_mappa = 0;       ///< chart y [chart units]
    std::string Ora;         ///< local date and time of the sample; empty for a horizon point
    std::string Magnitudine; ///< magnitude text; empty when eclipsed and for a horizon point
    double Azimut = 0;       ///< [degrees] from north through east; 0 for a horizon point
    double Elevazione = 0;   ///< [degrees]; 0 for a horizon point
    std::int16_t Stato = 0;  ///< status of the sample where a chart fills it, else 0
};

/// One time label that the user hung on a point of the pass track.
struct Etichetta_traccia
{
    float X_punto = 0;             ///< chart x of the labelled track point
    float Y_punto = 0;             ///< chart y of the labelled track point
    float X_etichetta = 0;         ///< chart x where the label text ends up
    float Y_etichetta = 0;         ///< chart y where the label text ends up
    std::int16_t Indice_punto = 0; ///< index in Punti_transito of the labelled point
};

/// The principal satellite's current pass, samples 1..n in time order (element 0 unused).
inline std::vector<Punto_traccia> Punti_transito(1);
/// The user's labels on that pass, 1..m (element 0 unused); they index Punti_transito, so
/// they are emptied whenever the track is computed anew or emptied.
inline std::vector<Etichetta_traccia> Etichette_transito(1);

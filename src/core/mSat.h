#pragma once
// Satellite propagation and observing state.
//
// Four propagators turn an element set into an inertial position and velocity: Plan 13
// (Keplerian ellipse with J2 drift and linear drag), and SGP, SGP4 and SDP4 as published
// in Spacetrack Report No. 3 (Hoots & Roehrich, 1980). Calcola_satellite runs the one the
// options choose and turns its state into what the observer sees.
//
// Units: angles of the propagation state in radians, times in minutes since the epoch,
// positions in km and velocities in km/s in the inertial frame of the element set (true
// equator, mean equinox of epoch); observing angles in degrees.
//
// Failures are values: every computation returns a Status, and statusMessage gives its
// developer text (the windows show their own language texts).

#include "common/Elemento_satellite.h"
#include "common/Posizione_satellite.h"
#include "common/options.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace mSat {

// --- Outputs of the last successful Calcola_satellite, for the listings. ---------------
inline std::array<double, 3> Posizione_ECI{}; ///< inertial position [km]
inline std::array<double, 3> Velocita_ECI{};  ///< inertial velocity [km/s]
inline double Elevazione_sole = 0;            ///< Sun's elevation at the observer [degrees]

/// Outcome of parsing, propagating or observing a satellite.
enum class Status {
    Ok,
    NoSuchSlot,                      ///< slot number outside 1..202
    NameMissing,                     ///< the name line holds no name
    LineTooShort,                    ///< an element line ends before its last element column
    FieldNotNumber,                  ///< a column read as a number holds something else
    EpochDayOutOfRange,              ///< the epoch day of the year is not in [1, 367)
    NumberNotFinite,                 ///< an element is too large to be a number
    MeanMotionNotPositive,           ///< the mean motion is not above 0
    EccentricityOutOfRange,          ///< the eccentricity is not in [0, 1)
    MeanEccentricityOutOfRange,      ///< drag took the mean eccentricity out of (-1, 1)
    PerturbedEccentricityOutOfRange, ///< lunar-solar terms took it out of (-1, 1)
    SemilatusRectumNegative,         ///< the orbit has no positive semi-latus rectum
    Decayed,                         ///< the computed position lies inside the Earth
    KeplerNotConverged,              ///< Kepler's equation found no solution
    NoFiniteResult,                  ///< the arithmetic produced no finite number
    LookDirectionUndefined,          ///< satellite at the observer, or exactly at zenith or nadir
};

/// Developer text of a status, in the manner of python-sgp4's error messages.
[[nodiscard]] std::string_view statusMessage(Status status);

/// Refuses element sets the propagators cannot take: a mean motion that is not above 0,
/// an eccentricity outside [0, 1), a value that is not a finite number, or an epoch day of
/// the year outside 1 (1 January 0 h) to the end of day 366.
[[nodiscard]] Status validateElements(const Elemento_satellite& elements);

/// The element set in the propagators' units (radians, minutes, Earth radii).
struct PropagationElements
{
    double XMO = 0;
    double XNODEO = 0;
    double OMEGAO = 0;
    double EO = 0;
    double XINCL = 0;
    double XNO = 0;
    double XNDT2O = 0;
    double XNDD6O = 0;
    double BSTAR = 0;
    double Epoca = 0;
};

/// Converts the parsed elements with the rounded factors 0.0174532925 and 6.2831853.
[[nodiscard]] PropagationElements toPropagationElements(const Elemento_satellite& elements);

/// Un-Kozai mean motion and semi-major axis (Spacetrack Report No. 3) and the
/// near-Earth / deep-space choice: deep space from a period of 225 minutes on.
struct MeanMotionRecovery
{
    double aodp = 0;  ///< [Earth radii], ao / (1 - delo) as published
    double xnodp = 0; ///< [rad/min]
    bool deepSpace = false;
};
[[nodiscard]] MeanMotionRecovery recoverMeanMotion(const PropagationElements& elements);

struct StateVector
{
    std::array<double, 3> positionKm{};
    std::array<double, 3> velocityKmS{};
};

struct PropagationResult
{
    Status status = Status::Ok;
    StateVector state; ///< meaningful only when status is Ok
};

/// The four models, numbered as the option Propagatore numbers them.
enum class PropagatorModel : std::int16_t {
    Plan13 = 0,
    Sgp = 1,
    Sgp4 = 2,
    Sgp4Sdp4 = 3, ///< SDP4 for deep-space element sets, SGP4 for the others
};

/// The option value as a model; a value outside 0..3 is the default SGP4.
[[nodiscard]] PropagatorModel propagatorModel(std::int16_t propagatore);

// The propagators, each from an element set to a time since the epoch [minutes]. Each
// call repeats the model's initialisation; SatellitePropagator keeps it instead.
[[nodiscard]] PropagationResult Propaga_plan13(const PropagationElements& elements, double tsince);
[[nodiscard]] PropagationResult Propaga_sgp(const PropagationElements& elements, double tsince);
[[nodiscard]] PropagationResult Propaga_sgp4(const PropagationElements& elements, double tsince);
[[nodiscard]] PropagationResult Propaga_sdp4(const PropagationElements& elements, double tsince);

/// Greenwich hour angle of the equinox [rad, 0..2 pi) at a Julian date (the report's
/// THETAG), counting days from 1950 January 0.0 UT.
[[nodiscard]] double Tempo_siderale_1950(double julianDate);

/// The deep-space resonance integrator at one of its 720-minute steps from the epoch.
struct ResonanceStep
{
    bool valid = false;
    double stepMin = 0; ///< +720 or -720: the direction it was integrated in
    double xli = 0;     ///< resonant longitude [rad]
    double xni = 0;     ///< mean motion [rad/min]
    double atime = 0;   ///< minutes from the epoch
};

/// One element set initialised for one model, ready to propagate to any time. Holding it
/// saves the initialisation between calls, and for a resonant deep-space orbit the last
/// step of the resonance integration, from which the next call continues unless it goes
/// back past it; results are bit for bit those of the Propaga_* functions. Copyable value
/// type; one object is not to be used from two threads at once.
class SatellitePropagator
{
public:
    SatellitePropagator(const PropagationElements& elements, PropagatorModel model);

    /// State at tsince minutes from the epoch.
    [[nodiscard]] PropagationResult propagate(double tsince) const;

    /// Ok, or why the element set is refused (then every propagate returns it).
    [[nodiscard]] Status status() const;
    /// The model actually run: for Sgp4Sdp4, Sgp4Sdp4 when SDP4 runs and Sgp4 otherwise.
    [[nodiscard]] PropagatorModel runModel() const;
    [[nodiscard]] const PropagationElements& elements() const;
    [[nodiscard]] const MeanMotionRecovery& recovery() const;

private:
    struct Model;
    std::shared_ptr<const Model> m_model; // immutable once initialised: copies share it
    mutable ResonanceStep m_resonance;    // each copy integrates on its own
};

/// What Calcola_satellite computes for one satellite at one instant.
struct ObservingResult
{
    Status status = Status::Ok;
    Posizione_satellite valori; ///< the slot's new record (the previous one on failure)
    StateVector eci;            ///< inertial state [km, km/s]
    double sunElevationDeg = 0; ///< the Sun's elevation at the observer, no refraction [deg]
};

/// Observing state of a satellite from an observer at a Julian date (UT), with the Plan 13
/// observer frame, Earth rotation and Sun. Of the options it reads Propagatore, Rifrazione,
/// Modello_magnitudine and Limite_sole. A statement whose arithmetic fails after the look
/// angles leaves its field as in `previous` (and the Sun's elevation as
/// `previousSunElevationDeg`); a failure up to the look angles returns the status with
/// `previous` unchanged.
[[nodiscard]] ObservingResult observingState(const Elemento_satellite& elements,
                                             const Dati_osservatore& observer,
                                             const Opzioni& options, double julianDate,
                                             const Posizione_satellite& previous,
                                             double previousSunElevationDeg);

/// The same with a propagator initialised for the same element set (propagation uses the
/// propagator's elements and model; `elements` gives the revolution number and the
/// standard magnitude; options.Propagatore is not read).
[[nodiscard]] ObservingResult
observingState(const SatellitePropagator& propagator, const Elemento_satellite& elements,
               const Dati_osservatore& observer, const Opzioni& options, double julianDate,
               const Posizione_satellite& previous, double previousSunElevationDeg);

/// Computes slot Indice (1..202) at Julian date JD (UT) for Osservatore and Impostazioni
/// into Valori(Indice), Posizione_ECI, Velocita_ECI and Elevazione_sole. On failure
/// nothing of these is written and the status says why. Keeps each slot's propagator
/// initialisation while the slot's elements and the model stay the same.
Status Calcola_satellite(int Indice, double JD);

/// Forgets every kept propagator initialisation (results do not depend on it).
void clearPropagatorCache();

} // namespace mSat

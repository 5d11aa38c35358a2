// Observing state of a satellite: look angles, range, sub-point, orbit geometry, eclipse,
// visibility and magnitude. The observer frame, Earth rotation and Sun follow the Plan 13
// method (J. R. Miller, G3RUH), with its constants, not the sidereal time and Sun of mAstro.
//
// Arithmetic that cannot be done (a square root or arcsine out of its domain, a division
// by zero) is tested for before each statement. Up to the look angles such a failure
// fails the whole computation; after them the statement is skipped and the field it
// would have written keeps its previous value.

#include "core/mAstro.h"
#include "core/mMate.h"
#include "core/mSat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace mSat {
namespace {

using Vec = std::array<double, 3>;

constexpr double kEarthRadiusKm = 6378.135;
constexpr double kFlattening = 0.003352779454167505; ///< 1 / 298.26
constexpr double kGmKm3S2 = 398600.8;
constexpr double kEarthRotationRadS = 7.2922e-5;
constexpr double kMinutesPerDay = 1440.0;
// Plan 13 Earth rotation and Sun, from 1990 January 0.0 UT.
constexpr double kPlan13EpochJd = 2447891.5;
constexpr double kGreenwichAtEpochDeg = 99.4033; ///< hour angle of the equinox at that epoch
constexpr double kEarthRotationRadDay = 6.300388099;
constexpr double kSunMeanMotionRadDay = 0.017202791;
constexpr double kSunMeanAnomalyAtEpochDeg = 356.6349;
constexpr double kSunMeanAnomalyRateDegDay = 0.98560027;
constexpr double kSunCentre1Rad = 0.03343;
constexpr double kSunCentre2Rad = 0.00034;
constexpr double kObliquityDeg = 23.4406;
/// Refraction is added from this apparent elevation up [degrees].
constexpr double kRefractionFloorDeg = -0.6;
/// Magnitude of a satellite of standard magnitude 0 at 1 km, fully lit.
constexpr double kMagnitudeOffset = -15.75;

double dot(const Vec& a, const Vec& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double norm(const Vec& a)
{
    return std::sqrt(dot(a, a));
}

/// The rotation about the polar axis by -angle: inertial to Earth-fixed axes. Its cosine
/// and sine are worked out once for the vectors of one instant.
struct EarthRotation
{
    explicit EarthRotation(double angle) : c(std::cos(-angle)), s(std::sin(-angle)) {}
    [[nodiscard]] Vec toEarthFixed(const Vec& v) const
    {
        return {v[0] * c - v[1] * s, v[0] * s + v[1] * c, v[2]};
    }
    double c, s;
};

/// Arcsine and arccosine exist only inside (-1, 1) in this program (mMate).
bool inOpenUnitRange(double x)
{
    return std::fabs(x) < 1.0;
}

struct ObserverFrame
{
    Vec up, east, north;
    Vec position; ///< Earth-fixed [km]
    Vec velocity; ///< from the Earth's rotation [km/s]
};

ObserverFrame computeObserverFrame(const Dati_osservatore& observer)
{
    const double lat = static_cast<double>(observer.Latitudine_osservatore) * mMate::kDegToRad;
    const double lon = static_cast<double>(observer.Longitudine_osservatore) * mMate::kDegToRad;
    const double h = static_cast<double>(observer.Quota_osservatore) / 1000.0;
    const double cl = std::cos(lat), sl = std::sin(lat);
    const double co = std::cos(lon), so = std::sin(lon);
    const double rp = (1.0 - kFlattening) * kEarthRadiusKm;
    const double xx = kEarthRadiusKm * kEarthRadiusKm;
    const double zz = rp * rp;
    const double d = std::sqrt(xx * cl * cl + zz * sl * sl);
    const double rx = xx / d + h;
    const double rz = zz / d + h;
    ObserverFrame f;
    f.up = {cl * co, cl * so, sl};
    f.east = {-so, co, 0.0};
    f.north = {-sl * co, -sl * so, cl};
    f.position = {rx * f.up[0], rx * f.up[1], rz * f.up[2]};
    f.velocity = {-f.position[1] * kEarthRotationRadS, f.position[0] * kEarthRotationRadS, 0.0};
    return f;
}

/// The frame of the observer of the last call on this thread: an observer moves rarely,
/// and the frame is the same bits whenever the three numbers are.
const ObserverFrame& observerFrame(const Dati_osservatore& observer)
{
    struct Kept
    {
        bool valid = false;
        float latitude = 0, longitude = 0, height = 0;
        ObserverFrame frame;
    };
    thread_local Kept kept;
    const auto same = [](float a, float b) {
        return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
    };
    if (!kept.valid || !same(kept.latitude, observer.Latitudine_osservatore) ||
        !same(kept.longitude, observer.Longitudine_osservatore) ||
        !same(kept.height, observer.Quota_osservatore)) {
        kept.frame = computeObserverFrame(observer);
        kept.latitude = observer.Latitudine_osservatore;
        kept.longitude = observer.Longitudine_osservatore;
        kept.height = observer.Quota_osservatore;
        kept.valid = true;
    }
    return kept.frame;
}

/// Orbit size and shape from the inertial state vector.
void orbitGeometry(const StateVector& eci, Posizione_satellite& v)
{
    const Vec& p = eci.positionKm;
    const Vec& w = eci.velocityKmS;
    const Vec h = {p[1] * w[2] - p[2] * w[1], p[2] * w[0] - p[0] * w[2], p[0] * w[1] - p[1] * w[0]};
    const double semiLatus = dot(h, h) / kGmKm3S2;
    const double speed = norm(w);
    const double r = norm(p);
    v.Velocita = speed;
    v.Distanza_geocentrica = r;
    const double radial = speed * speed - kGmKm3S2 / r;
    const double pv = dot(p, w);
    Vec e;
    for (std::size_t i = 0; i < 3; ++i)
        e[i] = (radial * p[i] - pv * w[i]) / kGmKm3S2;
    const double ecc = norm(e);
    v.Perigeo = semiLatus / (1.0 + ecc) - kEarthRadiusKm;
    // A parabolic osculating orbit has no apogee or semi-major axis, a hyperbolic one no
    // period: those fields keep their previous values.
    if (ecc != 1.0) {
        v.Apogeo = semiLatus / (1.0 - ecc) - kEarthRadiusKm;
        const double a = semiLatus / (1.0 - ecc * ecc);
        if (a >= 0.0)
            v.Periodo = mMate::kTwoPi * a * std::sqrt(a / kGmKm3S2);
    }
    const double sinLat = p[2] / r;
    if (inOpenUnitRange(sinLat))
        v.Quota = mAstro::Altezza_ellissoide(r, mMate::Arcoseno(sinLat));
}

void subPoint(const Vec& s, double r, Posizione_satellite& v)
{
    const double lon = mMate::Arcotangente_completa(s[1], s[0]) * mMate::kRadToDeg;
    v.Longitudine_est = lon;
    if (lon <= 180.0) {
        v.Longitudine = lon;
        v.Emisfero_ew = "E";
        v.Longitudine_subsatellite = lon;
    } else {
        v.Longitudine = 360.0 - lon;
        v.Emisfero_ew = "W";
        v.Longitudine_subsatellite = -(360.0 - lon);
    }
    const double sinLat = s[2] / r;
    if (!inOpenUnitRange(sinLat))
        return;
    const double lat = mMate::Arcoseno(sinLat) * mMate::kRadToDeg;
    v.Latitudine_subsatellite = lat;
    v.Latitudine_proiezione = lat;
    if (lat < 0) {
        v.Latitudine = -lat;
        v.Emisfero_ns = "S";
    } else {
        v.Latitudine = lat;
        v.Emisfero_ns = "N";
    }
}

/// Unit vector to the Sun in the inertial frame, Plan 13's low-precision Sun.
Vec sunDirection(double daysFromPlan13Epoch, double tsinceDays)
{
    const double mrse = kGreenwichAtEpochDeg * mMate::kDegToRad +
                        kSunMeanMotionRadDay * daysFromPlan13Epoch + mMate::kPi;
    const double mase =
        (kSunMeanAnomalyAtEpochDeg + kSunMeanAnomalyRateDegDay * daysFromPlan13Epoch) *
        mMate::kDegToRad;
    const double mas = mase + kSunMeanAnomalyRateDegDay * tsinceDays * mMate::kDegToRad;
    const double tas = mrse + kSunMeanMotionRadDay * tsinceDays + kSunCentre1Rad * std::sin(mas) +
                       kSunCentre2Rad * std::sin(2.0 * mas);
    const double obliquity = kObliquityDeg * mMate::kDegToRad;
    return {std::cos(tas), std::sin(tas) * std::cos(obliquity),
            std::sin(tas) * std::sin(obliquity)};
}

/// A standard magnitude stored as text ("4.5"), read independently of the locale.
bool readStandardMagnitude(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

/// Visual magnitude from the phase and the range; the previous value is kept when the
/// arithmetic cannot be done (the Sun exactly behind the satellite, an unreadable text).
void magnitude(const Elemento_satellite& elements, const Opzioni& options, double cosPhi,
               bool phiKnown, double phi, Posizione_satellite& v)
{
    if (elements.Magnitudine_standard.empty()) {
        v.Magnitudine = std::string("???");
        return;
    }
    double phaseFactor = (1.0 + cosPhi) / 2.0;
    if (options.Modello_magnitudine != 0) {
        if (!phiKnown)
            return;
        phaseFactor = (std::sin(phi) + (mMate::kPi - phi) * cosPhi) / 2.0;
    }
    double standard = 0;
    if (!(phaseFactor > 0.0) || !readStandardMagnitude(elements.Magnitudine_standard, standard))
        return;
    const double l = std::log(v.Distanza * v.Distanza / phaseFactor) / std::log(10.0);
    v.Magnitudine = standard + kMagnitudeOffset + 2.5 * l;
}

/// Eclipse, Sun elevation, visibility, phase and magnitude (the steps after the sub-point).
void illumination(const Elemento_satellite& elements, const Opzioni& options,
                  const StateVector& eci, const Vec& sun, const EarthRotation& earth,
                  const ObserverFrame& obs, const Vec& lineOfSight, ObservingResult& out)
{
    Posizione_satellite& v = out.valori;
    const Vec& p = eci.positionKm;
    const double r = norm(p);
    const double cua = -dot(sun, p) / r;
    double umd = 0; // 0 when |CUA| rounds past 1: the satellite is then on the Sun's axis
    if (1.0 - cua * cua >= 0.0)
        umd = r * std::sqrt(1.0 - cua * cua) / kEarthRadiusKm;
    v.Stato = kStatoAzzerato;
    if (cua >= 0.0 && umd <= 1.0)
        v.Stato = kStatoEclisse;

    const Vec sunFixed = earth.toEarthFixed(sun);
    const double sinSunElevation = dot(sunFixed, obs.up);
    if (inOpenUnitRange(sinSunElevation))
        out.sunElevationDeg = mMate::Arcoseno(sinSunElevation) * mMate::kRadToDeg;

    if (v.Stato != kStatoEclisse) {
        const bool sunTooHigh = out.sunElevationDeg >= static_cast<double>(options.Limite_sole);
        v.Stato = sunTooHigh || v.Elevazione <= 0.0 ? kStatoIlluminato : kStatoVisibile;
    }

    const double cosPhi = -dot(lineOfSight, sunFixed);
    const bool phiKnown = inOpenUnitRange(cosPhi);
    const double phi = phiKnown ? mMate::Arcocoseno(cosPhi) : 0.0;
    v.Frazione_illuminata = (1.0 + cosPhi) / 2.0;
    if (phiKnown)
        v.Angolo_fase = 180.0 - phi * mMate::kRadToDeg;

    if (v.Stato == kStatoEclisse) {
        v.Frazione_illuminata = 0.0;
        v.Magnitudine = std::string();
        return;
    }
    magnitude(elements, options, cosPhi, phiKnown, phi, v);
}

} // namespace

ObservingResult observingState(const Elemento_satellite& elements, const Dati_osservatore& observer,
                               const Opzioni& options, double julianDate,
                               const Posizione_satellite& previous, double previousSunElevationDeg)
{
    const SatellitePropagator propagator(toPropagationElements(elements),
                                         propagatorModel(options.Propagatore));
    return observingState(propagator, elements, observer, options, julianDate, previous,
                          previousSunElevationDeg);
}

ObservingResult observingState(const SatellitePropagator& propagator,
                               const Elemento_satellite& elements, const Dati_osservatore& observer,
                               const Opzioni& options, double julianDate,
                               const Posizione_satellite& previous, double previousSunElevationDeg)
{
    ObservingResult out;
    out.valori = previous;
    out.sunElevationDeg = previousSunElevationDeg;
    const PropagationElements& el = propagator.elements();
    const double tsinceDays = julianDate - el.Epoca;

    const ObserverFrame& obs = observerFrame(observer);
    const PropagationResult propagated = propagator.propagate(tsinceDays * kMinutesPerDay);
    if (propagated.status != Status::Ok) {
        out.status = propagated.status;
        return out;
    }
    const StateVector& eci = propagated.state;

    // Earth rotation: Greenwich hour angle of the equinox at the instant.
    const double de = el.Epoca - kPlan13EpochJd;
    const double ghaa = kGreenwichAtEpochDeg * mMate::kDegToRad + kEarthRotationRadDay * de +
                        kEarthRotationRadDay * tsinceDays;
    const EarthRotation earth(ghaa);
    const Vec s = earth.toEarthFixed(eci.positionKm);
    const Vec w = earth.toEarthFixed(eci.velocityKmS);

    // Line of sight and look angles.
    const Vec range = {s[0] - obs.position[0], s[1] - obs.position[1], s[2] - obs.position[2]};
    const double distance = norm(range);
    const Vec los = {range[0] / distance, range[1] / distance, range[2] / distance};
    const double up = dot(los, obs.up);
    if (!(distance > 0.0) || !inOpenUnitRange(up)) {
        out.status = Status::LookDirectionUndefined;
        return out;
    }
    Posizione_satellite& v = out.valori;
    v.Distanza = distance;
    v.Direzione_zenit = up;
    v.Direzione_est = dot(los, obs.east);
    v.Direzione_nord = dot(los, obs.north);
    v.Variazione_distanza =
        (w[0] - obs.velocity[0]) * los[0] + (w[1] - obs.velocity[1]) * los[1] + w[2] * los[2];

    orbitGeometry(eci, v);
    const double t = tsinceDays * kMinutesPerDay;
    v.Orbita = elements.Numero_rivoluzione +
               (el.XMO + el.XNO * t * (1.0 + (el.XNDT2O / el.XNO) * t)) / mMate::kTwoPi;

    v.Azimut = mMate::Arcotangente_completa(v.Direzione_est, v.Direzione_nord) * mMate::kRadToDeg;
    v.Elevazione = mMate::Arcoseno(up) * mMate::kRadToDeg;
    if (options.Rifrazione && v.Elevazione >= kRefractionFloorDeg) {
        // Saemundsson's refraction formula, in degrees.
        const double h = v.Elevazione;
        v.Elevazione += 1.02 / std::tan((h + 10.3 / (h + 5.11)) * mMate::kDegToRad) / 60.0;
    }

    subPoint(s, v.Distanza_geocentrica, v);
    illumination(elements, options, eci, sunDirection(de, tsinceDays), earth, obs, los, out);
    out.eci = eci;
    return out;
}

} // namespace mSat

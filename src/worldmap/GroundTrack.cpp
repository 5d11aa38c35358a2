#include "worldmap/GroundTrack.h"

#include "core/mSat.h"

namespace worldmap {

namespace {

constexpr double kMinutesPerDay = 1440.0;
constexpr double kSecondsPerMinute = 60.0;

mSat::SatellitePropagator propagatorFor(const Elemento_satellite& elements, const Opzioni& options)
{
    return mSat::SatellitePropagator(mSat::toPropagationElements(elements),
                                     mSat::propagatorModel(options.Propagatore));
}

} // namespace

std::optional<SubPoint> subPointAt(const Elemento_satellite& elements,
                                   const Dati_osservatore& observer, const Opzioni& options,
                                   double julianDate)
{
    const mSat::SatellitePropagator propagator = propagatorFor(elements, options);
    if (propagator.status() != mSat::Status::Ok)
        return std::nullopt;
    const mSat::ObservingResult result = mSat::observingState(
        propagator, elements, observer, options, julianDate, Posizione_satellite(), 0);
    if (result.status != mSat::Status::Ok)
        return std::nullopt;
    return SubPoint{{result.valori.Longitudine_subsatellite, result.valori.Latitudine_subsatellite},
                    result.valori.Periodo};
}

GroundTrack groundTrack(const Elemento_satellite& elements, const Dati_osservatore& observer,
                        const Opzioni& options, double julianDate)
{
    GroundTrack track;
    const mSat::SatellitePropagator propagator = propagatorFor(elements, options);
    if (propagator.status() != mSat::Status::Ok)
        return track;
    Posizione_satellite state;
    const mSat::ObservingResult now =
        mSat::observingState(propagator, elements, observer, options, julianDate, state, 0);
    if (now.status != mSat::Status::Ok || !(now.valori.Periodo > 0))
        return track;

    const double stepSeconds = now.valori.Periodo / kTrackStepsPerPeriod;
    const double start =
        julianDate - (stepSeconds / kSecondsPerMinute) * kTrackStepsPerPeriod / kMinutesPerDay;
    track.past.reserve(kTrackStepsPerPeriod + 1);
    track.future.reserve(kTrackStepsPerPeriod + 1);
    for (int k = 0; k <= 2 * kTrackStepsPerPeriod; ++k) {
        const mSat::ObservingResult sample = mSat::observingState(
            propagator, elements, observer, options, start + (stepSeconds / kSecondsPerMinute) * k / kMinutesPerDay, state, 0);
        if (sample.status != mSat::Status::Ok)
            continue;
        state = sample.valori;
        const LonLat place{state.Longitudine_subsatellite, state.Latitudine_subsatellite};
        if (k <= kTrackStepsPerPeriod)
            track.past.push_back(place);
        if (k >= kTrackStepsPerPeriod)
            track.future.push_back(place);
    }
    return track;
}

} // namespace worldmap

// Cost of the satellite computation the tracking tick and the pass search repeat:
// Calcola_satellite with SGP4 on a low orbit and with SDP4 on a 12-hour resonant and a
// geostationary orbit, some days after the epoch, and one tick's worth of 200 slots.
// The "Fresh" variants initialise the propagator on every call, as without the kept
// initialisation.

#include "common/options.h"
#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "core/mSat.h"

#include <benchmark/benchmark.h>

namespace {

struct ElementLines
{
    const char* name;
    const char* line1;
    const char* line2;
};

// Spacetrack Report No. 3 set 88888 (low orbit, 16 revolutions a day).
constexpr ElementLines kLeo = {
    "LEO", "1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87",
    "2 88888  72.8435 115.9689 0086731  52.6988 110.5714 16.05824518  1058"};
// Molniya 2-14 (12-hour resonance) and XM-3 (geostationary) of the revised verification set.
constexpr ElementLines kMolniya = {
    "MOLNIYA", "1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813",
    "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656"};
constexpr ElementLines kGeo = {
    "GEO", "1 28626U 05008A   06176.46683397 -.00000205  00000-0  10000-3 0  2190",
    "2 28626   0.0019 286.9433 0000335  13.7918  55.6504  1.00270176  4891"};

constexpr double kSecondDays = 1.0 / 86400.0;

void setUp(int slot, const ElementLines& set, std::int16_t propagatore)
{
    Impostazioni.Propagatore = propagatore;
    Osservatore.Latitudine_osservatore = 45.47f;
    Osservatore.Longitudine_osservatore = 9.19f;
    Osservatore.Quota_osservatore = 133.0f;
    (void)mSat::Estrai_Dati_Satellite(slot, set.name, set.line1, set.line2);
    mSat::clearPropagatorCache();
}

/// Calcola_satellite of one slot, one simulated second per call, `range(0)` days after
/// the epoch.
void calcolaSatellite(benchmark::State& state, const ElementLines& set, std::int16_t propagatore)
{
    setUp(kPrincipalSlot, set, propagatore);
    double jd = Satelement[kPrincipalSlot].Epoca_giuliana + static_cast<double>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(mSat::Calcola_satellite(kPrincipalSlot, jd));
        jd += kSecondDays;
    }
}

/// The same through the pure function, initialising the propagator on every call.
void freshObservingState(benchmark::State& state, const ElementLines& set, std::int16_t propagatore)
{
    setUp(kPrincipalSlot, set, propagatore);
    const Elemento_satellite elements = Satelement[kPrincipalSlot];
    double jd = elements.Epoca_giuliana + static_cast<double>(state.range(0));
    Posizione_satellite previous;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            mSat::observingState(elements, Osservatore, Impostazioni, jd, previous, 0.0));
        jd += kSecondDays;
    }
}

void BM_CalcolaSatellite_Sgp4Leo(benchmark::State& state)
{
    calcolaSatellite(state, kLeo, 2);
}
void BM_CalcolaSatellite_Sdp4Molniya(benchmark::State& state)
{
    calcolaSatellite(state, kMolniya, 3);
}
void BM_CalcolaSatellite_Sdp4Geo(benchmark::State& state)
{
    calcolaSatellite(state, kGeo, 3);
}
void BM_Fresh_Sgp4Leo(benchmark::State& state)
{
    freshObservingState(state, kLeo, 2);
}
void BM_Fresh_Sdp4Molniya(benchmark::State& state)
{
    freshObservingState(state, kMolniya, 3);
}
void BM_Fresh_Sdp4Geo(benchmark::State& state)
{
    freshObservingState(state, kGeo, 3);
}

BENCHMARK(BM_CalcolaSatellite_Sgp4Leo)->Arg(1)->Arg(7);
BENCHMARK(BM_CalcolaSatellite_Sdp4Molniya)->Arg(1)->Arg(7)->Arg(30);
BENCHMARK(BM_CalcolaSatellite_Sdp4Geo)->Arg(1)->Arg(7)->Arg(30);
BENCHMARK(BM_Fresh_Sgp4Leo)->Arg(7);
BENCHMARK(BM_Fresh_Sdp4Molniya)->Arg(7);
BENCHMARK(BM_Fresh_Sdp4Geo)->Arg(7);

/// One tick: 200 active slots (180 low orbits, 10 Molniya, 10 geostationary) computed at
/// the same instant with the option SGP4/SDP4, element sets a week old.
void BM_Tick200Slots(benchmark::State& state)
{
    Impostazioni.Propagatore = 3;
    for (int slot = 1; slot <= kLastActiveSlot; ++slot) {
        const ElementLines& set = slot <= 180 ? kLeo : (slot <= 190 ? kMolniya : kGeo);
        (void)mSat::Estrai_Dati_Satellite(slot, set.name, set.line1, set.line2);
    }
    mSat::clearPropagatorCache();
    // Each slot a week after its own epoch, one second later per tick.
    double offset = 7.0;
    for (auto _ : state) {
        for (int slot = 1; slot <= kLastActiveSlot; ++slot)
            benchmark::DoNotOptimize(
                mSat::Calcola_satellite(slot, Satelement[slot].Epoca_giuliana + offset));
        offset += kSecondDays;
    }
    state.SetItemsProcessed(state.iterations() * kLastActiveSlot);
}
BENCHMARK(BM_Tick200Slots)->Unit(benchmark::kMicrosecond);

} // namespace

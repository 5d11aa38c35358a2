// Calcola_satellite: the shell that reads the slot, the observer and the options, and
// writes the slot's observing state and the module outputs back.

#include "common/satellite_slots.h"
#include "core/mSat.h"

#include <bit>
#include <optional>

namespace mSat {
namespace {

/// The fields of a slot's elements that the propagators read, as parsed.
struct SourceElements
{
    std::array<double, 12> values{};
    bool operator==(const SourceElements&) const = default;
};

SourceElements sourceOf(const Elemento_satellite& e)
{
    return {{e.Anomalia_media, e.Raan, e.Argomento_perigeo, e.Eccentricita, e.Inclinazione,
             e.Moto_medio, e.Derivata_prima, e.Derivata_seconda, e.Esponente_derivata_seconda,
             e.Bstar, e.Esponente_bstar, e.Epoca_giuliana}};
}

/// The propagator initialised for a slot's element set and model, kept while both stay
/// the same, with the slot's deep-space resonance step. Results are the same bits as a
/// fresh initialisation and an integration from the epoch.
struct CachedPropagator
{
    SourceElements source;
    PropagationElements elements;
    PropagatorModel model = PropagatorModel::Sgp4;
    std::optional<SatellitePropagator> propagator;
};

std::array<CachedPropagator, kLastSlot + 1> g_cache; // index 0 unused, as the slots

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameElements(const PropagationElements& a, const PropagationElements& b)
{
    return sameBits(a.XMO, b.XMO) && sameBits(a.XNODEO, b.XNODEO) && sameBits(a.OMEGAO, b.OMEGAO) &&
           sameBits(a.EO, b.EO) && sameBits(a.XINCL, b.XINCL) && sameBits(a.XNO, b.XNO) &&
           sameBits(a.XNDT2O, b.XNDT2O) && sameBits(a.XNDD6O, b.XNDD6O) &&
           sameBits(a.BSTAR, b.BSTAR) && sameBits(a.Epoca, b.Epoca);
}

bool sameSource(const SourceElements& a, const SourceElements& b)
{
    for (std::size_t i = 0; i < a.values.size(); ++i) {
        if (!sameBits(a.values[i], b.values[i]))
            return false;
    }
    return true;
}

/// The slot's kept propagator, made anew when its elements or the model changed. The
/// conversion to the propagators' units is kept with it: the same parsed fields give the
/// same converted bits.
const CachedPropagator& propagatorFor(int slot, const Elemento_satellite& parsed,
                                      PropagatorModel model)
{
    CachedPropagator& entry = g_cache[static_cast<std::size_t>(slot)];
    const SourceElements source = sourceOf(parsed);
    if (entry.propagator && sameSource(entry.source, source) && entry.model == model)
        return entry;
    const PropagationElements elements = toPropagationElements(parsed);
    if (!entry.propagator || entry.model != model || !sameElements(entry.elements, elements)) {
        entry.propagator.emplace(elements, model);
        entry.model = model;
    }
    entry.elements = elements;
    entry.source = source;
    return entry;
}

} // namespace

Status Calcola_satellite(int Indice, double JD)
{
    if (!SlotArray<Posizione_satellite>::isSlot(Indice))
        return Status::NoSuchSlot;
    const Elemento_satellite& elements = Satelement[Indice];
    const CachedPropagator& kept =
        propagatorFor(Indice, elements, propagatorModel(Impostazioni.Propagatore));
    const SatellitePropagator& propagator = *kept.propagator;

    const ObservingResult result = observingState(propagator, elements, Osservatore, Impostazioni,
                                                  JD, Valori[Indice], Elevazione_sole);
    if (result.status != Status::Ok)
        return result.status;
    Valori[Indice] = result.valori;
    Posizione_ECI = result.eci.positionKm;
    Velocita_ECI = result.eci.velocityKmS;
    Elevazione_sole = result.sunElevationDeg;
    return Status::Ok;
}

void clearPropagatorCache()
{
    for (CachedPropagator& entry : g_cache)
        entry = CachedPropagator{};
}

} // namespace mSat

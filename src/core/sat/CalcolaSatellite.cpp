// Calcola_satellite: the shell that reads the slot, the observer and the options, and
// writes the slot's observing state and the module outputs back.

#include "common/satellite_slots.h"
#include "core/mSat.h"

#include <bit>
#include <optional>

namespace mSat {
namespace {

/// The propagator initialised for a slot's element set and model, kept while both stay
/// the same. Results are the same bits as a fresh initialisation: the deep-space
/// resonance integration still starts from the epoch on every call.
struct CachedPropagator
{
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

const SatellitePropagator& propagatorFor(int slot, const PropagationElements& elements,
                                         PropagatorModel model)
{
    CachedPropagator& entry = g_cache[static_cast<std::size_t>(slot)];
    if (!entry.propagator || entry.model != model || !sameElements(entry.elements, elements)) {
        entry.propagator.emplace(elements, model);
        entry.elements = elements;
        entry.model = model;
    }
    return *entry.propagator;
}

void setPropagationState(const PropagationElements& el)
{
    XMO = el.XMO;
    XNODEO = el.XNODEO;
    OMEGAO = el.OMEGAO;
    EO = el.EO;
    XINCL = el.XINCL;
    XNO = el.XNO;
    XNDT2O = el.XNDT2O;
    XNDD6O = el.XNDD6O;
    BSTAR = el.BSTAR;
    Epoca = el.Epoca;
}

} // namespace

Status Calcola_satellite(int Indice, double JD)
{
    if (!SlotArray<Posizione_satellite>::isSlot(Indice))
        return Status::NoSuchSlot;
    const Elemento_satellite& elements = Satelement[Indice];
    const PropagationElements converted = toPropagationElements(elements);
    setPropagationState(converted);
    const SatellitePropagator& propagator =
        propagatorFor(Indice, converted, propagatorModel(Impostazioni.Propagatore));
    if (propagator.status() == Status::Ok) {
        AODP = propagator.recovery().aodp;
        XNODP = propagator.recovery().xnodp;
    }

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

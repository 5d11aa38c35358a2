#include "FuzzSupport.h"

#include "common/options.h"
#include "core/mSat.h"

namespace {

// Times from the epoch [days]: a day later and a century later.
constexpr double kDaysFromEpoch[] = {1.0, 36525.0};

} // namespace

void propagateWithEveryModel(const Elemento_satellite& elements)
{
    const mSat::PropagationElements converted = mSat::toPropagationElements(elements);
    Opzioni options = Impostazioni;
    const Dati_osservatore observer = Osservatore;
    for (std::int16_t model = 0; model <= 3; ++model) {
        options.Propagatore = model;
        const mSat::SatellitePropagator propagator(converted, mSat::propagatorModel(model));
        for (double days : kDaysFromEpoch) {
            const mSat::ObservingResult result = mSat::observingState(
                propagator, elements, observer, options, elements.Epoca_giuliana + days,
                Posizione_satellite{}, 0.0);
            (void)result;
        }
    }
}

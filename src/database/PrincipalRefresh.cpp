#include "database/PrincipalRefresh.h"

#include "common/satellite_slots.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "tracking/TrackingModel.h"

void notifyActiveSatellitesChanged()
{
    TrackingModel::instance().notifyActiveSetChanged();
}

void redrawPrincipal()
{
    if (Numero_satelliti > 0)
        (void)mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
    TrackingModel::instance().notifyPrincipalChanged();
}

void Azzera_riquadri_dati()
{
    TrackingModel::instance().notifyPrincipalChanged();
}

void clearPrincipalDataBoxes()
{
    TrackingModel::instance().notifyPrincipalChanged();
}

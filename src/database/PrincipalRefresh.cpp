#include "database/PrincipalRefresh.h"

#include "common/satellite_slots.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "services/mGlobal.h"

namespace {

const QString kWorldMap = QStringLiteral("frmWorldMap");
const QString kLocalSky = QStringLiteral("frmLocalSky");

void callWhileLoaded(const QString& window, const std::function<void()>& hook)
{
    if (hook && mGlobal::Form_caricato(window))
        hook();
}

} // namespace

void showPrincipalName(const LiveWindowHooks& hooks)
{
    if (!hooks.showPrincipalName)
        return;
    const QString name = Numero_satelliti > 0
                             ? QString::fromStdString(Satelement[kPrincipalSlot].Nome_satellite)
                             : QString();
    hooks.showPrincipalName(name.trimmed());
}

void redrawPrincipal(const LiveWindowHooks& hooks)
{
    if (mGlobal::Form_caricato(kWorldMap) && Numero_satelliti > 0) {
        (void)mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
        callWhileLoaded(kWorldMap, hooks.redrawWorldMap);
    }
    callWhileLoaded(kLocalSky, hooks.localSkyPrincipalChanged);
}

void Azzera_riquadri_dati(const LiveWindowHooks& hooks)
{
    callWhileLoaded(kWorldMap, hooks.redrawWorldMap);
    clearPrincipalDataBoxes(hooks);
}

void clearPrincipalDataBoxes(const LiveWindowHooks& hooks)
{
    callWhileLoaded(kWorldMap, hooks.clearWorldMapPrincipal);
    callWhileLoaded(kLocalSky, hooks.clearLocalSkyPrincipal);
}

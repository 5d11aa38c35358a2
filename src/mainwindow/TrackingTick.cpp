#include "mainwindow/TrackingTick.h"

#include "mainwindow/LiveWindows.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/ProgramClock.h"

#include "common/gates.h"
#include "common/options.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "core/mMate.h"

namespace {

const QString kFootprintItem = QStringLiteral("mnuWorldmapCerchioVisibilita");
const QString kPrincipalOnlyItem = QStringLiteral("mnuLocalSkySoloPrincipale");

bool principalLoaded()
{
    return !Satelement[kPrincipalSlot].Nome_satellite.empty();
}

} // namespace

TrackingTick::TrackingTick(TickHost& host, const ProgramClock& clock)
    : m_host(host), m_clock(clock), m_failed(static_cast<std::size_t>(kLastSlot) + 1, false)
{
}

void TrackingTick::run()
{
    if (!pflgCentrale)
        return;
    advanceProgramClock();
    if (pflgSatellite) {
        countTowardsFullRedraw();
        if (principalLoaded()) {
            if (!computeActiveSatellites())
                return;
            pushPrincipalToLiveWindows();
        }
        refreshTrackingTable();
    }
    writeStatusBarClock();
    computeBodiesAndRefreshTables();
}

void TrackingTick::advanceProgramClock()
{
    if (m_host.realTimeSelected())
        Data_attuale = observerNow(m_clock);
    else
        Data_attuale = DateValue::addSeconds(Data_attuale, 1.0);
    mAstro::Calcola_tempi(Data_attuale);
}

void TrackingTick::countTowardsFullRedraw()
{
    if (++m_redrawCounter <= kTicksBetweenMapRedraws)
        return;
    m_redrawCounter = 0;
    if (auto* map = loadedWindow<WorldMapWindow>(windowNames::kWorldMap))
        map->Genera_mappa();
}

bool TrackingTick::computeActiveSatellites()
{
    for (int slot = kPrincipalSlot; slot <= Numero_satelliti && slot <= kLastActiveSlot; ++slot) {
        const mSat::Status status = mSat::Calcola_satellite(slot, mAstro::Data_giuliana);
        // Guard: one satellite that cannot be computed must not stop the others; it keeps
        // its previous state and is left out of this tick's drawing. A position inside the
        // Earth is a decay like a perigee below the limit.
        m_failed[static_cast<std::size_t>(slot)] =
            status != mSat::Status::Ok && status != mSat::Status::Decayed;
        if (m_failed[static_cast<std::size_t>(slot)]) {
            m_host.reportUncomputableSatellite(slot, status);
            continue;
        }
        const bool decayed =
            status == mSat::Status::Decayed || Valori[slot].Perigeo < kDecayPerigeeKm;
        if (decayed && !pflgRicerca) {
            m_host.removeDecayedSatellite(slot);
            return false;
        }
    }
    return true;
}

bool TrackingTick::computedThisTick(int slot) const
{
    return !m_failed[static_cast<std::size_t>(slot)];
}

void TrackingTick::pushPrincipalToLiveWindows()
{
    if (!computedThisTick(kPrincipalSlot))
        return;
    const Posizione_satellite& principal = Valori[kPrincipalSlot];
    mAstro::SexagesimalEquatorial equatorial;
    mAstro::Calcola_ascensione_declinazione(
        principal.Azimut * mMate::kDegToRad, principal.Elevazione * mMate::kDegToRad,
        equatorial.hours, equatorial.minutes, equatorial.seconds, equatorial.degrees,
        equatorial.degreeMinutes, equatorial.sign);
    const PrincipalTexts texts =
        principalTexts(principal, Satelement[kPrincipalSlot], Impostazioni.Canale_selezionato[0],
                       equatorial, MDIForm1::Stato2Stringa(principal.Stato));

    if (auto* dataBar = loadedWindow<PrincipalDataBox>(windowNames::kFloating))
        dataBar->showPrincipalTexts(texts);
    drawSatellitesOnWorldMap(texts);
    drawSatellitesOnLocalSky(texts);
}

void TrackingTick::drawSatellitesOnWorldMap(const PrincipalTexts& texts)
{
    auto* map = loadedWindow<WorldMapWindow>(windowNames::kWorldMap);
    if (map == nullptr)
        return;
    for (int slot = kPrincipalSlot; slot <= Numero_satelliti; ++slot) {
        if (computedThisTick(slot))
            map->Disegna_satellite(slot);
    }
    if (m_host.menuItemChecked(kFootprintItem))
        map->Disegna_visibilita();
    map->showPrincipalTexts(texts);
}

void TrackingTick::drawSatellitesOnLocalSky(const PrincipalTexts& texts)
{
    auto* sky = loadedWindow<LocalSkyWindow>(windowNames::kLocalSky);
    if (sky == nullptr)
        return;
    const int last = m_host.menuItemChecked(kPrincipalOnlyItem) ? kPrincipalSlot : Numero_satelliti;
    for (int slot = kPrincipalSlot; slot <= last; ++slot) {
        if (computedThisTick(slot))
            sky->Disegna_satellite_in_cielo(slot);
    }
    sky->showPrincipalTexts(texts);
}

void TrackingTick::refreshTrackingTable()
{
    if (auto* table = loadedWindow<LiveTableWindow>(windowNames::kTrack))
        table->Aggiorna_dati();
}

void TrackingTick::writeStatusBarClock()
{
    const std::optional<QString> text =
        statusClockText(Impostazioni.Formato_ora, currentTimeState(), Osservatore.Ora_legale);
    if (text)
        m_host.showClockText(*text);
}

void TrackingTick::computeBodiesAndRefreshTables()
{
    mAstro::Calcola_sole();
    mAstro::Calcola_luna();
    mAstro::Calcola_pianeti();
    m_host.refreshTimeWindow();
    if (auto* planets = loadedWindow<LiveTableWindow>(windowNames::kPlanets))
        planets->Aggiorna_dati();
}

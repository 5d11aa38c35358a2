#include "mainwindow/TrackingTick.h"

#include "mainwindow/MDIForm1.h"
#include "tracking/ProgramClock.h"

#include "common/gates.h"
#include "common/options.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "core/mMate.h"

#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

bool principalLoaded()
{
    return !Satelement[kPrincipalSlot].Nome_satellite.empty();
}

} // namespace

TrackingTick::TrackingTick(TickHost& host, const ProgramClock& clock, TrackingModel& model)
    : m_host(host), m_clock(clock), m_model(model),
      m_failed(static_cast<std::size_t>(kLastSlot) + 1, false)
{
    pflgCentrale.setOnReleased([this] { holdEnded(); });
    pflgSatellite.setOnReleased([this] { holdEnded(); });
}

TrackingTick::~TrackingTick()
{
    pflgCentrale.setOnReleased({});
    pflgSatellite.setOnReleased({});
}

void TrackingTick::run()
{
    if (!pflgCentrale) {
        if (m_republishDue)
            republishStoppedClock();
        return;
    }
    advanceProgramClock();
    if (pflgSatellite)
        countTowardsFullRedraw();
    publishPresentInstant();
}

void TrackingTick::clockJumped()
{
    m_clockJumped = true;
    // On a running clock the next tick publishes the jump.
    if (!pflgCentrale.isEnabled())
        republishStoppedClock();
}

void TrackingTick::stateChanged()
{
    if (!pflgCentrale.isEnabled())
        republishStoppedClock();
}

void TrackingTick::republishStoppedClock()
{
    m_republishDue = true;
    // A computation holding a gate owns the slots or the time state meanwhile, and a change
    // told during a publication (a decayed satellite removed) is published after it.
    if (pflgCentrale.holdCount() > 0 || pflgSatellite.holdCount() > 0 || m_publishing)
        return;
    while (m_republishDue) {
        mAstro::Calcola_tempi(Data_attuale);
        publishPresentInstant();
    }
}

void TrackingTick::holdEnded()
{
    // The hold ends inside its holder's destructor, amid the computation's own clean-up: the
    // publication waits for the event loop, and is made only if still due then.
    if (!m_republishDue)
        return;
    QTimer::singleShot(0, &m_deferred, [this] {
        if (m_republishDue && !pflgCentrale.isEnabled())
            republishStoppedClock();
    });
}

void TrackingTick::publishPresentInstant()
{
    const QScopedValueRollback publishing(m_publishing, true);
    m_republishDue = false;
    TickSnapshot snapshot;
    if (pflgSatellite) {
        if (principalLoaded()) {
            if (!computeActiveSatellites())
                return;
            copySatellitesInto(snapshot);
            addPrincipalTexts(snapshot);
        }
        snapshot.satellitesUpdated = true;
    } else {
        keepLastSatellitesIn(snapshot);
    }
    computeBodies();
    snapshot.time = currentTimeState();
    snapshot.clockJumped = std::exchange(m_clockJumped, false);
    m_model.publishTick(std::move(snapshot));
}

void TrackingTick::advanceProgramClock()
{
    if (m_model.clockMode() == ClockMode::Real)
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
    m_model.announceWorldMapRedraw();
}

bool TrackingTick::computeActiveSatellites()
{
    for (int slot = kPrincipalSlot; slot <= Numero_satelliti && slot <= kLastActiveSlot; ++slot) {
        const mSat::Status status = mSat::Calcola_satellite(slot, mAstro::Data_giuliana);
        // Guard: one satellite that cannot be computed must not stop the others; it keeps
        // its previous state and is marked stale in this tick's snapshot. A position inside
        // the Earth is a decay like a perigee below the limit.
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

void TrackingTick::copySatellitesInto(TickSnapshot& snapshot) const
{
    const int last = std::min<int>(Numero_satelliti, kMaxActiveSatellites);
    snapshot.satellites.reserve(static_cast<std::size_t>(std::max(last, 0)));
    for (int slot = kPrincipalSlot; slot <= last; ++slot) {
        TrackedSatellite satellite;
        satellite.slot = slot;
        satellite.name = Satelement[slot].Nome_satellite;
        satellite.catalogueNumber = Satelement[slot].Numero_catalogo;
        satellite.state = Valori[slot];
        satellite.fresh = computedThisTick(slot);
        snapshot.satellites.push_back(std::move(satellite));
    }
}

void TrackingTick::addPrincipalTexts(TickSnapshot& snapshot) const
{
    if (!computedThisTick(kPrincipalSlot))
        return;
    const Posizione_satellite& principal = Valori[kPrincipalSlot];
    mAstro::SexagesimalEquatorial equatorial;
    mAstro::Calcola_ascensione_declinazione(
        principal.Azimut * mMate::kDegToRad, principal.Elevazione * mMate::kDegToRad,
        equatorial.hours, equatorial.minutes, equatorial.seconds, equatorial.degrees,
        equatorial.degreeMinutes, equatorial.sign);
    snapshot.principal =
        principalTexts(principal, Satelement[kPrincipalSlot], Impostazioni.Canale_selezionato[0],
                       equatorial, MDIForm1::Stato2Stringa(principal.Stato));
    snapshot.hasPrincipal = true;
}

void TrackingTick::keepLastSatellitesIn(TickSnapshot& snapshot) const
{
    snapshot.satellites = m_model.snapshot().satellites;
    for (TrackedSatellite& satellite : snapshot.satellites)
        satellite.fresh = false;
}

void TrackingTick::computeBodies()
{
    mAstro::Calcola_sole();
    mAstro::Calcola_luna();
    mAstro::Calcola_pianeti();
}

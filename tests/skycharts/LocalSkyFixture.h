#pragma once
// Test support of the sky charts: the installation's catalogues loaded once, an observer in
// Milan at a fixed night instant, the tracking model back at its start state, and a snapshot
// of real satellites (gpredict's catalogue) computed for that instant.

#include "support/TestFiles.h"

#include "common/catalogues.h"
#include "common/gates.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "common/sky_tracks.h"
#include "core/DateValue.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "database/ElementSetFixtures.h"
#include "tracking/ReferenceData.h"
#include "tracking/TrackingModel.h"

#include <QImage>

#include <gtest/gtest.h>

/// Milan, as the city list has it.
inline Dati_osservatore milan()
{
    Dati_osservatore observer;
    observer.Nome_localita = "Milano";
    observer.Latitudine_osservatore = 45.4642f;
    observer.Longitudine_osservatore = 9.19f;
    observer.Quota_osservatore = 120;
    observer.Fuso_orario = 1;
    return observer;
}

/// 15 January 2026, 21:30 local time in Milan: the Sun far below the horizon.
inline double nightInMilan()
{
    return DateValue::fromDateTime(2026, 1, 15, 21, 30, 0);
}

class LocalSkyTest : public ProgramStateTest
{
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
        Impostazioni.File_lingua = "English.ini";
        static const bool loaded = Carica_archivi().ok();
        ASSERT_TRUE(loaded);
        Osservatore = milan();
        m_savedClock = Data_attuale;
        Data_attuale = nightInMilan();
        mAstro::Calcola_tempi(Data_attuale);
        TrackingModel::instance().reset();
        pflgSatellite.setEnabled(true);
        pflgCentrale.setEnabled(true);
        Punti_transito.assign(1, Punto_traccia{});
        Etichette_transito.assign(1, Etichetta_traccia{});
    }

    void TearDown() override
    {
        TrackingModel::instance().reset();
        for (int slot = 1; slot <= kLastSlot; ++slot) {
            mSat::Azzera_Satelement(slot);
            mSat::Azzera_RigaDati(slot);
            mSat::Azzera_Valori(slot);
        }
        Numero_satelliti = 0;
        Data_attuale = m_savedClock;
        ProgramStateTest::TearDown();
    }

    /// Puts up to `count` satellites of gpredict's catalogue in the slots, the first one above
    /// the horizon as principal when there is one, and publishes the tick's snapshot. False
    /// when the catalogue is not installed.
    bool publishRealSatellites(int count)
    {
        const std::optional<std::vector<Record_TLE>> sets = gpredictSets();
        if (!sets)
            return false;
        std::vector<Record_TLE> chosen;
        for (const Record_TLE& set : *sets) {
            if (static_cast<int>(chosen.size()) >= count)
                break;
            if (mSat::Estrai_Dati_Satellite(kFirstScratchSlot, set.Riga0, set.Riga1, set.Riga2)
                != mSat::Status::Ok)
                continue;
            mSat::Calcola_satellite(kFirstScratchSlot, mAstro::Data_giuliana);
            // A low orbit above the horizon as principal: a pass track to draw.
            const bool above = Valori[kFirstScratchSlot].Elevazione > 10
                               && Valori[kFirstScratchSlot].Periodo < 7000;
            if (above && (chosen.empty() || !m_principalFound)) {
                chosen.insert(chosen.begin(), set);
                m_principalFound = true;
            } else {
                chosen.push_back(set);
            }
        }
        TickSnapshot snapshot;
        snapshot.time = currentTimeState();
        int slot = 0;
        for (const Record_TLE& set : chosen) {
            ++slot;
            (void)mSat::Estrai_Dati_Satellite(slot, set.Riga0, set.Riga1, set.Riga2);
            mSat::Calcola_satellite(slot, mAstro::Data_giuliana);
            TrackedSatellite tracked;
            tracked.slot = slot;
            tracked.name = Satelement[slot].Nome_satellite;
            tracked.catalogueNumber = Satelement[slot].Numero_catalogo;
            tracked.state = Valori[slot];
            tracked.fresh = true;
            snapshot.satellites.push_back(tracked);
        }
        Numero_satelliti = static_cast<std::int16_t>(slot);
        snapshot.hasPrincipal = slot > 0;
        if (snapshot.hasPrincipal) {
            const Posizione_satellite& p = Valori[kPrincipalSlot];
            constexpr double kRadiansPerDegree = 0.0174532925;
            snapshot.principal = principalTexts(
                p, Satelement[kPrincipalSlot], 1,
                mAstro::horizontalToEquatorial(p.Azimut * kRadiansPerDegree,
                                               p.Elevazione * kRadiansPerDegree,
                                               Osservatore.Latitudine_osservatore,
                                               mAstro::Tempo_siderale_locale),
                QStringLiteral("Eclipsed"));
        }
        TrackingModel::instance().publishTick(snapshot);
        return true;
    }

    /// A snapshot with one principal satellite at a given direction.
    static void publishPrincipalAt(double azimuthDeg, double elevationDeg)
    {
        TickSnapshot snapshot;
        TrackedSatellite principal;
        principal.slot = 1;
        principal.name = "Test";
        principal.state.Azimut = azimuthDeg;
        principal.state.Elevazione = elevationDeg;
        principal.state.Stato = 2;
        snapshot.satellites.push_back(principal);
        snapshot.hasPrincipal = true;
        TrackingModel::instance().publishTick(snapshot);
    }

    double m_savedClock = 0;
    bool m_principalFound = false;
};

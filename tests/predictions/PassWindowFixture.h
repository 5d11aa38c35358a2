#pragma once
// Test support of the pass-prediction window: empty slots and database, an observer near Milan
// on 11 January 2024 at 01:00 local time, the tick's gates open, a fresh window whose
// messages are collected, the listings it opens kept, and the program state as it was given
// back afterwards.

#include "predictions/frmVisibleSatellites.h"
#include "predictions/frmDetails.h"

#include "common/catalogues.h"
#include "common/element_databases.h"
#include "common/gates.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "support/TestFiles.h"
#include "tracking/TickTexts.h"

#include <QGuiApplication>

#include <memory>
#include <string>
#include <vector>

class PassWindowFixture : public ProgramStateTest
{
protected:
    struct Message
    {
        QMessageBox::Icon icon;
        QString text;
    };

    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        ProgramStateTest::SetUp();
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvanel"));
        writeTestFile(folderFile(QStringLiteral("English.ini")),
                      readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini")));
        Impostazioni.File_lingua = "English.ini";
        readStatusNames();
        for (int slot = 1; slot <= kLastSlot; ++slot) {
            RigaDati[slot] = {};
            Satelement[slot] = {};
        }
        Numero_satelliti = 0;
        Db_principale.assign(1, Record_TLE{});
        Tabella_magnitudini.assign(1, std::string());
        Osservatore.Latitudine_osservatore = 45.47f;
        Osservatore.Longitudine_osservatore = 9.19f;
        Osservatore.Quota_osservatore = 133.0f;
        Osservatore.Fuso_orario = 1.0f;
        Osservatore.Ora_legale = 0;
        // 2024-01-11 01:00 local: 0 h UT, just after the generated epochs.
        Data_attuale = 45302.0 + 1.0 / 24.0;
        pflgCentrale.setEnabled(true);
        pflgSatellite.setEnabled(true);
        window = std::make_unique<frmVisibleSatellites>();
        window->setMessageSink([this](QMessageBox::Icon icon, const QString& text) {
            messages.push_back({icon, text});
        });
        hooks.newListing = [this] {
            listings.push_back(std::make_unique<frmDetails>());
            return listings.back().get();
        };
    }

    void TearDown() override
    {
        window.reset();
        listings.clear();
        QLocale::setDefault(QLocale::c()); // the default every test program starts with
        RigaDati = m_lines;
        Satelement = m_elements;
        Numero_satelliti = m_count;
        Db_principale = m_primary;
        Tabella_magnitudini = m_magnitudes;
        Data_attuale = m_now;
        ProgramStateTest::TearDown();
    }

    std::unique_ptr<frmVisibleSatellites> window;
    std::vector<Message> messages;
    /// What a test gives the window to open listings and charts and to activate sets; the
    /// listings it opens are kept here.
    frmVisibleSatellites::ActionHooks hooks;
    std::vector<std::unique_ptr<frmDetails>> listings;

private:
    SlotArray<Record_TLE> m_lines = RigaDati;
    SlotArray<Elemento_satellite> m_elements = Satelement;
    std::int16_t m_count = Numero_satelliti;
    std::vector<Record_TLE> m_primary = Db_principale;
    std::vector<std::string> m_magnitudes = Tabella_magnitudini;
    double m_now = Data_attuale;
};

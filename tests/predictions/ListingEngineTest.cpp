// The listing engine against the orbit core: each coordinate system at known instants, the
// rows above the horizon, rows computed again on demand, a stop, and a second listing run
// while the first one yields.

#include "ListingTestSupport.h"
#include "support/RequiredData.h"

#include "core/ElementSet.h"
#include "core/mMate.h"
#include "predictions/EphemerisRows.h"
#include "predictions/ListingEngine.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr double kPrintedKmTolerance = 0.0005;   // "0.000" columns
constexpr double kPrintedDegTolerance = 0.005;   // "0.00" columns
constexpr double kPrintedTenthTolerance = 0.05;  // "0.0" columns
// RAD shows whole seconds of time and whole arc minutes, both cut.
constexpr double kSkyPositionToleranceDeg = 0.02;

Elemento_satellite parsed(const Record_TLE& set)
{
    const mSat::ParsedElementSet p = mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2,
                                                           Tabella_magnitudini, Tabella_frequenze);
    EXPECT_EQ(p.status, mSat::Status::Ok) << set.Riga0;
    return p.elements;
}

std::shared_ptr<const TrackSet> tracksOf(std::initializer_list<Record_TLE> sets)
{
    std::vector<SatelliteTrack> tracks;
    for (const Record_TLE& set : sets)
        tracks.emplace_back(parsed(set), Osservatore, Impostazioni);
    return std::make_shared<const TrackSet>(std::move(tracks));
}

QStringList fields(const QString& row)
{
    return row.split(u' ', Qt::SkipEmptyParts);
}

double field(const QString& row, int index)
{
    return fields(row).at(index).toDouble();
}

class ListingEngineTest : public ListingTest
{
protected:
    void SetUp() override
    {
        ListingTest::SetUp();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c()); // the default every test program starts with
        ListingTest::TearDown();
    }
    const double m_start = DateValue::fromDateTime(2024, 1, 1, 13, 0, 0);
    const double m_end = DateValue::fromDateTime(2024, 1, 2, 13, 0, 0);
};

TEST_F(ListingEngineTest, EveryCoordinateSystemShowsTheCoresStateOfEachInstant)
{
    const std::optional<std::vector<Record_TLE>> str3 = str3Sets();
    if (!str3)
        SKIP_OR_FAIL_WITHOUT_DATA("Spacetrack Report No. 3 sets not found");
    for (const Record_TLE& set : *str3) {
        const double epochStart = DateValue::fromDateTime(1980, 10, 3, 0, 0, 0);
        const auto tracks = tracksOf({set});
        const ListingGrid grid = *fixedStepGrid(epochStart, DateValue::addHours(epochStart, 24), 21600);
        const ListingRows rows = runListing(*tracks, grid, {}, {});
        ASSERT_EQ(rows.end, ListingEnd::Completed) << set.Riga0;
        const SampleCache cache(tracks, rows);
        const ListingTexts texts = ListingTexts::load({});
        const Elemento_satellite elements = parsed(set);
        const mSat::SatellitePropagator propagator(mSat::toPropagationElements(elements),
                                                   mSat::propagatorModel(Impostazioni.Propagatore));
        for (std::int64_t row = 0; row < cache.rowCount(); ++row) {
            const SatelliteSample& s = cache.samples(row).of[0];
            const double date = cache.rowDate(row);
            SCOPED_TRACE(set.Riga0 + " row " + std::to_string(row));
            // The inertial state is the propagator's at the row's own instant.
            const double tsince = (mAstro::timeStateAt(date, Osservatore).Data_giuliana
                                   - elements.Epoca_giuliana) * 1440.0;
            const mSat::PropagationResult direct = propagator.propagate(tsince);
            ASSERT_EQ(direct.status, mSat::Status::Ok);
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(s.eci.positionKm[k], direct.state.positionKm[k], 1e-9);

            const QString eci = ephemerisRow(CoordinateSystem::Eci, date, s, Osservatore, texts, QLocale());
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(field(eci, 4 + k), s.eci.positionKm[k], kPrintedKmTolerance) << eci.toStdString();
                EXPECT_NEAR(field(eci, 8 + k), s.eci.velocityKmS[k], kPrintedKmTolerance);
            }
            const QString obs = ephemerisRow(CoordinateSystem::Obs, date, s, Osservatore, texts, QLocale());
            EXPECT_NEAR(field(obs, 4), s.valori.Elevazione, kPrintedDegTolerance) << obs.toStdString();
            EXPECT_NEAR(field(obs, 5), s.valori.Azimut, kPrintedDegTolerance);
            EXPECT_NEAR(field(obs, 6), s.valori.Distanza, kPrintedTenthTolerance);
            EXPECT_NEAR(field(obs, 7), s.valori.Quota, kPrintedTenthTolerance);
            const QString lla = ephemerisRow(CoordinateSystem::Lla, date, s, Osservatore, texts, QLocale());
            EXPECT_NEAR(field(lla, 4), s.valori.Latitudine_proiezione, kPrintedDegTolerance);
            EXPECT_NEAR(field(lla, 5), s.valori.Longitudine_est, kPrintedDegTolerance);

            // The right ascension and declination shown point back at the azimuth and elevation.
            const SkyPositionText sky = skyPosition(s, Osservatore, QLocale());
            const mAstro::HorizontalPosition back = mAstro::equatorialToHorizontal(
                sky.rightAscensionHours, sky.declinationDeg, Osservatore.Latitudine_osservatore,
                s.time.Tempo_siderale_locale);
            EXPECT_NEAR(back.altitudeDeg, s.valori.Elevazione, kSkyPositionToleranceDeg);
            const double azimuthError = std::remainder(back.azimuthDeg - s.valori.Azimut, 360.0);
            EXPECT_NEAR(azimuthError * std::cos(s.valori.Elevazione * mMate::kDegToRad), 0.0,
                        kSkyPositionToleranceDeg);
            const QString rad = ephemerisRow(CoordinateSystem::Rad, date, s, Osservatore, texts, QLocale());
            EXPECT_EQ(fields(rad).at(4), sky.rightAscension);
            EXPECT_EQ(fields(rad).at(5), sky.declination);
        }
    }
}

TEST_F(ListingEngineTest, ObserverRowsAboveTheHorizonAreExactlyTheRisenInstants)
{
    const auto tracks = tracksOf({kIssSet});
    const ListingGrid grid = *fixedStepGrid(m_start, m_end, 60);
    const ListingRows all = runListing(*tracks, grid, {}, {});
    const ListingRows risen = runListing(
        *tracks, grid, [](const ListingSamples& s) { return s.of[0].valori.Elevazione > 0; }, {});
    const SampleCache allRows(tracks, all);
    std::vector<std::uint32_t> expected;
    for (std::int64_t k = 0; k < allRows.rowCount(); ++k) {
        if (allRows.samples(k).of[0].valori.Elevazione > 0)
            expected.push_back(static_cast<std::uint32_t>(k));
    }
    ASSERT_FALSE(expected.empty()) << "the station passes over Milan within a day";
    EXPECT_LT(expected.size(), static_cast<std::size_t>(all.rowCount()));
    EXPECT_EQ(risen.keptInstants, expected);
}

TEST_F(ListingEngineTest, RowsComputedAgainMatchTheRunAcrossBlocks)
{
    const auto tracks = tracksOf({kIssSet});
    const ListingGrid grid = *fixedStepGrid(m_start, DateValue::addMinutes(m_start, 300), 10);
    std::vector<SatelliteSample> sequential;
    const ListingRows rows = runListing(*tracks, grid, {}, {});
    const SampleCache cache(tracks, rows);
    ASSERT_EQ(cache.rowCount(), 1801);
    std::optional<SatelliteSample> previous;
    for (std::int64_t k = 0; k < grid.rowCount; ++k) {
        previous = tracks->track(0).at(grid.rowDate(k), previous ? &*previous : nullptr);
        sequential.push_back(*previous);
    }
    // Read backwards, so every block is made again out of order.
    for (std::int64_t k = cache.rowCount() - 1; k >= 0; --k) {
        const SatelliteSample& s = cache.samples(k).of[0];
        const SatelliteSample& expected = sequential[static_cast<std::size_t>(k)];
        ASSERT_EQ(s.valori.Elevazione, expected.valori.Elevazione) << "row " << k;
        ASSERT_EQ(s.eci.positionKm, expected.eci.positionKm) << "row " << k;
        ASSERT_EQ(s.sunElevationDeg, expected.sunElevationDeg) << "row " << k;
    }
}

TEST_F(ListingEngineTest, StopKeepsTheRowsMadeBeforeIt)
{
    const auto tracks = tracksOf({kIssSet});
    const ListingGrid grid = *fixedStepGrid(m_start, m_end, 60);
    const ListingRows rows =
        runListing(*tracks, grid, {}, [](std::int64_t done) { return done < 25; });
    EXPECT_EQ(rows.end, ListingEnd::Stopped);
    EXPECT_EQ(rows.rowCount(), 25);
}

TEST_F(ListingEngineTest, SecondListingDuringARunLeavesTheFirstSatelliteAlone)
{
    const auto first = tracksOf({kIssSet});
    const ListingGrid grid = *fixedStepGrid(m_start, DateValue::addMinutes(m_start, 90), 30);
    const ListingRows clean = runListing(*first, grid, {}, {});
    const SampleCache expected(first, clean);

    // While the first listing yields, another satellite is listed and the scratch slots, the
    // observer and the options change under it.
    Record_TLE other = makeSet("OTHER", "40000");
    other.Riga2 = withColumns(other.Riga2, 53, "14.00000000");
    const ListingRows interrupted = runListing(*first, grid, {}, [&](std::int64_t done) {
        if (done == 10) {
            const auto second = tracksOf({other});
            EXPECT_EQ(runListing(*second, grid, {}, {}).end, ListingEnd::Completed);
            EXPECT_EQ(mSat::Estrai_Dati_Satellite(201, other.Riga0, other.Riga1, other.Riga2),
                      mSat::Status::Ok);
            Osservatore.Latitudine_osservatore = -33.9f;
            Impostazioni.Propagatore = 0;
        }
        return true;
    });
    const SampleCache cache(first, interrupted);
    ASSERT_EQ(cache.rowCount(), expected.rowCount());
    for (std::int64_t k = 0; k < cache.rowCount(); ++k) {
        ASSERT_EQ(cache.samples(k).of[0].valori.Azimut, expected.samples(k).of[0].valori.Azimut)
            << "row " << k;
        ASSERT_EQ(cache.samples(k).of[0].eci.positionKm, expected.samples(k).of[0].eci.positionKm);
    }
}

TEST_F(ListingEngineTest, DecayEndsTheListingWithTheFirstRowBelowTheDecayHeight)
{
    // A low orbit under heavy drag comes down within the hour.
    Record_TLE set = kIssSet;
    set.Riga1 = withColumns(set.Riga1, 54, " 30000-1");
    set.Riga2 = withColumns(set.Riga2, 53, "16.40000000");
    const auto tracks = tracksOf({set});
    const ListingGrid grid = *fixedStepGrid(m_start, DateValue::addDays(m_start, 1), 60);
    const SampleCache cache(tracks, runListing(*tracks, grid, {}, {}));
    ASSERT_EQ(cache.rows().end, ListingEnd::Decayed);
    ASSERT_GT(cache.rowCount(), 1);
    EXPECT_LT(cache.samples(cache.rowCount() - 1).of[0].valori.Quota, kDecayHeightKm);
    for (std::int64_t k = 0; k + 1 < cache.rowCount(); ++k)
        ASSERT_GE(cache.samples(k).of[0].valori.Quota, kDecayHeightKm) << "row " << k;
}

} // namespace

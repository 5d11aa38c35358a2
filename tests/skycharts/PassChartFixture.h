#pragma once
// Test support of the pass charts: a pass of a satellite found with the pass-search engine
// for the observer of the sky-chart tests, turned into the request the pass list hands over.

#include "LocalSkyFixture.h"

#include "database/ElementSetFixtures.h"

#include "predictions/PassFormat.h"
#include "predictions/engine/PassSearchEngine.h"
#include "skycharts/PassChartRequest.h"

#include <optional>

/// The first pass of `set` above `minimumElevationDeg` within two days of `startJd` (UT) for
/// the shared observer, as a chart request (the sky drawn at the culmination); nothing when
/// no pass is found. `accept` may refuse passes.
inline std::optional<skycharts::PassChartRequest>
passRequest(const Record_TLE& set, double startJd, double minimumElevationDeg = 10,
            const std::function<bool(const passes::PassRow&)>& accept = {})
{
    passes::PassSearchRequest search;
    search.satellites.push_back({1, set, std::nullopt});
    search.startJd = startJd;
    search.endJd = startJd + 2;
    search.filters.minimumElevationDeg = minimumElevationDeg;
    search.observer = Osservatore;
    search.options = Impostazioni;
    search.magnitudes = Tabella_magnitudini;
    const passes::SatelliteOutcome outcome = passes::searchSatellite(search.satellites[0], search);
    for (const passes::PassRow& row : outcome.rows) {
        if (accept && !accept(row))
            continue;
        const PassTexts texts = passTexts(row, Osservatore);
        return skycharts::passChartRequest(
            set, localDateOf(row.pass.acquisition.julianDate, Osservatore),
            localDateOf(row.pass.culmination.julianDate, Osservatore),
            localDateOf(row.pass.loss.julianDate, Osservatore),
            {texts.lines[0], texts.lines[1], texts.lines[2]});
    }
    return std::nullopt;
}

/// 2024-01-01 12:00 UT, the epoch of the test set of the space station.
inline constexpr double kIssEpochJd = 2460311.0;

class PassChartTest : public LocalSkyTest
{
protected:
    skycharts::PassChartRequest issPass()
    {
        const std::optional<skycharts::PassChartRequest> request = passRequest(kIssSet, kIssEpochJd);
        EXPECT_TRUE(request.has_value());
        return request.value_or(skycharts::PassChartRequest{});
    }
};

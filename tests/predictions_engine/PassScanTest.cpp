// The pass scan against synthetic elevation curves: one bell per orbit, as a satellite's
// elevation rises and falls once a revolution, whose rise, culmination and set are known in
// closed form.

#include "predictions/engine/PassScan.h"
#include "predictions/engine/PassSearchEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace passes;

constexpr double kStart = 2460000.5;              // a Julian date at 0 h UT
constexpr double kMinute = 1.0 / 1440.0;          // [days]
constexpr double kBaseline = -80.0;               // elevation far from any pass [degrees]
constexpr double kTimeTolerance = 1e-3 / 86400.0; // 1 ms, far inside the searches' tolerance

struct Bump
{
    double centreMin; ///< culmination, minutes after kStart
    double peakDeg;
    double widthMin; ///< Gaussian width [minutes]
    double azimuthDeg = 180;
    int status = kStatoIlluminato;
};

/// Elevation: the highest of the bells over the baseline.
SkySampler curve(std::vector<Bump> bumps)
{
    return [bumps](double t) -> std::optional<SkySample> {
        SkySample s;
        s.elevationDeg = kBaseline;
        s.status = kStatoEclisse;
        for (const Bump& b : bumps) {
            const double x = (t - kStart) / kMinute - b.centreMin;
            const double e =
                kBaseline + (b.peakDeg - kBaseline) * std::exp(-x * x / (b.widthMin * b.widthMin));
            if (e > s.elevationDeg) {
                s.elevationDeg = e;
                s.azimuthDeg = b.azimuthDeg;
                s.status = b.status;
            }
        }
        return s;
    };
}

/// Minutes from the centre of a bell to its crossing of `minimum`.
double halfCrossingMin(const Bump& b, double minimum)
{
    return b.widthMin * std::sqrt(std::log((b.peakDeg - kBaseline) / (minimum - kBaseline)));
}

ScanParameters span(double minutes, double minimum = 10.0, double stepMin = 24.0)
{
    ScanParameters p;
    p.startJd = kStart;
    p.endJd = kStart + minutes * kMinute;
    p.stepDays = stepMin * kMinute;
    p.periodDays = 4 * stepMin * kMinute;
    p.minimumElevationDeg = minimum;
    return p;
}

struct Expected
{
    double aosMin, culminationMin, losMin; ///< minutes after kStart
};

struct CurveCase
{
    std::string name;
    std::vector<Bump> bumps;
    double spanMin;
    std::vector<Expected> passes;
};

Expected inside(const Bump& b, double minimum = 10.0)
{
    const double h = halfCrossingMin(b, minimum);
    return {b.centreMin - h, b.centreMin, b.centreMin + h};
}

std::vector<CurveCase> curveCases()
{
    const Bump middle{300, 60, 12};
    const Bump falling{-2, 50, 12};  // culminated before the start, still above at it
    const Bump rising{3, 50, 12};    // above at the start, culminating after it
    const Bump pastEnd{598, 50, 12}; // rising at the end of a 600-minute span
    const Bump grazing{200, 10.3, 12};
    const Bump tooLow{400, 9.9, 12};
    // Two short passes 10 minutes apart inside one coarse step, on an orbit that peaks
    // below the minimum elevation.
    const Bump background{135, 0, 12};
    const Bump firstOfTwo{130, 40, 2};
    const Bump secondOfTwo{140, 30, 2};
    const std::vector<Bump> four{{100, 20, 12}, {200, 70, 12}, {300, 15, 12}, {400, 45, 12}};
    // Culminating 3 s before the coarse sample at 48 minutes: the sample still looks rising.
    const Bump peakBeforeSample{48 - 3.0 / 60.0, 50, 12};
    std::vector<CurveCase> cases{
        {"OnePass", {middle}, 600, {inside(middle)}},
        {"DescendingAtStart", {falling}, 600, {{0.0, 0.0, inside(falling).losMin}}},
        {"RisingAtStart", {rising}, 600, {{0.0, 3.0, inside(rising).losMin}}},
        {"RunningPastEnd", {pastEnd}, 600, {{inside(pastEnd).aosMin, 598, 600}}},
        {"GrazingFoundTooLowNot", {grazing, tooLow}, 600, {inside(grazing)}},
        {"TwoPassesInOneStep",
         {background, firstOfTwo, secondOfTwo},
         600,
         {inside(firstOfTwo), inside(secondOfTwo)}},
        {"PeakJustBeforeACoarseSample", {peakBeforeSample}, 600, {inside(peakBeforeSample)}},
        {"ManyPasses",
         four,
         600,
         {inside(four[0]), inside(four[1]), inside(four[2]), inside(four[3])}},
    };
    // Culminating within the slope step of an edge, where the slope test sees only the fall
    // after the start or only the rise before the end.
    for (const int seconds : {2, 4, 8}) {
        const double inset = seconds / 60.0;
        const Bump early{inset, 50, 12};
        const Bump late{600 - inset, 50, 12};
        const std::string after = std::to_string(seconds) + "sAfterStart";
        const std::string before = std::to_string(seconds) + "sBeforeEnd";
        cases.push_back({"Peak" + after, {early}, 600, {{0.0, inset, inside(early).losMin}}});
        cases.push_back({"Peak" + before, {late}, 600, {{inside(late).aosMin, 600 - inset, 600}}});
    }
    return cases;
}

class PassScanCurve : public ::testing::TestWithParam<CurveCase>
{
};

TEST_P(PassScanCurve, FindsEveryPassWithItsEvents)
{
    const CurveCase& c = GetParam();
    const ScanOutcome out = scanPasses(curve(c.bumps), span(c.spanMin));
    ASSERT_FALSE(out.computationFailed);
    ASSERT_EQ(out.passes.size(), c.passes.size()) << c.name;
    for (std::size_t i = 0; i < c.passes.size(); ++i) {
        const FoundPass& p = out.passes[i];
        const Expected& e = c.passes[i];
        EXPECT_NEAR(p.acquisition.julianDate, kStart + e.aosMin * kMinute, kTimeTolerance)
            << c.name << " pass " << i;
        EXPECT_NEAR(p.culmination.julianDate, kStart + e.culminationMin * kMinute, 1e-7)
            << c.name << " pass " << i;
        EXPECT_NEAR(p.loss.julianDate, kStart + e.losMin * kMinute, kTimeTolerance)
            << c.name << " pass " << i;
        EXPECT_LE(p.acquisition.julianDate, p.culmination.julianDate);
        EXPECT_LE(p.culmination.julianDate, p.loss.julianDate);
    }
}

INSTANTIATE_TEST_SUITE_P(Synthetic, PassScanCurve, ::testing::ValuesIn(curveCases()),
                         [](const auto& param) { return param.param.name; });

TEST(PassScan, DipAboveTheMinimumIsOnePass)
{
    // Two maxima with the elevation staying above the minimum between them.
    const std::vector<Bump> bumps{{100, 40, 30}, {130, 35, 30}};
    const ScanOutcome out = scanPasses(curve(bumps), span(600, 10.0, 24.0));
    ASSERT_EQ(out.passes.size(), 1u);
    EXPECT_NEAR(out.passes[0].culmination.julianDate, kStart + 100 * kMinute, 2 * kMinute);
}

TEST(PassScan, FailingComputationEndsTheScanKeepingEarlierPasses)
{
    const SkySampler good = curve({{100, 40, 12}, {400, 40, 12}});
    const SkySampler failing = [good](double t) -> std::optional<SkySample> {
        if (t > kStart + 250 * kMinute)
            return std::nullopt;
        return good(t);
    };
    const ScanOutcome out = scanPasses(failing, span(600));
    EXPECT_TRUE(out.computationFailed);
    ASSERT_EQ(out.passes.size(), 1u);
    EXPECT_NEAR(out.passes[0].culmination.julianDate, kStart + 100 * kMinute, 1e-7);
}

TEST(PassScan, CancelStopsAScanWithoutPasses)
{
    std::atomic<bool> cancel{false};
    int evaluations = 0;
    const SkySampler empty = [&](double) -> std::optional<SkySample> {
        if (++evaluations == 100)
            cancel = true;
        return SkySample{kBaseline, 0, kStatoEclisse, std::string(), 0, 1000};
    };
    // Thirty days at a one-minute step: a few hundred thousand evaluations without Cancel.
    const ScanOutcome out = scanPasses(empty, span(30 * 1440, 10.0, 1.0), &cancel);
    EXPECT_TRUE(out.cancelled);
    EXPECT_LT(evaluations, 110);
}

FoundPass passAt(double culminationMin, double azimuth, int status)
{
    FoundPass p;
    p.culmination.julianDate = kStart + culminationMin * kMinute;
    p.culmination.sky.azimuthDeg = azimuth;
    p.culmination.sky.status = status;
    p.acquisition.sky.status = kStatoEclisse;
    p.loss.sky.status = kStatoEclisse;
    return p;
}

struct FilterCase
{
    std::string name;
    FoundPass pass;
    PassFilters filters;
    bool kept;
};

std::vector<FilterCase> filterCases()
{
    PassFilters all;
    all.minimumElevationDeg = 0;
    PassFilters morningOnly = all;
    morningOnly.afternoon = false;
    PassFilters eveningOnly = all;
    eveningOnly.morning = false;
    PassFilters acrossNorth =
        all; // 300 .. 360 and nothing past north: the window is min < az < max
    acrossNorth.azimuthMinDeg = 300;
    acrossNorth.azimuthMaxDeg = 360;
    PassFilters visible = acrossNorth;
    visible.visibleOnly = true;
    PassFilters noFilter = acrossNorth;
    noFilter.applyAzimuth = false;
    // Observer at UT + 1 h: local noon is 11:00 UT, 660 minutes after kStart.
    return {
        {"NoonIsMorning", passAt(660, 90, kStatoIlluminato), morningOnly, true},
        {"NoonNotEvening", passAt(660, 90, kStatoIlluminato), eveningOnly, false},
        {"SecondAfterNoonIsEvening", passAt(660 + 1.0 / 60.0, 90, kStatoIlluminato), eveningOnly,
         true},
        {"MorningDroppedByEveningBox", passAt(100, 90, kStatoIlluminato), eveningOnly, false},
        {"InsideAzimuthWindow", passAt(100, 330, kStatoIlluminato), acrossNorth, true},
        {"AzimuthAtWindowEdgeDropped", passAt(100, 300, kStatoIlluminato), acrossNorth, false},
        {"OutsideAzimuthWindow", passAt(100, 10, kStatoIlluminato), acrossNorth, false},
        {"VisibleOutsideWindowKept", passAt(100, 10, kStatoVisibile), visible, true},
        {"NotVisibleDroppedWhenVisibleOnly", passAt(100, 330, kStatoIlluminato), visible, false},
        {"NoFilterIgnoresAzimuth", passAt(100, 0.0, kStatoIlluminato), noFilter, true},
    };
}

class PassFilter : public ::testing::TestWithParam<FilterCase>
{
};

TEST_P(PassFilter, KeepsWhatTheBoxesAskFor)
{
    const FilterCase& c = GetParam();
    Dati_osservatore observer;
    observer.Fuso_orario = 1;
    bool afternoon = false;
    EXPECT_EQ(keepPass(c.pass, c.filters, observer, afternoon), c.kept) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Filters, PassFilter, ::testing::ValuesIn(filterCases()),
                         [](const auto& param) { return param.param.name; });

} // namespace

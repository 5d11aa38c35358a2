// The revised SGP4 verification set (Vallado, Crawford, Hujsak & Kelso, "Revisiting
// Spacetrack Report #3", AIAA 2006-6753): SGP4-VER.TLE and its output tcppver.out, read
// from Debian's python3-sgp4. The program propagates with SGP4 near the Earth and SDP4 in
// deep space (option Propagatore 3) in the report's 1980 form. Near-Earth sets agree with
// the revised output to metres; deep-space sets differ where the revision changed the
// model (resonance integration, Lyddane choice, epoch sidereal time), from metres to
// thousands of kilometres, so each deep-space set has the tolerance it meets: a change that
// moves one of them further from the revised output fails.

#include "SatelliteTestData.h"
#include "support/RequiredData.h"

#include <gtest/gtest.h>

#include <cstring>

#include <iostream>

namespace {

using sattest::ReferenceState;

/// Near-Earth agreement with the revised output [km, km/s]. The report stops Kepler's
/// equation after a step of at most 1e-6 rad and keeps the sines of the iterate before
/// it, worth up to about 8 m at these orbits; the revision iterates to 1e-12 rad.
constexpr double kNearEarthPositionToleranceKm = 0.010;
constexpr double kNearEarthVelocityToleranceKmS = 1e-5;

/// What a deep-space set of the file meets against the revised output: the largest position
/// and velocity difference over its printed states [km, km/s] and the most states that may
/// fail. Measured with this propagator and rounded up by about a quarter; the sets within
/// 30 m differ by the Kepler stop and the epoch sidereal time only, the others where the
/// revision changed the model for that orbit.
struct DeepSpaceTolerance
{
    int index;          ///< position in SGP4-VER.TLE, from 1
    const char* satnum; ///< its catalogue number, to catch a reordered file
    double positionKm;
    double velocityKmS;
    int failures;
};

constexpr DeepSpaceTolerance kDeepSpaceTolerances[] = {
    // Within 30 m of the revised output.
    {4, "08195", 0.012, 2.8e-6, 0},  // 9.2 m
    {5, "09880", 0.015, 2.5e-6, 0},  // 11.3 m
    {7, "11801", 0.030, 4.9e-6, 0},  // 23.7 m
    {9, "16925", 0.0077, 2.4e-6, 0}, // 6.1 m
    {11, "21897", 0.028, 2.9e-6, 0}, // 22.3 m
    {13, "22674", 0.033, 8.4e-6, 0}, // 26.0 m
    {20, "26975", 0.024, 4.9e-6, 0}, // 18.9 m
    {22, "28129", 0.005, 1e-6, 0},   // 1.3 m
    {24, "28623", 0.018, 3.3e-6, 0}, // 13.9 m
    // Lyddane choice, low inclination and geosynchronous resonance: kilometres.
    {2, "04632", 9.7, 8.2e-4, 0},  // 7.70 km
    {6, "09998", 11, 9.1e-4, 0},   // 8.25 km
    {8, "14128", 2.2, 1.6e-4, 0},  // 1.69 km
    {14, "23177", 7.7, 1.7e-3, 0}, // 6.12 km
    {17, "24208", 1.2, 8.5e-5, 0}, // 0.92 km
    {18, "25954", 33, 2.4e-3, 0},  // 26.1 km
    {19, "26900", 25, 1.6e-3, 0},  // 19.9 km
    {25, "28626", 7.3, 5.2e-4, 0}, // 5.78 km
    {32, "33335", 8, 5.2e-4, 0},   // 6.38 km
    // The revision's resonance integration, Lyddane quadrant and Kepler fixes: the 1980 form
    // drifts by hundreds to thousands of kilometres over days, and set 15 fails from about
    // 200 minutes on, as the file's comment for it says.
    {10, "20413", 2400, 0.014, 0},    // 1878 km
    {15, "23333", 270, 0.033, 9},     // 216 km
    {16, "23599", 1500, 0.57, 0},     // 1128 km
    {30, "33333", 4400, 0.054, 0},    // 3468 km
    {31, "33334", 0.005, 1e-6, 1},    // fails at its one printed state
    {33, "20413", 33000, 2.4, 0},     // 26216 km over 70 states
};

const DeepSpaceTolerance* deepSpaceTolerance(int index)
{
    for (const DeepSpaceTolerance& t : kDeepSpaceTolerances) {
        if (t.index == index)
            return &t;
    }
    return nullptr;
}

struct VerificationCase
{
    int index = 0; ///< position in SGP4-VER.TLE, from 1; 0 when the data is missing
    std::string satnum;
    std::string line1, line2;
    std::vector<ReferenceState> expected;
};

void PrintTo(const VerificationCase& c, std::ostream* os)
{
    *os << "set " << c.index << " (" << c.satnum << ")";
}

std::vector<VerificationCase> loadVerificationCases()
{
    std::vector<VerificationCase> cases;
    const std::vector<std::string> tle =
        sattest::readLines(sattest::kVerificationFolder / "SGP4-VER.TLE");
    for (std::size_t i = 0; i + 1 < tle.size(); ++i) {
        if (tle[i].rfind("1 ", 0) != 0 || tle[i + 1].rfind("2 ", 0) != 0)
            continue;
        VerificationCase c;
        c.index = static_cast<int>(cases.size()) + 1;
        c.line1 = tle[i];
        c.line2 = tle[i + 1];
        c.satnum = tle[i].substr(2, 5);
        cases.push_back(c);
        ++i;
    }
    const std::vector<std::string> out =
        sattest::readLines(sattest::kVerificationFolder / "tcppver.out");
    int block = -1;
    for (const std::string& line : out) {
        if (line.find("xx") != std::string::npos) {
            ++block;
            continue;
        }
        if (block < 0 || block >= static_cast<int>(cases.size()))
            continue;
        std::istringstream row(line);
        ReferenceState s;
        if (row >> s.tsince >> s.positionKm[0] >> s.positionKm[1] >> s.positionKm[2] >>
            s.velocityKmS[0] >> s.velocityKmS[1] >> s.velocityKmS[2])
            cases[static_cast<std::size_t>(block)].expected.push_back(s);
    }
    if (cases.empty() || block + 1 != static_cast<int>(cases.size()))
        return {VerificationCase{}};
    return cases;
}

class VerificationSet : public ::testing::TestWithParam<VerificationCase>
{
};

TEST_P(VerificationSet, AgreesWithTheRevisedOutputWithinItsTolerance)
{
    const VerificationCase& c = GetParam();
    if (c.index == 0)
        SKIP_OR_FAIL_WITHOUT_DATA("verification set of python3-sgp4 not found in "
                                  << sattest::kVerificationFolder);
    const mSat::PropagationElements elements = sattest::propagationElements(c.line1, c.line2);
    const mSat::SatellitePropagator propagator(elements, mSat::PropagatorModel::Sgp4Sdp4);
    const bool deepSpace = propagator.runModel() == mSat::PropagatorModel::Sgp4Sdp4;

    double worstPositionKm = 0;
    double worstVelocityKmS = 0;
    int failures = 0;
    for (const ReferenceState& expected : c.expected) {
        const mSat::PropagationResult r = propagator.propagate(expected.tsince);
        if (r.status != mSat::Status::Ok) {
            ++failures;
            EXPECT_TRUE(deepSpace) << "near-Earth set failed at " << expected.tsince
                                   << " min: " << mSat::statusMessage(r.status);
            continue;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            ASSERT_TRUE(std::isfinite(r.state.positionKm[i]) &&
                        std::isfinite(r.state.velocityKmS[i]))
                << "state is not finite at " << expected.tsince << " min";
        }
        worstPositionKm =
            std::max(worstPositionKm, sattest::difference(r.state.positionKm, expected.positionKm));
        worstVelocityKmS = std::max(worstVelocityKmS,
                                    sattest::difference(r.state.velocityKmS, expected.velocityKmS));
    }
    std::cout << "[ revised  ] " << (deepSpace ? "SDP4 " : "SGP4 ") << c.satnum << ": "
              << c.expected.size() << " states, largest difference " << worstPositionKm
              << " km and " << worstVelocityKmS << " km/s, " << failures << " failures\n";
    if (!deepSpace) {
        EXPECT_LE(worstPositionKm, kNearEarthPositionToleranceKm);
        EXPECT_LE(worstVelocityKmS, kNearEarthVelocityToleranceKmS);
        return;
    }
    const DeepSpaceTolerance* tolerance = deepSpaceTolerance(c.index);
    ASSERT_NE(tolerance, nullptr) << "no tolerance for deep-space set " << c.index;
    EXPECT_EQ(c.satnum, tolerance->satnum);
    EXPECT_LE(worstPositionKm, tolerance->positionKm);
    EXPECT_LE(worstVelocityKmS, tolerance->velocityKmS);
    EXPECT_LE(failures, tolerance->failures);
}

TEST_P(VerificationSet, KeptPropagatorGivesTheBitsOfARestartFromTheEpoch)
{
    const VerificationCase& c = GetParam();
    if (c.index == 0)
        SKIP_OR_FAIL_WITHOUT_DATA("verification set of python3-sgp4 not found in "
                                  << sattest::kVerificationFolder);
    const mSat::PropagationElements elements = sattest::propagationElements(c.line1, c.line2);
    const mSat::SatellitePropagator kept(elements, mSat::PropagatorModel::Sgp4Sdp4);
    if (kept.runModel() != mSat::PropagatorModel::Sgp4Sdp4)
        GTEST_SKIP() << "near-Earth set";
    // Forward over a month in uneven steps, back inside a step, back past several steps,
    // across the epoch and forward again: the order a pass search and the tick ask in.
    std::vector<double> times;
    for (double t = 0; t <= 30 * 1440.0; t += 611.3)
        times.push_back(t);
    for (double t : {43000.0, 42999.9, 20000.0, 721.0, 719.0, -719.0, -5000.0, -1500.0, 0.0,
                     30 * 1440.0 + 0.5, 10.0})
        times.push_back(t);
    for (const double t : times) {
        const mSat::PropagationResult a = kept.propagate(t);
        const mSat::PropagationResult b = mSat::Propaga_sdp4(elements, t);
        ASSERT_EQ(a.status, b.status) << "at " << t << " min";
        ASSERT_EQ(std::memcmp(&a.state, &b.state, sizeof a.state), 0) << "at " << t << " min";
    }
}

std::string caseName(const ::testing::TestParamInfo<VerificationCase>& info)
{
    if (info.param.index == 0)
        return "DataMissing";
    return "Set" + std::to_string(info.param.index) + "_" + info.param.satnum;
}

INSTANTIATE_TEST_SUITE_P(Vallado2006, VerificationSet, ::testing::ValuesIn(loadVerificationCases()),
                         caseName);

} // namespace

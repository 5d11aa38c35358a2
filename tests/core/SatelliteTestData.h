#pragma once
// Loading the published propagator test data for the core tests: the Spacetrack Report
// No. 3 cases (../shared/testdata/str3) and the revised verification set of Vallado et
// al. 2006 as Debian's python3-sgp4 installs it. Neither is copied into the project.

#include "core/ElementSet.h"
#include "core/mSat.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace mSat {
/// Statuses print as their text in test failure messages.
inline void PrintTo(Status status, std::ostream* os)
{
    *os << statusMessage(status);
}
} // namespace mSat

namespace sattest {

/// The shared test data folder; the environment variable QUORVANEL_SHARED_TESTDATA
/// replaces the built-in path (for a checkout that does not sit beside the shared folder).
inline std::filesystem::path sharedTestData()
{
    const char* fromEnvironment = std::getenv("QUORVANEL_SHARED_TESTDATA");
    return fromEnvironment ? fromEnvironment : QUORVANEL_SHARED_TESTDATA;
}

inline const std::filesystem::path kStr3Folder = sharedTestData() / "str3";
inline const std::filesystem::path kVerificationFolder = "/usr/lib/python3/dist-packages/sgp4";

/// The lines of a text file, CR LF or LF, without their line ends.
inline std::vector<std::string> readLines(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// Elements of a set parsed without magnitude or frequency tables.
inline mSat::PropagationElements propagationElements(const std::string& line1,
                                                     const std::string& line2)
{
    static const std::vector<std::string> noMagnitudes(1);
    static const std::vector<Record_TLE> noFrequencies(1);
    const mSat::ParsedElementSet parsed =
        mSat::parseElementSet("TEST", line1, line2, noMagnitudes, noFrequencies);
    return mSat::toPropagationElements(parsed.elements);
}

/// One printed state: time since epoch [min], position [km], velocity [km/s].
struct ReferenceState
{
    double tsince = 0;
    std::array<double, 3> positionKm{};
    std::array<double, 3> velocityKmS{};
};

/// Distance between two positions [km] and between two velocities [km/s].
inline double difference(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < 3; ++i)
        sum += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum);
}

} // namespace sattest

#pragma once
// Element sets for the pass-search tests and benchmarks, in plain C++: the real catalogue of
// Debian's gpredict package (tests skip without it, and fail under CI=true: RequiredData.h),
// and a seeded generator of realistic sets (low orbits, navigation orbits, geostationary,
// transfer and Molniya orbits) written in the standard two-line columns.

#include "common/Record_TLE.h"
#include "support/FixedNumber.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace testsets {

inline constexpr const char* kGpredictCatalogue = "/usr/share/gpredict/data/satdata/satellites.dat";
/// The gpredict catalogue's element sets were taken around 2018 January 20: a Julian date
/// just after them (2018-01-21 0 h UT).
inline constexpr double kGpredictSearchStartJd = 2458139.5;

/// gpredict's satellites.dat: sections "[number]" with NAME, TLE1 and TLE2 keys.
inline std::optional<std::vector<Record_TLE>> gpredictSets()
{
    std::ifstream in(kGpredictCatalogue);
    if (!in)
        return std::nullopt;
    std::vector<Record_TLE> sets;
    Record_TLE current;
    const auto flush = [&] {
        if (!current.Riga0.empty() && !current.Riga1.empty() && !current.Riga2.empty())
            sets.push_back(current);
        current = Record_TLE{};
    };
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            flush();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "NAME")
            current.Riga0 = value;
        else if (key == "TLE1")
            current.Riga1 = value;
        else if (key == "TLE2")
            current.Riga2 = value;
    }
    flush();
    return sets;
}

enum class OrbitKind { Leo, Meo, Geo, Gto, Molniya };

struct GeneratedElements
{
    OrbitKind kind = OrbitKind::Leo;
    double inclinationDeg = 0, raanDeg = 0, eccentricity = 0, perigeeArgDeg = 0;
    double meanAnomalyDeg = 0, revsPerDay = 0, epochDay = 0;
    double bstar = 0;
};

/// The three lines of a set; epoch year 2024, `epochDay` day of year with fraction.
inline Record_TLE formatSet(int catalogue, const std::string& name, const GeneratedElements& e)
{
    // B* as the two-line form's assumed-decimal mantissa and exponent (" 12345-4" is 0.12345e-4).
    char bstar[32] = " 00000-0";
    if (e.bstar > 0) {
        int exponent = static_cast<int>(std::floor(std::log10(e.bstar))) + 1;
        const int mantissa =
            static_cast<int>(std::lround(e.bstar / std::pow(10.0, exponent) * 1e5));
        std::snprintf(bstar, sizeof bstar, " %05d-%d", std::min(mantissa, 99999), -exponent);
    }
    // The decimals go through fixedNumber: printf would write the locale's decimal mark.
    char l1[96];
    char l2[96];
    std::snprintf(l1, sizeof l1, "1 %05dU 24001A   24%s  .00001000  00000-0 %s 0  9990",
                  catalogue, fixedNumber(e.epochDay, 12, 8, '0').c_str(), bstar);
    std::snprintf(l2, sizeof l2, "2 %05d %s %s %07d %s %s %s%05d0", catalogue,
                  fixedNumber(e.inclinationDeg, 8, 4).c_str(), fixedNumber(e.raanDeg, 8, 4).c_str(),
                  static_cast<int>(std::lround(e.eccentricity * 1e7)),
                  fixedNumber(e.perigeeArgDeg, 8, 4).c_str(),
                  fixedNumber(e.meanAnomalyDeg, 8, 4).c_str(),
                  fixedNumber(e.revsPerDay, 11, 8).c_str(), 1000);
    return Record_TLE{name, l1, l2};
}

/// A Julian date shortly after the generated epochs (2024-01-11 0 h UT).
inline constexpr double kGeneratedSearchStartJd = 2460320.5;

/// `count` sets from `seed`: 70 % low orbits, 8 % navigation, 10 % geostationary, 7 %
/// transfer and 5 % Molniya orbits, epochs up to ten days before kGeneratedSearchStartJd.
inline std::vector<Record_TLE> generatedSets(int count, std::uint64_t seed = 20240111)
{
    std::mt19937_64 random(seed);
    const auto uniform = [&random](double lo, double hi) {
        const double u = static_cast<double>(random() >> 11) * 0x1.0p-53;
        return lo + (hi - lo) * u;
    };
    std::vector<Record_TLE> sets;
    sets.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        GeneratedElements e;
        const double pick = uniform(0, 1);
        e.raanDeg = uniform(0, 360);
        e.perigeeArgDeg = uniform(0, 360);
        e.meanAnomalyDeg = uniform(0, 360);
        e.epochDay = uniform(1.0, 10.9);
        std::string prefix;
        if (pick < 0.70) {
            e.kind = OrbitKind::Leo;
            // Perigees above about 300 km, so no set decays within weeks of its epoch.
            e.revsPerDay = uniform(14.0, 15.8);
            e.eccentricity = uniform(0.0001, 0.01);
            e.inclinationDeg = uniform(0, 100);
            e.bstar = uniform(1e-5, 2e-4);
            prefix = "LEO ";
        } else if (pick < 0.78) {
            e.kind = OrbitKind::Meo;
            e.revsPerDay = uniform(1.7, 2.3);
            e.eccentricity = uniform(0.001, 0.02);
            e.inclinationDeg = uniform(50, 65);
            prefix = "MEO ";
        } else if (pick < 0.88) {
            e.kind = OrbitKind::Geo;
            e.revsPerDay = uniform(1.0022, 1.0032);
            e.eccentricity = uniform(0.0001, 0.001);
            e.inclinationDeg = uniform(0, 5);
            prefix = "GEO ";
        } else if (pick < 0.95) {
            e.kind = OrbitKind::Gto;
            e.revsPerDay = uniform(2.2, 2.3);
            e.eccentricity = uniform(0.69, 0.72);
            e.inclinationDeg = uniform(6, 28);
            prefix = "GTO ";
        } else {
            e.kind = OrbitKind::Molniya;
            e.revsPerDay = uniform(2.005, 2.01);
            e.eccentricity = uniform(0.68, 0.74);
            e.inclinationDeg = uniform(62.8, 63.6);
            e.perigeeArgDeg = uniform(250, 290);
            prefix = "MOLNIYA ";
        }
        sets.push_back(formatSet(k, prefix + std::to_string(k), e));
    }
    return sets;
}

} // namespace testsets

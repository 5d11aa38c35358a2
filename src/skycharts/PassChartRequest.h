#pragma once
// What a pass chart is opened with: its own copy of the satellite (element lines and parsed
// record) and of the pass (rise, culmination and set, and the pass list's three lines). The
// chart keeps the copy for its whole life, so nothing that happens to the program's slots
// later (another search, another chart) changes the satellite it shows or prints.

#include "common/Elemento_satellite.h"
#include "common/Record_TLE.h"

#include <QString>

#include <array>
#include <string>
#include <string_view>

namespace skycharts {

struct PassChartRequest
{
    Record_TLE elementLines;    ///< the satellite's three lines
    Elemento_satellite satellite; ///< parsed from them
    double chartTime = 0;       ///< local date value of the sky drawn
    double riseTime = 0;        ///< local date value of the rise
    double culminationTime = 0; ///< local date value of the culmination
    double setTime = 0;         ///< local date value of the set
    /// The pass list's lines of the rise, the culmination and the set (for the printout).
    std::array<QString, 3> passLines;
};

/// A request for a pass of the satellite of `lines`: the lines are parsed with the program's
/// magnitude and frequency tables; the sky is drawn at the culmination.
[[nodiscard]] PassChartRequest passChartRequest(const Record_TLE& lines, double riseLocal,
                                                double culminationLocal, double setLocal,
                                                const std::array<QString, 3>& passLines);

/// The international designator of an element set: columns 10 to 17 of line 1, trimmed.
[[nodiscard]] std::string internationalDesignator(std::string_view line1);

} // namespace skycharts

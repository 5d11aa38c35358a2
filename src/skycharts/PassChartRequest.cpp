#include "skycharts/PassChartRequest.h"

#include "common/catalogues.h"
#include "core/ElementSet.h"

namespace skycharts {

PassChartRequest passChartRequest(const Record_TLE& lines, double riseLocal,
                                  double culminationLocal, double setLocal,
                                  const std::array<QString, 3>& passLines)
{
    PassChartRequest request;
    request.elementLines = lines;
    request.satellite = mSat::parseElementSet(lines.Riga0, lines.Riga1, lines.Riga2,
                                              Tabella_magnitudini, Tabella_frequenze)
                            .elements;
    request.chartTime = culminationLocal;
    request.riseTime = riseLocal;
    request.culminationTime = culminationLocal;
    request.setTime = setLocal;
    request.passLines = passLines;
    return request;
}

std::string internationalDesignator(std::string_view line1)
{
    // Columns 10 to 17 (1-based): launch year, launch number and piece.
    constexpr std::size_t kFirst = 9;
    constexpr std::size_t kLength = 8;
    if (line1.size() <= kFirst)
        return {};
    constexpr std::string_view kBlanks = " \t\r\n";
    std::string_view field = line1.substr(kFirst, kLength);
    const auto first = field.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = field.find_last_not_of(kBlanks);
    return std::string(field.substr(first, last - first + 1));
}

} // namespace skycharts

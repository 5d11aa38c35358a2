// Three element-set lines as the pass list hands them to a pass chart: the chart's request and
// the designator of its printout, then, for an accepted set, the chart's track over a pass
// near the epoch drawn in one projection and placed again in another, and a press on it.
// After the lines (as ElementLinesFuzz takes them) the input gives the propagation model,
// the projections, where the pass lies and how long it lasts, and the press.

#include "FuzzSupport.h"

#include "common/catalogues.h"
#include "common/options.h"
#include "core/DateValue.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "skycharts/PassChartRequest.h"
#include "skycharts/PassChartTrack.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void checkDesignator(std::string_view line1)
{
    const std::string designator = skycharts::internationalDesignator(line1);
    // Columns 10 to 17 at most, without the blanks around them.
    require(designator.size() <= 8);
    require(designator.empty() || line1.substr(9, 8).find(designator) != std::string_view::npos);
    require(designator.empty() || (!isBlank(designator.front()) && !isBlank(designator.back())));
}

skycharts::SkyProjection projectionOf(std::uint8_t choice)
{
    return {choice & 1 ? skycharts::SkyProjectionForm::Stereographic
                       : skycharts::SkyProjectionForm::Normal,
            static_cast<skycharts::SkyOrientation>((choice >> 1) & 3)};
}

void checkTrack(const skycharts::PassChartRequest& request, FuzzInput& input)
{
    Opzioni options = Impostazioni;
    options.Propagatore = static_cast<std::int16_t>(input.byte() & 3);
    const std::uint8_t projections = input.byte();
    // The pass lies within about three months of the epoch and lasts up to about 13 hours;
    // a set before the rise is taken as the pass list could never give it.
    const std::uint8_t low = input.byte();
    const auto offsetMinutes = static_cast<std::int16_t>(low | input.byte() << 8);
    const auto lengthMinutes = static_cast<std::int8_t>(input.byte());
    const double epochLocal =
        DateValue::addMinutes(mAstro::utDateFromJulian(request.satellite.Epoca_giuliana),
                              mAstro::zoneOffsetMinutes(Osservatore));
    const double rise = DateValue::addSeconds(
        DateValue::addMinutes(epochLocal, 4.0 * offsetMinutes), input.byte());
    const double set = DateValue::addMinutes(rise, 6.0 * lengthMinutes);

    const double start = skycharts::passTrackStart(rise);
    const double lead = (DateValue::toLinearDays(rise) - DateValue::toLinearDays(start))
        * DateValue::kSecondsPerDay;
    require(lead > 13.5 && lead < 31.5);

    skycharts::PassTrack track = skycharts::computePassTrack(
        rise, set, skycharts::satelliteSampler(request.satellite, Osservatore, options),
        projectionOf(projections), skycharts::sampleDateTimeText);
    require(!track.points.empty());
    require(static_cast<int>(track.points.size()) <= skycharts::kMaxPassTrackPoints + 1);
    for (std::size_t i = 1; i < track.points.size(); ++i)
        require(!track.points[i].Ora.empty());

    skycharts::projectPassTrack(track, projectionOf(projections >> 3));
    const auto x = static_cast<float>(static_cast<std::int8_t>(input.byte()));
    const auto y = static_cast<float>(static_cast<std::int8_t>(input.byte()));
    const int picked = skycharts::pickPassTrackPoint(track.points, x, y);
    require(picked >= 0 && picked < static_cast<int>(track.points.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    Record_TLE lines;
    lines.Riga0 = input.text();
    lines.Riga1 = input.text();
    lines.Riga2 = input.text();
    checkDesignator(lines.Riga1);

    const std::array<QString, 3> passLines{QStringLiteral("rise"), QStringLiteral("culmination"),
                                           QStringLiteral("set")};
    const skycharts::PassChartRequest request =
        skycharts::passChartRequest(lines, 1.0, 2.0, 3.0, passLines);
    require(request.elementLines.Riga1 == lines.Riga1 && request.chartTime == 2.0);

    // A pass list only holds sets that were accepted.
    const mSat::Status status = mSat::parseElementSet(lines.Riga0, lines.Riga1, lines.Riga2,
                                                      Tabella_magnitudini, Tabella_frequenze)
                                    .status;
    if (status == mSat::Status::Ok)
        checkTrack(request, input);
    return 0;
}

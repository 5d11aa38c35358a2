#include "skycharts/PassChartTrack.h"

#include "skycharts/SkyChartGeometry.h"
#include "skycharts/TransitTrack.h"

#include "core/DateValue.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "tracking/ProgramClock.h"

#include <QLocale>

#include <cmath>

namespace skycharts {

namespace {

constexpr double kLeadSeconds = 15;

/// A date value on the continuous scale in whole seconds.
double wholeSeconds(double date)
{
    return std::round(DateValue::toLinearDays(date) * DateValue::kSecondsPerDay);
}

} // namespace

double passTrackStart(double riseLocal)
{
    const double t = wholeSeconds(riseLocal) - kLeadSeconds;
    const int s = static_cast<int>(t - 60.0 * std::floor(t / 60.0));
    int back = 0;
    if (s <= 15)
        back = s;
    else if (s <= 30)
        back = s - 15;
    else if (s <= 45)
        back = s - 30;
    else
        back = s - 45;
    return DateValue::fromLinearDays((t - back) / DateValue::kSecondsPerDay);
}

long minuteBoundaries(double from, double to)
{
    return static_cast<long>(std::floor(wholeSeconds(to) / 60.0)
                             - std::floor(wholeSeconds(from) / 60.0));
}

int passTrackStepSeconds(long spanMinutes)
{
    if (spanMinutes >= 720)
        return 180;
    if (spanMinutes < 10)
        return 15;
    if (spanMinutes < 20)
        return 30;
    if (spanMinutes < 60)
        return 60;
    return 120;
}

PassSampler satelliteSampler(const Elemento_satellite& satellite,
                             const Dati_osservatore& observer, const Opzioni& options)
{
    // One propagator initialisation for the whole track.
    const mSat::SatellitePropagator propagator(
        mSat::toPropagationElements(satellite),
        mSat::propagatorModel(options.Propagatore));
    return [propagator, satellite, observer, options, previous = Posizione_satellite{},
            sunElevation = 0.0](double localDate) mutable -> std::optional<Posizione_satellite> {
        const double julianDate = mAstro::timeStateAt(localDate, observer).Data_giuliana;
        const mSat::ObservingResult result = mSat::observingState(
            propagator, satellite, observer, options, julianDate, previous, sunElevation);
        if (result.status != mSat::Status::Ok)
            return std::nullopt;
        previous = result.valori;
        sunElevation = result.sunElevationDeg;
        return result.valori;
    };
}

PassTrack computePassTrack(double riseLocal, double setLocal, const PassSampler& sample,
                           const SkyProjection& projection, const SampleTimeText& timeText)
{
    PassTrack track;
    if (const std::optional<Posizione_satellite> rise = sample(riseLocal))
        track.rise = HorizontalDirection{rise->Azimut, rise->Elevazione};
    double t = passTrackStart(riseLocal);
    const int step = passTrackStepSeconds(minuteBoundaries(t, setLocal));
    const double end = DateValue::toLinearDays(setLocal);
    while (DateValue::toLinearDays(t) < end
           && static_cast<int>(track.points.size()) <= kMaxPassTrackPoints) {
        t = DateValue::addSeconds(t, step);
        const std::optional<Posizione_satellite> state = sample(t);
        if (!state)
            break;
        const ChartPoint at = projection.toChart(state->Azimut, state->Elevazione);
        Punto_traccia point;
        point.X_mappa = at.x;
        point.Y_mappa = at.y;
        point.Ora = timeText(t);
        point.Stato = static_cast<std::int16_t>(state->Stato);
        point.Magnitudine =
            state->Stato == kStatoEclisse ? std::string() : magnitudeText(state->Magnitudine);
        point.Azimut = state->Azimut;
        point.Elevazione = state->Elevazione;
        track.points.push_back(std::move(point));
    }
    return track;
}

void projectPassTrack(PassTrack& track, const SkyProjection& projection)
{
    for (std::size_t i = 1; i < track.points.size(); ++i) {
        Punto_traccia& point = track.points[i];
        const ChartPoint at = projection.toChart(point.Azimut, point.Elevazione);
        point.X_mappa = at.x;
        point.Y_mappa = at.y;
    }
}

int pickPassTrackPoint(const std::vector<Punto_traccia>& points, float x, float y)
{
    constexpr double kPickDistanceSquared = 10;
    constexpr float kChartEdge = 100;
    if (x <= -kChartEdge || x >= kChartEdge || y <= -kChartEdge || y >= kChartEdge)
        return 0;
    std::vector<ChartPoint> positions;
    positions.reserve(points.size());
    for (std::size_t i = 1; i < points.size(); ++i)
        positions.push_back({points[i].X_mappa, points[i].Y_mappa});
    const std::optional<NearestPoint> nearest = nearestPoint(positions, x, y);
    return nearest && nearest->distanceSquared < kPickDistanceSquared ? nearest->index : 0;
}

std::string sampleDateTimeText(double localDate)
{
    const QDateTime wallClock = wallClockOf(localDate);
    const QLocale locale;
    return (locale.toString(wallClock.date(), QLocale::ShortFormat) + u' '
            + wallClock.time().toString(QStringLiteral("HH:mm:ss")))
        .toStdString();
}

} // namespace skycharts

#include "skycharts/TransitTrack.h"

#include "skycharts/PassChartTrack.h"

#include "common/options.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "services/TextData.h"

#include <variant>

namespace {

const QColor kSunlit(255, 255, 0);
const QColor kEclipsed(255, 0, 0);

// Whole-second steps can fall a little short of the period: one sample more at most.
constexpr int kMaxTransitSamples = kTransitStepsPerPeriod + 1;

} // namespace

TransitTrackResult computePrincipalTransit(const TransitProjection& project)
{
    if (Satelement[kPrincipalSlot].Nome_satellite.empty())
        return {};
    const TransitSampler sampleAt =
        skycharts::satelliteSampler(Satelement[kPrincipalSlot], Osservatore, Impostazioni);
    const std::optional<Posizione_satellite> present = sampleAt(Data_attuale);
    if (!present)
        return {};
    TransitTrackResult track = computeTransitTrack(Data_attuale, present->Periodo,
                                                   project(present->Azimut, present->Elevazione),
                                                   sampleAt, project, skycharts::sampleDateTimeText);
    // The labels point into the track: a new track drops them.
    Punti_transito = track.points;
    Etichette_transito.assign(1, Etichetta_traccia{});
    return track;
}

std::string magnitudeText(const Magnitude& magnitude)
{
    if (const double* value = std::get_if<double>(&magnitude))
        return formatDataNumber(*value).toStdString();
    return std::get<std::string>(magnitude);
}

TransitTrackResult computeTransitTrack(double now, double periodSeconds, QPointF start,
                                       const TransitSampler& sample,
                                       const TransitProjection& project,
                                       const TransitTimeText& timeText)
{
    TransitTrackResult track;
    // Guard: a period too short for whole-second steps (or no number at all) would never
    // reach the end of the period.
    if (!(periodSeconds >= 2.0 * kTransitStepsPerPeriod))
        return track;
    const double step = periodSeconds / kTransitStepsPerPeriod;
    // Starting one step early puts the first sample on the present instant.
    double t = DateValue::addSeconds(now, -step);
    const double end = DateValue::addSeconds(t, periodSeconds);
    QPointF pen = start;
    while (DateValue::toLinearDays(t) < DateValue::toLinearDays(end) &&
           static_cast<int>(track.points.size()) <= kMaxTransitSamples) {
        t = DateValue::addSeconds(t, step);
        const std::optional<Posizione_satellite> sampled = sample(t);
        // Guard: an instant that cannot be computed would otherwise repeat the last point
        // under a new time.
        if (!sampled)
            continue;
        const Posizione_satellite& state = *sampled;
        const QPointF at = project(state.Azimut, state.Elevazione);
        const bool eclipsed = state.Stato == kStatoEclisse;
        const QColor colour = eclipsed ? kEclipsed : kSunlit;

        Punto_traccia point;
        point.X_mappa = static_cast<float>(at.x());
        point.Y_mappa = static_cast<float>(at.y());
        point.Ora = timeText(t);
        point.Magnitudine = eclipsed ? std::string() : magnitudeText(state.Magnitudine);
        point.Azimut = state.Azimut;
        point.Elevazione = state.Elevazione;

        if (state.Elevazione >= 0) {
            track.legs.push_back({pen, at, colour, true});
            track.points.push_back(point);
            pen = at;
            continue;
        }
        // The satellite has set: the track ends where this stretch meets the horizon.
        float x0 = static_cast<float>(pen.x());
        float y0 = static_cast<float>(pen.y());
        float x1 = point.X_mappa;
        float y1 = point.Y_mappa;
        mAstro::Intersezione_cerchio(x0, y0, x1, y1);
        track.legs.push_back({pen, QPointF(x1, y1), colour, false});
        Punto_traccia horizon;
        horizon.X_mappa = x1;
        horizon.Y_mappa = y1;
        track.points.push_back(horizon);
        break;
    }
    return track;
}

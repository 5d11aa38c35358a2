#pragma once
// The layer painters shared by the sky charts: each draws one layer of a chart onto a drawing
// surface (a picture box, an offscreen image, a printer page) whose user scale is the chart's
// view box, y upwards, and leaves the surface's pen and fill state as it found it. On a
// horizon chart the catalogues' objects stand at the chart's own SkyPositions
// (projectCatalogues); the catalogues themselves are only read.

#include "skycharts/SkyChartGeometry.h"

#include "common/catalogues.h"
#include "common/sky_tracks.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class DrawingSurface;

namespace skycharts {

[[nodiscard]] QColor toQColor(Rgb colour);

/// Saves the pen and fill state of a surface and puts it back when it goes.
class SurfaceState
{
public:
    explicit SurfaceState(DrawingSurface& surface);
    ~SurfaceState();
    SurfaceState(const SurfaceState&) = delete;
    SurfaceState& operator=(const SurfaceState&) = delete;

private:
    DrawingSurface& m_surface;
    QColor m_fore;
    QColor m_fill;
    int m_fillStyle;
    int m_drawStyle;
    int m_drawWidth;
    double m_fontSize;
};

/// The aspect factor that keeps a circle of chart units round in chart units: 1 for the
/// whole view, an ellipse on the device for a zoom box of other proportions.
[[nodiscard]] double chartCircleAspect(const DrawingSurface& surface);

/// A catalogue object's place on one horizon chart.
struct SkyPlace
{
    float azimuthDeg = 0;
    float altitudeDeg = 0;
    ChartPoint at; ///< [chart units]
};

/// Where one drawing of a horizon chart puts the catalogues' objects: one projection at the
/// time state of one Calcola_tempi. Each chart keeps its own, so a drawing of one chart never
/// moves what a click on another identifies.
struct SkyPositions
{
    std::vector<SkyPlace> stars{1};                ///< ranks 1..count (element 0 unused)
    std::vector<std::array<SkyPlace, 2>> lines{1}; ///< both ends of segments 1..646
    /// Chart positions of bodies 1..10 (element 0 unused); their azimuth and altitude are
    /// those of Corpi_celesti.
    std::array<ChartPoint, kBodyCount + 1> bodies{};
    /// False until the chart has projected anything: then it places nothing.
    bool projected = false;

    /// Chart position of star `rank`; nothing for a star not projected.
    [[nodiscard]] std::optional<ChartPoint> star(int rank) const;
    /// Chart position of body `index` (1..10).
    [[nodiscard]] ChartPoint body(int index) const;
};

/// The places of the first `starCount` stars, of both ends of every constellation segment and
/// of the ten bodies for `projection`, at the time state of the last Calcola_tempi (the bodies
/// as the Sun, Moon and planets routines last placed them). Reads the catalogues only.
[[nodiscard]] SkyPositions projectCatalogues(const SkyProjection& projection, int starCount);

/// The Moon's phase disc at (x, y) of radius r [surface units]: lit white, dark black, with a
/// black outline. Shared by the sky charts and the almanac.
void drawMoonPhase(DrawingSurface& surface, double x, double y, double radius,
                   double elongationRad, double aspect = 1.0);

/// The pass track's label text: the sample's time "hh:mm:ss", then, when it has a magnitude,
/// a blank, the lower-cased magnitude word and the magnitude with one decimal.
[[nodiscard]] QString trackLabelText(const Punto_traccia& point, const QString& magnitudeWord);

/// How a track's line is coloured and where it starts.
struct TrackLineStyle
{
    /// Which end of a leg gives its colour: the point it starts from (the local sky's
    /// principal track) or the point it reaches (a pass chart, whose points are samples).
    enum class LegColour { FromPoint, ToPoint } legColour = LegColour::FromPoint;
    /// A chart position the line starts from before point 1 (the rise of a pass); without
    /// one the line starts at point 1.
    std::optional<ChartPoint> start;
};

/// Where a painter places the catalogues' objects.
enum class SkyPlacement
{
    /// At the chart positions of a horizon projection (SkyPositions): what stands
    /// at or below the horizon is left out, and circles are round in chart units.
    Horizon,
    /// At right ascension [hours] and declination [degrees] on an equatorial chart: the whole
    /// sphere, constellation lines across 0 h drawn from both edges, circles round on the
    /// device with their radius in hours. The catalogues' chart positions are not used.
    Equatorial,
};

class SkyLayerPainter
{
public:
    /// A painter of a horizon chart whose catalogue layers put the objects at `positions`,
    /// which must outlive the painter; without them those layers draw nothing.
    SkyLayerPainter(DrawingSurface& surface, const SkyProjection& projection,
                    const SkyPositions* positions = nullptr);
    /// A painter of an equatorial chart (SkyPlacement::Equatorial) or, for Horizon, of the
    /// default projection.
    SkyLayerPainter(DrawingSurface& surface, SkyPlacement placement);

    /// The sky disc of the twilight stage (flat or as a gradient) with its grey rim, on black.
    void drawBackground(const SkyBackground& background, bool horizonEffect);
    /// The twelve azimuth labels at their fixed places.
    void drawAzimuthLabels(const QColor& colour);
    /// Altitude circles of 30 and 60 degrees (and 10 when asked) and two diameters.
    void drawAltAzimuthGrid(const QColor& colour, bool tenDegreeCircle);
    /// Hour circles and declination circles every 15 degrees, cut at the horizon; positions
    /// for the time state of the last Calcola_tempi.
    void drawEquatorialGrid(const QColor& colour);
    /// The equatorial chart's grid: hour lines every 4 h (none at 0 h) labelled along the
    /// view's top edge, declination lines every 30 degrees labelled along its left edge.
    void drawHourDeclinationGrid(const QColor& colour, const QColor& labelColour);
    void drawConstellationLines(const QColor& colour);
    /// Three-letter codes, or full names while zoomed; names at or above the horizon.
    void drawConstellationNames(const QColor& colour, bool fullNames);
    /// The first `count` stars above the horizon in their three screen classes.
    void drawStars(int count, double brightRadius);
    /// The Sun as a disc with rays; its label when `label` is not empty.
    void drawSun(double size, const QString& label);
    /// Planet `index` (1..7) as a filled disc; its label when `label` is not empty.
    void drawPlanet(int index, double size, const QColor& colour, const QString& label);
    void drawMoon(double radius, const QString& label);
    /// The pass track: each leg in the colour of the point it starts from (yellow sunlit,
    /// red eclipsed), a dot on every timed point, then the user's labels. A label whose
    /// index names no point of the track is left out.
    void drawPassTrack(const std::vector<Punto_traccia>& points,
                       const std::vector<Etichetta_traccia>& labels, const QString& magnitudeWord);
    /// The track's line alone (points 1..n, element 0 unused): legs yellow where the
    /// satellite is sunlit and red where it is eclipsed, a dot on every timed point.
    void drawTrackLine(const std::vector<Punto_traccia>& points, const TrackLineStyle& style);
    /// The user's labels on a track: a white line from the labelled point to the label and
    /// the point's time and magnitude there, `raise` chart units higher when the label lies
    /// above its point. Label positions are chart positions; a label whose index names no
    /// point of the track is left out.
    void drawTrackLabels(const std::vector<Punto_traccia>& points,
                         const std::vector<Etichetta_traccia>& labels,
                         const QString& magnitudeWord, double raise);

private:
    [[nodiscard]] bool equatorial() const { return m_placement == SkyPlacement::Equatorial; }
    /// Where a star (rank 1..) or a body (1..9) is drawn; nothing when it is not shown.
    [[nodiscard]] std::optional<ChartPoint> starPosition(int rank) const;
    [[nodiscard]] std::optional<ChartPoint> bodyPosition(int index) const;
    /// The aspect argument of a circle of the placement.
    [[nodiscard]] double circleAspect() const;
    /// Chart y units that look as long as one x unit, for shapes that must look round.
    [[nodiscard]] double roundYFactor() const;

    DrawingSurface& m_surface;
    SkyProjection m_projection;
    const SkyPositions* m_positions = nullptr;
    SkyPlacement m_placement = SkyPlacement::Horizon;
};

/// The sky background (black, the sky disc of a twilight stage and its rim) kept as a picture:
/// drawn anew only when the surface's size, view box, stage or gradient choice change, since
/// the gradient's many discs cost more than every other layer together.
class SkyBackgroundCache
{
public:
    void draw(DrawingSurface& surface, QSize deviceSize, const SkyProjection& projection,
              const SkyBackground& background, bool horizonEffect);

private:
    QImage m_image;
    ViewBox m_view;
    SkyBackground m_background;
    bool m_horizonEffect = false;
};

/// The landscape silhouette over a chart: the picture, pure green where the sky shows,
/// stretched over the square round the horizon circle and copied with that green as the
/// transparent key. Without a picture nothing is copied. The keyed rendering is kept while
/// the surface's size and view box stay the same.
class LandscapeOverlay
{
public:
    LandscapeOverlay() = default;
    explicit LandscapeOverlay(QImage picture) : m_picture(std::move(picture)) {}

    /// Loads the picture from a file; a missing or unreadable file leaves no picture.
    bool load(const QString& path);
    [[nodiscard]] bool hasPicture() const { return !m_picture.isNull(); }

    void draw(DrawingSurface& surface, QSize deviceSize);

private:
    QImage m_picture;
    QImage m_rendered;
    QSize m_renderedSize;
    ViewBox m_renderedView;
};

} // namespace skycharts

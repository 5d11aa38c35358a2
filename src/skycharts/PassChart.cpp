#include "skycharts/PassChart.h"

#include "skycharts/LocalSkyChart.h"

#include "common/catalogues.h"
#include "services/Colours.h"
#include "services/DrawingSurface.h"
#include "services/mLang.h"

#include <QPainter>

#include <cmath>
#include <map>

namespace skycharts {

namespace {

constexpr double kBrightStarRadius = 0.2;
constexpr int kIconPixels = 17;

/// The system's button-face grey of the azimuth labels.
const QColor kAzimuthLabelColour(212, 208, 200);

enum class IconKind { Ordinary, Station, Telescope };

QImage paintIcon(IconKind kind, int status)
{
    QImage icon(kIconPixels, kIconPixels, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QColor body;
    switch (status) {
    case kStatoVisibile:
        body = QColor(255, 255, 255);
        break;
    case kStatoIlluminato:
        body = QColor(0, 200, 255);
        break;
    default:
        body = QColor(130, 130, 130);
        break;
    }
    const QColor panel = body.darker(140);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    const double c = kIconPixels / 2.0;
    switch (kind) {
    case IconKind::Station:
        p.setBrush(panel);
        for (const double x : {1.0, 12.0})
            for (const double y : {2.0, 10.0})
                p.drawRect(QRectF(x, y, 4, 5));
        p.drawLine(QPointF(3, c), QPointF(14, c));
        p.setBrush(body);
        p.drawRect(QRectF(c - 2.5, c - 3.5, 5, 7));
        break;
    case IconKind::Telescope:
        p.setBrush(panel);
        p.drawRect(QRectF(1, c - 2, 4, 4));
        p.drawRect(QRectF(12, c - 2, 4, 4));
        p.setBrush(body);
        p.drawRoundedRect(QRectF(c - 3, 2, 6, 13), 2, 2);
        break;
    case IconKind::Ordinary:
        p.setBrush(panel);
        p.drawRect(QRectF(1, c - 2, 5, 4));
        p.drawRect(QRectF(11, c - 2, 5, 4));
        p.setBrush(body);
        p.drawRect(QRectF(c - 2.5, c - 2.5, 5, 5));
        break;
    }
    p.end();
    return icon;
}

} // namespace

SkyProjection passChartProjection(const PassChartDisplay& display)
{
    return projectionOfChoice(display.orientamento, display.proiezioneStereo);
}

QColor passChartGridColour(TwilightStage stage)
{
    switch (stage) {
    case TwilightStage::Day:
        return {140, 140, 140};
    case TwilightStage::CivilTwilight:
    case TwilightStage::NauticalTwilight:
        return {120, 120, 120};
    case TwilightStage::Night:
        break;
    }
    return {100, 100, 100};
}

PassChartScene passChartScene(const PassChartDisplay& display, const Opzioni& stored,
                              int starCount)
{
    PassChartScene scene;
    scene.display = display;
    scene.starCount = starCount;
    scene.horizonEffect = stored.Cielo_anteprima_effetto_orizzonte;
    scene.altAzimuthGrid = stored.Cielo_anteprima_griglia_tipo;
    scene.tenDegreeCircle = stored.Cielo_anteprima_griglia10;
    scene.landscapeOption = stored.Cielo_anteprima_paesaggio;
    scene.constellationLines =
        colours::fromRgbValue(static_cast<std::uint32_t>(stored.Colore_costellazioni_linee));
    return scene;
}

std::vector<Etichetta_traccia> labelsOnChart(const std::vector<Etichetta_traccia>& labels,
                                             const SkyProjection& projection)
{
    std::vector<Etichetta_traccia> placed = labels;
    for (std::size_t i = 1; i < placed.size(); ++i) {
        Etichetta_traccia& label = placed[i];
        const ChartPoint point = projection.toChart(label.X_punto, label.Y_punto);
        const ChartPoint text = projection.toChart(label.X_etichetta, label.Y_etichetta);
        label.X_punto = point.x;
        label.Y_punto = point.y;
        label.X_etichetta = text.x;
        label.Y_etichetta = text.y;
    }
    return placed;
}

const QImage& passChartIcon(const std::string& catalogueNumber, int status)
{
    const IconKind kind = catalogueNumber == "25544"   ? IconKind::Station
                          : catalogueNumber == "20580" ? IconKind::Telescope
                                                       : IconKind::Ordinary;
    const int state = status == kStatoVisibile || status == kStatoIlluminato ? status : kStatoEclisse;
    static std::map<std::pair<IconKind, int>, QImage> icons;
    QImage& icon = icons[{kind, state}];
    if (icon.isNull())
        icon = paintIcon(kind, state);
    return icon;
}

void drawPassChart(DrawingSurface& surface, QSize deviceSize, const PassChartScene& scene)
{
    if (deviceSize.isEmpty())
        return;
    const SkyProjection projection = passChartProjection(scene.display);
    const SkyPositions positions = projectCatalogues(projection, scene.starCount);

    const SurfaceState saved(surface);
    const ViewBox view;
    surface.Scale(view.left, view.top, view.right, view.bottom);
    surface.setFontSize(kPassChartFontPoints);
    SkyLayerPainter layers(surface, projection, &positions);
    const TwilightStage stage = twilightStage(Corpi_celesti[kSole].Altezza);
    layers.drawBackground(skyBackground(stage), scene.horizonEffect);
    layers.drawAzimuthLabels(kAzimuthLabelColour);
    const PassChartDisplay& d = scene.display;
    if (d.griglia) {
        if (scene.altAzimuthGrid)
            layers.drawAltAzimuthGrid(passChartGridColour(stage), scene.tenDegreeCircle);
        else
            layers.drawEquatorialGrid(passChartGridColour(stage));
    }
    if (d.oggettiCostellazioni)
        layers.drawConstellationLines(scene.constellationLines);
    if (d.etichetteCostellazioni)
        layers.drawConstellationNames(colours::standardPalette(12), false);
    layers.drawStars(scene.starCount, kBrightStarRadius);
    drawBodies(layers,
               {d.oggettiSoleLuna, d.etichetteSoleLuna, d.oggettiPianeti, d.etichettePianeti,
                false},
               std::fabs(surface.ScaleHeight()));

    const bool hasTrack = scene.track != nullptr && scene.track->points.size() > 1;
    if (hasTrack) {
        TrackLineStyle style;
        style.legColour = TrackLineStyle::LegColour::ToPoint;
        if (scene.track->rise)
            style.start =
                projection.toChart(scene.track->rise->azimuthDeg, scene.track->rise->altitudeDeg);
        layers.drawTrackLine(scene.track->points, style);
    }
    // The landscape covers the track's line below the horizon, but not the icon and labels.
    if (d.paesaggio && scene.landscapeOption && scene.landscape != nullptr)
        scene.landscape->draw(surface, deviceSize);
    if (!hasTrack)
        return;
    const Punto_traccia& first = scene.track->points[1];
    const QImage& icon = passChartIcon(scene.catalogueNumber, first.Stato);
    const QPointF at = surface.toDevice({first.X_mappa, first.Y_mappa});
    surface.drawImageAtDevicePixel(
        icon, QPoint(qRound(at.x() - icon.width() / 2.0), qRound(at.y() - icon.height() / 2.0)));
    if (scene.labels != nullptr)
        layers.drawTrackLabels(scene.track->points, labelsOnChart(*scene.labels, projection),
                               mLang::Testo_lingua(u"Def", u"mag"), kPassChartLabelRaise);
}

} // namespace skycharts

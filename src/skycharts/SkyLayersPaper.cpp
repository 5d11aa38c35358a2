#include "skycharts/SkyLayersPaper.h"

#include "skycharts/SkyChartGeometry.h"
#include "skycharts/SkyLayers.h"

#include "common/catalogues.h"
#include "core/mAstro.h"
#include "services/DrawingSurface.h"
#include "services/mLang.h"

#include <QFontDatabase>

#include <cmath>

using drawing::DrawStyle;
using drawing::FillStyle;

namespace skycharts {

namespace {

using Page = PrintoutPage;

constexpr double kMoonRadiusUnits = 2.5;
constexpr double kSunRadiusUnits = 3;
/// The vertical diameter's ends [twips]: the disc's top and bottom edge.
constexpr double kDiameterTop = 1500;
constexpr double kDiameterBottom = 9500;

void printName(DrawingSurface& page, QPointF at, double radius, const QString& name)
{
    page.setCurrentX(at.x() + radius);
    page.setCurrentY(at.y() + radius);
    page.Print(name, false);
}

/// Whether the page's font gives blanks, digits, letters and marks one width.
bool evenlySpaced(const DrawingSurface& page)
{
    const double width = page.TextWidth(QStringLiteral("0"));
    for (const QString& sample : {QStringLiteral(" "), QStringLiteral("i"), QStringLiteral("M"),
                                  QStringLiteral(":"), QStringLiteral("-")}) {
        if (std::fabs(page.TextWidth(sample) - width) > 0.01 * width)
            return false;
    }
    return true;
}

QString bodyName(int body)
{
    return mLang::Testo_lingua(
        u"Planets", QString::fromStdString(Corpi_celesti[static_cast<std::size_t>(body)].Nome));
}

} // namespace

void setPrintoutFont(DrawingSurface& page)
{
    QFont font = page.drawingFont();
    font.setFamily(QStringLiteral("Courier New"));
    font.setPointSizeF(Page::kFontPoints);
    page.setDrawingFont(font);
    if (evenlySpaced(page))
        return;
    font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    font.setStyleHint(QFont::TypeWriter);
    page.setDrawingFont(font);
}

double printoutFrameBottom(bool letterPaper)
{
    return letterPaper ? Page::kLetterFrameBottom : Page::kHeight - Page::kMargin;
}

QPointF paperPoint(ChartPoint p)
{
    return {Page::kCentreX + Page::kTwipsPerChartUnit * p.x,
            Page::kCentreY - Page::kTwipsPerChartUnit * p.y};
}

int paperPenWidth(const DrawingSurface& page, int widthAt300Dpi)
{
    const double dotsPerInch =
        std::fabs(page.toDevice({1440, 0}).x() - page.toDevice({0, 0}).x());
    return std::max(1, static_cast<int>(std::lround(widthAt300Dpi * dotsPerInch / 300.0)));
}

void drawPaperFrameAndGrid(DrawingSurface& page, const SkyProjection& projection,
                           const PaperChartLayers& layers, double frameBottom)
{
    page.setFillStyle(FillStyle::Transparent);
    page.Box(Page::kMargin, Page::kMargin, Page::kWidth - Page::kMargin, frameBottom, Qt::black);
    page.Line(Page::kMargin, Page::kRuleY, Page::kWidth - Page::kMargin, Page::kRuleY, Qt::black);
    page.setFillStyle(FillStyle::Solid);
    page.setFillColor(Qt::white);
    page.Circle(Page::kCentreX, Page::kCentreY, Page::kDiscRadius, Qt::black);
    page.setFillStyle(FillStyle::Transparent);
    if (layers.grid) {
        const auto circleOfAltitude = [&](double altitude) {
            const ChartPoint p = projection.toChart(0, altitude);
            page.Circle(Page::kCentreX, Page::kCentreY,
                        Page::kTwipsPerChartUnit * std::hypot(p.x, p.y), Qt::black);
        };
        if (layers.tenDegreeCircle)
            circleOfAltitude(10);
        circleOfAltitude(30);
        circleOfAltitude(60);
        page.Line(Page::kCentreX - Page::kDiscRadius, Page::kCentreY,
                  Page::kCentreX + Page::kDiscRadius, Page::kCentreY, Qt::black);
        page.Line(Page::kCentreX, kDiameterTop, Page::kCentreX, kDiameterBottom, Qt::black);
    }
    for (int place = 0; place < kAzimuthLabelCount; ++place) {
        const QPointF at = paperPoint(azimuthLabelPlace(place));
        const std::string_view label =
            azimuthLabelText(azimuthLabelAt(place, projection.orientation()));
        page.setCurrentX(at.x());
        page.setCurrentY(at.y());
        page.Print(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), false);
    }
}

void drawPaperCatalogues(DrawingSurface& page, const SkyProjection& projection,
                         const SkyPositions& positions, const PaperChartLayers& layers,
                         int starCount)
{
    if (layers.constellationLines) {
        page.setDrawWidth(1);
        page.setDrawStyle(layers.dottedConstellationLines ? DrawStyle::Dot : DrawStyle::Solid);
        for (std::size_t i = 1; i < positions.lines.size(); ++i) {
            const auto& [first, second] = positions.lines[i];
            std::optional<ChartSegment> part;
            if (layers.dottedConstellationLines) {
                if (first.altitudeDeg > 0 && second.altitudeDeg > 0)
                    part = ChartSegment{first.at, second.at};
            } else {
                part = visiblePartOfLine(first.at, first.altitudeDeg, second.at,
                                         second.altitudeDeg);
            }
            if (!part)
                continue;
            const QPointF a = paperPoint(part->from);
            const QPointF b = paperPoint(part->to);
            page.Line(a.x(), a.y(), b.x(), b.y(), Qt::black);
        }
        page.setDrawStyle(DrawStyle::Solid);
    }
    const int last = std::min(std::clamp(starCount, 0, kStarCount),
                              static_cast<int>(positions.stars.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const SkyPlace& star = positions.stars[static_cast<std::size_t>(i)];
        if (!(star.altitudeDeg > 0))
            continue;
        page.setDrawWidth(paperPenWidth(page, paperStarWidth(i)));
        const QPointF at = paperPoint(star.at);
        page.PSet(at.x(), at.y(), Qt::black);
    }
    page.setDrawWidth(1);
    if (layers.constellationNames) {
        for (std::size_t i = 1; i < Nomi_costellazioni.size(); ++i) {
            double azimuth = 0;
            double altitude = 0;
            mAstro::Calcola_azimut_altezza(Nomi_costellazioni[i].Ascensione_retta,
                                           Nomi_costellazioni[i].Declinazione, azimuth, altitude);
            if (altitude < 0)
                continue;
            const QPointF at = paperPoint(projection.toChart(azimuth, altitude));
            page.setCurrentX(at.x());
            page.setCurrentY(at.y());
            page.Print(QString::fromStdString(Nomi_costellazioni[i].Sigla), false);
        }
    }
}

void drawPaperBodies(DrawingSurface& page, const SkyPositions& positions,
                     const PaperChartLayers& layers)
{
    const Corpo_celeste& moon = Corpi_celesti[kLuna];
    if (layers.sunAndMoon && moon.Altezza > 0) {
        const QPointF at = paperPoint(positions.body(kLuna));
        const double radius = Page::kTwipsPerChartUnit * kMoonRadiusUnits;
        page.setFillStyle(FillStyle::Transparent);
        page.Circle(at.x(), at.y(), radius * 1.1, Qt::black);
        drawMoonPhase(page, at.x(), at.y(), radius, moon.Frazione_illuminata);
        if (layers.sunAndMoonLabels)
            printName(page, at, radius, bodyName(kLuna));
    }
    page.setDrawWidth(paperPenWidth(page, 3));
    page.setDrawStyle(DrawStyle::Solid);
    page.setFillStyle(FillStyle::Solid);
    page.setFillColor(Qt::white);
    for (int b = kMercurio; b <= kSole; ++b) {
        const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(b)];
        if (!(body.Altezza > 0))
            continue;
        const QPointF at = paperPoint(positions.body(b));
        if (b != kSole && layers.planets) {
            page.Circle(at.x(), at.y(), Page::kTwipsPerChartUnit, Qt::black);
            if (layers.planetLabels)
                printName(page, at, Page::kTwipsPerChartUnit, bodyName(b));
            else if (layers.markUnlabelledPlanets)
                printName(page, at, Page::kTwipsPerChartUnit, QStringLiteral("P"));
        } else if (b == kSole && layers.sunAndMoon) {
            const double r = Page::kTwipsPerChartUnit * kSunRadiusUnits;
            page.Circle(at.x(), at.y(), r, Qt::black);
            page.Line(at.x() - 1.5 * r, at.y(), at.x() + 1.5 * r, at.y(), Qt::black);
            page.Line(at.x(), at.y() - 1.5 * r, at.x(), at.y() + 1.5 * r, Qt::black);
            page.Line(at.x() - 1.2 * r, at.y() - 1.2 * r, at.x() + 1.2 * r, at.y() + 1.2 * r, Qt::black);
            page.Line(at.x() - 1.2 * r, at.y() + 1.2 * r, at.x() + 1.2 * r, at.y() - 1.2 * r, Qt::black);
            page.Circle(at.x(), at.y(), r, Qt::black);
            if (layers.sunAndMoonLabels)
                printName(page, at, r, bodyName(kSole));
        }
    }
    page.setDrawWidth(1);
}

} // namespace skycharts

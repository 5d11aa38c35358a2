#include "skycharts/LocalSkyPrintout.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/SkyLayers.h"

#include "core/DateValue.h"
#include "core/mAstro.h"
#include "services/DisplayFormat.h"
#include "services/DrawingSurface.h"
#include "services/mLang.h"

#include <cmath>

using drawing::DrawStyle;
using drawing::FillStyle;

namespace skycharts {

namespace {

using Page = PrintoutPage;

constexpr double kSunMagnitude = -26.4;
constexpr int kNameWidth = 13;
constexpr int kLabelWidth = 12;

QString rightAligned(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.rightJustified(width);
}

QString leftAligned(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.leftJustified(width);
}

QPointF onPage(ChartPoint p)
{
    return {Page::kCentreX + Page::kTwipsPerChartUnit * p.x,
            Page::kCentreY - Page::kTwipsPerChartUnit * p.y};
}

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmLocalSky", key);
}

DateParts partsOf(double localDate)
{
    const DateValue::Parts p = DateValue::split(localDate);
    return {p.year, p.month, p.day, p.hour, p.minute, p.second, 0};
}

void drawFrameAndGrid(DrawingSurface& page, const SkyProjection& projection, bool grid,
                      double frameBottom)
{
    page.setFillStyle(FillStyle::Transparent);
    page.Box(Page::kMargin, Page::kMargin, Page::kWidth - Page::kMargin, frameBottom, Qt::black);
    page.Line(Page::kMargin, Page::kRuleY, Page::kWidth - Page::kMargin, Page::kRuleY, Qt::black);
    page.setFillStyle(FillStyle::Solid);
    page.setFillColor(Qt::white);
    page.Circle(Page::kCentreX, Page::kCentreY, Page::kDiscRadius, Qt::black);
    page.setFillStyle(FillStyle::Transparent);
    if (grid) {
        for (const double altitude : {30.0, 60.0}) {
            const ChartPoint p = projection.toChart(0, altitude);
            page.Circle(Page::kCentreX, Page::kCentreY,
                        Page::kTwipsPerChartUnit * std::hypot(p.x, p.y), Qt::black);
        }
        page.Line(Page::kCentreX - Page::kDiscRadius, Page::kCentreY,
                  Page::kCentreX + Page::kDiscRadius, Page::kCentreY, Qt::black);
        page.Line(Page::kCentreX, 1500, Page::kCentreX, 9500, Qt::black);
    }
    for (int place = 0; place < kAzimuthLabelCount; ++place) {
        const QPointF at = onPage(azimuthLabelPlace(place));
        const std::string_view label = azimuthLabelText(azimuthLabelAt(place, projection.orientation()));
        page.setCurrentX(at.x());
        page.setCurrentY(at.y());
        page.Print(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), false);
    }
}

/// A printer pen width given for a 300 dots-per-inch printer, in the page's device pixels, so
/// that the stars keep their size whatever the resolution.
int penWidth(const DrawingSurface& page, int widthAt300Dpi)
{
    const double dotsPerInch =
        std::fabs(page.toDevice({1440, 0}).x() - page.toDevice({0, 0}).x());
    return std::max(1, static_cast<int>(std::lround(widthAt300Dpi * dotsPerInch / 300.0)));
}

void drawCatalogues(DrawingSurface& page, const LocalSkyDisplay& display, int starCount)
{
    if (display.oggettiCostellazioni) {
        page.setDrawWidth(1);
        page.setDrawStyle(DrawStyle::Dot);
        for (std::size_t i = 1; i < Linee_costellazioni.size(); ++i) {
            const Linea_costellazione& l = Linee_costellazioni[i];
            if (l.Altezza1 > 0 && l.Altezza2 > 0) {
                const QPointF a = onPage({l.X_mappa1, l.Y_mappa1});
                const QPointF b = onPage({l.X_mappa2, l.Y_mappa2});
                page.Line(a.x(), a.y(), b.x(), b.y(), Qt::black);
            }
        }
        page.setDrawStyle(DrawStyle::Solid);
    }
    const int last = std::clamp(starCount, 0, kStarCount);
    for (int i = 1; i <= last; ++i) {
        const Stella& star = Stelle[static_cast<std::size_t>(i)];
        if (!(star.Altezza > 0))
            continue;
        page.setDrawWidth(penWidth(page, paperStarWidth(i)));
        const QPointF at = onPage({star.X_mappa, star.Y_mappa});
        page.PSet(at.x(), at.y(), Qt::black);
    }
    page.setDrawWidth(1);
    if (display.etichetteCostellazioni) {
        const SkyProjection projection = localSkyProjection(display);
        for (std::size_t i = 1; i < Nomi_costellazioni.size(); ++i) {
            double azimuth = 0;
            double altitude = 0;
            mAstro::Calcola_azimut_altezza(Nomi_costellazioni[i].Ascensione_retta,
                                           Nomi_costellazioni[i].Declinazione, azimuth, altitude);
            if (altitude < 0)
                continue;
            const QPointF at = onPage(projection.toChart(azimuth, altitude));
            page.setCurrentX(at.x());
            page.setCurrentY(at.y());
            page.Print(QString::fromStdString(Nomi_costellazioni[i].Sigla), false);
        }
    }
}

void printName(DrawingSurface& page, QPointF at, double radius, int body)
{
    page.setCurrentX(at.x() + radius);
    page.setCurrentY(at.y() + radius);
    page.Print(mLang::Testo_lingua(u"Planets", QString::fromStdString(Corpi_celesti[static_cast<std::size_t>(body)].Nome)),
               false);
}

void drawBodies(DrawingSurface& page, const LocalSkyDisplay& display)
{
    const Corpo_celeste& moon = Corpi_celesti[kLuna];
    if (display.oggettiSoleLuna && moon.Altezza > 0) {
        const QPointF at = onPage({moon.X_mappa, moon.Y_mappa});
        const double radius = Page::kTwipsPerChartUnit * 2.5;
        page.setFillStyle(FillStyle::Transparent);
        page.Circle(at.x(), at.y(), radius * 1.1, Qt::black);
        drawMoonPhase(page, at.x(), at.y(), radius, moon.Frazione_illuminata);
        if (display.etichetteSoleLuna)
            printName(page, at, radius, kLuna);
    }
    page.setDrawWidth(penWidth(page, 3));
    page.setDrawStyle(DrawStyle::Solid);
    page.setFillStyle(FillStyle::Solid);
    page.setFillColor(Qt::white);
    for (int b = kMercurio; b <= kSole; ++b) {
        const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(b)];
        if (!(body.Altezza > 0))
            continue;
        const QPointF at = onPage({body.X_mappa, body.Y_mappa});
        if (b != kSole && display.oggettiPianeti) {
            page.Circle(at.x(), at.y(), Page::kTwipsPerChartUnit, Qt::black);
            if (display.etichettePianeti)
                printName(page, at, Page::kTwipsPerChartUnit, b);
        } else if (b == kSole && display.oggettiSoleLuna) {
            const double r = Page::kTwipsPerChartUnit * 3;
            page.Circle(at.x(), at.y(), r, Qt::black);
            page.Line(at.x() - 1.5 * r, at.y(), at.x() + 1.5 * r, at.y(), Qt::black);
            page.Line(at.x(), at.y() - 1.5 * r, at.x(), at.y() + 1.5 * r, Qt::black);
            page.Line(at.x() - 1.2 * r, at.y() - 1.2 * r, at.x() + 1.2 * r, at.y() + 1.2 * r, Qt::black);
            page.Line(at.x() - 1.2 * r, at.y() + 1.2 * r, at.x() + 1.2 * r, at.y() - 1.2 * r, Qt::black);
            page.Circle(at.x(), at.y(), r, Qt::black);
            if (display.etichetteSoleLuna)
                printName(page, at, r, kSole);
        }
    }
    page.setDrawWidth(1);
}

} // namespace

double printoutFrameBottom(bool letterPaper)
{
    return letterPaper ? Page::kLetterFrameBottom : Page::kHeight - Page::kMargin;
}

QString printoutBodyRow(int index, const Corpo_celeste& body, const QString& name,
                        const QLocale& locale)
{
    const double ra = body.Ascensione_retta;
    const double dec = body.Declinazione;
    const double d = body.Diametro_apparente;
    const QString raText = formatNumber(std::floor(ra), u"#0h", locale)
                           + formatNumber(std::floor((ra - std::floor(ra)) * 60), u"00m", locale);
    const QString decText = formatNumber(std::trunc(dec), u"#0\u00b0", locale)
                            + formatNumber(std::fabs(std::trunc((dec - std::trunc(dec)) * 60)),
                                           u"00'", locale);
    const QString magnitude = index == kSole
                                  ? leftAligned(locale.toString(kSunMagnitude, 'f', 1), 5)
                                  : rightAligned(formatNumber(body.Magnitudine_visuale, u"0.0", locale), 5);
    const QString diameter = formatNumber(std::floor(d / 60), u"#0'", locale)
                             + formatNumber(std::floor(d - std::floor(d / 60) * 60), u"00''", locale);
    QString phase;
    if (index == kLuna)
        phase = leftAligned(formatNumber((1 - std::cos(body.Frazione_illuminata)) * 0.5, u" #0%", locale), 4);
    else if (index != kSole)
        phase = rightAligned(formatNumber(body.Frazione_illuminata, u"0.00", locale), 4);
    const QString gap = QStringLiteral("  ");
    return leftAligned(name, kNameWidth) + QStringLiteral(": ")
           + rightAligned(formatNumber(body.Azimut, u"##0.0", locale), 5) + gap
           + rightAligned(formatNumber(body.Altezza, u"#0.0", locale), 5) + gap
           + rightAligned(raText, 6) + gap + rightAligned(decText, 7) + gap + magnitude + gap
           + rightAligned(diameter, 7) + gap + phase;
}

QStringList printoutTextBlock(const Dati_osservatore& observer, double localDate,
                              const QLocale& locale)
{
    const DateParts parts = partsOf(localDate);
    const QString separator = QStringLiteral(" : ");
    return {text(u"mappacielolocale"),
            QString(),
            leftAligned(text(u"localita"), kLabelWidth) + separator
                + QString::fromStdString(observer.Nome_localita),
            leftAligned(text(u"coordinate"), kLabelWidth) + separator
                + mLang::Testo_lingua(u"Def", u"lat") + u' '
                + formatNumber(observer.Latitudine_osservatore, u"#0.000\u00b0", locale) + u' '
                + mLang::Testo_lingua(u"Def", u"lon") + u' '
                + formatNumber(observer.Longitudine_osservatore, u"##0.000\u00b0", locale),
            leftAligned(text(u"data"), kLabelWidth) + separator
                + formatDate(parts, u"dd mmm yyyy", locale) + u' '
                + mLang::Testo_lingua(u"Def", u"ore") + u' ' + formatDate(parts, u"hh:mm", locale),
            QString(),
            text(u"intestazione"),
            QString(16, u' ') + text(u"intestazionecoord")};
}

void drawLocalSkyPrintout(DrawingSurface& page, const LocalSkyDisplay& display, int starCount,
                          double localDate, bool letterPaper, const QLocale& locale)
{
    const SurfaceState saved(page);
    const QString fontName = page.FontName();
    page.setDrawWidth(1);
    page.setForeColor(Qt::black);
    page.setFontName(QStringLiteral("Courier New"));
    page.setFontSize(10);
    page.setCurrentX(Page::kMargin);
    page.setCurrentY(1000 - page.TextHeight(QStringLiteral("X")));
    page.Print(QStringLiteral("Quorvanel"), false);

    const SkyProjection projection = localSkyProjection(display);
    drawFrameAndGrid(page, projection, display.griglia, printoutFrameBottom(letterPaper));
    computeCataloguePositions(projection, starCount);
    drawCatalogues(page, display, starCount);
    drawBodies(page, display);

    page.setCurrentX(Page::kTextX);
    page.setCurrentY(Page::kTextY);
    const auto line = [&page](const QString& row) {
        page.setCurrentX(Page::kTextX);
        page.Print(row);
    };
    for (const QString& row : printoutTextBlock(Osservatore, localDate, locale))
        line(row);
    for (int b = kMercurio; b <= kLuna; ++b) {
        const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(b)];
        line(printoutBodyRow(b, body, mLang::Testo_lingua(u"Planets", QString::fromStdString(body.Nome)),
                             locale));
        if (b == kNettuno)
            line(QString());
    }
    page.setFontName(fontName);
}

} // namespace skycharts

#include "skycharts/LocalSkyPrintout.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/SkyLayers.h"
#include "skycharts/SkyLayersPaper.h"

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
constexpr int kMagnitudeWidth = 5;

QString rightAligned(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.rightJustified(width);
}

QString leftAligned(const QString& text, int width)
{
    return text.size() >= width ? text.left(width) : text.leftJustified(width);
}

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmLocalSky", key);
}

} // namespace

QString printoutBodyRow(int index, const Corpo_celeste& body, const QString& name,
                        const QLocale& locale)
{
    const double d = body.Diametro_apparente;
    const QString raText = formatUnitsAndMinutes(body.Ascensione_retta, u"#0h", u"00m", locale);
    const QString decText =
        formatUnitsAndMinutes(body.Declinazione, u"#0\u00b0", u"00'", locale);
    // No magnitude is computed for the Moon, and a planet whose disc is unlit has none: their
    // field stays blank rather than show a number that was never worked out.
    QString magnitude(kMagnitudeWidth, u' ');
    if (index == kSole)
        magnitude = leftAligned(locale.toString(kSunMagnitude, 'f', 1), kMagnitudeWidth);
    else if (index != kLuna && std::isfinite(body.Magnitudine_visuale))
        magnitude = rightAligned(formatNumber(body.Magnitudine_visuale, u"0.0", locale),
                                 kMagnitudeWidth);
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
    const DateValue::Parts parts = DateValue::split(localDate);
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
    const QFont font = page.drawingFont();
    page.setDrawWidth(1);
    page.setForeColor(Qt::black);
    setPrintoutFont(page);
    page.setCurrentX(Page::kMargin);
    page.setCurrentY(1000 - page.TextHeight(QStringLiteral("X")));
    page.Print(QStringLiteral("Quorvanel"), false);

    const SkyProjection projection = localSkyProjection(display);
    const PaperChartLayers layers = paperLayersOf(display);
    drawPaperFrameAndGrid(page, projection, layers, printoutFrameBottom(letterPaper));
    const SkyPositions positions = projectCatalogues(projection, starCount);
    drawPaperCatalogues(page, projection, positions, layers, starCount);
    drawPaperBodies(page, positions, layers);

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
    page.setDrawingFont(font);
}

} // namespace skycharts

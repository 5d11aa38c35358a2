#include "skycharts/PassChartPrintout.h"

#include "skycharts/PassChart.h"
#include "skycharts/SkyLayers.h"
#include "skycharts/SkyLayersPaper.h"

#include "core/DateValue.h"
#include "services/DisplayFormat.h"
#include "services/DrawingSurface.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "tracking/TickTexts.h"

#include <algorithm>
#include <cmath>

using drawing::DrawStyle;
using drawing::FillStyle;

namespace skycharts {

namespace {

using Page = PrintoutPage;

/// The captions' width: at least this, more when a caption is longer, but never so much
/// that the pass lines run out of blanks to give up.
constexpr int kCaptionWidth = 13;
constexpr int kWidestCaption = 20;
/// The date and time column of the pass lines and of their heading ("dd mmm yyyy  hh:mm:ss").
constexpr int kPassDateWidth = 21;
/// The text of a label above its point stands this much higher [twips].
constexpr double kLabelRaiseTwips = 3 * Page::kTwipsPerChartUnit;
constexpr int kSunlitTrackWidth = 6;
constexpr int kEclipsedTrackWidth = 2;
constexpr int kLabelLineWidth = 2;
constexpr double kArrowSize = 100;
constexpr double kArrowSpacing = 60;
constexpr int kNoteLines = 3;
constexpr double kNoteLineRightGap = 300;
/// The text block's line pitch [twips]: that of Courier New at 10 points, kept whatever
/// monospaced font the system gives in its place, so the block always ends on the page.
constexpr double kTextLineTwips = 227;

QString captionText(QStringView key)
{
    return mLang::Testo_lingua(u"frmSkySat", key);
}

QString epochText(const Elemento_satellite& satellite, const QLocale& locale)
{
    const double day = std::floor(satellite.Giorno_epoca);
    const double date =
        DateValue::fromDate(static_cast<int>(satellite.Anno_epoca), 1, static_cast<int>(day));
    const DateValue::Parts time =
        DateValue::split(DateValue::fromLinearDays(satellite.Giorno_epoca - day));
    return formatDate(DateValue::split(date), u"dd mmm yyyy", locale) + QStringLiteral(" - ")
           + formatDate(time, u"hh:mm:ss", locale) + QStringLiteral(" UTC");
}

void drawTrack(DrawingSurface& page, const PassTrack& track)
{
    const std::vector<Punto_traccia>& points = track.points;
    const int n = static_cast<int>(points.size()) - 1;
    if (n < 1)
        return;
    const auto at = [&points](int i) {
        const Punto_traccia& p = points[static_cast<std::size_t>(i)];
        return paperPoint({p.X_mappa, p.Y_mappa});
    };
    page.setDrawStyle(DrawStyle::Solid);
    page.setForeColor(Qt::black);
    if (n == 1) {
        // One sample gives no direction: a dot marks it.
        page.setDrawWidth(paperPenWidth(page, kSunlitTrackWidth * 2));
        page.PSet(at(1).x(), at(1).y(), Qt::black);
        page.setDrawWidth(1);
        return;
    }
    const auto widthInto = [&](int i) {
        return paperPenWidth(page, points[static_cast<std::size_t>(i)].Magnitudine.empty()
                                       ? kEclipsedTrackWidth
                                       : kSunlitTrackWidth);
    };
    for (int i = 1; i <= n - 2; ++i) {
        page.setDrawWidth(widthInto(i + 1));
        page.Line(at(i).x(), at(i).y(), at(i + 1).x(), at(i + 1).y(), Qt::black);
    }
    page.setDrawWidth(widthInto(n));
    mGlobal::Disegna_freccia(page, at(n - 1).x(), at(n - 1).y(), at(n).x(), at(n).y(), kArrowSize,
                             true, 0, kArrowSpacing);
    page.setDrawWidth(1);
}

void drawLabels(DrawingSurface& page, const PassChartDisplay& display, const PassTrack& track,
                const std::vector<Etichetta_traccia>& labels)
{
    const SkyProjection projection = passChartProjection(display);
    const int n = static_cast<int>(track.points.size()) - 1;
    const QString magnitudeWord = mLang::Testo_lingua(u"Def", u"mag");
    page.setDrawWidth(paperPenWidth(page, kLabelLineWidth));
    for (std::size_t j = 1; j < labels.size(); ++j) {
        const Etichetta_traccia& label = labels[j];
        if (!labelIndexValid(label.Indice_punto, n))
            continue;
        const QPointF p = paperPoint(projection.toChart(label.X_punto, label.Y_punto));
        const QPointF q = paperPoint(projection.toChart(label.X_etichetta, label.Y_etichetta));
        page.Line(p.x(), p.y(), q.x(), q.y(), Qt::black);
        page.setCurrentX(q.x());
        page.setCurrentY(q.y() < p.y() ? q.y() - kLabelRaiseTwips : q.y());
        page.Print(trackLabelText(track.points[static_cast<std::size_t>(label.Indice_punto)],
                                  magnitudeWord),
                   false);
    }
    page.setDrawWidth(1);
}

} // namespace

QStringList passChartTextBlock(const PassChartRequest& request, const Dati_osservatore& observer,
                               const QLocale& locale)
{
    const Elemento_satellite& satellite = request.satellite;
    int captionWidth = kCaptionWidth;
    for (const QStringView key : {u"satellite", u"elementiorbita", u"magnitudine", u"localita",
                                  u"coordinate", u"informazioni", u"mappa", u"inizio",
                                  u"culmine", u"fine"})
        captionWidth = std::max(captionWidth, static_cast<int>(captionText(key).size()));
    captionWidth = std::min(captionWidth, kWidestCaption);
    const auto captioned = [captionWidth](const QString& text) {
        return text.left(captionWidth).leftJustified(captionWidth) + QStringLiteral(": ");
    };
    const auto caption = [&captioned](QStringView key) { return captioned(captionText(key)); };
    // The pass lines' dates are as wide as the locale's longest month name makes them; the
    // cut and the heading widen with them, so the status stays whole and under its heading.
    // What the frame cannot hold comes out of the blanks after the date, in the lines and
    // the heading alike.
    const int widening = fixedDateWidening(locale);
    // The lines are printed up to the end of their status; a status column wider than the
    // headings' takes its room from the blanks after the date (passDateGapGiven).
    const int lineWidth = kPassStatusColumn + statusColumnWidth() - passDateGapGiven() + widening;
    const int room = Page::kTextColumns - captionWidth - 2;
    const int excess = std::max(0, lineWidth - room);
    const auto fitted = [&](const QString& row) {
        return narrowedAfter(row.left(lineWidth), kPassDateWidth + widening, excess).left(room);
    };
    const auto passLine = [&](std::size_t i) { return fitted(request.passLines[i]); };
    QStringList rows = {
        caption(u"satellite") + QString::fromStdString(satellite.Nome_satellite),
        captioned(QStringLiteral("Norad #")) + QString::fromStdString(satellite.Numero_catalogo),
        captioned(QStringLiteral("ID #"))
            + QString::fromStdString(internationalDesignator(request.elementLines.Riga1)),
        caption(u"elementiorbita") + epochText(satellite, locale),
        caption(u"magnitudine")
            + formatNumberText(QString::fromStdString(satellite.Magnitudine_standard), u"0.0",
                               locale),
        QString(),
        caption(u"localita") + QString::fromStdString(observer.Nome_localita),
        caption(u"coordinate") + mLang::Testo_lingua(u"Def", u"lat") + u' '
            + formatNumber(observer.Latitudine_osservatore, u"#0.000\u00b0", locale) + u' '
            + mLang::Testo_lingua(u"Def", u"lon") + u' '
            + formatNumber(observer.Longitudine_osservatore, u"##0.000\u00b0", locale),
        QString(),
        caption(u"informazioni")
            + fitted(narrowedAfter(
                alignedToFixedDates(captionText(u"intestazioneobs"), kPassDateWidth, locale),
                kPassDateWidth + widening, passDateGapGiven())),
        QString(),
        caption(u"mappa")
            + formatDate(DateValue::split(request.chartTime), u"dd mmm yyyy hh:mm:ss", locale),
        QString(),
        caption(u"inizio") + passLine(0),
        caption(u"culmine") + passLine(1),
        caption(u"fine") + passLine(2),
        QString(),
        captionText(u"noteosservative"),
        QString(),
        QString()};
    for (QString& row : rows)
        row.truncate(Page::kTextColumns);
    return rows;
}

void drawPassChartPrintout(DrawingSurface& page, const PassChartDisplay& display,
                           const Opzioni& stored, int starCount, const PassTrack& track,
                           const std::vector<Etichetta_traccia>& labels,
                           const PassChartRequest& request, bool letterPaper,
                           const QLocale& locale)
{
    const SurfaceState saved(page);
    const QFont font = page.drawingFont();
    page.setDrawWidth(1);
    page.setDrawStyle(DrawStyle::Solid);
    page.setForeColor(Qt::black);
    setPrintoutFont(page);

    const SkyProjection projection = passChartProjection(display);
    PaperChartLayers layers = paperLayersOf(display);
    layers.tenDegreeCircle = stored.Cielo_anteprima_griglia10;
    layers.dottedConstellationLines = false;
    layers.markUnlabelledPlanets = true;
    drawPaperFrameAndGrid(page, projection, layers, printoutFrameBottom(letterPaper));
    const SkyPositions positions = projectCatalogues(projection, starCount);
    drawPaperCatalogues(page, projection, positions, layers, starCount);
    drawPaperBodies(page, positions, layers);

    // The track as the chart shows it now, in the chart's present projection.
    PassTrack placed = track;
    projectPassTrack(placed, projection);
    drawTrack(page, placed);
    drawLabels(page, display, placed, labels);

    page.setDrawWidth(1);
    page.setFillStyle(FillStyle::Transparent);
    double y = Page::kTextY;
    for (const QString& row : passChartTextBlock(request, Osservatore, locale)) {
        page.setCurrentX(Page::kTextX);
        page.setCurrentY(y);
        page.Print(row, false);
        y += kTextLineTwips;
    }
    if (!letterPaper) {
        const double right = Page::kWidth - Page::kMargin - kNoteLineRightGap;
        for (int i = 0; i < kNoteLines; ++i) {
            page.Line(Page::kTextX, y, right, y, Qt::black);
            y += 2 * kTextLineTwips;
        }
    }
    page.setCurrentX(Page::kTextX);
    page.setCurrentY(y);
    page.setDrawingFont(font);
}

} // namespace skycharts

#include "skycharts/frmSkySat.h"

#include "skycharts/ChartWindowSize.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/PassChart.h"
#include "skycharts/PassChartPrintout.h"

#include "common/gates.h"
#include "common/options.h"
#include "common/program_time.h"
#include "services/BusyCursor.h"
#include "services/PaintDeviceSurface.h"
#include "services/PictureBox.h"
#include "services/Printing.h"
#include "services/ProgramFolder.h"
#include "services/Twips.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>

namespace {

constexpr double kWidthTwips = 6630;
constexpr double kHeightTwips = 6870;

/// Puts the shared time state and the bodies back at the program clock when it goes, however
/// the drawing or printing that moved them ends.
class SkyAtPresent
{
public:
    SkyAtPresent() = default;
    ~SkyAtPresent() { skycharts::bringSkyToInstant(Data_attuale); }
    SkyAtPresent(const SkyAtPresent&) = delete;
    SkyAtPresent& operator=(const SkyAtPresent&) = delete;
};

} // namespace

frmSkySat::frmSkySat(const skycharts::PassChartRequest& request, QMenu* popupMenu,
                     QWidget* parent)
    : QWidget(parent), m_request(request), m_popupMenu(popupMenu)
{
    setObjectName(windowNames::kSkySat);
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setBackColor(Qt::black);
    Picture1->installEventFilter(this);
    Form_Load();
    connect(&TrackingModel::instance(), &TrackingModel::chartCommand, this,
            &frmSkySat::model_chartCommand);
    connect(&TrackingModel::instance(), &TrackingModel::observerChanged, this,
            &frmSkySat::scheduleRedraw);
}

frmSkySat::~frmSkySat() = default;

frmSkySat* frmSkySat::open(const skycharts::PassChartRequest& request, QWidget* parent,
                           QMenu* popupMenu)
{
    auto* area = qobject_cast<QMdiArea*>(parent);
    if (area == nullptr && parent != nullptr)
        area = parent->findChild<QMdiArea*>();
    auto* chart = new frmSkySat(request, popupMenu);
    const QSize size(qRound(twips::toPixels(kWidthTwips)), qRound(twips::toPixels(kHeightTwips)));
    if (area != nullptr) {
        QMdiSubWindow* frame = area->addSubWindow(chart);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->resize(size);
        WindowRegistry::instance().adopt(chart, WindowLifetime::NewPerRequest);
        frame->show();
    } else {
        chart->setParent(parent, Qt::Window);
        chart->setAttribute(Qt::WA_DeleteOnClose);
        chart->resize(size);
        WindowRegistry::instance().adopt(chart, WindowLifetime::NewPerRequest);
        chart->show();
    }
    return chart;
}

void frmSkySat::Form_Load()
{
    m_labels.assign(1, Etichetta_traccia{});
    setWindowTitle(QString::fromStdString(m_request.satellite.Nome_satellite).trimmed()
                   + QStringLiteral(" - ")
                   + QString::fromStdString(skycharts::sampleDateTimeText(m_request.chartTime))
                   + u' ' + mLang::Testo_lingua(u"Def", u"oralocale"));
    // Without a landscape picture the chart simply shows no landscape.
    m_landscape.load(dataFilePath(QStringLiteral("landscape.dat")));
    m_display = seededPassChart(Impostazioni);
    setGintNumStelle(Impostazioni.Cielo_anteprima_stelle);
    resize(qRound(twips::toPixels(kWidthTwips)), qRound(twips::toPixels(kHeightTwips)));
    m_loaded = true;
}

void frmSkySat::setGintNumStelle(int count)
{
    m_starCount = std::clamp(count, 0, kStarCount);
}

void frmSkySat::setPassChartDisplay(const PassChartDisplay& options)
{
    m_display = options;
}

QSize frmSkySat::sizeHint() const
{
    return skycharts::designSize({kWidthTwips, kHeightTwips});
}

void frmSkySat::layoutChart()
{
    const int m = std::min(width(), height());
    Picture1->setGeometry(width() / 2 - m / 2, height() / 2 - m / 2, m, m);
}

void frmSkySat::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChart();
    scheduleRedraw();
}

void frmSkySat::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    layoutChart();
    scheduleRedraw();
}

void frmSkySat::scheduleRedraw()
{
    if (m_redrawPending)
        return;
    m_redrawPending = true;
    QTimer::singleShot(0, this, [this] {
        m_redrawPending = false;
        Genera_mappa(false);
    });
}

void frmSkySat::Genera_mappa(bool arraynuovo)
{
    if (arraynuovo)
        m_labels.assign(1, Etichetta_traccia{});
    const QSize size = Picture1->size();
    const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
    // A minimised, hidden or empty chart has nothing to show; its next resize draws it.
    if (!m_loaded || !isVisible() || isMinimized() || (frame != nullptr && frame->isMinimized())
        || size.isEmpty())
        return;
    try {
        drawChart(size);
    } catch (...) {
        // The guards have given back the gates, the pointer and the time state; the chart
        // keeps its last picture.
    }
}

void frmSkySat::drawChart(QSize size)
{
    const TickPause centre(pflgCentrale);
    const TickPause satellites(pflgSatellite);
    const BusyCursor busy;
    const SkyAtPresent giveBack;
    skycharts::bringSkyToInstant(m_request.chartTime);
    const skycharts::SkyProjection projection = skycharts::passChartProjection(m_display);
    m_track = {};
    if (!m_request.satellite.Nome_satellite.empty())
        m_track = skycharts::computePassTrack(
            m_request.riseTime, m_request.setTime,
            skycharts::satelliteSampler(m_request.satellite, Osservatore, Impostazioni),
            projection, skycharts::sampleDateTimeText);

    skycharts::PassChartScene scene =
        skycharts::passChartScene(m_display, Impostazioni, m_starCount);
    scene.track = &m_track;
    scene.labels = &m_labels;
    scene.catalogueNumber = m_request.satellite.Numero_catalogo;
    scene.landscape = &m_landscape;
    if (m_chart.size() != size)
        m_chart = QImage(size, QImage::Format_RGB32);
    m_chart.fill(Qt::black);
    {
        PaintDeviceSurface surface(m_chart);
        skycharts::drawPassChart(surface, size, scene);
        surface.end();
    }
    Picture1->setAutoRedraw(true);
    Picture1->Cls();
    Picture1->drawImageAtDevicePixel(m_chart, QPoint(0, 0));
    Picture1->setAutoRedraw(false);
    const skycharts::ViewBox view;
    Picture1->Scale(view.left, view.top, view.right, view.bottom);
    Picture1->setFontSize(skycharts::kPassChartFontPoints);
    ++m_redraws;
}

skycharts::ChartPoint frmSkySat::Proietta_altaz(double azimuthDeg, double altitudeDeg) const
{
    return skycharts::passChartProjection(m_display).toChart(azimuthDeg, altitudeDeg);
}

skycharts::HorizontalDirection frmSkySat::Inverti_proiezione(skycharts::ChartPoint p) const
{
    return skycharts::passChartProjection(m_display).toHorizontal(p);
}

QImage frmSkySat::chartImage() const
{
    return Picture1->image();
}

QImage frmSkySat::screenImage() const
{
    return Picture1->screenImage();
}

bool frmSkySat::isActiveChart() const
{
    const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
    return frame != nullptr && frame->mdiArea() != nullptr
           && frame->mdiArea()->activeSubWindow() == frame;
}

void frmSkySat::model_chartCommand(ChartKind chart, ChartCommand command)
{
    // Several charts may be open: a command for pass charts is the active one's.
    if (chart != ChartKind::PassChart || !isActiveChart())
        return;
    switch (command) {
    case ChartCommand::Redraw:
        Genera_mappa(true);
        break;
    case ChartCommand::Print:
        Stampa();
        break;
    case ChartCommand::Close:
        WindowRegistry::instance().unload(this);
        break;
    case ChartCommand::RestoreView:
        break;
    }
}

void frmSkySat::Stampa()
{
    // Cancelling the dialog prints nothing and says nothing.
    if (!showPrintDialog(this))
        return;
    if (!printOnSharedPrinter())
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             mLang::Testo_lingua(u"frmSkySat", u"stampafallita"));
}

bool frmSkySat::printOnSharedPrinter()
{
    const BusyCursor busy;
    const SkyAtPresent giveBack;
    QPrinter& printer = sharedPrinter();
    printer.setPageOrientation(QPageLayout::Portrait);
    const bool letter = printer.pageLayout().pageSize().id() == QPageSize::Letter;
    PrinterSurface& page = Printer();
    try {
        page.ScaleReset();
        skycharts::bringSkyToInstant(m_request.chartTime);
        skycharts::drawPassChartPrintout(page, m_display, Impostazioni, m_starCount, m_track,
                                         m_labels, m_request, letter);
    } catch (...) {
        page.KillDoc();
        return false;
    }
    return page.EndDoc();
}

// The whole-sky window on the tracking model: what redraws it, the gates and the timer on
// every path, the minimised and empty window, the pointer readout, the zoom box at the
// chart's edges and the restore, identification by click, and the stored geometry.

#include "LocalSkyFixture.h"
#include "ModalCloser.h"

#include "skycharts/LocalSkyChart.h"
#include "skycharts/frmGeneralSky.h"

#include "services/PictureBox.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace {

class GeneralSkyWindowTest : public LocalSkyTest
{
protected:
    std::unique_ptr<frmGeneralSky> openWindow(QSize size = {720, 360})
    {
        auto sky = std::make_unique<frmGeneralSky>(m_hooks);
        sky->show();
        sky->resize(size);
        QApplication::processEvents();
        return sky;
    }

    static void changeOptions(const std::function<void(GeneralSkyDisplay&)>& change)
    {
        GeneralSkyDisplay display = TrackingModel::instance().generalSky();
        change(display);
        TrackingModel::instance().setGeneralSky(display);
        QApplication::processEvents();
    }

    static void expectTickAndTimerBack(const frmGeneralSky& sky, const char* what)
    {
        EXPECT_TRUE(pflgSatellite.isOpen()) << what;
        EXPECT_EQ(pflgSatellite.holdCount(), 0) << what;
        EXPECT_TRUE(sky.tmrGeneralSky->isActive()) << what;
        EXPECT_EQ(sky.tmrGeneralSky->interval(), 60000) << what;
    }

    /// The pixel of a chart point [hours, degrees].
    static QPoint pixelOf(const frmGeneralSky& sky, double hours, double declinationDeg)
    {
        return sky.Picture1->toDevice({hours, declinationDeg}).toPoint();
    }

    static void drag(frmGeneralSky& sky, QPoint from, QPoint to)
    {
        QTest::mousePress(sky.Picture1, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), sky.Picture1->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(sky.Picture1, &move);
        QTest::mouseRelease(sky.Picture1, Qt::LeftButton, {}, to);
    }

    frmGeneralSky::Hooks m_hooks;
};

TEST_F(GeneralSkyWindowTest, RedrawsAfterLayerChangesButNotAfterZoomMode)
{
    const auto sky = openWindow();
    ASSERT_GT(sky->redrawCount(), 0);
    expectTickAndTimerBack(*sky, "opened");
    EXPECT_TRUE(sky->windowTitle().contains(sky->chartTime())) << sky->windowTitle().toStdString();
    const struct
    {
        const char* what;
        std::function<void(GeneralSkyDisplay&)> change;
        int redraws;
    } cases[] = {
        {"grid", [](GeneralSkyDisplay& d) { d.griglia = !d.griglia; }, 1},
        {"constellation lines", [](GeneralSkyDisplay& d) { d.oggettiCostellazioni = !d.oggettiCostellazioni; }, 1},
        {"planet labels", [](GeneralSkyDisplay& d) { d.etichettePianeti = !d.etichettePianeti; }, 1},
        {"zoom mode", [](GeneralSkyDisplay& d) { d.zoom = !d.zoom; d.zoomed = d.zoom; }, 0},
    };
    for (const auto& c : cases) {
        const int before = sky->redrawCount();
        changeOptions(c.change);
        EXPECT_EQ(sky->redrawCount() - before, c.redraws) << c.what;
        expectTickAndTimerBack(*sky, c.what);
    }
    const int before = sky->redrawCount();
    TrackingModel::instance().requestChartCommand(ChartKind::GeneralSky, ChartCommand::Redraw);
    EXPECT_EQ(sky->redrawCount(), before + 1);
}

TEST_F(GeneralSkyWindowTest, ANewObserverRedrawsTheChartAtOnce)
{
    const auto sky = openWindow();
    const int before = sky->redrawCount();
    Osservatore.Fuso_orario = 5;
    mAstro::Calcola_tempi(Data_attuale);
    TrackingModel::instance().notifyObserverChanged();
    EXPECT_EQ(sky->redrawCount(), before + 1) << "no wait for the minute's redraw";
    expectTickAndTimerBack(*sky, "after the observer changed");
}

TEST_F(GeneralSkyWindowTest, AMinimisedOrEmptyChartDrawsNothingAndKeepsTheTimer)
{
    const auto sky = openWindow();
    const QImage drawn = sky->chartImage();
    sky->Picture1->setFixedSize(0, 0);
    QApplication::processEvents();
    const int empty = sky->redrawCount();
    sky->Genera_mappa();
    sky->tmrGeneralSky_Timer();
    EXPECT_EQ(sky->redrawCount(), empty);
    expectTickAndTimerBack(*sky, "empty");

    sky->Picture1->setMinimumSize(1, 1);
    sky->Picture1->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    sky->showMinimized();
    QApplication::processEvents();
    const int minimised = sky->redrawCount();
    sky->tmrGeneralSky_Timer();
    changeOptions([](GeneralSkyDisplay& d) { d.griglia = !d.griglia; });
    EXPECT_EQ(sky->redrawCount(), minimised);
    expectTickAndTimerBack(*sky, "minimised");
    EXPECT_FALSE(drawn.isNull());
}

TEST_F(GeneralSkyWindowTest, CaptionReadsOutThePointer)
{
    const auto sky = openWindow();
    const QString ar = mLang::Testo_lingua(u"Def", u"ar");
    const QString dec = mLang::Testo_lingua(u"Def", u"dec");
    EXPECT_EQ(sky->pointerReadout({5.5, -0.5}),
              ar + QString::fromUtf16(u" 05h 30m 00s  ") + dec + QString::fromUtf16(u" -00\u00b0 30' "));
    EXPECT_TRUE(sky->pointerReadout({5.5, 0}).contains(QString::fromUtf16(u"+00\u00b0 00'")));
    QMouseEvent move(QEvent::MouseMove, QPointF(pixelOf(*sky, 12, 45)), QPointF(), Qt::NoButton,
                     Qt::NoButton, {});
    QApplication::sendEvent(sky->Picture1, &move);
    EXPECT_TRUE(sky->windowTitle().contains(QStringLiteral(" -  ") + ar + QStringLiteral(" 12h")))
        << sky->windowTitle().toStdString();
    EXPECT_EQ(sky->screenImage(), sky->chartImage()) << "no rubber band outside zoom mode";
}

TEST_F(GeneralSkyWindowTest, ADragBeyondTheChartLeavesTheLastReadoutOnTheChart)
{
    const auto sky = openWindow();
    const auto moveTo = [&sky](QPoint pixel) {
        QMouseEvent move(QEvent::MouseMove, QPointF(pixel),
                         sky->Picture1->mapToGlobal(QPointF(pixel)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(sky->Picture1, &move);
    };
    const QPoint below(sky->Picture1->width() / 2, sky->Picture1->height() + 120);
    const QPoint left(-80, sky->Picture1->height() / 2);
    for (const bool zoomMode : {false, true}) {
        SCOPED_TRACE(zoomMode ? "zoom mode" : "identification");
        changeOptions([zoomMode](GeneralSkyDisplay& d) { d.zoom = zoomMode; });
        const QPoint start = pixelOf(*sky, 12, -80);
        QTest::mousePress(sky->Picture1, Qt::LeftButton, {}, start);
        moveTo(start);
        const QString onChart = sky->windowTitle();
        ASSERT_TRUE(onChart.contains(sky->pointerReadout(sky->chartPointAt(start))))
            << onChart.toStdString();
        for (const QPoint beyond : {below, left}) {
            moveTo(beyond);
            EXPECT_EQ(sky->windowTitle(), onChart)
                << "moved to " << beyond.x() << ", " << beyond.y();
        }
        QTest::mouseRelease(sky->Picture1, Qt::LeftButton, {}, below);
        EXPECT_FALSE(sky->windowTitle().contains(sky->pointerReadout(sky->chartPointAt(below))))
            << sky->windowTitle().toStdString();
        if (zoomMode)
            TrackingModel::instance().requestChartCommand(ChartKind::GeneralSky,
                                                          ChartCommand::RestoreView);
    }
}

TEST_F(GeneralSkyWindowTest, ZoomReleasedBeyondTheEdgesIsHeldToTheSky)
{
    const auto sky = openWindow();
    changeOptions([](GeneralSkyDisplay& d) { d.zoom = true; d.zoomed = true; });
    const QPoint from = pixelOf(*sky, 12, 30);
    const QPointF fromChart = sky->chartPointAt(from);
    const QPoint beyond(sky->Picture1->width() + 60, sky->Picture1->height() + 60);
    drag(*sky, from, beyond);
    const skycharts::ViewBox view = sky->viewBox();
    EXPECT_FLOAT_EQ(view.left, static_cast<float>(fromChart.x()));
    EXPECT_FLOAT_EQ(view.top, static_cast<float>(fromChart.y()));
    EXPECT_FLOAT_EQ(view.right, 0.0f);
    EXPECT_FLOAT_EQ(view.bottom, -90.0f);
    EXPECT_FALSE(TrackingModel::instance().generalSky().zoom) << "a completed zoom ends zoom mode";
    EXPECT_TRUE(TrackingModel::instance().generalSky().zoomed);
    expectTickAndTimerBack(*sky, "zoomed");

    // Pressed at the right edge and released beyond it: no box is left, the view stays.
    changeOptions([](GeneralSkyDisplay& d) { d.zoom = true; });
    const QPoint edge(sky->Picture1->width() - 1, sky->Picture1->height() / 2);
    drag(*sky, edge, {edge.x() + 80, edge.y() + 80});
    EXPECT_EQ(sky->viewBox(), view);
    EXPECT_TRUE(TrackingModel::instance().generalSky().zoom) << "zoom mode stays on";
    EXPECT_EQ(sky->screenImage(), sky->chartImage()) << "the rubber band is wiped";

    // A slip of the hand is no zoom either.
    drag(*sky, {100, 100}, {102, 101});
    EXPECT_EQ(sky->viewBox(), view);

    TrackingModel::instance().requestChartCommand(ChartKind::GeneralSky, ChartCommand::RestoreView);
    EXPECT_EQ(sky->viewBox(), skycharts::kWholeSkyView);
    EXPECT_FALSE(TrackingModel::instance().generalSky().zoomed);
}

TEST_F(GeneralSkyWindowTest, AClickIdentifiesTheStarOrTellsOnceThatTheCatalogueIsMissing)
{
    std::optional<Stella_catalogo> record;
    std::vector<int> reads;
    m_hooks.readStarRecord = [&](int rank) {
        reads.push_back(rank);
        return record;
    };
    skycharts::bringSkyToInstant(Data_attuale); // the bodies where the tick would put them
    const auto sky = openWindow();
    const Stella& sirius = Stelle[1];
    const QPoint at = pixelOf(*sky, sirius.Ascensione_retta, sirius.Declinazione);
    {
        const ModalCloser closer;
        QTest::mouseClick(sky->Picture1, Qt::LeftButton, {}, at);
        ASSERT_EQ(closer.messages.size(), 1u);
        EXPECT_EQ(closer.messages.front(),
                  mLang::Testo_lingua(u"frmGeneralSky", u"catalogononleggibile"));
        EXPECT_TRUE(closer.dialogs.empty());
    }
    record = Stella_catalogo{};
    record->Nome = "Sirius";
    {
        const ModalCloser closer;
        QTest::mouseClick(sky->Picture1, Qt::LeftButton, {}, at);
        EXPECT_TRUE(closer.messages.empty());
        ASSERT_EQ(closer.dialogs.size(), 1u);
        EXPECT_EQ(closer.dialogs.front(), QStringLiteral("frmObject"));
        EXPECT_EQ(Record_stella.Nome, "Sirius");
    }
    EXPECT_EQ(reads, (std::vector<int>{1, 1}));

    // The Moon is picked whatever its layer shows; with no star counted, bodies only.
    const Corpo_celeste& moon = Corpi_celesti[kLuna];
    const skycharts::SkyPick body = sky->identifyAt({moon.Ascensione_retta, moon.Declinazione});
    EXPECT_EQ(body.kind, skycharts::SkyPick::Kind::Body);
    EXPECT_EQ(body.index, kLuna);
    sky->setGintNumStelle(0);
    EXPECT_EQ(sky->identifyAt({sirius.Ascensione_retta, sirius.Declinazione}).kind,
              skycharts::SkyPick::Kind::Nothing);
}

TEST_F(GeneralSkyWindowTest, ClosingSavesTheGeometryUnlessMinimised)
{
    Impostazioni.Posizioni_finestre = true;
    mReg::Scrivi_registro(u"Quorvanel", u"Cielo generale", u"Window_Width", u"9000");
    mReg::Scrivi_registro(u"Quorvanel", u"Cielo generale", u"Window_Height", u"4500");
    const auto storedWidth = [] {
        return mReg::Leggi_registro(u"Quorvanel", u"Cielo generale", u"Window_Width", u"");
    };
    for (const bool minimised : {true, false}) {
        auto sky = std::make_unique<frmGeneralSky>(m_hooks);
        sky->show();
        QApplication::processEvents();
        EXPECT_EQ(sky->width(), 600) << "opened at the stored size";
        EXPECT_EQ(sky->height(), 300);
        sky->resize(700, 300);
        if (minimised)
            sky->showMinimized();
        QApplication::processEvents();
        sky->close();
        EXPECT_EQ(storedWidth(), minimised ? QStringLiteral("9000") : QStringLiteral("10500"));
        mReg::Scrivi_registro(u"Quorvanel", u"Cielo generale", u"Window_Width", u"9000");
    }
    EXPECT_FALSE(TrackingModel::instance().generalSky().zoom);
}

} // namespace

#pragma once
// Stand-ins for the windows the main window feeds (world map, local sky, data bar, tables):
// they record what they were asked to do. A test registers one under the window's name, so
// the main window finds it loaded exactly as it would find the real window.

#include "MainWindowTestSupport.h"

#include "mainwindow/LiveWindows.h"
#include "services/WindowRegistry.h"

#include <QWidget>

#include <cmath>
#include <vector>

/// What a data box was given.
struct DataBoxRecord
{
    void record(const PrincipalTexts& texts)
    {
        ++shown;
        last = texts;
    }
    int shown = 0;
    int resets = 0;
    PrincipalTexts last;
};

class FakeDataBar : public QWidget, public PrincipalDataBox, public DataBoxRecord
{
public:
    void showPrincipalTexts(const PrincipalTexts& texts) override { record(texts); }
    void resetPrincipalTexts() override { ++resets; }
};

class FakeWorldMap : public QWidget, public WorldMapWindow, public DataBoxRecord
{
public:
    void showPrincipalTexts(const PrincipalTexts& texts) override { record(texts); }
    void resetPrincipalTexts() override { ++resets; }
    void Genera_mappa() override { ++redraws; }
    void Disegna_satellite(int slot) override { drawn.push_back(slot); }
    void Disegna_visibilita() override { ++footprints; }
    void Disegna_griglia() override { ++grids; }
    void Disegna_orbita() override { ++groundTracks; }
    void Form_Resize() override { ++resizes; }
    [[nodiscard]] int mintSelezione() const override { return picked; }
    void setProjection(WorldMapProjection p) override { m_projection = p; }
    [[nodiscard]] WorldMapProjection projection() const override { return m_projection; }
    void setDataBoxVisible(bool visible) override { dataBox = visible; }
    void setCrossPointer(bool on) override { cross = on; }
    void clearChart() override { ++clears; }

    int redraws = 0;
    std::vector<int> drawn;
    int footprints = 0;
    int grids = 0;
    int groundTracks = 0;
    int resizes = 0;
    int clears = 0;
    int picked = 0;
    bool dataBox = true;
    bool cross = false;

private:
    WorldMapProjection m_projection = WorldMapProjection::Rectangular;
};

/// A local sky whose chart position of a direction lies 90 - elevation from the centre along
/// the azimuth: the zenith at the centre, the horizon circle at radius 90.
class FakeLocalSky : public QWidget, public LocalSkyWindow, public DataBoxRecord
{
public:
    struct Stroke
    {
        QPointF from;
        QPointF to;
        QColor colour;
    };

    void showPrincipalTexts(const PrincipalTexts& texts) override { record(texts); }
    void resetPrincipalTexts() override { ++resets; }
    void Genera_mappa() override { ++redraws; }
    void tmrLocalSky_Timer() override { ++timerRedraws; }
    void Disegna_satellite_in_cielo(int slot) override { drawn.push_back(slot); }
    [[nodiscard]] QPointF Mappatura(double azimuthDeg, double elevationDeg) const override
    {
        constexpr double kDegToRad = 0.0174532925;
        const double radius = 90.0 - elevationDeg;
        return {radius * std::sin(azimuthDeg * kDegToRad),
                radius * std::cos(azimuthDeg * kDegToRad)};
    }
    void Disegna_terreno() override { ++landscapes; }
    void Form_Resize() override { ++resizes; }
    void Stampa() override { ++prints; }
    [[nodiscard]] double chartScaleWidth() const override { return 400.0; }
    void setPersistentDrawing(bool on) override { persistent = on; }
    void drawTrackLine(QPointF from, QPointF to, const QColor& colour) override
    {
        lines.push_back({from, to, colour});
    }
    void drawTrackDot(QPointF centre, double radius, const QColor& colour) override
    {
        dots.push_back({centre, centre, colour});
        dotRadius = radius;
    }
    void setChartCursor(ChartCursor c) override { cursor = c; }
    void clearChart() override { ++clears; }
    void setDataBoxVisible(bool visible) override { dataBox = visible; }
    void setViewBounds(const ChartBounds& b, bool zoomed) override
    {
        bounds = b;
        zoom = zoomed;
    }

    int redraws = 0;
    int timerRedraws = 0;
    std::vector<int> drawn;
    int landscapes = 0;
    int resizes = 0;
    int prints = 0;
    int clears = 0;
    bool persistent = false;
    std::vector<Stroke> lines;
    std::vector<Stroke> dots;
    double dotRadius = 0;
    ChartCursor cursor = ChartCursor::Normal;
    bool dataBox = true;
    ChartBounds bounds;
    bool zoom = true;
};

class FakeTable : public QWidget, public LiveTableWindow
{
public:
    void Aggiorna_dati() override { ++refreshes; }
    int refreshes = 0;
};

/// Defines `name` as a window of type Fake and loads it; the test forgets it when done.
template <class Fake> Fake* loadFake(const QString& name)
{
    WindowRegistry::instance().define(name, WindowLifetime::UnloadOnClose, [] { return new Fake; });
    return dynamic_cast<Fake*>(WindowRegistry::instance().form(name));
}

#pragma once
// frmWorldMap: the Earth with the active satellites, as a rectangular map or as the globe
// seen from one of fourteen directions near the principal satellite. A child window of the
// main window's document area; it paints from the tracking model: the background once a
// minute, after a resize and after every display-option change, the satellites and the
// principal's footprint every second over it. The pop-up menu is the main window's
// mnuWorldmap, handed in by whoever makes the window.

#include "worldmap/MapPictures.h"
#include "worldmap/MapProjection.h"
#include "worldmap/WorldMapPainter.h"

#include "tracking/TrackingModel.h"
#include "services/FailureReport.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <set>
#include <string>

class QGroupBox;
class QLabel;
class QMenu;

class frmWorldMap : public QWidget
{
    Q_OBJECT

public:
    struct Hooks
    {
        /// The main window's menu mnuWorldmap, popped up by the right button.
        QMenu* popupMenu = nullptr;
        /// Makes the satellite of a slot (2..) the principal through the active list.
        std::function<void(int slot)> makePrincipal;
        /// Tells the user of a failure; by default a message box that does not block.
        std::function<void(const QString& text)> report;
    };

    explicit frmWorldMap(TrackingModel& model, Hooks hooks, QWidget* parent = nullptr);
    ~frmWorldMap() override;

    /// The projection: the window's Tag, "Recta" or "Ortho".
    void setProjection(worldmap::MapKind kind);
    [[nodiscard]] worldmap::MapKind projection() const { return m_kind; }
    [[nodiscard]] QString tag() const;

    /// Full redraw of the background; the satellites follow at once from the last tick.
    void Genera_mappa();

    /// Slot of the satellite last found under the pointer (0: none).
    [[nodiscard]] int mintSelezione() const { return m_selection; }
    /// File name of the base picture now shown (Picture1's Tag); empty before one loaded.
    [[nodiscard]] QString pictureName() const { return m_pictureTag; }
    /// The map box as it is painted now: background and the satellites over it.
    [[nodiscard]] QImage composedMap() const;
    /// The background of the last full redraw alone.
    [[nodiscard]] const QImage& background() const { return m_background; }
    [[nodiscard]] const worldmap::MapProjection& mapProjection() const { return m_projection; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // frmWorldMap.cpp: wiring, the model and the mouse.
    void connectControls();
    void model_ticked();
    /// The data box from the model's last snapshot: the principal's values, or zeros when no
    /// satellite is active.
    void followPrincipal();
    void model_worldMapChanged(const WorldMapDisplay& previous);
    void model_chartCommand(ChartKind chart, ChartCommand command);
    void Picture1_MouseMove(QPointF at);
    void Picture1_MouseDown(Qt::MouseButton button, QPointF at);
    void Picture1_MouseUp();
    void paintLiveLayer(QPainter& painter) const;
    void Aggiorna_titolo();
    void readoutCaption(QPointF at);
    [[nodiscard]] bool drawable() const;
    /// Tells a drawing failure once (m_failures).
    void reportOnce(const QString& key, const QString& detail);

    // frmWorldMapDrawing.cpp: the full redraw.
    void drawBackground();
    [[nodiscard]] double julianDateNow() const;
    [[nodiscard]] const QImage* loadBasePicture(std::string_view file);
    void chooseView();

    // frmWorldMapLayout.cpp: controls, texts, layout and remembered geometry.
    void buildControls();
    void Imposta_lingua();
    void Leggi_posizione_finestra();
    void Form_Resize();
    void showPrincipalTexts(const PrincipalTexts& texts);
    /// No principal: the number labels show "0", status and magnitude nothing.
    void resetPrincipalTexts();
    void savePosition();

    TrackingModel& m_model;
    Hooks m_hooks;
    worldmap::MapKind m_kind = worldmap::MapKind::Rectangular;

    QWidget* Picture1 = nullptr;
    QGroupBox* fraSatellitePrincipale = nullptr;
    std::array<QLabel*, 18> m_captions{};
    std::array<QLabel*, 18> m_values{};
    QString Testo_mappamondo;
    QString Testo_rettangolare;
    QString Testo_ortografica;

    worldmap::MapPictures m_pictures;
    worldmap::MapProjection m_projection;
    QImage m_background;
    QString m_pictureTag;
    double m_lon0 = 0; ///< Longitudine_centro
    double m_lat0 = 0; ///< Latitudine_centro
    std::string_view m_viewFile = worldmap::kRectangularPicture; ///< the picture the view needs
    std::string m_principalCatalogue; ///< the principal the background was drawn for
    std::vector<worldmap::SatelliteMarker> m_markers;
    int m_selection = 0;
    bool m_positioned = false;
    bool m_redrawing = false;
    FailureReport m_failures;
};

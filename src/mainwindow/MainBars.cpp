#include "mainwindow/MainBars.h"

#include "mainwindow/ToolbarIcons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int kToolbarIconSize = 24;
// The clock panel holds the longest clock format with a weekday and a month name.
constexpr int kClockPanelMinimumWidth = 260;

} // namespace

const std::vector<ToolbarPosition>& toolbarPositions()
{
    static const std::vector<ToolbarPosition> positions{
        {u"Open", u"apri", u"mnuFileApri"},
        {u"Save", u"salva", u"mnuFileSalvaImpostazioni"},
        {u"", u"", u""},
        {u"Location", u"localita", u"mnuOpzioniLocalita"},
        {u"Time", u"data", u"mnuOpzioniData"},
        {u"", u"", u""},
        {u"Recta", u"mapparett", u"mnuTerraMappaRettangolare"},
        {u"Ortho", u"mappaorto", u"mnuTerraMappaOrtografica"},
        {u"Griglia", u"griglia", u"mnuWorldmapGriglia"},
        {u"Terminatore", u"terminatore", u"mnuWorldmapTerminatore"},
        {u"Ombra", u"ombra", u"mnuWorldmapOmbra"},
        {u"SatOrbit", u"tracciato", u"mnuWorldmapTracciatoOrbita"},
        {u"", u"", u""},
        {u"LocalSky", u"cielolocale", u"mnuCieloMappaLocale"},
        {u"Transit", u"transito", u"mnuLocalSkyTransitoPrincipale"},
        {u"Planets", u"pianeti", u"mnuEffemeridiPianeti"},
        {u"SkyMap", u"cielogenerale", u"mnuCieloMappaGenerale"},
        {u"", u"", u""},
        {u"Satellite", u"database", u"mnuSatellitiDatabase"},
        {u"Elements", u"elementi", u"mnuSatellitiElementiOrbitali"},
        {u"Calcolo", u"calcolo", u"mnuSatellitiCalcoloEffemeridi"},
        {u"Relativo", u"relativo", u"mnuSatellitiMotoRelativo"},
        {u"Track", u"effemeridi", u"mnuEffemeridiSatelliti"},
        {u"Find", u"previsioni", u"mnuSatellitiPrevisioniPassaggi"},
        {u"", u"", u""},
        {u"Stampa", u"stampa", u"mnuFileStampa"},
        {u"Rete", u"rete", u"mnuStrumentiDownload"},
        {u"Sincro", u"sincro", u"mnuStrumentiSincronizzazione"},
        {u"Impostazioni", u"impostazioni", u"mnuOpzioniGenerali"},
    };
    return positions;
}

const std::vector<OpenMenuItem>& openMenuItems()
{
    static const std::vector<OpenMenuItem> items{
        {u"Open", u"mnuFileApri"},
        {u"Summary", u"mnuFileVisualizza"},
        {u"Modify", u"mnuFileModifica"},
    };
    return items;
}

const QHash<QString, QString>& pressedButtons()
{
    static const QHash<QString, QString> buttons{
        {QStringLiteral("Griglia"), QStringLiteral("mnuWorldmapGriglia")},
        {QStringLiteral("SatOrbit"), QStringLiteral("mnuWorldmapTracciatoOrbita")},
        {QStringLiteral("Transit"), QStringLiteral("mnuLocalSkyTransitoPrincipale")},
    };
    return buttons;
}

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {}

void StatusPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

MainBars buildMainBars(QMainWindow* window)
{
    MainBars bars;
    bars.Toolbar1 = window->addToolBar(QString());
    bars.Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    bars.Toolbar1->setMovable(false);
    bars.Toolbar1->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
    for (const ToolbarPosition& position : toolbarPositions()) {
        const QString key = QString::fromUtf16(position.key);
        if (key.isEmpty()) {
            bars.Toolbar1->addSeparator();
            continue;
        }
        QAction* button = bars.Toolbar1->addAction(toolbarIcon(key), QString());
        button->setObjectName(QStringLiteral("Toolbar1_") + key);
        button->setData(key);
        button->setCheckable(pressedButtons().contains(key));
        bars.buttons.insert(key, button);
    }
    bars.openMenu = new QMenu(window);
    for (const OpenMenuItem& item : openMenuItems()) {
        const QString key = QString::fromUtf16(item.key);
        QAction* action = bars.openMenu->addAction(QString());
        action->setData(key);
        bars.openItems.insert(key, action);
    }
    if (auto* open = qobject_cast<QToolButton*>(
            bars.Toolbar1->widgetForAction(bars.buttons.value(QStringLiteral("Open"))))) {
        open->setMenu(bars.openMenu);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }

    bars.StatusBar1 = window->statusBar();
    bars.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* panel = new StatusPanel(bars.StatusBar1);
        panel->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        bars.StatusBar1->addPermanentWidget(panel, i == 0 ? 0 : 1);
        bars.panels[static_cast<std::size_t>(i)] = panel;
    }
    bars.panels[0]->setMinimumWidth(kClockPanelMinimumWidth);
    return bars;
}

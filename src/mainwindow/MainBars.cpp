#include "mainwindow/MainBars.h"

#include "mainwindow/MenuTable.h"
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
        {u"Open", u"apri", mnu(u"mnuFileApri").text},
        {u"Save", u"salva", mnu(u"mnuFileSalvaImpostazioni").text},
        {u"", u"", u""},
        {u"Location", u"localita", mnu(u"mnuOpzioniLocalita").text},
        {u"Time", u"data", mnu(u"mnuOpzioniData").text},
        {u"", u"", u""},
        {u"Recta", u"mapparett", mnu(u"mnuTerraMappaRettangolare").text},
        {u"Ortho", u"mappaorto", mnu(u"mnuTerraMappaOrtografica").text},
        {u"Griglia", u"griglia", mnu(u"mnuWorldmapGriglia").text},
        {u"Terminatore", u"terminatore", mnu(u"mnuWorldmapTerminatore").text},
        {u"Ombra", u"ombra", mnu(u"mnuWorldmapOmbra").text},
        {u"SatOrbit", u"tracciato", mnu(u"mnuWorldmapTracciatoOrbita").text},
        {u"", u"", u""},
        {u"LocalSky", u"cielolocale", mnu(u"mnuCieloMappaLocale").text},
        {u"Transit", u"transito", mnu(u"mnuLocalSkyTransitoPrincipale").text},
        {u"Planets", u"pianeti", mnu(u"mnuEffemeridiPianeti").text},
        {u"SkyMap", u"cielogenerale", mnu(u"mnuCieloMappaGenerale").text},
        {u"", u"", u""},
        {u"Satellite", u"database", mnu(u"mnuSatellitiDatabase").text},
        {u"Elements", u"elementi", mnu(u"mnuSatellitiElementiOrbitali").text},
        {u"Calcolo", u"calcolo", mnu(u"mnuSatellitiCalcoloEffemeridi").text},
        {u"Relativo", u"relativo", mnu(u"mnuSatellitiMotoRelativo").text},
        {u"Track", u"effemeridi", mnu(u"mnuEffemeridiSatelliti").text},
        {u"Find", u"previsioni", mnu(u"mnuSatellitiPrevisioniPassaggi").text},
        {u"", u"", u""},
        {u"Stampa", u"stampa", mnu(u"mnuFileStampa").text},
        {u"Rete", u"rete", mnu(u"mnuStrumentiDownload").text},
        {u"Sincro", u"sincro", mnu(u"mnuStrumentiSincronizzazione").text},
        {u"Impostazioni", u"impostazioni", mnu(u"mnuOpzioniGenerali").text},
    };
    return positions;
}

const std::vector<OpenMenuItem>& openMenuItems()
{
    static const std::vector<OpenMenuItem> items{
        {u"Open", mnu(u"mnuFileApri").text},
        {u"Summary", mnu(u"mnuFileVisualizza").text},
        {u"Modify", mnu(u"mnuFileModifica").text},
    };
    return items;
}

const QHash<QString, QString>& pressedButtons()
{
    static const QHash<QString, QString> buttons{
        {QStringLiteral("Griglia"), mnu(u"mnuWorldmapGriglia")},
        {QStringLiteral("SatOrbit"), mnu(u"mnuWorldmapTracciatoOrbita")},
        {QStringLiteral("Transit"), mnu(u"mnuLocalSkyTransitoPrincipale")},
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

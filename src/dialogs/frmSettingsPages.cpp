// The fourteen pages of the options dialog: each page holds one frame with the controls of
// its options, named as the options table binds them.

#include "dialogs/frmSettings.h"

#include "controls/GraphButton/GraphButton.h"
#include "controls/RangeTool/RangeTool.h"
#include "dialogs/ColourSwatch.h"
#include "dialogs/SettingsBindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kAddressColumnPx = 253; // 3800 twips
constexpr int kNumberColumnPx = 27;   // 400 twips
constexpr int kSliderWidthPx = 300;
constexpr int kInfoWidthPx = 360;
constexpr int kMinimumWidthPx = 720; // room for most of the fourteen page tabs

template <class Widget> Widget* make(const QString& name, QWidget* parent)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

template <class Widget> Widget* make(const char16_t* name, QWidget* parent)
{
    return make<Widget>(QString::fromUtf16(name), parent);
}

/// A page holding one frame; the frame's layout is returned through `layout`.
template <class Layout> QWidget* page(const char16_t* frameName, Layout*& layout)
{
    auto* widget = new QWidget;
    auto* frame = make<QGroupBox>(frameName, widget);
    layout = new Layout(frame);
    auto* outer = new QVBoxLayout(widget);
    outer->addWidget(frame);
    outer->addStretch();
    return widget;
}

void addChecks(QBoxLayout* layout, QWidget* parent, std::initializer_list<const char16_t*> names)
{
    for (const char16_t* name : names)
        layout->addWidget(make<QCheckBox>(name, parent));
}

void addCombo(QFormLayout* layout, QWidget* parent, const char16_t* label, const char16_t* combo)
{
    auto* caption = make<QLabel>(label, parent);
    auto* list = make<QComboBox>(combo, parent);
    caption->setBuddy(list);
    layout->addRow(caption, list);
}

QLabel* info(const char16_t* name, QWidget* parent)
{
    auto* label = make<QLabel>(name, parent);
    label->setWordWrap(true);
    label->setMinimumWidth(kInfoWidthPx);
    // Set apart by the slant of its letters, in the window's own text colour: greyed-out text
    // would be too faint to read.
    QFont slanted = label->font();
    slanted.setItalic(true);
    label->setFont(slanted);
    return label;
}

/// The object and label groups of a sky chart: prefix + Oggetti/Etichette + three suffixes.
QHBoxLayout* objectGroups(const QString& prefix, const QString& groupPrefix, QWidget* parent)
{
    auto* groups = new QHBoxLayout;
    for (const char* kind : {"Oggetti", "Etichette"}) {
        auto* group = make<QGroupBox>(
            QStringLiteral("fra") + groupPrefix + QString::fromLatin1(kind), parent);
        auto* layout = new QVBoxLayout(group);
        for (const char* suffix : {"Costellazioni", "Pianeti", "SoleLuna"})
            layout->addWidget(make<QCheckBox>(
                prefix + QString::fromLatin1(kind) + QString::fromLatin1(suffix), group));
        groups->addWidget(group);
    }
    return groups;
}

} // namespace

void frmSettings::buildControls()
{
    SSTab1 = make<QTabWidget>(u"SSTab1", this);
    SSTab1->addTab(buildGeneralPage(), QString());
    SSTab1->addTab(buildSatellitesPage(), QString());
    SSTab1->addTab(buildWorldMapPage(), QString());
    SSTab1->addTab(buildLocalSkyPages(1), QString());
    SSTab1->addTab(buildLocalSkyPages(2), QString());
    SSTab1->addTab(buildWholeSkyPage(), QString());
    SSTab1->addTab(buildPassChartPages(1), QString());
    SSTab1->addTab(buildPassChartPages(2), QString());
    SSTab1->addTab(buildFiltersPage(), QString());
    SSTab1->addTab(buildAddressPage(u"fraServer", u"lvwServerNTP", u"cmdServer"), QString());
    SSTab1->addTab(buildColourPage(1), QString());
    SSTab1->addTab(buildColourPage(2), QString());
    SSTab1->addTab(buildAddressPage(u"fraDownload", u"lvwDownload", u"cmdDownload"), QString());
    SSTab1->addTab(buildExternalProgramPage(), QString());
    SSTab1->setUsesScrollButtons(true);

    cmdOK = make<GraphButton>(u"cmdOK", this);
    cmdOK->setDefault(true);
    cmdCancel = make<GraphButton>(u"cmdCancel", this);
    cmdCancel->setCancel(true);
    cmdSave = make<GraphButton>(u"cmdSave", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdSave);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    setMinimumWidth(kMinimumWidthPx);
}

QWidget* frmSettings::buildGeneralPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page(u"fraGenerali", layout);
    QWidget* frame = layout->parentWidget();
    addChecks(layout, frame,
              {u"chkVerificaOraLegale", u"chkPosizioniFinestre", u"chkConfermaUscita",
               u"chkBarraPulsanti", u"chkBarraStato", u"chkVerificaOpzioni"});
    auto* clock = new QFormLayout;
    addCombo(clock, frame, u"lblBarraStato", u"cmbData");
    layout->addLayout(clock);
    return widget;
}

QWidget* frmSettings::buildSatellitesPage()
{
    QGridLayout* layout = nullptr;
    QWidget* widget = page(u"fraSatelliti", layout);
    QWidget* frame = layout->parentWidget();
    const auto choice = [layout, frame](const char16_t* label, const char16_t* combo,
                                        const char16_t* explanation) {
        const int row = layout->rowCount();
        layout->addWidget(make<QLabel>(label, frame), row, 0);
        layout->addWidget(make<QComboBox>(combo, frame), row, 1);
        layout->addWidget(info(explanation, frame), row + 1, 1);
    };
    choice(u"lblPropagatore", u"cmbPropagatore", u"lblInfoPropagatore");
    choice(u"lblMagnitudine", u"cmbMagnitudine", u"lblInfoMagnitudine");
    choice(u"lblVisibilita", u"cmbVisibilita", u"lblInfoVisibilita");
    const int row = layout->rowCount();
    layout->addWidget(make<QCheckBox>(u"chkRifrazione", frame), row, 0, 1, 2);
    layout->addWidget(info(u"lblInfoRifrazione", frame), row + 1, 1);
    layout->setColumnStretch(1, 1);
    return widget;
}

QWidget* frmSettings::buildWorldMapPage()
{
    QGridLayout* layout = nullptr;
    QWidget* widget = page(u"fraMappamondo", layout);
    QWidget* frame = layout->parentWidget();
    const char16_t* const names[] = {u"chkWorldMapGriglia",           u"chkWorldMapNomeCitta",
                                     u"chkWorldMapCerchioVisibilita", u"chkWorldMapTracciatoOrbita",
                                     u"chkWorldMapDatiSatellite",     u"chkWorldMapCoordinateMouse",
                                     u"chkWorldMapRiquadroDati",      u"chkWorldMapSole",
                                     u"chkWorldMapTerminatore",       u"chkWorldMapOmbra"};
    int index = 0;
    for (const char16_t* name : names) {
        layout->addWidget(make<QCheckBox>(name, frame), index % 5, index / 5);
        ++index;
    }
    return widget;
}

QWidget* frmSettings::buildLocalSkyPages(int part)
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page(part == 1 ? u"fraLocale" : u"fraLocale2", layout);
    QWidget* frame = layout->parentWidget();
    auto* lists = new QFormLayout;
    if (part == 1) {
        addChecks(layout, frame, {u"chkLocalSkyGriglia"});
        layout->addLayout(
            objectGroups(QStringLiteral("chkLocalSky"), QStringLiteral("LocalSky"), frame));
        addCombo(lists, frame, u"lblLocalSkyProiezione", u"cmbLocalSkyProiezione");
        addCombo(lists, frame, u"lblLocalSkyCoordinateMouse", u"cmbLocalSkyCoordinate");
        addCombo(lists, frame, u"lblLocalSkyMagnitudine", u"cmbLocalSkyMagnitudine");
    } else {
        addChecks(layout, frame,
                  {u"chkLocalSkyPaesaggio", u"chkLocalSkyRiquadroDati", u"chkLocalSkyOrizzonte",
                   u"chkLocalSkyGriglia10"});
        addCombo(lists, frame, u"lblLocalSkyOrientamento", u"cmbLocalSkyOrientamento");
        addCombo(lists, frame, u"lblLocalSkyTipoGriglia", u"cmbLocalSkyTipoGriglia");
    }
    layout->addLayout(lists);
    return widget;
}

QWidget* frmSettings::buildWholeSkyPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page(u"fraGenerale", layout);
    QWidget* frame = layout->parentWidget();
    addChecks(layout, frame, {u"chkGeneralSkyGriglia"});
    layout->addLayout(
        objectGroups(QStringLiteral("chkGeneralSky"), QStringLiteral("GeneralSky"), frame));
    auto* lists = new QFormLayout;
    addCombo(lists, frame, u"lblGeneralSkyMagnitudine", u"cmbGeneralSkyMagnitudine");
    layout->addLayout(lists);
    return widget;
}

QWidget* frmSettings::buildPassChartPages(int part)
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page(part == 1 ? u"fraAnteprima" : u"fraAnteprima2", layout);
    QWidget* frame = layout->parentWidget();
    auto* lists = new QFormLayout;
    if (part == 1) {
        addChecks(layout, frame, {u"chkSkySatGriglia"});
        layout->addLayout(
            objectGroups(QStringLiteral("chkSkySat"), QStringLiteral("SkySat"), frame));
        addCombo(lists, frame, u"lblSkySatProiezione", u"cmbSkySatProiezione");
        addCombo(lists, frame, u"lblSkySatMagnitudine", u"cmbSkySatMagnitudine");
        addCombo(lists, frame, u"lblSkySatOrientamento", u"cmbSkySatOrientamento");
    } else {
        addChecks(layout, frame,
                  {u"chkSkySatPaesaggio", u"chkSkySatOrizzonte", u"chkSkySatGriglia10"});
        addCombo(lists, frame, u"lblSkySatTipoGriglia", u"cmbSkySatTipoGriglia");
    }
    layout->addLayout(lists);
    return widget;
}

QWidget* frmSettings::buildFiltersPage()
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page(u"fraFiltri", layout);
    QWidget* frame = layout->parentWidget();
    tabFiltri = make<QTabBar>(u"tabFiltri", frame);
    for (int tab = 0; tab < 3; ++tab)
        tabFiltri->addTab(QString());
    layout->addWidget(tabFiltri);
    // The three filter sets lie on top of each other; the one in front is the one seen.
    m_filterFrames = new QStackedLayout;
    for (int set = 0; set < 3; ++set)
        m_filterFrames->addWidget(buildFilterSet(set));
    layout->addLayout(m_filterFrames);
    return widget;
}

QWidget* frmSettings::buildFilterSet(int set)
{
    static const char16_t* const kFrames[] = {u"fraTutti", u"fraPrincipale", u"fraSecondari"};
    auto* frame = make<QGroupBox>(kFrames[set], nullptr);
    frame->setFlat(true);
    const auto named = [set](const char* base) { return filterControl(base, set); };
    auto* grid = new QGridLayout(frame);

    grid->addWidget(make<QLabel>(named("lblAltezza"), frame), 0, 0);
    grid->addWidget(make<QLabel>(named("lblAltmin"), frame), 0, 1);
    auto* elevation = make<RangeTool>(named("rtAltsat"), frame);
    elevation->setMin(0);
    elevation->setMax(90);
    elevation->setLowerValue(0);
    elevation->setUpperValue(90);
    elevation->setUpperLocked(true);
    elevation->setMinimumWidth(kSliderWidthPx);
    grid->addWidget(elevation, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("90\u00B0"), frame), 0, 3);

    grid->addWidget(make<QLabel>(named("lblAzimuth"), frame), 1, 0);
    grid->addWidget(make<QLabel>(named("lblAzmin"), frame), 1, 1);
    auto* azimuth = make<RangeTool>(named("rtAzisat"), frame);
    azimuth->setMin(0);
    azimuth->setMax(360);
    azimuth->setLowerValue(0);
    azimuth->setUpperValue(360);
    azimuth->setMinimumWidth(kSliderWidthPx);
    grid->addWidget(azimuth, 1, 2);
    grid->addWidget(make<QLabel>(named("lblAzmax"), frame), 1, 3);
    auto* compass = new QHBoxLayout;
    for (const char* letter : {"N", "E", "S", "W", "N"}) {
        compass->addWidget(new QLabel(QString::fromLatin1(letter), frame));
        compass->addStretch();
    }
    compass->takeAt(compass->count() - 1);
    grid->addLayout(compass, 2, 2);
    // The sliders take the width the page leaves, so the compass letters stay under them.
    grid->setColumnStretch(2, 1);

    auto* boxes = new QHBoxLayout;
    for (const char* box : {"chkAM", "chkPM", "chkSoloVisibili"})
        boxes->addWidget(make<QCheckBox>(named(box), frame));
    grid->addLayout(boxes, 3, 0, 1, 4);
    if (set == 0)
        grid->addWidget(make<QCheckBox>(u"chkTransito", frame), 4, 0, 1, 4);
    grid->setRowStretch(5, 1);
    return frame;
}

QWidget* frmSettings::buildAddressPage(const char16_t* frameName, const char16_t* listName,
                                       const char16_t* prefix)
{
    QHBoxLayout* layout = nullptr;
    QWidget* widget = page(frameName, layout);
    QWidget* frame = layout->parentWidget();
    auto* list = make<QTreeWidget>(listName, frame);
    list->setColumnCount(2);
    list->setRootIsDecorated(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnWidth(0, kAddressColumnPx);
    list->setColumnWidth(1, kNumberColumnPx);
    list->headerItem()->setTextAlignment(1, Qt::AlignRight);
    // Addresses take the width the list leaves; the number column keeps its own.
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->setMinimumWidth(kAddressColumnPx + kNumberColumnPx + 30);
    layout->addWidget(list);
    auto* buttons = new QVBoxLayout;
    for (const char* action : {"Ripristina", "Elimina", "Su", "Giu"})
        buttons->addWidget(
            make<GraphButton>(QString::fromUtf16(prefix) + QString::fromLatin1(action), frame));
    buttons->addStretch();
    layout->addLayout(buttons);
    return widget;
}

QWidget* frmSettings::buildColourPage(int part)
{
    QVBoxLayout* layout = nullptr;
    QWidget* widget = page(part == 1 ? u"fraColori1" : u"fraColori2", layout);
    QWidget* frame = layout->parentWidget();
    const auto swatchRow = [](QGridLayout* grid, QWidget* parent, const char* caption,
                              const char* swatch) {
        const int row = grid->rowCount();
        grid->addWidget(make<QLabel>(QString::fromLatin1(caption), parent), row, 0);
        grid->addWidget(make<ColourSwatch>(QString::fromLatin1(swatch), parent), row, 1);
    };
    auto* grid = new QGridLayout;
    if (part == 1) {
        swatchRow(grid, frame, "lblColoreSatellite", "lblAreaColoreSatellite");
        swatchRow(grid, frame, "lblColoreOrbitaPrecedente", "lblAreaColoreOrbitaPrecedente");
        swatchRow(grid, frame, "lblColoreOrbitaCorrente", "lblAreaColoreOrbitaCorrente");
        swatchRow(grid, frame, "lblColoreNomeCitta", "lblAreaColoreNomeCitta");
        swatchRow(grid, frame, "lblColoreGrigliaMappamondo", "lblAreaColoreGrigliaMappamondo");
        swatchRow(grid, frame, "lblColoreGrigliaCieloGenerale", "lblAreaColoreGrigliaGenerale");
        layout->addLayout(grid);
        auto* localGrids = make<QGroupBox>(u"fraColoriGrigliaCieloLocale", frame);
        auto* localGrid = new QGridLayout(localGrids);
        for (const char* n : {"1", "2", "3", "4"})
            swatchRow(localGrid, localGrids, (std::string("lblColoreGrigliaLocale") + n).c_str(),
                      (std::string("lblAreaColoreGrigliaLocale") + n).c_str());
        layout->addWidget(localGrids);
    } else {
        swatchRow(grid, frame, "lblColoreCostellazioni", "lblAreaColoreCostellazioni");
        swatchRow(grid, frame, "lblColoreEtichetteCostellazioni",
                  "lblAreaColoreEtichetteCostellazioni");
        layout->addLayout(grid);
    }
    auto* restore = new QHBoxLayout;
    restore->addStretch();
    restore->addWidget(
        make<GraphButton>(part == 1 ? u"cmdRipristinaColori1" : u"cmdRipristinaColori2", frame));
    layout->addLayout(restore);
    return widget;
}

QWidget* frmSettings::buildExternalProgramPage()
{
    QGridLayout* layout = nullptr;
    QWidget* widget = page(u"fraEsegui", layout);
    QWidget* frame = layout->parentWidget();
    layout->addWidget(make<QLabel>(u"lblEseguiPercorso", frame), 0, 0, 1, 2);
    layout->addWidget(make<QLineEdit>(u"txtEseguiProgramma", frame), 1, 0);
    auto* browse = make<QPushButton>(u"cmdEseguiProgramma", frame);
    browse->setText(QStringLiteral("..."));
    layout->addWidget(browse, 1, 1);
    layout->addWidget(make<QLabel>(u"lblEseguiParametri", frame), 2, 0, 1, 2);
    layout->addWidget(make<QLineEdit>(u"txtEseguiParametri", frame), 3, 0);
    layout->addWidget(make<GraphButton>(u"cmdEseguiElimina", frame), 4, 0, Qt::AlignLeft);
    layout->setColumnMinimumWidth(0, kSliderWidthPx);
    return widget;
}

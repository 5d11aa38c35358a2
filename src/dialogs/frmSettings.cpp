#include "dialogs/frmSettings.h"

#include "common/options.h"
#include "controls/GraphButton/GraphButton.h"
#include "controls/RangeTool/RangeTool.h"
#include "dialogs/AddressLists.h"
#include "dialogs/ColourSwatch.h"
#include "dialogs/SettingsBindings.h"
#include "services/BusyCursor.h"
#include "services/Colours.h"
#include "services/DisplayFormat.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"
#include "tracking/OptionsStore.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

/// The colour each swatch gets back on Restore (the built-in defaults), by page.
struct RestoreColour
{
    int page;
    const char* swatch;
    std::uint32_t colour;
};

const RestoreColour kRestoreColours[] = {
    {frmSettings::kPageColours1, "lblAreaColoreSatellite", colours::rgbValue(255, 255, 0)},
    {frmSettings::kPageColours1, "lblAreaColoreOrbitaPrecedente", colours::rgbValue(255, 0, 0)},
    {frmSettings::kPageColours1, "lblAreaColoreOrbitaCorrente", colours::rgbValue(0, 255, 0)},
    {frmSettings::kPageColours1, "lblAreaColoreNomeCitta", colours::rgbValue(255, 255, 255)},
    {frmSettings::kPageColours1, "lblAreaColoreGrigliaMappamondo",
     colours::rgbValue(130, 130, 130)},
    {frmSettings::kPageColours1, "lblAreaColoreGrigliaGenerale", colours::rgbValue(100, 100, 100)},
    {frmSettings::kPageColours1, "lblAreaColoreGrigliaLocale1", colours::rgbValue(140, 140, 140)},
    {frmSettings::kPageColours1, "lblAreaColoreGrigliaLocale2", colours::rgbValue(120, 120, 120)},
    {frmSettings::kPageColours1, "lblAreaColoreGrigliaLocale3", colours::rgbValue(120, 120, 120)},
    {frmSettings::kPageColours1, "lblAreaColoreGrigliaLocale4", colours::rgbValue(100, 100, 100)},
    {frmSettings::kPageColours2, "lblAreaColoreCostellazioni", colours::rgbValue(0, 164, 164)},
    {frmSettings::kPageColours2, "lblAreaColoreEtichetteCostellazioni",
     colours::rgbValue(255, 0, 0)},
};

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmSettings", key);
}

QString degrees(int value, QStringView pattern)
{
    return formatNumber(value, pattern);
}

} // namespace

frmSettings::frmSettings(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmSettings"));
    m_chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    m_chooseFile = [this](const QString& title, const QString& file, const QString& filter) {
        return QFileDialog::getOpenFileName(this, title, file, filter);
    };
    buildControls();
    connectControls();
    Applica_lingua();
    Leggi_impostazioni();
    setCurrentPage(kPageGeneral);
    tabFiltri_Click(0);
}

void frmSettings::connectControls()
{
    connect(cmdOK, &GraphButton::Click, this, &frmSettings::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &QDialog::reject);
    connect(cmdSave, &GraphButton::Click, this, &frmSettings::cmdSave_Click);
    connect(control<QComboBox>(QStringLiteral("cmbLocalSkyTipoGriglia")),
            &QComboBox::currentIndexChanged, this,
            [this] { gridTypeChanged("cmbLocalSkyTipoGriglia", "chkLocalSkyGriglia10"); });
    connect(control<QComboBox>(QStringLiteral("cmbSkySatTipoGriglia")),
            &QComboBox::currentIndexChanged, this,
            [this] { gridTypeChanged("cmbSkySatTipoGriglia", "chkSkySatGriglia10"); });
    connect(tabFiltri, &QTabBar::currentChanged, this, &frmSettings::tabFiltri_Click);
    for (int set = 0; set < 3; ++set)
        connectFilterSet(set);

    const struct
    {
        const char* prefix;
        QStringList (*defaults)();
        const char16_t* upMessage;
        const char16_t* downMessage;
    } lists[] = {
        {"Server", &addressLists::defaultTimeServers, u"selezionareserver", u"selezionareserver"},
        {"Download", &addressLists::defaultDownloadAddresses, u"selezionarefile",
         u"selezionareserver"},
    };
    for (const auto& list : lists) {
        const QString prefix = QStringLiteral("cmd") + QString::fromLatin1(list.prefix);
        auto* addresses = control<QTreeWidget>(
            QString::fromLatin1(list.prefix[0] == 'S' ? "lvwServerNTP" : "lvwDownload"));
        connect(addresses, &QTreeWidget::itemDoubleClicked, addresses,
                [addresses](QTreeWidgetItem* item) { addresses->editItem(item, 0); });
        connect(control<GraphButton>(prefix + QStringLiteral("Ripristina")), &GraphButton::Click,
                this, [addresses, defaults = list.defaults] {
                    addressLists::restore(*addresses, defaults());
                });
        connect(control<GraphButton>(prefix + QStringLiteral("Elimina")), &GraphButton::Click, this,
                [addresses] { addressLists::clear(*addresses); });
        connect(control<GraphButton>(prefix + QStringLiteral("Su")), &GraphButton::Click, this,
                [this, addresses, key = list.upMessage] { moveRow(addresses, -1, key); });
        connect(control<GraphButton>(prefix + QStringLiteral("Giu")), &GraphButton::Click, this,
                [this, addresses, key = list.downMessage] { moveRow(addresses, 1, key); });
    }

    for (const RestoreColour& swatch : kRestoreColours) {
        const QString name = QString::fromLatin1(swatch.swatch);
        connect(control<ColourSwatch>(name), &ColourSwatch::clicked, this,
                [this, name] { Scegli_colore(name); });
    }
    connect(control<GraphButton>(QStringLiteral("cmdRipristinaColori1")), &GraphButton::Click, this,
            [this] { restoreColours(kPageColours1); });
    connect(control<GraphButton>(QStringLiteral("cmdRipristinaColori2")), &GraphButton::Click, this,
            [this] { restoreColours(kPageColours2); });
    connect(control<QAbstractButton>(QStringLiteral("cmdEseguiProgramma")),
            &QAbstractButton::clicked, this, &frmSettings::cmdEseguiProgramma_Click);
    connect(control<GraphButton>(QStringLiteral("cmdEseguiElimina")), &GraphButton::Click, this,
            &frmSettings::cmdEseguiElimina_Click);
}

void frmSettings::connectFilterSet(int set)
{
    for (const char* slider : {"rtAltsat", "rtAzisat"}) {
        auto* range = control<RangeTool>(filterControl(slider, set));
        connect(range, &RangeTool::Scroll, this, [this, set] { sliderMoved(set); });
        connect(range, &RangeTool::Change, this, [this, set] { sliderMoved(set); });
    }
    sliderMoved(set);
}

void frmSettings::setCurrentPage(int page)
{
    if (page >= 0 && page < kPageCount)
        SSTab1->setCurrentIndex(page);
}

int frmSettings::currentPage() const
{
    return SSTab1->currentIndex();
}

void frmSettings::Leggi_impostazioni()
{
    showSettings(*this, Impostazioni);
}

void frmSettings::gridTypeChanged(const char* gridType, const char* tenDegreeBox)
{
    // The 10-degree circle belongs to the alt-azimuth grid only.
    control<QCheckBox>(QString::fromLatin1(tenDegreeBox))
        ->setEnabled(control<QComboBox>(QString::fromLatin1(gridType))->currentIndex() == 1);
}

void frmSettings::sliderMoved(int set)
{
    const RangeTool* elevation = control<RangeTool>(filterControl("rtAltsat", set));
    const RangeTool* azimuth = control<RangeTool>(filterControl("rtAzisat", set));
    control<QLabel>(filterControl("lblAltmin", set))
        ->setText(degrees(elevation->LowerValue(), u"#0\u00B0"));
    control<QLabel>(filterControl("lblAzmin", set))
        ->setText(degrees(azimuth->LowerValue(), u"##0\u00B0"));
    control<QLabel>(filterControl("lblAzmax", set))
        ->setText(degrees(azimuth->UpperValue(), u"##0\u00B0"));
}

void frmSettings::tabFiltri_Click(int tab)
{
    if (tab >= 0 && tab < m_filterFrames->count())
        m_filterFrames->setCurrentIndex(tab);
}

void frmSettings::takeOptions()
{
    // Every field first, colours included; only then are the windows refreshed, so a redraw
    // already shows what the dialog shows.
    takeSettings(*this, Impostazioni);
    emit optionsApplied();
}

void frmSettings::cmdOK_Click()
{
    {
        const BusyCursor busy;
        takeOptions();
    }
    accept();
}

void frmSettings::done(int result)
{
    // OK, Cancel, Escape and the frame's close button all unload the dialog: the next opening
    // shows the options afresh.
    QDialog::done(result);
    WindowRegistry::instance().unload(this);
}

void frmSettings::cmdSave_Click()
{
    // Save stores what the dialog shows: the controls are taken over first, as by OK.
    takeOptions();
    if (!m_writeOptions)
        return;
    const mReg::RegistryStatus saved = m_writeOptions();
    if (!saved.ok())
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             optionsNotSavedText(saved));
}

void frmSettings::moveRow(QTreeWidget* list, int step, const char16_t* messageKey)
{
    if (!addressLists::moveSelected(*list, step))
        QMessageBox::information(this, QGuiApplication::applicationDisplayName(), text(messageKey));
}

void frmSettings::Scegli_colore(const QString& name)
{
    ColourSwatch* swatch = control<ColourSwatch>(name);
    const std::optional<QColor> chosen = m_chooseColour(colours::fromRgbValue(swatch->colour()));
    if (chosen)
        swatch->setColour(colours::rgbValue(*chosen));
}

void frmSettings::restoreColours(int page)
{
    for (const RestoreColour& swatch : kRestoreColours) {
        if (swatch.page == page)
            control<ColourSwatch>(QString::fromLatin1(swatch.swatch))->setColour(swatch.colour);
    }
}

void frmSettings::cmdEseguiProgramma_Click()
{
    yieldToEvents();
    auto* program = control<QLineEdit>(QStringLiteral("txtEseguiProgramma"));
    const QString chosen = m_chooseFile(mLang::Testo_lingua(u"Dialogs", u"esegui"),
                                        program->text().trimmed(), text(u"filtroprogrammi"));
    if (chosen.isEmpty())
        return;
    const QFileInfo file(chosen);
    // A file that vanished before it could be measured leaves the path as it was.
    if (!file.exists())
        return;
    program->setText(file.size() == 0 ? QString() : chosen);
}

void frmSettings::cmdEseguiElimina_Click()
{
    control<QLineEdit>(QStringLiteral("txtEseguiProgramma"))->clear();
    control<QLineEdit>(QStringLiteral("txtEseguiParametri"))->clear();
}

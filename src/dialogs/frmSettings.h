#pragma once
// The options dialog: every option of Impostazioni on fourteen pages. It shows the options
// when it opens (Leggi_impostazioni), and OK takes them back and tells the program
// (optionsApplied), which brings the open maps, the menus and the bars up to date. Save does
// the same and then writes the options to the store. Until then nothing the user does here
// reaches the options. Shown without modality; one instance, made afresh at every opening.

#include "services/mReg.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class GraphButton;
class QStackedLayout;
class QTabBar;
class QTabWidget;
class QTreeWidget;
class RangeTool;

class frmSettings : public QDialog
{
    Q_OBJECT

public:
    /// Page numbers of SSTab1.
    enum Page : int {
        kPageGeneral = 0,
        kPageSatellites = 1,
        kPageWorldMap = 2,
        kPageLocalSky1 = 3,
        kPageLocalSky2 = 4,
        kPageWholeSky = 5,
        kPagePassChart1 = 6,
        kPagePassChart2 = 7,
        kPageFilters = 8,
        kPageTimeServers = 9,
        kPageColours1 = 10,
        kPageColours2 = 11,
        kPageDownload = 12,
        kPageExternalProgram = 13,
        kPageCount = 14,
    };

    /// Chooses a colour starting from the given one; nothing when the user cancels.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& initial)>;
    /// Chooses a file to open: title, proposed name, filter. Empty on cancel.
    using FileChooser =
        std::function<QString(const QString& title, const QString& file, const QString& filter)>;
    /// Writes every option to the store (the main window's Salva_impostazioni).
    using OptionsWriter = std::function<mReg::RegistryStatus()>;

    explicit frmSettings(QWidget* owner = nullptr);

    /// Brings a page of SSTab1 to the front; the Options menu entries call it by name.
    Q_INVOKABLE void setCurrentPage(int page);
    [[nodiscard]] int currentPage() const;

    /// Puts every option into its control.
    void Leggi_impostazioni();
    /// Takes the controls into the options, tells the program, and closes.
    void cmdOK_Click();
    /// Takes the controls into the options, tells the program, and writes the options.
    void cmdSave_Click();

    /// OK and Cancel end here: the dialog is unloaded.
    void done(int result) override;

    void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setOptionsWriter(OptionsWriter writer) { m_writeOptions = std::move(writer); }

signals:
    /// Impostazioni now holds what the dialog shows; colours included.
    void optionsApplied();

private:
    // Pages (frmSettingsPages.cpp)
    void buildControls();
    QWidget* buildGeneralPage();
    QWidget* buildSatellitesPage();
    QWidget* buildWorldMapPage();
    QWidget* buildLocalSkyPages(int part);
    QWidget* buildWholeSkyPage();
    QWidget* buildPassChartPages(int part);
    QWidget* buildFiltersPage();
    QWidget* buildFilterSet(int set);
    QWidget* buildAddressPage(const char16_t* frame, const char16_t* list, const char16_t* prefix);
    QWidget* buildColourPage(int part);
    QWidget* buildExternalProgramPage();
    // Texts (frmSettingsTexts.cpp)
    void Applica_lingua();
    void fillLists();

    void connectControls();
    void connectFilterSet(int set);
    void gridTypeChanged(const char* gridType, const char* tenDegreeBox);
    void sliderMoved(int set);
    void tabFiltri_Click(int tab);
    void takeOptions();
    void moveRow(QTreeWidget* list, int step, const char16_t* messageKey);
    void Scegli_colore(const QString& swatch);
    void restoreColours(int page);
    void cmdEseguiProgramma_Click();
    void cmdEseguiElimina_Click();

    template <class Widget> Widget* control(const QString& name) const
    {
        return findChild<Widget*>(name);
    }

    QTabWidget* SSTab1 = nullptr;
    QTabBar* tabFiltri = nullptr;
    QStackedLayout* m_filterFrames = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
    GraphButton* cmdSave = nullptr;

    ColourChooser m_chooseColour;
    FileChooser m_chooseFile;
    OptionsWriter m_writeOptions;
};

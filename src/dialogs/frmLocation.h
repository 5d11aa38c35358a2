#pragma once
// The location dialog: where the observer stands. It offers the places of the city list,
// shows the chosen place's coordinates on a small globe, and takes a height, the time zone
// and daylight saving. OK makes the dialog the observer (Osservatore) and tells the program
// through observerChanged; New, Modify and Delete edit the city list, which is written to
// cities.dat at once. Shown without modality; closing only hides it, so it keeps its list.

#include "dialogs/CityList.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <map>

class GraphButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class frmAddLocation;

class frmLocation : public QDialog
{
    Q_OBJECT

public:
    explicit frmLocation(QWidget* owner = nullptr);

    /// Applies the dialog to the observer (the OK button; a double click on a place too).
    void cmdOk_Click();

    /// Adds a place to the list and the city file (the New button's work once the place is
    /// confirmed); returns its row.
    int addPlace(const City& city);
    /// Rewrites the place of a row and shows it again as chosen (Modify's work).
    void modifyPlace(int row, int listIndex, const City& city);

    /// Whether the city list file was read completely, so that it may be rewritten.
    [[nodiscard]] bool cityFileWritable() const { return m_fileWritable; }

    /// Replaces the writing of the city file (tests: a full disk); the default writes it with
    /// writeCityFile. False, with the reason, when the file was not written.
    using CityFileWriter = std::function<bool(const CityTable& table, QString* errorText)>;
    void setCityFileWriter(CityFileWriter writer) { m_writeCityFile = std::move(writer); }

    /// Cancel, Escape and closing the window: the controls return to the current observer and
    /// the dialog hides; nothing is written.
    void reject() override;

protected:
    /// Each opening starts in the place field, not on the button used the time before.
    void showEvent(QShowEvent* event) override;

signals:
    /// The observer changed: the status bar, the clock and the maps follow it.
    void observerChanged();

private:
    void buildControls();
    QGroupBox* buildPlaceGroup();
    QGroupBox* buildCoordinateGroup();
    QGroupBox* buildTimeGroup();
    void connectControls();
    void Applica_lingua();
    void Carica_citta();
    void Mostra_osservatore();
    void showZone(float zoneHours);
    void fillHourList(int side);
    void Disegna_globo(float latitudeDeg, float longitudeDeg);
    void loadEarth();
    void updateCount();
    void saveCityFile();
    void openAddLocation(frmAddLocation& dialog);

    void cmbCity_Click();
    void cmbOffset_Click();
    void txtCity_TextEdited(const QString& text);
    void cmdCancel_Click();
    void cmdHelp_Click();
    void cmdNuova_Click();
    void cmdModifica_Click();
    void cmdElimina_Click();
    void cmdFusoOrario_Click();
    void txtHeight_LostFocus();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QGroupBox* fraLocalita = nullptr;
    QLabel* lblCittaDisponibili = nullptr;
    QLineEdit* txtCity = nullptr; ///< the edit field of the place list
    QListWidget* cmbCity = nullptr;
    QLabel* lblCity = nullptr;
    GraphButton* cmdNuova = nullptr;
    GraphButton* cmdModifica = nullptr;
    GraphButton* cmdElimina = nullptr;
    QGroupBox* fraCoordinateGeografiche = nullptr;
    QLabel* lblLat = nullptr;
    QLabel* lblLon = nullptr;
    QLabel* lblLatitude = nullptr;
    QLabel* lblLongitude = nullptr;
    QLabel* lblQuota = nullptr;
    QLineEdit* txtHeight = nullptr;
    QLabel* picGeo = nullptr;
    QGroupBox* fraImpostazioneOra = nullptr;
    QComboBox* cmbOffset = nullptr;
    QComboBox* cmbOffsetHours = nullptr;
    QLabel* lblOre = nullptr;
    QComboBox* cmbOffsetMin = nullptr;
    QLabel* lblMin = nullptr;
    QCheckBox* chkDaylight = nullptr;
    QPushButton* cmdFusoOrario = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
    GraphButton* cmdHelp = nullptr;

    float m_chosenLatitude = 0;  ///< [degrees] of the place last chosen in the list
    float m_chosenLongitude = 0; ///< [degrees]
    bool m_fileWritable = false;
    CityFileWriter m_writeCityFile;
    QImage m_earth;                 ///< the world picture the globes are drawn from
    std::map<int, QImage> m_globes; ///< globe pictures made so far, by picture number
    bool m_earthFailureTold = false; ///< a damaged world picture was told to the user
};

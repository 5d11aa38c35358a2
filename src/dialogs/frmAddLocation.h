#pragma once
// The new-location dialog: a new place for the city list, or other coordinates and time zone
// for an existing one. Coordinates are typed as degrees, minutes and seconds (tab 0) or as
// whole degrees and up to four decimals (tab 1); leaving a tab checks it and converts its
// values into the other; a value only looked at on the other tab keeps what was typed. OK
// checks, asks for confirmation and keeps the place (place()); the location dialog then puts it
// into its list and the city file.

#include "dialogs/CityList.h"

#include <QDialog>

#include <array>
#include <optional>
#include <vector>

class GraphButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;

class frmAddLocation : public QDialog
{
    Q_OBJECT

public:
    explicit frmAddLocation(QWidget* owner = nullptr);

    int gintIndiceCittaDaModificare = 0; ///< modify mode: the row of Tabella_citta
    int gintIndiceCittaCombo = -1;       ///< modify mode: the place's index in the list
    bool gblnModificaCitta = false;      ///< true: modify mode, false: a new place

    /// Fills the dialog for changing a place: its name (which cannot be changed), its
    /// coordinates on the decimal tab, the hemispheres and side of Greenwich from its signs,
    /// and the hours and minutes the location dialog shows.
    void prepareModify(int row, int listIndex, const City& city, int hours, int minuteIndex);

    /// The place confirmed with OK.
    [[nodiscard]] const City& place() const { return m_place; }

    /// Checks the name and the fields of the tab in front; the first fault is shown and its
    /// field gets the focus.
    bool Controlla_dati();
    void cmdOK_Click();

private:
    /// One coordinate field: its control, the largest value, the message and the display
    /// pattern when the focus leaves it. A fraction field holds the decimals of a degree: its
    /// digits stand after the decimal mark, and its value is below a maximum of 1.
    struct Field
    {
        QLineEdit* edit = nullptr;
        double maximum = 0;
        const char16_t* message = nullptr;
        const char16_t* pattern = nullptr;
        QLineEdit* fraction = nullptr; ///< a whole-degree field: the fraction field beside it
        bool isFraction = false;
    };

    void buildControls();
    QWidget* buildSexagesimalTab();
    QWidget* buildDecimalTab();
    QGroupBox* buildTimeGroup();
    void connectControls();
    void Applica_lingua();
    /// The value a field holds: a number, or for a fraction field its decimals [0, 1); -1 for
    /// a fraction field that holds no decimals.
    [[nodiscard]] static double fieldValue(const Field& field);
    bool checkField(const Field& field);
    /// Range checks of a tab's fields, in order; the first failing field gets the focus.
    bool checkFields(int tab);
    /// The range checks, then the limits of a whole 90 or 180 degrees.
    bool checkTab(int tab);
    [[nodiscard]] const Field* fieldOf(const QLineEdit* edit) const;
    void SSTab1_Click(int tab);
    /// A decimal mark typed or pasted into a whole-degree field: what follows it goes into the
    /// fraction field, where typing goes on.
    void wholeDegrees_TextEdited(const Field& field);

    enum class Coordinate { Latitude, Longitude };
    /// The fields of a coordinate on a tab: degrees, minutes, seconds or degrees, fraction.
    [[nodiscard]] std::vector<const Field*> coordinateFields(Coordinate coordinate, int tab) const;
    /// The value of a coordinate's fields on a tab [degrees, unsigned].
    [[nodiscard]] double coordinateOnTab(Coordinate coordinate, int tab) const;
    /// Converts both coordinates into the fields of the tab brought to the front.
    void carryTo(int tab);
    [[nodiscard]] double latitudeOfTab() const;
    [[nodiscard]] double longitudeOfTab() const;
    void showWarning(QStringView key);
    void cmdCancel_Click();
    void cmdHelp_Click();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QGroupBox* fraCity = nullptr;
    QLineEdit* txtCityName = nullptr;
    QTabWidget* SSTab1 = nullptr;
    QGroupBox* fraLatitudinedms = nullptr;
    QGroupBox* fraLongitudinedms = nullptr;
    QGroupBox* fraLatitudinedd = nullptr;
    QGroupBox* fraLongitudinedd = nullptr;
    QLineEdit* txtDMSDegLatitude = nullptr;
    QLineEdit* txtDMSMinLatitude = nullptr;
    QLineEdit* txtDMSSecLatitude = nullptr;
    QLineEdit* txtDMSDegLongitude = nullptr;
    QLineEdit* txtDMSMinLongitude = nullptr;
    QLineEdit* txtDMSSecLongitude = nullptr;
    QLineEdit* txtDegLatitude = nullptr;
    QLineEdit* txtDegFrazLatitude = nullptr;
    QLineEdit* txtDegLongitude = nullptr;
    QLineEdit* txtDegFrazLongitude = nullptr;
    QComboBox* cmbLatitude = nullptr;
    QComboBox* cmbLongitude = nullptr;
    QGroupBox* fraOffset = nullptr;
    QComboBox* cmbOffset = nullptr;
    QComboBox* cmbOffsetHours = nullptr;
    QComboBox* cmbOffsetMin = nullptr;
    QLabel* lblFuso = nullptr;
    QLabel* lblFusoOre = nullptr;
    QLabel* lblFusoMin = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
    GraphButton* cmdHelp = nullptr;

    std::array<Field, 6> m_sexagesimalFields; ///< latitude d m s, longitude d m s
    std::array<Field, 4> m_decimalFields;     ///< latitude d fraction, longitude d fraction
    /// A value a tab switch converted, with the numbers it wrote into the fields of `tab`.
    struct CarriedValue
    {
        int tab = 0;
        double degrees = 0;
        std::vector<double> fields;
    };
    std::array<std::optional<CarriedValue>, 2> m_carried; ///< latitude, longitude
    int m_frontTab = 0;
    bool m_restoringTab = false; ///< bringing a refused tab back is not a switch of its own
    QLineEdit* m_typingOn = nullptr; ///< the fraction field a decimal mark is moving the focus to
    City m_place;
};

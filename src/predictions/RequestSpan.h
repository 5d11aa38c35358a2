#pragma once
// What the two listing request dialogs share: the start instant, the duration and the step
// with their units, the coordinate system, the element database lists, and opening a new
// listing window.

#include "common/Record_TLE.h"

#include <QString>

#include <vector>

class QComboBox;
class QDateTimeEdit;
class QGridLayout;
class QGroupBox;
class QLabel;
class QRadioButton;
class QWidget;
class frmDetails;

/// The start, duration and step controls of a request dialog.
struct SpanControls
{
    QLabel* lblDataInizio = nullptr;
    QDateTimeEdit* DTPicker1 = nullptr; ///< local time of the observer, shown as it stands
    QLabel* lblDurata = nullptr;
    QComboBox* cmbDurata = nullptr;     ///< 60 down to 1
    QComboBox* cmbTipoDurata = nullptr; ///< minutes, hours, days
    QLabel* lblIntervallo = nullptr;
    QComboBox* cmbIntervallo = nullptr;     ///< 60 down to 1
    QComboBox* cmbTipoIntervallo = nullptr; ///< seconds, minutes, hours

    /// Makes the controls, named as the dialogs name them, in a grid of three rows.
    [[nodiscard]] QGridLayout* build(QWidget* parent);
    /// Captions from section `section`, unit names from "Def"; the start is `now`, the
    /// duration and the step 15 minutes and 15 seconds.
    void load(QStringView section, double now);

    /// The chosen start (a date value).
    [[nodiscard]] double start() const;
    /// The start plus the chosen duration, added on the calendar.
    [[nodiscard]] double end(double startDate) const;
    /// The chosen step [s].
    [[nodiscard]] double stepSeconds() const;
};

/// The coordinate system choice of a request dialog: its caption and its four options, each
/// selecting a listing option.
struct CoordinateChoice
{
    QLabel* lblTipoCoordinate = nullptr;
    QRadioButton* optOBS = nullptr; ///< 1: azimuth, elevation and range seen by the observer
    QRadioButton* optECI = nullptr; ///< 2: inertial position and velocity
    QRadioButton* optLLA = nullptr; ///< 3: latitude, longitude and height of the sub-point
    QRadioButton* optRAD = nullptr; ///< 4: right ascension and declination

    /// Makes the caption and the options, named as the dialogs name them; the group that
    /// holds the options in a row, the observer's first or, with `inertialFirst`, the
    /// inertial one first.
    [[nodiscard]] QGroupBox* build(QWidget* parent, bool inertialFirst);
    /// Captions from section `section`; `checked` is the option set when the dialog opens.
    void load(QStringView section, QRadioButton* checked);
    /// The listing option of the checked option (4 when none of the first three is).
    [[nodiscard]] int listingOption() const;
};

/// The text a database list shows for a set: the first 24 characters of its name line.
[[nodiscard]] QString databaseEntryText(const Record_TLE& set);

/// The element database of a tab: 0 the primary, any other the secondary.
[[nodiscard]] const std::vector<Record_TLE>& databaseOfTab(int tab);

/// The set at `position` (from 1) of the tab's database when it is still the one whose entry
/// reads `entryText`; empty when the database has changed since the list was filled.
[[nodiscard]] std::optional<Record_TLE> chosenSet(int tab, int position, const QString& entryText);

/// A new listing window, placed where the program puts listings and shown.
[[nodiscard]] frmDetails* newListingWindow();

/// The object name of the listing window.
inline const QString kDetailsWindowName = QStringLiteral("frmDetails");

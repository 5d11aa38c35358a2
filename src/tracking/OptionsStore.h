#pragma once
// Every option (Impostazioni) and the observer (Osservatore) in the option store. One binding
// table of rows {section, key, default text, field} drives loading, saving, the built-in
// defaults and the change check, so a key cannot be read under one name and written under
// another.
//
// Stored forms: texts unchanged; truth values "-1" / "0"; integers and colours as decimal text;
// latitude and longitude in thousandths of a degree; other numbers as the shortest decimal text
// with "." whatever the user's locale. Reading accepts "." or "," as the decimal separator.

#include "common/options.h"
#include "services/mReg.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

/// Application name under which the options are stored.
inline constexpr char16_t kStoreApplication[] = u"Quorvanel";

/// A field of the options or observer record that one row binds.
using OptionField = std::variant<std::string*, bool*, std::int16_t*, std::int32_t*,
                                 std::uint8_t*, float*, double*>;

/// How a number field is kept in the store.
enum class StoredForm {
    Plain,         ///< its decimal text
    Thousandths,   ///< the value times 1000 (latitude, longitude)
    LeadingNumber, ///< read as the leading number of the text; "" reads as 0 (time zone)
};

/// A text of the language file: its section and key.
struct TextKey
{
    const char16_t* section;
    const char16_t* key;
};

struct OptionBinding
{
    QString section;
    QString key;
    QString defaultText;
    /// The bound field within a pair of records.
    std::function<OptionField(Opzioni&, Dati_osservatore&)> field;
    StoredForm form = StoredForm::Plain;
    /// Integers: the accepted range; a stored value outside it reads as the default. Real
    /// numbers are checked only when minimum is below maximum (latitude, longitude, zone).
    int minimum = 0;
    int maximum = 0;
    bool observer = false;           ///< a field of Dati_osservatore
    bool keptByDefaults = false;     ///< Impostazioni_default leaves it as it is
    bool comparedForChanges = true;  ///< Impostazioni_modificate looks at it
    /// How the user knows the setting: the texts of the dialog page, group and field that show
    /// it; `labelNumber`, when above 0, follows them (a row of a table).
    std::vector<TextKey> label;
    int labelNumber = 0;
};

/// The binding table, one row per stored key, in the order of the options record.
[[nodiscard]] const std::vector<OptionBinding>& optionBindings();

/// The name the user knows a setting by: its label texts joined by ": " ("World map: Grid");
/// "Section/Key" for a row without a label.
[[nodiscard]] QString optionLabel(const OptionBinding& row);

/// A stored value set back to its default, as the list of corrected settings shows it: the
/// number with the user's decimal mark and no group separators, or the text "not valid" for
/// none (or one that is not finite).
[[nodiscard]] QString correctedValueText(std::optional<double> value);

/// Fills Osservatore and every field of Impostazioni from the store, then copies them into
/// Osservatore_salvato and Impostazioni_salvate. A missing key, a value that is not a number
/// where a number belongs, or a number outside its row's range reads as the row's default.
/// Such a corrected value is an unsaved change: Impostazioni_modificate reports it until the
/// options are saved, or until saveSingleOption writes that very option, whatever the user
/// sets it to meanwhile. Returns the first store failure (the fields concerned keep their
/// defaults). `resetOptions`, when given, receives one line per corrected value: the setting's
/// label, then the value as stored or, for one that is not a number, the text "not valid".
mReg::RegistryStatus Carica_impostazioni(QStringList* resetOptions = nullptr);

/// Puts the built-in default into every field of Impostazioni except File_database and
/// File_lingua. Touches neither Osservatore nor the snapshots, and writes nothing.
void Impostazioni_default();

/// Writes Osservatore and every field of Impostazioni to its own key, and in the same write the
/// default of every map window's size or place that is still unusable in the store (see
/// unusableWindowGeometry). On success the snapshots are refreshed, so Impostazioni_modificate
/// then reports changes made after the save.
mReg::RegistryStatus Salva_impostazioni();

/// Writes the one option of `section` and `key` to the store and, when that succeeded, takes
/// its value into the snapshot, so it is no unsaved change any more.
mReg::RegistryStatus saveSingleOption(QStringView section, QStringView key);

/// Why a write of the option store failed, in plain words: the file is in use or locked, the
/// system's reason, or that the file cannot be read as a settings file; empty when unknown.
[[nodiscard]] QString optionsStoreFailureReason(const mReg::RegistryStatus& status);

/// The text of the box that tells of a save of the options that failed: that the settings
/// were not saved, why (the file is in use or locked, or the system's reason), and that the
/// settings file, named, was left as it was.
[[nodiscard]] QString optionsNotSavedText(const mReg::RegistryStatus& status);

/// True when an observer field, File_database or an option other than File_lingua differs from
/// its snapshot, or was corrected at load and has not been written since.
[[nodiscard]] bool Impostazioni_modificate();

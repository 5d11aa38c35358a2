#pragma once
// The options dialog's binding table: one row per option field with the page and the control
// that edit it, and the rule that puts the field into the control and takes it back. Loading
// the dialog and its OK button walk the same rows, so the two can never disagree about a field.
//
// Rules: a check box is ticked exactly when its truth value is true; a two-item list shows
// item 1 for true; an index list shows the field as its index; the Sun-limit list shows
// minus the field; a star-count list shows the entry of the star-count table that equals the
// field; a range slider's thumb holds the filter angle rounded to the whole degree (halves to
// even); a colour swatch holds the colour; a text box the text (taken back trimmed); an
// address list one entry per row. A list with no selection leaves its field as stored.

#include "common/options.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

struct SettingBinding
{
    int page;        ///< page of the dialog's tab control
    QString control; ///< object name of the control
    /// Puts the field into the control.
    std::function<void(QWidget& control, const Opzioni& options)> show;
    /// Takes the control back into the field.
    std::function<void(const QWidget& control, Opzioni& options)> take;
};

/// Every option the dialog edits, by page; File_lingua, File_database, Unita and
/// Canale_selezionato are not among them.
[[nodiscard]] const std::vector<SettingBinding>& settingBindings();

/// Fills the controls under `dialog` from the options (Leggi_impostazioni).
void showSettings(QWidget& dialog, const Opzioni& options);

/// Takes the controls under `dialog` back into the options.
void takeSettings(const QWidget& dialog, Opzioni& options);

/// Object names of the filter controls of filter set i (0 all, 1 principal, 2 others).
[[nodiscard]] QString filterControl(const char* name, int set);

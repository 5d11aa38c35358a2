#pragma once
// The installation checks of the start: a usable language file, a single running instance,
// the working-set file, and the data files that must be present in the program folder.

#include <QString>
#include <QStringList>

#include <functional>

class SingleInstanceLock;

/// The files that must be in the program folder at start, in the order they are checked:
/// the world-map pictures, the star catalogue, the city list, the constellation lines and
/// names, the planets and the radio frequencies.
[[nodiscard]] const QStringList& requiredInstallationFiles();

/// The first required file missing from `folder` (names compared without regard to letter
/// case); empty when every one is there.
[[nodiscard]] QString firstMissingInstallationFile(const QString& folder);

/// True when `name` names a file of `folder`, whatever the letter case on disk.
[[nodiscard]] bool languageFileUsable(const QString& folder, const QString& name);

/// The first language file of `folder` by name: an "*.ini" file, in any letter case, other
/// than the working-set file; empty when there is none.
[[nodiscard]] QString firstLanguageFile(const QString& folder);

/// True when `folder` holds a language file: an "*.ini" file, in any letter case, other than
/// the working-set file.
[[nodiscard]] bool languageFileAvailable(const QString& folder);

/// Creates the working-set file empty when it does not exist; an existing one is left alone.
/// False when it is missing and cannot be created.
bool ensureWorkingSetFile(const QString& folder);

/// How the start talks to the user before the main window exists.
struct StartupUi
{
    std::function<void(const QString& text)> critical;
    std::function<void(const QString& text)> information;
    /// Shows the language chooser modally; it stores the choice itself. Returns the language
    /// file chosen, empty when the chooser was closed without a choice.
    std::function<QString()> chooseLanguage;
    /// Lets pending window events run.
    std::function<void()> yield;
};

/// The checks before the main window loads, for the program folder MyPath: single instance,
/// then (for the only instance) the leftovers of interrupted saves and an unreadable options
/// file set aside, language file (recorded, or chosen now), working-set file, required files.
/// A second instance only reads the store and tells the user that the program runs already.
/// Sets Impostazioni.File_lingua. False when the program must end (the user has been told,
/// except when the language chooser was closed without a choice).
bool MDIForm_Initialize(const StartupUi& ui, SingleInstanceLock& lock);

/// The fixed texts shown when there is no language file at all.
[[nodiscard]] QString noLanguageFileText();

#pragma once
// Language texts. Every text the user sees comes from one language file in the program folder,
// named by the option File_lingua and laid out as an INI file in UTF-8:
//
//   [MDIForm1]
//   mnuFileApri=&Open...
//
// A line "[" section "]" opens a section; a line key "=" text inside it gives the text. Section
// and key compare without regard to letter case, the key must stand at the very start of its
// line and is followed directly by "=", and the text is everything after the first "="
// (blanks kept). There are no comments and no escapes. Lines may end in CR LF, LF or CR.
// A missing file, section or key gives an empty text; there is no fallback language.

#include <QAnyStringView>
#include <QString>

namespace mLang {

/// True once the lines of the current language file are held in memory. The language chooser
/// clears it after storing a new File_lingua, so the next lookup reads the new file.
inline bool Lingua_caricata = false;

/// The text of `key` in `section` of the language file MyPath + File_lingua; "" when missing.
[[nodiscard]] QString Testo_lingua(QAnyStringView section, QAnyStringView key);

/// The text of `key` in `section` of the language file `file` (a path), or `defaultValue`
/// when the file, the section or the key is missing. While a file is held in memory
/// (Lingua_caricata) the lookup searches it, whatever `file` names.
[[nodiscard]] QString Leggi_valore_ini(QAnyStringView section, QAnyStringView key,
                                       const QString& defaultValue, const QString& file);

/// Reads the language file `file` into memory unless Lingua_caricata is already set. The file
/// is found whatever the letter case of its name on disk. A missing or unreadable file leaves
/// Lingua_caricata false, so the next lookup tries again.
void Leggi_file_lingua(const QString& file);

} // namespace mLang

#pragma once
// The program folder and the files in it. The installation data (star catalogue, language
// files, map pictures) and the working-set file live beside the executable.

#include <QString>

/// The program folder, without a trailing separator: the base of every data-file path.
/// Set once at start (from programFolder()); tests point it at a temporary folder.
inline QString MyPath;

/// The folder of the running executable. Needs a QCoreApplication.
[[nodiscard]] QString programFolder();

/// The path of the file `name` in `folder`, found whatever the letter case of the name on
/// disk: the program's files come from a file system that ignored case, so a stored name such as
/// "english.ini" must still find "English.ini". An exact match wins; otherwise the first match
/// in name order. Empty when there is none.
[[nodiscard]] QString findFileIgnoringCase(const QString& folder, const QString& name);

/// The path of a data file in the program folder MyPath: the file found by
/// findFileIgnoringCase, or MyPath joined with `name` when no such file exists (opening it then
/// fails as for any missing file).
[[nodiscard]] QString dataFilePath(const QString& name);

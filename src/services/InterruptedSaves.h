#pragma once
// What a save cut short leaves behind. The program writes its own files through a temporary
// file beside the target, "<name>.quorvanel-saving-" and six random letters or digits
// (AtomicFile.h), that replaces the target when every byte is written. The option store
// writes under a lock file "<name>.lock", and its INI writer, writing into such a temporary
// file, adds a lock "<temporary>.lock" and a temporary file "<temporary>.XXXXXX" of its own.
// A run killed in the middle of a save leaves any of them.

#include <QString>
#include <QStringList>

/// Removes the leftovers of interrupted saves of `file`: the files named as above, and a lock
/// file "<file>.lock" that no running process holds. Only names with the program's mark are
/// removed: any other name beside the file ("<name>.BackUp", "<name>.aBcDeF") may be a
/// user's copy, and is kept. Nothing is removed while another process holds "<file>.lock",
/// as the option store's writer does while it saves; the other files are written only by the
/// program that holds the single-instance lock of their program folder, which the caller
/// holds. Returns the temporary files removed.
QStringList removeInterruptedSaves(const QString& file);

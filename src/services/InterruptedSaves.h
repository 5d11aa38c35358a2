#pragma once
// What a save cut short leaves behind. The program writes its own files through a temporary
// file beside the target ("<name>.XXXXXX", six random letters) that replaces the target when
// every byte is written, and the option store writes under a lock file "<name>.lock". A run
// killed in the middle of a save leaves either of them.

#include <QString>
#include <QStringList>

/// Removes the leftovers of interrupted saves of `file`: temporary files named as the atomic
/// writer names them, and a lock file that no running process holds. Nothing is removed while
/// another process holds the lock. A name that reads as a word ("backup", "Backup", "BACKUP")
/// is a user's copy, not a temporary file, and is kept. Returns the temporary files removed.
QStringList removeInterruptedSaves(const QString& file);

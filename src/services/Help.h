#pragma once
// The program's help: an HTML file in the program folder, named by the language file,
// opened in the desktop's browser. Pages are anchors in that file: "context-<n>" for the
// help context n of a window, "index" for the index.

#include <QString>
#include <QUrl>

class QWidget;

enum class HelpCommand {
    Contents, ///< the file's first page
    Index,    ///< the index, for looking a word up
    Context,  ///< the page of a window's help context number
};

/// The address of a help page.
[[nodiscard]] QUrl helpUrl(const QString& helpFile, HelpCommand command, int context = 0);

/// Opens a help page. When the help file is missing, or the desktop cannot open it, shows
/// noHelpFileText (information icon) and returns false.
bool showHelp(QWidget* parent, const QString& helpFile, HelpCommand command, int context,
              const QString& noHelpFileText);

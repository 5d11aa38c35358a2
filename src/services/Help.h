#pragma once
// The program's help: an HTML file in the program folder, named by the language file,
// opened in the desktop's browser. Pages are anchors in that file: "context-<n>" for the
// help context n of a window, "index" for the index.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

enum class HelpCommand {
    Contents, ///< the file's first page
    Index,    ///< the index, for looking a word up
    Context,  ///< the page of a window's help context number
};

/// The address of a help page.
[[nodiscard]] QUrl helpUrl(const QString& helpFile, HelpCommand command, int context = 0);

/// Opens a help page. When the help file is missing, shows noHelpFileText; when the desktop
/// has no program that shows the page, says so and names the file (information icon both);
/// then returns false.
bool showHelp(QWidget* parent, const QString& helpFile, HelpCommand command, int context,
              const QString& noHelpFileText);

/// Shows a help page; true when a program took it.
using HelpViewer = std::function<bool(const QUrl& page)>;

/// Replaces the desktop's opening of help pages (tests: a desktop without a browser); an empty
/// viewer puts the desktop's back.
void setHelpViewer(HelpViewer viewer);

#pragma once
// The element-file text window: a plain-text editor for element files (or any text file), a
// document of the main window. A new window is made for every file. It keeps the text as it
// was last read or saved and asks before closing when the text differs from it.

#include "dialogs/TextFileContent.h"

#include <QString>
#include <QWidget>

#include <functional>

class QMenu;
class QPrinter;
class QTextEdit;

class frmFile : public QWidget
{
    Q_OBJECT
    /// True for a window made empty by File > New: every save asks for a file name.
    Q_PROPERTY(bool gblnDialog MEMBER gblnDialog)
    /// The window's file name: the file read, or a new window's generated name; also its title.
    Q_PROPERTY(QString Tag READ fileName WRITE setFileName)

public:
    /// What the window asks of the desktop; the defaults show the desktop's dialogs.
    struct Hooks
    {
        /// The save dialog (it asks before overwriting a file): the chosen path, or empty on
        /// Cancel.
        std::function<QString(QWidget* parent, const QString& title, const QString& proposed,
                              const QString& filter)>
            chooseSaveFile;
        /// The print dialog over `printer`, offering "selection" when `selection`; false on
        /// Cancel. A print range of Selection afterwards prints the selection only.
        std::function<bool(QWidget* parent, QPrinter& printer, bool selection)> choosePrinter;
        /// The main window's Edit menu, popped up by the right mouse button over the text.
        QMenu* editMenu = nullptr;
    };

    frmFile();
    explicit frmFile(Hooks hooks, QWidget* parent = nullptr);

    bool gblnDialog = false;

    [[nodiscard]] QString fileName() const { return m_fileName; }
    void setFileName(const QString& name);

    /// Reads the file into the window and shows it; a file that cannot be read is reported
    /// and the window closes.
    Q_INVOKABLE void Leggi(const QString& FName);
    /// Saves the text: to a name chosen in the save dialog for a new window, otherwise to the
    /// window's file. True when the file was written; Cancel is silent, a failure is reported.
    Q_INVOKABLE bool Salva();
    /// Prints the selection, or the whole text when nothing is selected, on the printer chosen
    /// in the print dialog.
    Q_INVOKABLE void Stampa();

    /// The text as the editor holds it, lines separated by '\n'.
    [[nodiscard]] QString editorText() const;
    /// The text differs from the text last read or saved.
    [[nodiscard]] bool isChanged() const { return editorText() != m_savedText; }
    /// Eighty columns by 24 lines of the text's font: the size a new text window opens at.
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void txtFile_customContextMenuRequested(const QPoint& position);
    /// Asks whether to save changed text; true when the window may close.
    bool Form_QueryUnload();
    bool printText(QPrinter& printer, const QString& text);
    QString selectedOrWholeText(bool selectionOnly) const;
    void presentSelf();

    QTextEdit* txtFile = nullptr;
    Hooks m_hooks;
    QString m_fileName;
    QString m_savedText;
    TextFileContent m_format; ///< line ends and encoding of the file read, kept for saving
};

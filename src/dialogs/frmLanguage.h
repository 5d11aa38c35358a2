#pragma once
// The language chooser. It lists the language files of the program folder (the *.ini files
// other than the working-set file Quorvanel.ini) by language name, and on OK stores the
// choice in File_lingua and under Generali/Lingua, so that every text read afterwards comes
// from the new file. Shown modal: at start-up when no usable language file is recorded, and
// from the Options menu.

#include <QDialog>
#include <QStringList>

class GraphButton;
class QListWidget;

class frmLanguage : public QDialog
{
    Q_OBJECT

public:
    explicit frmLanguage(QWidget* owner = nullptr);

    /// The language names offered in `folder`: each *.ini file (any letter case) but the
    /// working-set file, without its extension and in proper case ("ENGLISH.INI" gives
    /// "English"), in the order of the file names.
    [[nodiscard]] static QStringList languageNames(const QString& folder);

    /// "english" or "PORTUGUES BRASIL" as "English", "Portugues Brasil": the first letter of
    /// each word upper case, the others lower case.
    [[nodiscard]] static QString properCase(const QString& text);

signals:
    /// A language was chosen and stored, and every window but the main one was unloaded; the
    /// main window relabels itself (Lingua) on it. Not sent while no other window is loaded
    /// (at start-up, before the main window is there).
    void languageChosen();

private:
    void buildControls();
    void connectControls();
    void fillList();
    void selectRecordedLanguage();
    void Applica_lingua();
    void lstLingua_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    QListWidget* lstLingua = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
};

#pragma once
// The About box: program picture, title, version and web address. The main window also shows
// it modeless as the start-up notice while the reference data load, with its own caption.

#include <QDialog>

class GraphButton;
class QLabel;

class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* owner = nullptr);

    /// The program's web address, shown by lblInternet.
    static const QString& webAddress();

    /// "major.minor.revision" of a version text, each part a plain integer ("2.0.3"); missing
    /// parts count as 0.
    [[nodiscard]] static QString versionNumber(const QString& applicationVersion);

private:
    void buildControls();
    void connectControls();
    void Applica_lingua();
    void cmdOK_Click();
    void lblInternet_linkActivated(const QString& link);

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblInternet = nullptr;
    GraphButton* cmdOK = nullptr;
};

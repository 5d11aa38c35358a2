#pragma once
// The orbital-elements window: one slot's element set in readable form (general information,
// the elements at epoch, the orbit derived from them and the three raw lines), paging through
// the active slots. It shows a copy of the slot's element record taken when the slot is shown,
// and counts the set's age from the last tick's instant.

#include <QDialog>

class GraphButton;
class QGroupBox;
class QLabel;
struct ElementTexts;

class frmSatellite : public QDialog
{
    Q_OBJECT

public:
    explicit frmSatellite(QWidget* parent = nullptr);

    /// The slot shown: 1 to 200 for the active slots, 201 for a database entry the opener
    /// parsed into the scratch slot (paging is then off). 0 when nothing was preset: the
    /// window starts at slot 1.
    int gintIndice = 0;

    QGroupBox* fraInformazioniGenerali = nullptr;
    QGroupBox* fraParametriOrbitali = nullptr;
    QGroupBox* fraParametriDerivati = nullptr;
    QGroupBox* fraElementi2Righe = nullptr;
    QLabel* lblNoradNumber = nullptr;
    QLabel* lblInternational = nullptr;
    QLabel* lblLaunchYear = nullptr;
    QLabel* lblLaunchNumber = nullptr;
    QLabel* lblAge = nullptr;
    QLabel* lblSet = nullptr;
    QLabel* lblMagStd = nullptr;
    QLabel* lblEpochTime = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* lblInclination = nullptr;
    QLabel* lblRaan = nullptr;
    QLabel* lblEccentricity = nullptr;
    QLabel* lblArgumentPerigee = nullptr;
    QLabel* lblMeanAnomaly = nullptr;
    QLabel* lblMeanMotion = nullptr;
    QLabel* lblDev1 = nullptr;
    QLabel* lblDev2 = nullptr;
    QLabel* lblBStar = nullptr;
    QLabel* lblOrbitNumberEpoch = nullptr;
    QLabel* lblApogee = nullptr;
    QLabel* lblPerigee = nullptr;
    QLabel* lblOrbitalPeriod = nullptr;
    QLabel* lblSemiMaj = nullptr;
    QLabel* lblSemiMin = nullptr;
    QLabel* lblZeroLine = nullptr;
    QLabel* lblFirstLine = nullptr;
    QLabel* lblSecondLine = nullptr;
    QLabel* lblSatellite = nullptr;
    GraphButton* cmdPrimo = nullptr;
    GraphButton* cmdPrecedente = nullptr;
    GraphButton* cmdSuccessivo = nullptr;
    GraphButton* cmdUltimo = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdHelp = nullptr;

    void cmdPrimo_Click();
    void cmdPrecedente_Click();
    void cmdSuccessivo_Click();
    void cmdUltimo_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void Imposta_lingua();
    void Form_Load();
    void Mostra_elementi(const int& slot);
    void showTexts(const ElementTexts& texts);
    void showPage(int slot);
    void setSlotCaption();
    void cmdHelp_Click();

    QString m_title;
    std::vector<std::pair<QLabel*, const char16_t*>> m_headings;
};

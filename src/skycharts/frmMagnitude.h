#pragma once
// The limiting-magnitude dialog: the faintest stars a sky chart draws, chosen as a limiting
// magnitude and applied as a count of catalogue stars. It serves the local sky ("locale"), the
// whole-sky chart ("generale") and a pass chart ("anteprima"): each exposes its count as the
// property gintNumStelle and its redraw as an invokable method.

#include <QDialog>
#include <QPointer>

class GraphButton;
class QComboBox;
class QGroupBox;
class QLabel;

class frmMagnitude : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString gstrQualeMappa MEMBER gstrQualeMappa)

public:
    explicit frmMagnitude(QWidget* parent = nullptr);

    /// The chart served: "locale", "generale" or "anteprima".
    QString gstrQualeMappa;

    /// The pass chart that "anteprima" serves; without one, the pass chart that owns the
    /// dialog, or else the pass chart that is the active child of the main window.
    void setServedChart(QWidget* chart) { m_servedChart = chart; }

    /// The chart window that gstrQualeMappa names, or null when none is open.
    [[nodiscard]] QWidget* servedChart() const;

    QGroupBox* Frame1 = nullptr;
    QComboBox* cmbMagnitudine = nullptr;
    QLabel* lblStelle = nullptr;
    QLabel* lblNumeroStelle = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Imposta_lingua();
    void Form_Load();
    void connectControls();
    void cmbMagnitudine_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();

    int m_chosenCount = 0;
    QPointer<QWidget> m_servedChart;
};

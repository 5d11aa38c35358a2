#pragma once
// The relative-motion request dialog: satellites A and B, each from the primary or the
// secondary element database, a start, a duration, a step and a coordinate system. Each OK
// opens a new listing window; the dialog stays open with its choices.

#include "predictions/RequestSpan.h"

#include <QDialog>

class GraphButton;
class QComboBox;
class QTabBar;

class frmRelative : public QDialog
{
    Q_OBJECT

public:
    explicit frmRelative(QWidget* owner = nullptr);

    // Index 0 satellite A, 1 satellite B.
    QTabBar* SSTab1[2] = {nullptr, nullptr};
    QComboBox* cmbDatabase[2] = {nullptr, nullptr};
    QLabel* lblSatelliteA = nullptr;
    QLabel* lblSatelliteB = nullptr;
    QLabel* lblInfo = nullptr;
    SpanControls span;
    CoordinateChoice coordinates;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
    GraphButton* cmdHelp = nullptr;

    void cmdOK_Click();

private:
    void buildControls();
    QLayout* buildSatelliteSide(int side, QLabel* caption);
    void connectControls();
    void Form_Load();
    void SSTab1_Click(int side);
    void fillDatabaseList(int side);
    void cmdCancel_Click();
    void cmdHelp_Click();
};

#pragma once
// The ephemeris request dialog: one satellite of the primary or the secondary element
// database, a start, a duration, a step and a coordinate system. Each OK opens a new listing
// window; the dialog stays open with its choices. Ctrl pressed anywhere in the dialog asks the
// next observer listing for the rows above the horizon only.

#include "predictions/RequestSpan.h"

#include <QDialog>

class GraphButton;
class QListWidget;
class QTabWidget;

class frmCalc : public QDialog
{
    Q_OBJECT

public:
    explicit frmCalc(QWidget* owner = nullptr);

    QTabWidget* SSTab1 = nullptr;
    QListWidget* lstDatabase[2] = {nullptr, nullptr};
    SpanControls span;
    CoordinateChoice coordinates;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;
    GraphButton* cmdHelp = nullptr;

    /// Set by a key press with Ctrl alone held; cleared by the next OK.
    bool mblnSoloAltPositiva = false;

    /// Fills the two database lists again from the databases.
    void fillDatabaseLists();

    void cmdOK_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void Form_Load();
    void Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void cmdCancel_Click();
    void cmdHelp_Click();
};

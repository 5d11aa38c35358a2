#pragma once
// The progress window of the long computations (database loading, pass search, listings).
// The computation shows it modeless, writes its step into lblTask, sets ProgressBar1's Max and
// Value, yields to the event loop so that Stop can be pressed, and closes the window when it
// ends. Stop only asks: it sets pflgArresta, which the computation polls and resets.

#include <QWidget>

class GraphButton;
class ProgressBar;
class QLabel;

class frmProgress : public QWidget
{
    Q_OBJECT

public:
    explicit frmProgress(QWidget* parent = nullptr);

    // Driven by the computation that shows the window.
    QLabel* const lblTask;
    ProgressBar* const ProgressBar1;
    GraphButton* const cmdCancel;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void cmdCancel_Click();
};

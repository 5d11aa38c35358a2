#pragma once
// The radio channel chooser of the tracking table: the ten downlink and uplink frequencies of
// one row's satellite; OK makes the chosen channel that row's channel, kept in the options.

#include <QDialog>

class GraphButton;
class QLabel;
class QListWidget;

class frmChannel : public QDialog
{
    Q_OBJECT

public:
    explicit frmChannel(QWidget* parent = nullptr);

    /// Row of the tracking page (0..9): the channel button and the option it sets.
    int gintIndicePulsante = 0;
    /// The slot shown in that row.
    int gintNumeroSatellite = 1;
    /// The row's current channel, 1..10.
    int gintCanaleFrequenza = 1;

    /// Opens the chooser for a row (again, when it is open for another row): lists the
    /// channels of the row's satellite and selects its current channel.
    void chooseFor(int row, int slot, int channel);

    QListWidget* List1 = nullptr;
    QLabel* lblDownlink = nullptr;
    QLabel* lblUplink = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Imposta_lingua();
    void fillList();
};

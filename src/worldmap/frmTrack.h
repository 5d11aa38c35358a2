#pragma once
// The tracking table: ten satellite slots a page, the name at the left and the values of each
// row on four tabs (observing parameters, orbital parameters in two tabs, radio frequencies
// with the Doppler correction of the row's channel). Every value comes from the snapshot the
// last tick published; the table refreshes on each tick while it is open.

#include "tracking/TrackingModel.h"

#include <QWidget>

#include <array>

class GraphButton;
class QFrame;
class QLabel;
class QTabWidget;

class frmTrack : public QWidget
{
    Q_OBJECT

public:
    explicit frmTrack(QWidget* parent = nullptr);

    /// Refreshes the page caption and the ten rows from the last tick's snapshot.
    void Aggiorna_dati();

    /// The slot shown in the first row.
    [[nodiscard]] int firstRow() const { return mintPrimaRiga; }

    /// The chooser's choice for row `row` (0..9): the button shows channel `channel`, with its
    /// tag in the chooser's form, and the row is refreshed.
    void setRowChannel(int row, int channel);

    template <class T> using Rows = std::array<T*, 10>;

    QLabel* lblNomeSatellite = nullptr;
    Rows<QLabel> lblName{};
    QTabWidget* SSTab1 = nullptr;
    QFrame* fraOsserva = nullptr;
    QFrame* fraOrbita1 = nullptr;
    QFrame* fraOrbita2 = nullptr;
    QFrame* fraRadio = nullptr;
    Rows<QLabel> lblAlt{}, lblAz{}, lblRa{}, lblDec{}, lblMag{}, lblEcl{};
    Rows<QLabel> lblLat{}, lblLon{}, lblHgtTrack{}, lblApg{}, lblPrg{};
    Rows<QLabel> lblPrd{}, lblVel{}, lblRev{}, lblRange{}, lblRR{};
    Rows<QLabel> lblDnlink{}, lblUplink{}, lblRicez{}, lblTrasm{};
    Rows<GraphButton> cmdCanale{};
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
    void cmdCanale_Click(int index);

private:
    struct Heading
    {
        const char16_t* name;
        const char16_t* section;
        const char16_t* key;
    };

    void buildControls();
    QFrame* buildTab(const QString& name, const std::vector<Heading>& headings,
                     const std::vector<Rows<QLabel>*>& columns, bool channelColumn);
    void Imposta_lingua();
    /// Sizes fixed for texts, the layout's at the least: the buttons for their captions, the
    /// rows for a line of the font.
    void fitToFont();
    void Form_Load();
    void showPage(int firstRow);
    void cmdHelp_Click();
    [[nodiscard]] int rowChannel(int row) const;

    int mintPrimaRiga = 1;
    std::vector<QLabel*> m_headings;
    std::vector<std::pair<QLabel*, QString>> m_headingKeys;
};

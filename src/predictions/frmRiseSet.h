#pragma once
// The almanac: sunrise, sunset, moonrise and moonset with their azimuths at the observer's
// place for one chosen date, or the day's status word when a body does not rise or set, and
// the Moon's phase. The date steps by day or month or is picked; each change recomputes.
// The almanac computes for its own date only: the program's shared time state and
// Corpi_celesti stay at the program clock for every other window.

#include <QDialog>

#include <array>

class GraphButton;
class QDateTimeEdit;
class QGroupBox;
class QLabel;

class frmRiseSet : public QDialog
{
    Q_OBJECT

public:
    explicit frmRiseSet(QWidget* owner = nullptr);

    /// The picked local instant as a date value (the day counts; the time of day is kept).
    [[nodiscard]] double pickedDate() const;
    void setPickedDate(double date);

    /// Draws the Moon's phase at a local instant into the picture label.
    static void Disegna_luna(QLabel* pic, double dataRichiesta);

    QDateTimeEdit* DTPicker1 = nullptr;
    GraphButton* cmdMesePrima = nullptr;
    GraphButton* cmdMeseDopo = nullptr;
    GraphButton* cmdGiornoPrima = nullptr;
    GraphButton* cmdGiornoDopo = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdHelp = nullptr;
    QGroupBox* fraSole = nullptr;
    QGroupBox* fraLuna = nullptr;
    QLabel* lblSole = nullptr;
    QLabel* lblLuna = nullptr;
    std::array<QLabel*, 2> lblSorge{};
    std::array<QLabel*, 2> lblTramonta{};
    std::array<QLabel*, 4> lblAzimuth{};
    QLabel* lblSunRise = nullptr;
    QLabel* lblSunSet = nullptr;
    QLabel* lblMoonRise = nullptr;
    QLabel* lblMoonSet = nullptr;
    QLabel* lblSunRiseAz = nullptr;
    QLabel* lblSunSetAz = nullptr;
    QLabel* lblMoonRiseAz = nullptr;
    QLabel* lblMoonSetAz = nullptr;
    QLabel* picSole = nullptr;
    QLabel* picLuna = nullptr;

    void cmdMesePrima_Click();
    void cmdMeseDopo_Click();
    void cmdGiornoPrima_Click();
    void cmdGiornoDopo_Click();

private:
    void buildControls();
    void connectControls();
    void Imposta_testi();
    void Calcola_almanacco();
    void cmdHelp_Click();
};

#pragma once
// The planets table: right ascension, declination, azimuth and altitude of the seven
// planets, the Sun and the Moon at the program clock, with the planets' distances, light
// times and magnitudes and the Sun's and the Moon's distances in kilometres. It shows
// Corpi_celesti as the one-second tick leaves them and refreshes after every tick.

#include <QDialog>

#include <array>

class GraphButton;
class QGroupBox;
class QLabel;

class frmPlanets : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRows = 9;    ///< rows 0..6 the planets, 7 the Sun, 8 the Moon
    static constexpr int kPlanets = 7;

    explicit frmPlanets(QWidget* owner = nullptr);

    /// Rewrites every value label from Corpi_celesti.
    void Aggiorna_dati();

    std::array<QLabel*, kRows> lblRa{};
    std::array<QLabel*, kRows> lblDec{};
    std::array<QLabel*, kRows> lblAz{};
    std::array<QLabel*, kRows> lblAlt{};
    std::array<QLabel*, kRows> lblLight{};
    std::array<QLabel*, kPlanets> lblDist{};
    std::array<QLabel*, kPlanets> lblMag{};
    QLabel* lblDistSun = nullptr;
    QLabel* lblDistMoon = nullptr;
    std::array<QLabel*, kRows> nameLabels{}; ///< lblMercurio .. lblLuna
    QLabel* lblPianeta = nullptr;
    QLabel* lblAscensioneRetta = nullptr;
    QLabel* lblDeclinazione = nullptr;
    QLabel* lblAzimuth = nullptr;
    QLabel* lblAltezza = nullptr;
    QLabel* lblMagnitudine = nullptr;
    QLabel* lblDistaUA = nullptr;
    QLabel* lblDistaLuce = nullptr;
    QLabel* lblDistaKm = nullptr;
    QGroupBox* Frame1 = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdHelp = nullptr;

private:
    void buildControls();
    void Imposta_lingua();
    void cmdOK_Click();
    void cmdHelp_Click();
};

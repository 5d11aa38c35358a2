#pragma once
// The sky-object information window: one catalogue star (the record in Record_stella) or one
// body of Corpi_celesti, with its name as title, a picture, five value rows and its
// coordinates. Modal; every paint shows the values current at that moment.

#include "common/catalogues.h"

#include <QDialog>
#include <QStringView>

#include <functional>
#include <optional>

class GraphButton;
class QGroupBox;
class QLabel;

namespace skycharts {
struct SkyPick;
}

class frmObject : public QDialog
{
    Q_OBJECT

public:
    explicit frmObject(QWidget* parent = nullptr);

    /// 0 the star in Record_stella; 1..9 Corpi_celesti(n).
    int gintOggetto = 0;

    /// Writes the labels and the picture from the shared data (also run by every paint).
    void Aggiorna_etichette();

    QLabel* lblMagnitudine = nullptr;
    QLabel* lblMag = nullptr;
    QLabel* lblDiametro = nullptr;
    QLabel* lblSize = nullptr;
    QLabel* lblFase = nullptr;
    QLabel* lblPhase = nullptr;
    QLabel* lblDistanza = nullptr;
    QLabel* lblDist = nullptr;
    QLabel* lblTempoLuce = nullptr;
    QLabel* lblLight = nullptr;
    QLabel* lblAscensioneRetta = nullptr;
    QLabel* lblRa = nullptr;
    QLabel* lblDeclinazione = nullptr;
    QLabel* lblDec = nullptr;
    QLabel* lblAzimuth = nullptr;
    QLabel* lblAz = nullptr;
    QLabel* lblAltezza = nullptr;
    QLabel* lblAlt = nullptr;
    QLabel* PicObject = nullptr;
    QGroupBox* fraCoordinate = nullptr;
    GraphButton* cmdOK = nullptr;
    GraphButton* cmdHelp = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Applica_lingua();
    void connectControls();
    void cmdOK_Click();
    void cmdHelp_Click();
    void showPicture();
};

/// Opens the window (modal, over `owner`'s window) for what a click on a sky chart picked: a
/// catalogue star, its record read by `readStarRecord`, or a body; nothing for an empty pick.
/// A star whose record cannot be read is told over `owner` with the text
/// "catalogononleggibile" of `languageSection`, and no window opens.
void showSkyPick(QWidget& owner, const skycharts::SkyPick& pick,
                 const std::function<std::optional<Stella_catalogo>(int rank)>& readStarRecord,
                 QStringView languageSection);

#pragma once
// The data bar: a small translucent window with the principal satellite's live values. It
// takes them from each tick's snapshot while it is loaded, shown or hidden; its scroll bar
// sets its opacity, from 90 (never invisible) to 255, 180 on every load.

#include "tracking/TickTexts.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QScrollBar;

class frmFloating : public QWidget
{
    Q_OBJECT

public:
    explicit frmFloating(QWidget* parent = nullptr);

    /// Writes the eighteen value labels.
    void showPrincipalTexts(const PrincipalTexts& texts);

    QGroupBox* fraSatellitePrincipale = nullptr;
    QScrollBar* hscrTrasparenza = nullptr;
    QLabel* lblLatitude = nullptr;
    QLabel* lblLongitude = nullptr;
    QLabel* lblAltitude = nullptr;
    QLabel* lblAzimuth = nullptr;
    QLabel* lblAscension = nullptr;
    QLabel* lblDeclination = nullptr;
    QLabel* lblOrbitNumber = nullptr;
    QLabel* lblRangeRate = nullptr;
    QLabel* lblState = nullptr;
    QLabel* lblMagnitude = nullptr;
    QLabel* lblHeight = nullptr;
    QLabel* lblRange = nullptr;
    QLabel* lblApogee = nullptr;
    QLabel* lblPerigee = nullptr;
    QLabel* lblPeriod = nullptr;
    QLabel* lblVelocity = nullptr;
    QLabel* lblRicez = nullptr;
    QLabel* lblTrasm = nullptr;

signals:
    /// The bar was closed with its close box (the main window unticks its menu item).
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Imposta_etichette();
    void followTick();

    std::vector<std::pair<QLabel*, const char16_t*>> m_captions;
};

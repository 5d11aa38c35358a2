#pragma once
// What the pass-chart menu (mnuSkySat) asks of the sky chart of a pass over which it was
// popped up: its own display options, its full redraw and its printout. Each pass chart
// (frmSkySat, a new window per pass) implements it; the main window reaches the active chart
// through the document area and this interface, never by a stored reference or by name.

#include "tracking/DisplayOptions.h"

class PassChartControl
{
public:
    virtual ~PassChartControl() = default;

    /// The chart's options (its impmnuSkySat* switches); the menu shows them when it opens.
    [[nodiscard]] virtual PassChartDisplay passChartDisplay() const = 0;
    /// Takes new options; draws nothing (the command follows with Genera_mappa).
    virtual void setPassChartDisplay(const PassChartDisplay& options) = 0;
    /// Redraws the chart; with `arraynuovo` the user's labels on the chart are cleared too.
    virtual void Genera_mappa(bool arraynuovo) = 0;
    /// Prints the chart.
    virtual void Stampa() = 0;
};

#pragma once
// The program's printer: one QPrinter shared by the printer set-up dialog, the print dialog
// and every printout, and a drawing surface over it. Page coordinates default to twips from
// the top-left corner of the printable area, y downwards.

#include "services/PaintDeviceSurface.h"

class QPrinter;
class QWidget;

/// The shared printer, made on first use and kept until the application object goes.
[[nodiscard]] QPrinter& sharedPrinter();

/// Printer set-up dialog (paper, orientation) over the shared printer; false on Cancel.
bool showPrinterSetupDialog(QWidget* parent);
/// Print dialog (printer choice, copies) over the shared printer; false on Cancel.
bool showPrintDialog(QWidget* parent);

class PrinterSurface : public PaintDeviceSurface
{
public:
    explicit PrinterSurface(QPrinter& printer);

    /// Ends the page; what follows goes on a new one, the pen at (0, 0).
    void NewPage();
    /// Ends and sends the document. False when nothing could be printed (no printer, an
    /// output file that cannot be written, nothing drawn).
    bool EndDoc();
    /// Abandons the document; a print-to-file output is removed.
    void KillDoc();

    /// The background of paper.
    [[nodiscard]] QColor BackColor() const override { return Qt::white; }

protected:
    /// Text runs on to a new page when a line would pass the bottom of the page.
    double placeTextLine(double deviceTop, double deviceLineHeight) override;

private:
    QPrinter& m_printer;
    bool m_failed = false;
};

/// The printer surface over the shared printer.
[[nodiscard]] PrinterSurface& Printer();

#include "services/Printing.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QPrinter* gPrinter = nullptr;
PrinterSurface* gSurface = nullptr;

void releasePrinter()
{
    delete gSurface;
    gSurface = nullptr;
    delete gPrinter;
    gPrinter = nullptr;
}

} // namespace

QPrinter& sharedPrinter()
{
    if (!gPrinter) {
        gPrinter = new QPrinter(QPrinter::HighResolution);
        // The printer may hold a platform print engine: let it go with the application
        // object rather than after it, at process exit.
        qAddPostRoutine(releasePrinter);
    }
    return *gPrinter;
}

PrinterSurface& Printer()
{
    if (!gSurface)
        gSurface = new PrinterSurface(sharedPrinter());
    return *gSurface;
}

bool showPrinterSetupDialog(QWidget* parent)
{
    QPageSetupDialog dialog(&sharedPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool showPrintDialog(QWidget* parent)
{
    QPrintDialog dialog(&sharedPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
}

PrinterSurface::PrinterSurface(QPrinter& printer) : PaintDeviceSurface(printer), m_printer(printer)
{
}

void PrinterSurface::NewPage()
{
    if (!activePainter()) {
        m_failed = true;
        return;
    }
    if (!m_printer.newPage())
        m_failed = true;
    resetPen();
}

bool PrinterSurface::EndDoc()
{
    const bool printed = isPainting() && !m_failed;
    end();
    m_failed = false;
    resetPen();
    return printed;
}

void PrinterSurface::KillDoc()
{
    if (isPainting())
        m_printer.abort();
    end();
    m_failed = false;
    resetPen();
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty())
        QFile::remove(m_printer.outputFileName());
}

double PrinterSurface::placeTextLine(double deviceTop, double deviceLineHeight)
{
    const bool atTopAlready = deviceTop <= 0.0;
    if (atTopAlready || deviceTop + deviceLineHeight <= deviceSize().height())
        return deviceTop;
    NewPage();
    return 0.0;
}

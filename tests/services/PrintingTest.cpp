// Printouts on the shared printer, sent to a PDF file and read back.

#include "services/Printing.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

/// Number of page objects in a PDF file ("/Type /Page", not "/Type /Pages").
int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString content = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(content.count(page));
}

/// The shared printer writing A4 portrait PDF into a temporary folder, its surface in the
/// state a printout sets up.
class PrintingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        output = folder.filePath(QStringLiteral("printout.pdf"));
        QPrinter& printer = sharedPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        Printer().ScaleReset();
        Printer().setFontName(QStringLiteral("Courier New"));
        Printer().setFontSize(10);
    }
    void TearDown() override { Printer().KillDoc(); }

    QTemporaryDir folder;
    QString output;
};

TEST_F(PrintingTest, NewPageBreaksTheDocumentIntoPages)
{
    PrinterSurface& printer = Printer();
    printer.setCurrentX(450);
    printer.setCurrentY(450);
    printer.Print(QStringLiteral("first page"));
    printer.Line(1200, 1200, 5000, 5000);
    printer.NewPage();
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 0.0);
    printer.setCurrentX(450);
    printer.Print(QStringLiteral("second page"));
    ASSERT_TRUE(printer.EndDoc());
    EXPECT_EQ(pdfPageCount(output), 2);
}

TEST_F(PrintingTest, LongTextRunsOnToNewPagesByItself)
{
    PrinterSurface& printer = Printer();
    const int lines = 200;
    const double lineHeight = printer.TextHeight(QStringLiteral("X"));
    ASSERT_GT(lineHeight, 0.0);
    const int linesPerPage = static_cast<int>(std::floor(printer.ScaleHeight() / lineHeight));
    ASSERT_GT(linesPerPage, 0);
    for (int i = 0; i < lines; ++i) {
        printer.setCurrentX(450);
        printer.Print(QStringLiteral("line %1").arg(i));
        EXPECT_LE(printer.CurrentY(), printer.ScaleHeight()) << "line " << i;
    }
    ASSERT_TRUE(printer.EndDoc());
    const int expectedPages = (lines + linesPerPage - 1) / linesPerPage;
    EXPECT_GE(expectedPages, 2);
    EXPECT_EQ(pdfPageCount(output), expectedPages);
}

TEST_F(PrintingTest, AbandonedDocumentLeavesNoFile)
{
    Printer().Print(QStringLiteral("never sent"));
    Printer().KillDoc();
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_FALSE(Printer().EndDoc()) << "nothing left to send";
}

TEST_F(PrintingTest, UnwritableOutputIsReportedAtTheEnd)
{
    sharedPrinter().setOutputFileName(folder.filePath(QStringLiteral("no/such/folder/out.pdf")));
    Printer().Print(QStringLiteral("lost"));
    EXPECT_FALSE(Printer().EndDoc());
}

} // namespace

// The listing window: a listing shown, the automatic step, a malformed set, saving, printing
// and the summaries of element files.

#include "ListingTestSupport.h"

#include "core/mAstro.h"
#include "predictions/ListingModel.h"
#include "predictions/SummaryModel.h"
#include "predictions/frmDetails.h"
#include "services/Printing.h"
#include "support/FileSizeLimit.h"
#include "support/ScopedLocale.h"

#include <QDir>
#include <QHeaderView>
#include <QTest>
#include <QFileInfo>
#include <QListView>
#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QTreeView>

#include <cerrno>
#include <memory>

namespace {

class ListingWindowTest : public ListingTest
{
protected:
    void SetUp() override
    {
        ListingTest::SetUp();
        QLocale::setDefault(QLocale::c());
        m_window = std::make_unique<frmDetails>();
        m_window->show();
    }
    void TearDown() override
    {
        m_window.reset();
        QLocale::setDefault(QLocale::c()); // the default every test program starts with
        ListingTest::TearDown();
    }
    QStringList lines() const
    {
        QStringList all;
        for (qint64 k = 0; k < m_window->listing().lineCount(); ++k)
            all += m_window->listing().line(k);
        return all;
    }
    QString summaryCell(int row, int column) const
    {
        return m_window->summary().index(row, column).data().toString();
    }
    const double m_start = DateValue::fromDateTime(2024, 1, 1, 13, 0, 0);
    std::unique_ptr<frmDetails> m_window;
};

TEST_F(ListingWindowTest, ObserverListingShowsItsHeaderRowsAndCaption)
{
    double step = 60;
    const ListingEnd end = m_window->Genera_elenco(kIssSet, m_start,
                                                   DateValue::addMinutes(m_start, 10), step, 1);
    EXPECT_EQ(end, ListingEnd::Completed);
    const QStringList shown = lines();
    ASSERT_EQ(shown.size(), 10 + 11 + 1);
    EXPECT_EQ(shown[1], QStringLiteral("Satellite: Iss (zarya)"));
    EXPECT_EQ(shown[2], QStringLiteral("Norad #  : 25544"));
    EXPECT_EQ(shown[3], QStringLiteral("ID #     : 98067A"));
    EXPECT_EQ(shown[4], QStringLiteral("Elements : 01 Jan 2024 - 12:00:00 UTC"));
    EXPECT_TRUE(shown[6].startsWith(QStringLiteral("Location : Milano (Latitude 45.460"))) << shown[6].toStdString();
    EXPECT_TRUE(shown[10].startsWith(QStringLiteral("01 Jan 2024  13:00:00   ")));
    EXPECT_TRUE(shown[20].startsWith(QStringLiteral("01 Jan 2024  13:10:00   ")));
    EXPECT_TRUE(shown.last().isEmpty());
    EXPECT_EQ(m_window->windowTitle(),
              QStringLiteral("Listing: Iss (zarya) - 01 Jan 2024  13:00:00"));
    EXPECT_TRUE(m_window->List1->isVisible());
    EXPECT_TRUE(pflgCentrale.isOpen());
    EXPECT_TRUE(pflgSatellite.isOpen());
}

TEST_F(ListingWindowTest, AutomaticStepIsWrittenBack)
{
    double step = 0;
    m_window->Genera_elenco(kIssSet, m_start, DateValue::addMinutes(m_start, 15), step, 3);
    EXPECT_EQ(step, 30.0);
    // The grid starts at 12:59:30: 31 rows every 30 s after 8 header lines.
    EXPECT_EQ(lines().size(), 8 + 31 + 1);
    EXPECT_TRUE(lines()[8].startsWith(QStringLiteral("01 Jan 2024  13:00:00")));
}

TEST_F(ListingWindowTest, MalformedSetIsToldAndClosesTheWindow)
{
    const Record_TLE broken{kIssSet.Riga0, kIssSet.Riga1.substr(0, 30), kIssSet.Riga2};
    double step = 60;
    MessageRecorder messages;
    EXPECT_EQ(m_window->Genera_elenco(broken, m_start, DateValue::addMinutes(m_start, 10), step, 1),
              ListingEnd::Failed);
    EXPECT_TRUE(messages.anyContains(QStringLiteral("not a valid element file")));
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(pflgCentrale.isOpen());
}

TEST_F(ListingWindowTest, NumericFailureIsToldAndKeepsTheRowsBeforeIt)
{
    // A drag term so large that the propagation breaks down after the first instant.
    Record_TLE set = kIssSet;
    set.Riga1 = withColumns(set.Riga1, 54, " 90000+3");
    double step = 60;
    MessageRecorder messages;
    EXPECT_EQ(m_window->Genera_elenco(set, m_start, DateValue::addMinutes(m_start, 10), step, 1),
              ListingEnd::Failed);
    EXPECT_TRUE(messages.anyContains(QStringLiteral("not a valid element file")));
    EXPECT_EQ(lines().size(), 10 + 1 + 1);
    EXPECT_TRUE(m_window->List1->isVisible());
    EXPECT_TRUE(pflgCentrale.isOpen());
    EXPECT_TRUE(pflgSatellite.isOpen());
}

TEST_F(ListingWindowTest, ClosingTheWindowWhileItListsStopsTheListingFirst)
{
    auto* window = new frmDetails();
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<frmDetails> alive(window);
    window->show();
    onceWhileListing(window, [window] { window->close(); });
    double step = 1;
    const ListingEnd end =
        window->Genera_elenco(kIssSet, m_start, DateValue::addDays(m_start, 30), step, 1);
    EXPECT_EQ(end, ListingEnd::Stopped);
    EXPECT_TRUE(pflgCentrale.isOpen());
    EXPECT_TRUE(pflgSatellite.isOpen());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "the window closes once its listing has stopped";
}

TEST_F(ListingWindowTest, SaveWritesEveryLineAndTellsAFolderItCannotWrite)
{
    double step = 120;
    m_window->Genera_elenco(kIssSet, m_start, DateValue::addMinutes(m_start, 30), step, 2);
    const QString good = programFile(QStringLiteral("listing.txt"));
    m_window->setSaveChooser([&](QWidget*, const QString&, const QString&) { return good; });
    m_window->Salva();
    EXPECT_EQ(QString::fromUtf8(readTestFile(good)), lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    const QString unwritable = programFile(QStringLiteral("no such folder/listing.txt"));
    m_window->setSaveChooser([&](QWidget*, const QString&, const QString&) { return unwritable; });
    MessageRecorder messages;
    m_window->Salva();
    EXPECT_TRUE(messages.anyContains(QStringLiteral("could not be saved")));
    EXPECT_FALSE(QFileInfo::exists(unwritable));

    m_window->setSaveChooser([](QWidget*, const QString&, const QString&) { return QString(); });
    m_window->Salva();
    EXPECT_EQ(messages.shown.size(), 1u) << "Cancel is not told";
}

TEST_F(ListingWindowTest, ASaveTheDiskTakesOnlyInPartIsToldWithItsReasonAndKeepsTheOldFile)
{
    double step = 60;
    m_window->Genera_elenco(kIssSet, m_start, DateValue::addHours(m_start, 6), step, 2);
    ASSERT_GT(lines().join(QString()).size(), 4000);
    const QString path = programFile(QStringLiteral("listing.txt"));
    writeTestFile(path, "the listing saved before");
    m_window->setSaveChooser([&](QWidget*, const QString&, const QString&) { return path; });
    MessageRecorder messages;
    {
        // The system takes the first kilobyte only, as a disk that fills does.
        const FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.set());
        m_window->Salva();
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.anyContains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(messages.anyContains(qt_error_string(EFBIG))) << messages.shown[0].text.toStdString();
    EXPECT_EQ(readTestFile(path), QByteArray("the listing saved before"));
}

TEST_F(ListingWindowTest, SavedListingReadsBackAsShownUnderTheOtherLocale)
{
    const QString path = programFile(QStringLiteral("listing.txt"));
    m_window->setSaveChooser([&](QWidget*, const QString&, const QString&) { return path; });
    std::vector<QStringList> shown;
    for (const auto& [writer, reader] : {std::pair{kCommaLocale, "C"}, std::pair{"C", kCommaLocale}}) {
        SCOPED_TRACE(std::string(writer) + " -> " + reader);
        {
            const ScopedLocale locale(writer);
            if (!locale.available())
                GTEST_SKIP() << writer << " is not installed";
            double step = 120;
            m_window->Genera_elenco(kIssSet, m_start, DateValue::addMinutes(m_start, 30), step, 2);
            shown.push_back(lines());
            m_window->Salva();
        }
        const ScopedLocale locale(reader);
        EXPECT_EQ(QString::fromUtf8(readTestFile(path)),
                  shown.back().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }
    // The comma listing keeps the columns of the full-stop one.
    ASSERT_EQ(shown[0].size(), shown[1].size());
    bool commaShown = false;
    for (qsizetype k = 0; k < shown[0].size(); ++k) {
        if (shown[1][k].contains(u'.')) {
            EXPECT_EQ(shown[0][k].size(), shown[1][k].size()) << shown[1][k].toStdString();
            commaShown = commaShown || shown[0][k].contains(u',');
        }
    }
    EXPECT_TRUE(commaShown);
}

TEST_F(ListingWindowTest, PrintsTheListingToPdfAndNothingWhenEmpty)
{
    const QString pdf = programFile(QStringLiteral("listing.pdf"));
    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    int dialogs = 0;
    m_window->setPrintChooser([&](QWidget*) { return ++dialogs > 0; });
    m_window->Stampa();
    EXPECT_EQ(dialogs, 0) << "an empty listing asks for no printer";

    double step = 60;
    m_window->Genera_elenco(kIssSet, m_start, DateValue::addMinutes(m_start, 90), step, 4);
    m_window->Stampa();
    EXPECT_EQ(dialogs, 1);
    EXPECT_GT(QFileInfo(pdf).size(), 1000);

    printer.setOutputFileName(programFile(QStringLiteral("no such folder/listing.pdf")));
    MessageRecorder messages;
    m_window->Stampa();
    EXPECT_TRUE(messages.anyContains(QStringLiteral("could not be printed")));
    m_window->setPrintChooser([](QWidget*) { return false; });
    m_window->Stampa();
    EXPECT_EQ(messages.shown.size(), 1u) << "Cancel is not told";
    printer.setOutputFileName(QString());
}

TEST_F(ListingWindowTest, SummaryOfAFileIsTheSameForEveryLineEnd)
{
    ElementFileFolder folder;
    const std::vector<Record_TLE> sets{letterSet(0), letterSet(1), letterSet(2)};
    std::vector<std::vector<QString>> names;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const QString path = folder.write(QStringLiteral("sets.txt"), elementFile(sets, end));
        frmDetails window;
        MessageRecorder messages;
        window.LeggiDiretto(path);
        EXPECT_TRUE(messages.shown.empty());
        ASSERT_EQ(window.summary().rowCount(), 3) << "line end " << QByteArray(end).toHex().toStdString();
        std::vector<QString> column;
        for (int row = 0; row < 3; ++row)
            column.push_back(window.summary().index(row, 1).data().toString().trimmed());
        names.push_back(column);
        // Titled with what it shows, not with the file chooser's question.
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Summary of the element file - ") + path);
    }
    EXPECT_EQ(names[0], (std::vector<QString>{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(names[1], names[0]);
    EXPECT_EQ(names[2], names[0]);
}

TEST_F(ListingWindowTest, FileWithoutACompleteSetIsNotValidAndClosesTheWindow)
{
    ElementFileFolder folder;
    for (const QByteArray& content :
         {QByteArray("ISS (ZARYA)\r\n1 25544U 98067A\r\n"), QByteArray("just some text\r\nmore\r\nand more\r\n")}) {
        const QString path = folder.write(QStringLiteral("broken.txt"), content);
        MessageRecorder messages;
        m_window->show();
        m_window->LeggiDiretto(path);
        EXPECT_TRUE(messages.anyContains(QStringLiteral("not a valid element file")));
        EXPECT_FALSE(m_window->isVisible());
        EXPECT_EQ(m_window->summary().rowCount(), 0);
    }
}

TEST_F(ListingWindowTest, BadSetInTheMiddleIsLeftOutAndToldOnce)
{
    ElementFileFolder folder;
    Record_TLE bad = letterSet(1);
    bad.Riga2 = bad.Riga2.substr(0, 20);
    Record_TLE alsoBad = letterSet(3);
    alsoBad.Riga1 = alsoBad.Riga1.substr(0, 20);
    const QString path = folder.write(QStringLiteral("mixed.txt"),
                                      elementFile({letterSet(0), bad, letterSet(2), alsoBad, letterSet(4)}));
    MessageRecorder messages;
    m_window->LeggiDiretto(path);
    ASSERT_EQ(m_window->summary().rowCount(), 3);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.anyContains(QStringLiteral("2 element sets")));
    EXPECT_TRUE(m_window->ListView1->isVisible());
}

TEST_F(ListingWindowTest, SummaryColumnsOfOneSet)
{
    // 15.5 revolutions a day, no standard magnitude, elements 10.26 days old.
    Record_TLE set = makeSet("TEST SAT", "12345", kIssSet);
    set.Riga2 = withColumns(set.Riga2, 53, "15.50000000");
    Db_principale = {Record_TLE{}, set};
    mAstro::Data_giuliana = 2460311.0 + 10.26;
    m_window->Sommario(0);
    ASSERT_EQ(m_window->summary().rowCount(), 1);
    EXPECT_EQ(summaryCell(0, 0), QStringLiteral("12345"));
    EXPECT_EQ(summaryCell(0, 5), QStringLiteral("  92.9"));
    EXPECT_EQ(summaryCell(0, 8), QStringLiteral(" ???"));
    EXPECT_EQ(summaryCell(0, 10), QStringLiteral(" 10.3"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Summary of the primary database"));
}

TEST_F(ListingWindowTest, EverySummaryHeadingFitsItsColumn)
{
    Db_principale = {Record_TLE{}, makeSet("TEST SAT", "12345", kIssSet)};
    m_window->Sommario(0);
    const QHeaderView* header = m_window->ListView1->header();
    for (int column = 0; column < header->count(); ++column) {
        const QString heading = header->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_GE(header->sectionSize(column), header->fontMetrics().horizontalAdvance(heading))
            << "column " << column << " cuts off \"" << heading.toStdString() << '"';
    }
}

TEST_F(ListingWindowTest, ColumnClickSortsAscendingThenTogglesAndAnotherColumnStartsAscending)
{
    Db_principale = {Record_TLE{}, letterSet(1), letterSet(2), letterSet(0)};
    m_window->Sommario(0);
    const auto column = [&](int c) {
        QStringList texts;
        const QAbstractItemModel* shown = m_window->ListView1->model();
        for (int row = 0; row < shown->rowCount(); ++row)
            texts += shown->index(row, c).data().toString().trimmed();
        return texts;
    };
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    QHeaderView* header = m_window->ListView1->header();
    const auto click = [&](int c) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
    };
    click(1);
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    click(1);
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")}));
    click(0);
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("00001"), QStringLiteral("00002"), QStringLiteral("00003")}));
}

} // namespace

// The pass-prediction window as the user meets it in the program's document area: the focus
// it opens with, Enter and Esc, Close after a search, and the culmination dates of the pass
// list in locales whose month names are longer than three letters.

#include "PassWindowFixture.h"

#include "controls/GraphButton/GraphButton.h"
#include "core/DateValue.h"
#include "core/ElementSet.h"
#include "predictions/ListingText.h"
#include "predictions/PassFormat.h"
#include "predictions/frmDetails.h"
#include "support/ElementSetSources.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {

class PassWindowKeys : public PassWindowFixture
{
protected:
    void SetUp() override
    {
        PassWindowFixture::SetUp();
        // A low orbit as the principal satellite: several passes a day.
        Numero_satelliti = 1;
        for (const Record_TLE& set : testsets::generatedSets(40)) {
            if (set.Riga0.rfind("LEO", 0) == 0) {
                RigaDati[1] = set;
                break;
            }
        }
        Satelement[1] = mSat::parseElementSet(RigaDati[1].Riga0, RigaDati[1].Riga1,
                                              RigaDati[1].Riga2, Tabella_magnitudini,
                                              {Record_TLE{}})
                            .elements;
    }

    void TearDown() override
    {
        delete m_area;
        PassWindowFixture::TearDown();
    }

    /// The window in a document area, as the program opens it; the area owns it from here on.
    frmVisibleSatellites* opened()
    {
        frmVisibleSatellites* passes = window.release();
        passes->setActionHooks(hooks);
        passes->setAttribute(Qt::WA_DeleteOnClose);
        m_area = new QMdiArea;
        m_area->resize(1400, 900);
        m_frame = m_area->addSubWindow(passes);
        m_area->show();
        m_frame->show();
        QApplication::setActiveWindow(m_area);
        QCoreApplication::processEvents();
        return passes;
    }

    /// Waits for the search that `action` starts.
    static bool searched(frmVisibleSatellites* passes, const std::function<void()>& action)
    {
        QSignalSpy finished(passes, &frmVisibleSatellites::searchFinished);
        action();
        return !finished.isEmpty() || finished.wait(20000);
    }

    QPointer<QMdiSubWindow> m_frame;

private:
    QMdiArea* m_area = nullptr;
};

TEST_F(PassWindowKeys, OpensWithTheFocusOnTheStartOfTheSpan)
{
    frmVisibleSatellites* passes = opened();
    EXPECT_EQ(passes->focusWidget(), passes->DTPicker1[1]);
}

TEST_F(PassWindowKeys, EnterSearchesAndOnAChosenPassListsItsEphemeris)
{
    frmVisibleSatellites* passes = opened();
    QDateTimeEdit* start = passes->DTPicker1[1];
    start->setFocus();
    // Enter in the date field and in the closed span list runs the search of the tab.
    ASSERT_TRUE(searched(passes, [&] { QTest::keyClick(start, Qt::Key_Return); }));
    ASSERT_GT(passes->passList(1)->rowCount(), 0);
    EXPECT_TRUE(messages.empty());
    QComboBox* span = passes->cmbDurata[1];
    span->setFocus();
    ASSERT_TRUE(
        searched(passes, [&] { QTest::keyClick(span, Qt::Key_Enter, Qt::KeypadModifier); }));

    // On the lists of a search, Enter is the double click: the ephemeris of the chosen pass.
    for (QWidget* list : {static_cast<QWidget*>(passes->lvwPass[1]),
                          static_cast<QWidget*>(passes->lstPass[1])}) {
        QSignalSpy searches(passes, &frmVisibleSatellites::searchFinished);
        const std::size_t before = listings.size();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(listings.size(), before + 1) << list->objectName().toStdString();
        EXPECT_FALSE(passes->isSearching());
        EXPECT_TRUE(searches.isEmpty());
    }
    // Esc closes the window.
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_frame.isNull() || !m_frame->isVisible());
}

TEST_F(PassWindowKeys, CloseAfterASearchClosesTheWholeWindow)
{
    frmVisibleSatellites* passes = opened();
    ASSERT_TRUE(searched(passes, [&] { passes->cmdOK_Click(1); }));
    ASSERT_GT(passes->passList(1)->rowCount(), 0);
    emit passes->cmdCancel[1]->Click();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_frame.isNull() || !m_frame->isVisible()) << "no empty frame is left behind";
}

class PassListDates : public PassWindowKeys, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(PassListDates, CulminationColumnShowsEveryDateWholeAcrossAMonthBoundary)
{
    QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
    window = std::make_unique<frmVisibleSatellites>();
    window->setMessageSink([this](QMessageBox::Icon icon, const QString& text) {
        messages.push_back({icon, text});
    });
    frmVisibleSatellites* passes = opened();
    // Ten days from 26 January: January and February passes in one list.
    passes->DTPicker1[1]->setDateTime(QDateTime(QDate(2024, 1, 26), QTime(0, 0)));
    passes->cmbDurata[1]->setCurrentIndex(9);
    ASSERT_TRUE(searched(passes, [&] { passes->cmdOK_Click(1); }));
    const PassListModel* list = passes->passList(1);
    ASSERT_GT(list->rowCount(), 10);
    const QLocale locale;
    const qsizetype dateWidth = listingText::dateTime(0, locale).size();
    QSet<int> months;
    const QString first = list->entry(0)->texts.columns[kColumnCulmination];
    for (int row = 0; row < list->rowCount(); ++row) {
        const PassListModel::Entry& entry = *list->entry(row);
        const QString& date = entry.texts.columns[kColumnCulmination];
        const DateValue::Parts parts =
            DateValue::split(localDateOf(entry.row.pass.culmination.julianDate, Osservatore));
        months.insert(parts.month);
        SCOPED_TRACE(date.toStdString());
        EXPECT_EQ(date.size(), first.size()) << "every date as wide as the first";
        EXPECT_EQ(date.mid(3, locale.monthName(parts.month, QLocale::ShortFormat).size()),
                  locale.monthName(parts.month, QLocale::ShortFormat));
        EXPECT_EQ(date.right(8), entry.texts.lines[1].left(dateWidth).right(8))
            << "the time is there to the second";
    }
    EXPECT_EQ(months.size(), 2);
    // The column is as wide as the list needs for the widest date it shows.
    QTreeView* view = passes->lvwPass[1];
    EXPECT_GE(view->header()->sectionSize(kColumnCulmination),
              static_cast<QAbstractItemView*>(view)->sizeHintForColumn(kColumnCulmination));
    // The heading of the event lines stands over their columns.
    const QString legend = passes->lblLegenda[1]->text();
    const QString line = passes->lstPass[1]->item(1)->text();
    EXPECT_EQ(legend.indexOf(QStringLiteral("Elev")) + 4,
              line.indexOf(QRegularExpression(QStringLiteral("\\d[.,]\\d"))) + 3)
        << legend.toStdString() << '\n' << line.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Locales, PassListDates, ::testing::Values("de_DE", "fr_FR", "C"));

} // namespace

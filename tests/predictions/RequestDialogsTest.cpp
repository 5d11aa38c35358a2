// The two request dialogs: the default request, the rows-above-the-horizon key, the missing
// choice and the same satellite chosen twice.

#include "ListingTestSupport.h"

#include "controls/GraphButton/GraphButton.h"
#include "predictions/ListingModel.h"
#include "predictions/frmCalc.h"
#include "predictions/frmDetails.h"
#include "predictions/frmRelative.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

class RequestDialogsTest : public ListingTest
{
protected:
    void SetUp() override
    {
        ListingTest::SetUp();
        Db_principale = {Record_TLE{}, kIssSet, makeSet("OTHER", "40000")};
    }
    void TearDown() override
    {
        for (frmDetails* window : listingWindows())
            delete window;
        ListingTest::TearDown();
    }
    static std::vector<frmDetails*> listingWindows()
    {
        std::vector<frmDetails*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* listing = qobject_cast<frmDetails*>(widget))
                windows.push_back(listing);
        }
        return windows;
    }
};

TEST_F(RequestDialogsTest, DefaultRequestListsFifteenMinutesEveryFifteenSecondsSeenByTheObserver)
{
    frmCalc dialog;
    dialog.show();
    EXPECT_TRUE(dialog.coordinates.optOBS->isChecked());
    dialog.lstDatabase[0]->setCurrentRow(0);
    dialog.cmdOK_Click();
    ASSERT_EQ(listingWindows().size(), 1u);
    const frmDetails* listing = listingWindows().front();
    EXPECT_FALSE(listing->blnSoloAltPositiva);
    // 61 rows from the program clock to 15 minutes later, after 10 header lines.
    EXPECT_EQ(listing->listing().lineCount(), 10 + 61 + 1);
    EXPECT_TRUE(listing->windowTitle().endsWith(QStringLiteral("01 Jan 2024  12:00:00")))
        << listing->windowTitle().toStdString();
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open for the next request";

    dialog.cmdOK_Click();
    EXPECT_EQ(listingWindows().size(), 2u) << "every OK opens a new listing";
}

TEST_F(RequestDialogsTest, CtrlAsksTheNextListingOnlyForRowsAboveTheHorizon)
{
    frmCalc dialog;
    dialog.show();
    dialog.lstDatabase[0]->setCurrentRow(0);
    QTest::keyPress(dialog.lstDatabase[0], Qt::Key_Control, Qt::ControlModifier);
    dialog.cmdOK_Click();
    dialog.cmdOK_Click();
    const std::vector<frmDetails*> windows = listingWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_NE(windows[0]->blnSoloAltPositiva, windows[1]->blnSoloAltPositiva);
    EXPECT_FALSE(dialog.mblnSoloAltPositiva);
}

TEST_F(RequestDialogsTest, SecondRequestWhileAListingRunsDoesNotChangeTheFirstSatellite)
{
    frmCalc dialog;
    dialog.show();
    dialog.span.cmbDurata->setCurrentIndex(58);     // 2
    dialog.span.cmbTipoDurata->setCurrentIndex(2);  // days
    dialog.span.cmbIntervallo->setCurrentIndex(59); // 1
    dialog.lstDatabase[0]->setCurrentRow(0);
    bool secondAsked = false;
    onceWhileListing(&dialog, [&] {
        dialog.lstDatabase[0]->setCurrentRow(1);
        secondAsked = true;
        dialog.cmdOK_Click();
    });
    dialog.lstDatabase[0]->setCurrentRow(0);
    dialog.cmdOK_Click();
    ASSERT_TRUE(secondAsked) << "the second request came while the first listing ran";
    const std::vector<frmDetails*> windows = listingWindows();
    ASSERT_EQ(windows.size(), 2u);
    const auto nameLine = [](const frmDetails* w) { return w->listing().line(1); };
    const frmDetails* isses = nameLine(windows[0]).contains(QStringLiteral("Iss")) ? windows[0] : windows[1];
    const frmDetails* others = isses == windows[0] ? windows[1] : windows[0];
    EXPECT_TRUE(nameLine(others).contains(QStringLiteral("Other")));
    EXPECT_EQ(isses->listing().lineCount(), 10 + 2 * 86400 + 1 + 1);

    // The first listing reads as one made alone.
    frmDetails alone;
    double step = 1;
    alone.Genera_elenco(kIssSet, dialog.span.start(), dialog.span.end(dialog.span.start()), step, 1);
    ASSERT_EQ(alone.listing().lineCount(), isses->listing().lineCount());
    for (const qint64 line : {qint64(10), qint64(5000), qint64(100000), alone.listing().lineCount() - 2})
        EXPECT_EQ(isses->listing().line(line), alone.listing().line(line)) << "line " << line;
}

TEST_F(RequestDialogsTest, OkWithoutAChosenRowOnTheCurrentTabAsksForOne)
{
    frmCalc dialog;
    dialog.show();
    dialog.lstDatabase[0]->setCurrentRow(0);
    dialog.SSTab1->setCurrentIndex(1);
    MessageRecorder messages;
    dialog.cmdOK_Click();
    EXPECT_TRUE(messages.anyContains(QStringLiteral("choose a satellite")));
    EXPECT_TRUE(listingWindows().empty());
}

TEST_F(RequestDialogsTest, DatabaseReadAgainSinceTheListWasFilledIsNotListed)
{
    frmCalc dialog;
    dialog.show();
    dialog.lstDatabase[0]->setCurrentRow(0);
    Db_principale = {Record_TLE{}, makeSet("ANOTHER", "40001")};
    MessageRecorder messages;
    dialog.cmdOK_Click();
    EXPECT_TRUE(listingWindows().empty());
    EXPECT_EQ(dialog.lstDatabase[0]->count(), 1);
}

TEST_F(RequestDialogsTest, RelativeMotionRefusesTheSameSatelliteTwice)
{
    frmRelative dialog;
    dialog.show();
    EXPECT_TRUE(dialog.coordinates.optECI->isChecked());
    MessageRecorder messages;
    dialog.cmdOK_Click();
    EXPECT_TRUE(messages.anyContains(QStringLiteral("same element set")));
    EXPECT_TRUE(listingWindows().empty());

    dialog.cmbDatabase[1]->setCurrentIndex(1);
    dialog.cmdOK_Click();
    ASSERT_EQ(listingWindows().size(), 1u);
    EXPECT_EQ(listingWindows().front()->listing().lineCount(), 13 + 61 + 1);
}

TEST_F(RequestDialogsTest, SwitchingToAnEmptySecondaryDatabaseAsksForTheSatellites)
{
    frmRelative dialog;
    dialog.show();
    dialog.SSTab1[1]->setCurrentIndex(1);
    EXPECT_EQ(dialog.cmbDatabase[1]->count(), 0);
    MessageRecorder messages;
    dialog.cmdOK_Click();
    EXPECT_TRUE(messages.anyContains(QStringLiteral("choose both satellites")));
}

} // namespace

namespace {

/// Every tab of a bar lies wholly inside the bar: no caption is cut off or scrolled away.
void expectEveryTabShown(const QTabBar& bar)
{
    for (int tab = 0; tab < bar.count(); ++tab) {
        EXPECT_TRUE(bar.rect().contains(bar.tabRect(tab)))
            << bar.objectName().toStdString() << " tab " << tab << " \""
            << bar.tabText(tab).toStdString() << "\" is cut off";
        EXPECT_GE(bar.tabRect(tab).width(),
                  bar.fontMetrics().horizontalAdvance(bar.tabText(tab)))
            << bar.objectName().toStdString() << " tab " << tab << " is elided";
    }
}

TEST_F(RequestDialogsTest, EveryDatabaseTabCaptionFitsAtTheDefaultSize)
{
    frmRelative relative;
    relative.show();
    frmCalc calc;
    calc.show();
    QCoreApplication::processEvents();
    for (QTabBar* bar : relative.SSTab1)
        expectEveryTabShown(*bar);
    for (QTabBar* bar : calc.findChildren<QTabBar*>())
        expectEveryTabShown(*bar);
}

} // namespace

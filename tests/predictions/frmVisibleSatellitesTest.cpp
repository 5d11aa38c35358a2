// The pass-prediction window on the offscreen platform: its first state, its validation
// messages, a whole-database search with a bad set in it, a geostationary principal, and Stop.

#include "PassWindowFixture.h"

#include "common/catalogues.h"
#include "common/element_databases.h"
#include "common/gates.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/ElementSet.h"
#include "core/PassSearch.h"
#include "support/ElementSetSources.h"
#include "support/TestFiles.h"
#include "tracking/TickTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {

class PassWindowTest : public PassWindowFixture
{
protected:
    void SetUp() override
    {
        PassWindowFixture::SetUp();
        window->setQuestion([this](const QString&) {
            ++questions;
            return false;
        });
    }

    static QString text(const char* key)
    {
        return mLang::Testo_lingua(u"frmVisibleSatellites", QLatin1StringView(key));
    }

    void loadSlot(int slot, const Record_TLE& set)
    {
        RigaDati[slot] = set;
        Satelement[slot] = mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2,
                                                 Tabella_magnitudini, {Record_TLE{}})
                               .elements;
    }

    /// Runs OK on tab k and waits for the search to end.
    bool runAndWait(int k, int timeoutMs = 20000)
    {
        QSignalSpy finished(window.get(), &frmVisibleSatellites::searchFinished);
        window->cmdOK_Click(k);
        return !finished.isEmpty() || finished.wait(timeoutMs);
    }

    int questions = 0;
};

TEST_F(PassWindowTest, FreshWindowShowsThePrincipalTabAndTheStoredFilters)
{
    Impostazioni.Filtro_am[1] = false;
    window = std::make_unique<frmVisibleSatellites>();
    EXPECT_EQ(window->SSTab1->currentIndex(), 1);
    EXPECT_EQ(window->cmbDurata[0]->count(), 25);
    EXPECT_EQ(window->cmbDurata[0]->itemData(24).toInt(), 1440);
    EXPECT_EQ(window->cmbDurata[0]->currentText(), QStringLiteral("30 minutes"));
    EXPECT_EQ(window->cmbDurata[1]->count(), 28);
    EXPECT_EQ(window->cmbDurata[1]->itemText(27), QStringLiteral("28 days"));
    EXPECT_EQ(window->cmbLimite->currentData().toInt(), 10);
    EXPECT_EQ(window->cmbLimite->itemData(5).toInt(), 200);
    EXPECT_FALSE(window->chkAM[1]->isChecked());
    EXPECT_TRUE(window->chkPM[1]->isChecked());
    EXPECT_TRUE(window->chkAM[2]->isChecked());
    EXPECT_EQ(window->DTPicker1[1]->dateTime(), QDateTime(QDate(2024, 1, 11), QTime(1, 0, 0)));
    EXPECT_FALSE(window->cmdMappa[0]->isEnabled());
    EXPECT_FALSE(window->cmdAttiva->isEnabled());
    EXPECT_EQ(window->findChild<QTreeView*>(QStringLiteral("lvwPass(2)")), window->lvwPass[2]);
    EXPECT_EQ(window->windowTitle(), text("previsionipassaggi"));
}

struct Refusal
{
    const char* name;
    int tab;
    int satellites;
    bool morning, afternoon;
    double azimuthMin;
    const char* key;
    QMessageBox::Icon icon;
};

class PassWindowRefusal : public PassWindowTest, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(PassWindowRefusal, TellsWhyAndSearchesNothing)
{
    const Refusal& r = GetParam();
    const std::vector<Record_TLE> sets = testsets::generatedSets(3);
    for (int slot = 1; slot <= r.satellites; ++slot)
        loadSlot(slot, sets[static_cast<std::size_t>(slot - 1)]);
    Numero_satelliti = static_cast<std::int16_t>(r.satellites);
    Impostazioni.Filtro_azimut_min[static_cast<std::size_t>(r.tab)] = r.azimuthMin;
    window->chkAM[static_cast<std::size_t>(r.tab)]->setChecked(r.morning);
    window->chkPM[static_cast<std::size_t>(r.tab)]->setChecked(r.afternoon);
    window->cmdOK_Click(r.tab);
    EXPECT_FALSE(window->isSearching());
    ASSERT_EQ(messages.size(), 1u) << r.name;
    EXPECT_EQ(messages[0].text, text(r.key)) << r.name;
    EXPECT_FALSE(messages[0].text.isEmpty()) << r.name;
    EXPECT_EQ(messages[0].icon, r.icon) << r.name;
}

INSTANTIATE_TEST_SUITE_P(
    Validation, PassWindowRefusal,
    ::testing::Values(Refusal{"NoPrincipal", 1, 0, true, true, 0, "nessunsatelliteprimario",
                              QMessageBox::Information},
                      Refusal{"NoSecondary", 2, 1, true, true, 0, "nessunsatellitesecondario",
                              QMessageBox::Information},
                      Refusal{"NeitherHalfOfTheDay", 1, 1, false, false, 0, "selezionareampm",
                              QMessageBox::Information},
                      Refusal{"AzimuthWindowEmpty", 1, 1, true, true, 360,
                              "intervalloazimutherrato", QMessageBox::Warning}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(PassWindowTest, EmptyDatabaseAsksForOneAndSearchesNothingOnCancel)
{
    window->lstPass[0]->addItem(QStringLiteral("old line"));
    window->cmdOK_Click(0);
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(window->isSearching());
    EXPECT_EQ(window->lstPass[0]->count(), 0);
}

TEST_F(PassWindowTest, NoFilterBoxSetsTheMinimumElevationAtOnce)
{
    Impostazioni.Filtro_altezza_min[2] = 15;
    window->chkNessunFiltro[2]->click();
    EXPECT_EQ(window->minimumElevation(), 0.0);
    window->chkNessunFiltro[2]->click();
    EXPECT_EQ(window->minimumElevation(), 15.0);
}

TEST_F(PassWindowTest, WholeDatabaseRunListsThePassesAndTellsTheBadSetOnce)
{
    std::vector<Record_TLE> sets = testsets::generatedSets(120);
    sets.insert(sets.begin() + 60, Record_TLE{"BROKEN", "1 99999U", "2 99999"});
    Db_principale.assign(1, Record_TLE{});
    Db_principale.insert(Db_principale.end(), sets.begin(), sets.end());
    window->chkTransito->setChecked(false);
    window->cmbDurata[0]->setCurrentIndex(24); // 24 hours
    window->setThreadCount(4);
    ASSERT_TRUE(runAndWait(0));

    const PassListModel* list = window->passList(0);
    ASSERT_GT(list->rowCount(), 50);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, text("setscartati").arg(1));
    // The first row is chosen and its three event lines are shown.
    EXPECT_EQ(window->selectedRow(0), 0);
    ASSERT_EQ(window->lstPass[0]->count(), 3);
    const PassListModel::Entry* first = window->passAt(0, 0);
    EXPECT_EQ(window->lstPass[0]->item(1)->text(), first->texts.lines[1]);
    EXPECT_TRUE(first->texts.tag.startsWith(QString::number(first->row.index) + u';'));
    EXPECT_EQ(first->row.elementLines.Riga1,
              Db_principale[static_cast<std::size_t>(first->row.index)].Riga1);
    // Rows come satellite after satellite in database order.
    int previous = 0;
    for (int row = 0; row < list->rowCount(); ++row) {
        EXPECT_GE(window->passAt(0, row)->row.index, previous);
        previous = window->passAt(0, row)->row.index;
    }
    // The tick is given back.
    EXPECT_TRUE(pflgCentrale.isOpen());
    EXPECT_TRUE(pflgSatellite.isOpen());
    EXPECT_FALSE(pflgRicerca);
}

TEST_F(PassWindowTest, GeostationaryPrincipalIsToldAsSuch)
{
    testsets::GeneratedElements geo;
    geo.revsPerDay = 1.00272;
    geo.eccentricity = 0.0002;
    geo.epochDay = 10.5;
    loadSlot(1, testsets::formatSet(1, "GEO", geo));
    Numero_satelliti = 1;
    ASSERT_TRUE(runAndWait(1));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, text("principalegeostazionario"));
}

TEST_F(PassWindowTest, StopEndsTheRunKeepingTheRows)
{
    // How fast the workers stop is measured by BM_PassSearch_StopTime; here, that they do.
    const std::vector<Record_TLE> sets = testsets::generatedSets(4000);
    Db_principale.assign(1, Record_TLE{});
    Db_principale.insert(Db_principale.end(), sets.begin(), sets.end());
    window->chkTransito->setChecked(false);
    window->cmbDurata[0]->setCurrentIndex(24);
    window->setThreadCount(2);
    QSignalSpy finished(window.get(), &frmVisibleSatellites::searchFinished);
    window->cmdOK_Click(0);
    ASSERT_TRUE(window->isSearching());
    EXPECT_FALSE(pflgCentrale.isOpen());
    QElapsedTimer waiting;
    waiting.start();
    while (window->passList(0)->rowCount() == 0 && waiting.elapsed() < 60000)
        QTest::qWait(20);
    const int rowsBeforeStop = window->passList(0)->rowCount();
    ASSERT_GT(rowsBeforeStop, 0);
    pflgArresta = true; // the progress window's Stop
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(60000));
    EXPECT_FALSE(window->isSearching());
    EXPECT_FALSE(pflgArresta);
    EXPECT_GE(window->passList(0)->rowCount(), rowsBeforeStop);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(pflgCentrale.isOpen());
}

} // namespace

namespace {

TEST_F(PassWindowTest, SortingByMagnitudePutsPassesWithoutOneLastAndKeepsTheChoice)
{
    Tabella_magnitudini.assign(100000, std::string());
    std::vector<Record_TLE> sets = testsets::generatedSets(60);
    for (std::size_t k = 0; k < sets.size(); k += 2)
        Tabella_magnitudini[k + 1] = std::to_string(static_cast<int>(k % 7) - 1) + ".5";
    Db_principale.assign(1, Record_TLE{});
    Db_principale.insert(Db_principale.end(), sets.begin(), sets.end());
    window->chkTransito->setChecked(false);
    window->cmbDurata[0]->setCurrentIndex(24);
    ASSERT_TRUE(runAndWait(0));
    const PassListModel* list = window->passList(0);
    ASSERT_GT(list->rowCount(), 20);
    window->lvwPass[0]->setCurrentIndex(list->index(5, 0));
    const QString chosen = window->passAt(0, 5)->texts.tag;

    emit window->lvwPass[0]->header()->sectionClicked(kColumnMagnitude);
    bool numbersEnded = false;
    for (int row = 0; row < list->rowCount(); ++row) {
        const Magnitude& m = window->passAt(0, row)->row.pass.culmination.sky.magnitude;
        const bool number = std::holds_alternative<double>(m);
        EXPECT_FALSE(number && numbersEnded) << "a magnitude after the passes without one";
        numbersEnded = numbersEnded || !number;
        if (row > 0) {
            EXPECT_LE(window->passAt(0, row - 1)->texts.columns[kColumnMagnitudeKey],
                      window->passAt(0, row)->texts.columns[kColumnMagnitudeKey]);
        }
    }
    const int now = window->selectedRow(0);
    ASSERT_GE(now, 0);
    EXPECT_EQ(window->passAt(0, now)->texts.tag, chosen) << "the same pass, not the same row";
    EXPECT_EQ(window->lstPass[0]->item(0)->text(), window->passAt(0, now)->texts.lines[0]);
}

TEST_F(PassWindowTest, EventLineKeepsItsFixedColumns)
{
    passes::PassEvent event;
    event.julianDate = 2460321.0; // 2024-01-11 12:00 UT, 13:00 local
    event.sky = {5.25, 7.5, kStatoVisibile, 2.75, -12.34, 1234.56};
    const QString line = passLine(event, Osservatore, QLocale::c());
    // The status column is as wide as the longest status name ("Not visible"), its room taken
    // from the blanks after the date: the line keeps its width.
    EXPECT_EQ(line, QStringLiteral("11 Jan 2024  13:00:00") + QString(15, u' ') +
                        QStringLiteral(" 5.3   007.5   Visible       2.8   -12.3    1234.6"));
    EXPECT_EQ(line.size(), 86);
    event.sky.status = kStatoIlluminato;
    const QString notVisible = passLine(event, Osservatore, QLocale::c());
    EXPECT_EQ(notVisible.mid(51, 17), QStringLiteral("Not visible   2.8"));
    // The heading over the lines moves with the columns.
    EXPECT_EQ(window->lblLegenda[0]->text().indexOf(QStringLiteral("Elev")),
              notVisible.indexOf(QStringLiteral("5.3")) - 1);
    const QString legend = window->lblLegenda[0]->text();
    EXPECT_EQ(legend.indexOf(QStringLiteral("Mag.")), notVisible.indexOf(QStringLiteral("2.8")) - 1)
        << legend.toStdString() << '\n'
        << notVisible.toStdString();
    event.sky.magnitude = std::string();
    event.sky.status = kStatoEclisse;
    EXPECT_EQ(passLine(event, Osservatore, QLocale::c()).mid(51, 17),
              QStringLiteral("Eclipsed         "));
}

TEST_F(PassWindowTest, EveryTabShowsItsControlsAndColumnsWholeAtTheOpeningSize)
{
    // Opened as the program opens it: a document window sized by its contents.
    QMdiArea area;
    area.resize(1400, 900);
    QMdiSubWindow* frame = area.addSubWindow(window.release());
    auto* passes = qobject_cast<frmVisibleSatellites*>(frame->widget());
    area.show();
    frame->show();
    QCoreApplication::processEvents();
    for (int k = 0; k < 3; ++k) {
        passes->SSTab1->setCurrentIndex(k);
        QCoreApplication::processEvents();
        const QWidget* page = passes->SSTab1->currentWidget();
        for (const QCheckBox* box : page->findChildren<QCheckBox*>()) {
            EXPECT_LE(box->geometry().left() + box->sizeHint().width(), page->width())
                << "tab " << k << " cuts off \"" << box->text().toStdString() << '"';
        }
        const QTreeView* list = passes->lvwPass[static_cast<std::size_t>(k)];
        EXPECT_LE(list->header()->length(), list->viewport()->width())
            << "tab " << k << " needs sideways scrolling for its columns";
    }
    delete frame;
}

} // namespace

TEST_F(PassWindowTest, ProgressNamesTheSatelliteBeingSearchedOnEveryTab)
{
    const struct
    {
        int tab;
        int done;
        const char* task;
    } cases[] = {
        {0, 0, "Searching 0\u00b0 satellite"},
        {0, 7, "Searching 7\u00b0 satellite"},
        {1, 0, "Searching the passes of the principal satellite"},
        {1, 1, "Searching 2\u00b0 satellite"},
        {2, 0, "Searching the passes of the secondary satellites"},
        {2, 1, "Searching 3\u00b0 satellite"},
        {2, 4, "Searching 6\u00b0 satellite"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frmVisibleSatellites::progressTask(c.tab, c.done), QString::fromUtf8(c.task))
            << c.tab << ' ' << c.done;
    }
}

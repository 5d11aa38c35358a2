// What the user does with a found pass: the event lines and the buttons they enable, Details
// and Chart on the pass's own set after the slots and the database changed and the list was
// sorted, Activate with its refusals and its question, the listing of every pass, Save and
// Print.

#include "PassWindowFixture.h"
#include "support/RequiredData.h"
#include "support/ScreenshotFolder.h"

#include "common/catalogues.h"
#include "common/element_databases.h"
#include "common/gates.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/ElementSet.h"
#include "predictions/ListingModel.h"
#include "predictions/PassFormat.h"
#include "predictions/frmDetails.h"
#include "services/Printing.h"
#include "services/mLang.h"
#include "support/ElementSetSources.h"
#include "support/ScopedLocale.h"
#include "support/TestFiles.h"
#include "tracking/ReferenceData.h"
#include "tracking/TickTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QSignalSpy>
#include <QTreeView>

#include <QTime>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

class PassActionsTest : public PassWindowFixture
{
protected:
    void SetUp() override
    {
        PassWindowFixture::SetUp();
        hooks.showChart = [this](const PassListModel::Entry& pass) { charts.push_back(pass); };
        hooks.activate = [this](const Record_TLE& set, bool principal) {
            activated.push_back({set, principal});
            return AddOutcome{};
        };
        window->setActionHooks(hooks);
    }

    void TearDown() override
    {
        window.reset();
        PassWindowFixture::TearDown();
    }

    static void loadSlot(int slot, const Record_TLE& set)
    {
        RigaDati[slot] = set;
        Satelement[slot] = mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2,
                                                 Tabella_magnitudini, {Record_TLE{}})
                               .elements;
    }

    /// A day's search of tab `k`; false when it did not end or found nothing.
    bool search(int k)
    {
        QSignalSpy finished(window.get(), &frmVisibleSatellites::searchFinished);
        window->cmbDurata[static_cast<std::size_t>(k)]->setCurrentIndex(k == 0 ? 24 : 0);
        window->chkTransito->setChecked(false);
        window->cmdOK_Click(k);
        if (finished.isEmpty() && !finished.wait(20000))
            return false;
        return window->passList(k)->rowCount() > 0;
    }

    /// Six generated low orbits as the primary database.
    static std::vector<Record_TLE> lowOrbits()
    {
        std::vector<Record_TLE> sets;
        for (int n = 0; n < 6; ++n) {
            testsets::GeneratedElements e;
            e.inclinationDeg = 51.6 + n;
            e.eccentricity = 0.0005;
            e.revsPerDay = 15.5 - 0.1 * n;
            e.epochDay = 10.5;
            e.raanDeg = 40.0 * n;
            e.meanAnomalyDeg = 50.0 * n;
            sets.push_back(testsets::formatSet(91001 + n, "LOW " + std::to_string(n + 1), e));
        }
        return sets;
    }

    void loadPrimary(const std::vector<Record_TLE>& sets)
    {
        Db_principale.assign(1, Record_TLE{});
        Db_principale.insert(Db_principale.end(), sets.begin(), sets.end());
    }

    /// Chooses `row` of tab k's pass list as a click does.
    void choose(int k, int row)
    {
        const auto i = static_cast<std::size_t>(k);
        window->lvwPass[i]->setCurrentIndex(window->passList(k)->index(row, 0));
    }

    struct Activation
    {
        Record_TLE set;
        bool principal;
    };

    std::vector<PassListModel::Entry> charts;
    std::vector<Activation> activated;
};

TEST_F(PassActionsTest, ChosenPassShowsItsLinesAndTheButtonsFollowTheChoiceAndTheHooks)
{
    loadPrimary(lowOrbits());
    ASSERT_TRUE(search(0));
    // The first pass is chosen, its culmination line selected.
    ASSERT_EQ(window->lstPass[0]->count(), 3);
    EXPECT_EQ(window->lstPass[0]->currentRow(), 1);
    EXPECT_TRUE(window->cmdDettagli[0]->isEnabled());
    EXPECT_TRUE(window->cmdMappa[0]->isEnabled());
    EXPECT_TRUE(window->cmdAttiva->isEnabled());

    window->lstPass[0]->clearSelection();
    EXPECT_FALSE(window->cmdDettagli[0]->isEnabled());
    EXPECT_FALSE(window->cmdMappa[0]->isEnabled());
    EXPECT_FALSE(window->cmdAttiva->isEnabled());

    // Without a chart window in the program Chart stays off; without Activate likewise.
    window->setActionHooks({.activate = {}, .showChart = {}, .newListing = hooks.newListing});
    choose(0, 1);
    EXPECT_TRUE(window->cmdDettagli[0]->isEnabled());
    EXPECT_FALSE(window->cmdMappa[0]->isEnabled());
    EXPECT_FALSE(window->cmdAttiva->isEnabled());
    window->cmdMappa_Click(0);
    window->cmdAttiva_Click();
    EXPECT_TRUE(charts.empty());
    EXPECT_TRUE(activated.empty());
    window->setChartHook(hooks.showChart);
    EXPECT_TRUE(window->cmdMappa[0]->isEnabled());

    // A new search forgets the chosen pass at once.
    window->lvwPass[0]->setCurrentIndex({});
    window->cmdOK_Click(0);
    EXPECT_EQ(window->chosenPass(0), nullptr);
    EXPECT_FALSE(window->cmdDettagli[0]->isEnabled());
    QSignalSpy finished(window.get(), &frmVisibleSatellites::searchFinished);
    ASSERT_TRUE(!window->isSearching() || finished.wait(20000));
}

TEST_F(PassActionsTest, DetailsAndChartWorkOnThePassesOwnSetAfterTheActiveListChanged)
{
    const std::vector<Record_TLE> sets = lowOrbits();
    loadSlot(1, sets[0]);
    Numero_satelliti = 1;
    ASSERT_TRUE(search(1));
    choose(1, 0);
    const PassListModel::Entry shown = *window->passAt(1, 0);
    // Another satellite takes slot 1; the list has been sorted since.
    loadSlot(1, sets[3]);
    emit window->lvwPass[1]->header()->sectionClicked(kColumnElevation);
    ASSERT_GE(window->selectedRow(1), 0);
    EXPECT_EQ(window->passAt(1, window->selectedRow(1))->texts.tag, shown.texts.tag)
        << "the chosen pass follows the sort";
    window->lstPass[1]->setCurrentRow(2); // the loss line

    window->cmdDettagli_Click(1);
    ASSERT_EQ(listings.size(), 1u);
    const frmDetails& listing = *listings[0];
    EXPECT_TRUE(listing.windowTitle().contains(QStringLiteral("Low 1"), Qt::CaseInsensitive))
        << listing.windowTitle().toStdString();
    // From the start of the pass (not the chosen line) to its end, on the listing's own grid.
    const auto seconds = [](const QString& line) {
        const QTime t = QTime::fromString(line.mid(13, 8), QStringLiteral("hh:mm:ss"));
        return t.isValid() ? t.msecsSinceStartOfDay() / 1000 : -1;
    };
    const QString day = shown.texts.lines[0].left(13);
    std::vector<int> rows;
    for (qint64 k = 0; k < listing.listing().lineCount(); ++k) {
        const QString line = listing.listing().line(k);
        if (line.startsWith(day) && seconds(line) >= 0)
            rows.push_back(seconds(line));
    }
    ASSERT_GE(rows.size(), 3u);
    const int step = rows[1] - rows[0];
    const int acquisition = seconds(shown.texts.lines[0]);
    const int loss = seconds(shown.texts.lines[2]);
    EXPECT_LE(rows.front(), acquisition);
    EXPECT_GT(rows.front() + step, acquisition);
    EXPECT_LE(std::abs(rows.back() - loss), step);

    window->cmdMappa_Click(1);
    window->cmdMappa_Click(1);
    ASSERT_EQ(charts.size(), 2u) << "every click opens a further chart";
    EXPECT_EQ(charts[0].row.elementLines.Riga1, sets[0].Riga1);
    EXPECT_EQ(charts[0].texts.lines, shown.texts.lines);
}

struct ActivateCase
{
    const char* name;
    int activeBefore;         ///< low orbits 2.. in the active list
    bool chosenAlreadyActive; ///< the chosen pass's satellite is active too
    QMessageBox::StandardButton answer;
    int questions;          ///< questions asked
    int activations;        ///< hook calls
    const char* messageKey; ///< section frmDatabase; "" for none
};

class ActivateChoice : public PassActionsTest, public ::testing::WithParamInterface<ActivateCase>
{
};

TEST_P(ActivateChoice, AsksOnlyWhenItCanAddAndAddsThePassesOwnSet)
{
    const ActivateCase& c = GetParam();
    const std::vector<Record_TLE> sets = lowOrbits();
    loadPrimary({sets[0]});
    ASSERT_TRUE(search(0));
    choose(0, 0);
    // The database and the slots change after the search.
    loadPrimary({sets[5], sets[4]});
    testsets::GeneratedElements e;
    e.inclinationDeg = 98.0;
    e.revsPerDay = 14.2;
    e.epochDay = 10.5;
    for (int slot = 1; slot <= c.activeBefore; ++slot)
        loadSlot(slot, testsets::formatSet(80000 + slot, "FILLER", e));
    if (c.chosenAlreadyActive)
        loadSlot(c.activeBefore, sets[0]);
    Numero_satelliti = static_cast<std::int16_t>(c.activeBefore);
    int questions = 0;
    window->setThreeWayQuestion([&](const QString& text) {
        ++questions;
        EXPECT_FALSE(text.isEmpty());
        return c.answer;
    });

    window->cmdAttiva_Click();
    EXPECT_EQ(questions, c.questions) << c.name;
    ASSERT_EQ(static_cast<int>(activated.size()), c.activations) << c.name;
    if (c.activations > 0) {
        EXPECT_EQ(activated[0].set.Riga1, sets[0].Riga1) << c.name;
        EXPECT_EQ(activated[0].principal, c.answer == QMessageBox::Yes) << c.name;
    }
    if (*c.messageKey == '\0') {
        EXPECT_TRUE(messages.empty()) << c.name;
    } else {
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_TRUE(messages[0].text.startsWith(
            mLang::Testo_lingua(u"frmDatabase", QLatin1StringView(c.messageKey))))
            << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Activate, ActivateChoice,
    ::testing::Values(ActivateCase{"YesMakesItPrincipal", 2, false, QMessageBox::Yes, 1, 1, ""},
                      ActivateCase{"NoAppendsIt", 0, false, QMessageBox::No, 1, 1, ""},
                      ActivateCase{"CancelAddsNothing", 2, false, QMessageBox::Cancel, 1, 0, ""},
                      ActivateCase{"AlreadyActive", 3, true, QMessageBox::Yes, 0, 0,
                                   "satellitegiainelenco"},
                      ActivateCase{"ListFull", kMaxActiveSatellites, false, QMessageBox::Yes, 0, 0,
                                   "limiteraggiunto1"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(PassActionsTest, ActivateTellsAWorkingSetThatCouldNotBeWritten)
{
    loadPrimary(lowOrbits());
    ASSERT_TRUE(search(0));
    window->setThreeWayQuestion([](const QString&) { return QMessageBox::No; });
    hooks.activate = [](const Record_TLE&, bool) {
        AddOutcome outcome;
        outcome.added = 1;
        outcome.workingSetSaved = false;
        return outcome;
    };
    window->setActionHooks(hooks);
    window->cmdAttiva_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(messages[0].text, mLang::Testo_lingua(u"frmDatabase", u"satellitinonsalvati"));
}

TEST_F(PassActionsTest, RightClickListsEveryPassOfTheTabInTheListsOrderNamingMixedSatellites)
{
    emit window->lvwPass[0]->customContextMenuRequested({});
    EXPECT_TRUE(listings.empty()) << "an empty pass list opens nothing";

    // The whole database: each pass's satellite on its own line before its three lines.
    loadPrimary(lowOrbits());
    ASSERT_TRUE(search(0));
    emit window->lvwPass[0]->header()->sectionClicked(kColumnName);
    emit window->lvwPass[0]->header()->sectionClicked(kColumnName); // descending
    emit window->lvwPass[0]->customContextMenuRequested({});
    ASSERT_EQ(listings.size(), 1u);
    const ListingModel& lines = listings[0]->listing();
    const int passes = window->passList(0)->rowCount();
    ASSERT_EQ(lines.lineCount(), 1 + 4 * passes + 1);
    EXPECT_EQ(lines.line(0), window->lblLegenda[0]->text());
    const QString firstName = QString::fromStdString(window->passAt(0, 0)->row.name);
    EXPECT_EQ(lines.line(1), firstName.trimmed());
    EXPECT_EQ(lines.line(2), window->passAt(0, 0)->texts.lines[0]);
    const QString lastName = QString::fromStdString(window->passAt(0, passes - 1)->row.name);
    EXPECT_EQ(lines.line(4 * passes - 3), lastName.trimmed());
    EXPECT_EQ(lines.line(4 * passes), window->passAt(0, passes - 1)->texts.lines[2]);
    EXPECT_TRUE(lines.line(4 * passes + 1).isEmpty());
    EXPECT_EQ(listings[0]->windowTitle(), QStringLiteral("Passes found - All satellites"));

    // The principal's tab holds one satellite: three lines a pass, as before.
    loadSlot(1, lowOrbits()[0]);
    Numero_satelliti = 1;
    ASSERT_TRUE(search(1));
    emit window->lvwPass[1]->customContextMenuRequested({});
    ASSERT_EQ(listings.size(), 2u);
    const int principalPasses = window->passList(1)->rowCount();
    ASSERT_EQ(listings[1]->listing().lineCount(), 1 + 3 * principalPasses + 1);
    EXPECT_EQ(listings[1]->listing().line(1), window->passAt(1, 0)->texts.lines[0]);
    EXPECT_EQ(listings[1]->windowTitle(),
              QStringLiteral("Passes found - ")
                  + QString::fromStdString(window->passAt(1, 0)->row.name).trimmed());
}

TEST_F(PassActionsTest, SaveWritesTheEventLinesAndTellsOnlyRealFailures)
{
    int dialogs = 0;
    QString answer;
    window->setSaveChooser([&](QWidget*, const QString&, const QString&) {
        ++dialogs;
        return answer;
    });
    window->Salva();
    EXPECT_EQ(dialogs, 0) << "no pass shown, nothing to save";

    loadPrimary(lowOrbits());
    ASSERT_TRUE(search(0));
    window->SSTab1->setCurrentIndex(0);
    const PassListModel::Entry& pass = *window->chosenPass(0);
    const QString good = folderFile(QStringLiteral("pass.txt"));
    writeTestFile(good, "an older file");
    answer = good;
    window->Salva();
    const QString crlf = QStringLiteral("\r\n");
    EXPECT_EQ(QString::fromUtf8(readTestFile(good)),
              pass.texts.lines[0] + crlf + pass.texts.lines[1] + crlf + pass.texts.lines[2] + crlf);
    EXPECT_TRUE(messages.empty());

    answer.clear(); // Cancel
    window->Salva();
    EXPECT_TRUE(messages.empty());

    // A folder that cannot be written: a path through a file (unwritable even for root).
    answer = folderFile(QStringLiteral("pass.txt/inside.txt"));
    window->Salva();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(messages[0].text.startsWith(
        mLang::Testo_lingua(u"frmVisibleSatellites", u"salvataggiofallito") + u'\n' + answer));
    EXPECT_EQ(dialogs, 3);
    EXPECT_TRUE(QFileInfo(good).isFile()) << "the file in the way is left alone";
}

/// One search's rows as numbers and texts that do not depend on the display locale.
struct SearchedRows
{
    QStringList texts;              ///< name, catalogue, lines and columns in the C locale
    std::vector<double> eventDates; ///< the three events' Julian dates of every row
    QStringList shownLines;         ///< the event lines as the window shows them
};

TEST_F(PassActionsTest, SearchGivesTheSameRowsUnderEveryLocale)
{
    loadPrimary(lowOrbits());
    const auto searchUnder = [this](const char* name) -> std::optional<SearchedRows> {
        const ScopedLocale locale(name);
        if (!locale.available())
            return std::nullopt;
        EXPECT_TRUE(search(0)) << name;
        SearchedRows rows;
        const PassListModel* list = window->passList(0);
        for (int row = 0; row < list->rowCount(); ++row) {
            const PassListModel::Entry& entry = *list->entry(row);
            const PassTexts plain = passTexts(entry.row, Osservatore, QLocale::c());
            rows.texts << QString::fromStdString(entry.row.name)
                       << QString::fromStdString(entry.row.catalogueNumber)
                       << QString::fromStdString(entry.row.elementLines.Riga1)
                       << QString::fromStdString(entry.row.elementLines.Riga2);
            for (const QString& text : plain.lines)
                rows.texts << text;
            for (const QString& text : plain.columns)
                rows.texts << text;
            for (const passes::PassEvent* event :
                 {&entry.row.pass.acquisition, &entry.row.pass.culmination, &entry.row.pass.loss})
                rows.eventDates.push_back(event->julianDate);
            for (const QString& text : entry.texts.lines)
                rows.shownLines << text;
        }
        return rows;
    };
    const std::optional<SearchedRows> plain = searchUnder("C");
    const std::optional<SearchedRows> comma = searchUnder(kCommaLocale);
    if (!comma)
        GTEST_SKIP() << kCommaLocale << " is not installed";
    ASSERT_TRUE(plain.has_value());
    ASSERT_FALSE(plain->texts.isEmpty());
    EXPECT_EQ(comma->texts, plain->texts);
    EXPECT_EQ(comma->eventDates, plain->eventDates);

    // Shown, the lines take the locale's decimal mark and keep their columns.
    ASSERT_EQ(comma->shownLines.size(), plain->shownLines.size());
    bool commaShown = false;
    for (qsizetype k = 0; k < plain->shownLines.size(); ++k) {
        SCOPED_TRACE(plain->shownLines[k].toStdString());
        EXPECT_EQ(comma->shownLines[k].size(), plain->shownLines[k].size());
        // After the date (its month name is the locale's) only the decimal mark differs.
        EXPECT_EQ(comma->shownLines[k].mid(11).replace(u',', u'.'), plain->shownLines[k].mid(11));
        commaShown = commaShown || comma->shownLines[k].contains(u',');
    }
    EXPECT_TRUE(commaShown);
}

TEST_F(PassActionsTest, SavedPassReadsBackAsShownUnderTheOtherLocale)
{
    loadPrimary(lowOrbits());
    const QString path = folderFile(QStringLiteral("pass.txt"));
    window->setSaveChooser([&](QWidget*, const QString&, const QString&) { return path; });
    for (const auto& [writer, reader] : {std::pair{kCommaLocale, "C"}, std::pair{"C", kCommaLocale}}) {
        SCOPED_TRACE(std::string(writer) + " -> " + reader);
        QString shown;
        {
            const ScopedLocale locale(writer);
            if (!locale.available())
                GTEST_SKIP() << writer << " is not installed";
            ASSERT_TRUE(search(0));
            window->SSTab1->setCurrentIndex(0);
            choose(0, 0);
            const PassListModel::Entry& pass = *window->chosenPass(0);
            for (const QString& line : pass.texts.lines)
                shown += line + QStringLiteral("\r\n");
            window->Salva();
        }
        const ScopedLocale locale(reader);
        EXPECT_EQ(QString::fromUtf8(readTestFile(path)), shown);
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(PassActionsTest, PrintTellsAPrinterFailureButNotCancel)
{
    int dialogs = 0;
    bool accept = true;
    window->setPrintChooser([&](QWidget*) {
        ++dialogs;
        return accept;
    });
    window->Stampa();
    EXPECT_EQ(dialogs, 0);
    ASSERT_EQ(messages.size(), 1u) << "no pass to print is told";
    EXPECT_EQ(messages[0].text,
              mLang::Testo_lingua(u"frmVisibleSatellites", u"nessunpassaggiodastampare"));
    messages.clear();

    loadPrimary(lowOrbits());
    ASSERT_TRUE(search(0));
    window->SSTab1->setCurrentIndex(0);
    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = folderFile(QStringLiteral("pass.pdf"));
    printer.setOutputFileName(pdf);
    window->Stampa();
    EXPECT_GT(QFileInfo(pdf).size(), 500);
    EXPECT_TRUE(messages.empty());

    accept = false;
    window->Stampa();
    EXPECT_TRUE(messages.empty()) << "Cancel is not told";

    accept = true;
    printer.setOutputFileName(folderFile(QStringLiteral("no such folder/pass.pdf")));
    window->Stampa();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, mLang::Testo_lingua(u"frmVisibleSatellites", u"stampafallita"));
    printer.setOutputFileName(QString());
    EXPECT_EQ(dialogs, 3);
}

TEST_F(PassActionsTest, ScreenshotOfAPassesDetails)
{
    const ScreenshotFolder shots;
    const QString folder = shots.path();
    const std::optional<std::vector<Record_TLE>> sets = testsets::gpredictSets();
    if (!sets)
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's catalogue is not installed");
    const auto iss = std::find_if(sets->begin(), sets->end(), [](const Record_TLE& set) {
        return set.Riga1.substr(2, 5) == "25544";
    });
    ASSERT_NE(iss, sets->end());
    // The magnitudes and the other reference tables of the installation.
    MyPath = QStringLiteral(QUORVANEL_DATA_DIR);
    ASSERT_TRUE(Carica_archivi().ok());
    readStatusNames();
    Osservatore.Nome_localita = "Milano";
    Data_attuale = 43121.0 + 1.0 / 24.0; // 2018-01-21 01:00 local, a day after the epochs
    loadSlot(1, *iss);
    Numero_satelliti = 1;
    window = std::make_unique<frmVisibleSatellites>();
    window->setActionHooks(hooks);
    window->cmbDurata[1]->setCurrentIndex(3);
    window->chkSoloVisibili[1]->setChecked(true);
    QSignalSpy finished(window.get(), &frmVisibleSatellites::searchFinished);
    window->cmdOK_Click(1);
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_GT(window->passList(1)->rowCount(), 0);
    window->cmdDettagli_Click(1);
    ASSERT_EQ(listings.size(), 1u);
    // In a document area, as the program shows it, so that its caption is seen.
    QMdiArea area;
    area.resize(1040, 660);
    QMdiSubWindow* frame = area.addSubWindow(listings[0].release());
    area.show();
    frame->setGeometry(10, 10, 1010, 620);
    frame->show();
    QApplication::processEvents();
    ASSERT_TRUE(area.grab().save(QDir(folder).filePath(QStringLiteral("pass-details.png"))));
}

} // namespace

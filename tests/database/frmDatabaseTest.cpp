// The database window over real files: what it lists and shows after a read, what a failed or
// cancelled read leaves, the active-list commands and the working set they write, and the
// double click that shows an entry's elements.

#include "DatabaseWindowFixture.h"
#include "support/RequiredData.h"

#include "common/gates.h"
#include "controls/GraphButton/GraphButton.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "database/ActiveSatellites.h"
#include "database/ElementListing.h"
#include "database/frmDatabase.h"
#include "dialogs/frmProgress.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QLocale>

namespace {

using WindowTest = DatabaseWindowTest;

/// Sets C, A, B in that file order: the name sort lists them A, B, C.
QByteArray unsortedLetters()
{
    return elementFile({letterSet(2), letterSet(0), letterSet(1)});
}

} // namespace

TEST_F(WindowTest, RealCatalogueIsListedWithItsStatisticsAndSortsByAnyKey)
{
    const std::optional<std::vector<Record_TLE>> sets = gpredictSets();
    if (!sets || sets->empty())
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's satellites.dat is not installed");
    const QString path = writeElementFile("catalogue.tle", elementFile(*sets, "\n"));
    const MessageRecorder messages;

    window().Database_satelliti(path);

    const int count = static_cast<int>(sets->size());
    EXPECT_EQ(rows("lstDatabase(0)").size(), count);
    EXPECT_EQ(caption("lblCaricati(0)"), QString::number(count));
    const DatabaseStatistics expected = *databaseStatistics(*sets, Tabella_magnitudini, kNow);
    const QString days = u' ' + english("Def", "giorni");
    const QString point = QLocale().decimalPoint();
    EXPECT_EQ(caption("lblVecchi(0)"), formatAgeDays(expected.oldestDays, point) + days);
    EXPECT_EQ(caption("lblRecenti(0)"), formatAgeDays(expected.newestDays, point) + days);
    EXPECT_EQ(caption("lblMedia(0)"), formatAgeDays(expected.meanDays, point) + days);
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("fraDBPrincipale"))->title(),
              QDir::toNativeSeparators(path));
    EXPECT_EQ(Impostazioni.File_database, path.toStdString());
    EXPECT_TRUE(window().isVisible()) << "a completed read shows the window";
    EXPECT_EQ(pflgSatellite.holdCount(), 0) << "the tick is given back its satellites";
    EXPECT_TRUE(messages.shown.empty()) << "no active satellite: nothing to tell";

    auto* sortKey = control<QComboBox>(QStringLiteral("cmbOrdina(0)"));
    sortKey->setCurrentIndex(static_cast<int>(SortKey::CatalogueNumber));
    emit sortKey->activated(sortKey->currentIndex());
    const QStringList byNumber = rows("lstDatabase(0)");
    ASSERT_EQ(byNumber.size(), count);
    EXPECT_TRUE(std::is_sorted(byNumber.begin(), byNumber.end(),
                               [](const QString& a, const QString& b) {
                                   return a.compare(b, Qt::CaseInsensitive) < 0;
                               }));

    // The same file as secondary database fills tab 1 and leaves the primary alone.
    window().Database_satelliti_secondario(path);
    EXPECT_EQ(caption("lblCaricati(1)"), QString::number(count));
    EXPECT_EQ(rows("lstDatabase(0)"), byNumber);
}

TEST_F(WindowTest, GarbledSetsAndWrongChecksumsAreToldOncePerFile)
{
    std::vector<Record_TLE> sets = numberedSets(10);
    sets[4].Riga1 = withColumns(sets[4].Riga1, 21, "24OO1.5OOOOO");
    sets[4].Riga2 = withColumns(sets[4].Riga2, 18, "NODE.ABC");
    sets[7].Riga1[68] = sets[7].Riga1[68] == '0' ? '1' : '0';
    sets[8].Riga2[68] = sets[8].Riga2[68] == '0' ? '1' : '0';
    const QString path = writeElementFile("garbled.tle", elementFile(sets));

    for (DatabaseKind kind : {DatabaseKind::Primary, DatabaseKind::Secondary}) {
        const MessageRecorder messages;
        if (kind == DatabaseKind::Primary)
            window().Database_satelliti(path);
        else
            window().Database_satelliti_secondario(path);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  english("frmDatabase", "insiemiscartati") + QStringLiteral(" 1\n")
                      + english("frmDatabase", "checksumerrati") + QStringLiteral(" 2"));
        const QString loaded = caption(kind == DatabaseKind::Primary ? "lblCaricati(0)"
                                                                      : "lblCaricati(1)");
        EXPECT_EQ(loaded, QStringLiteral("9")) << "the garbled set is not listed";
    }
}

TEST_F(WindowTest, FailedReadKeepsBothListsTheCaptionsAndTheActiveSatellites)
{
    const MessageRecorder messages;
    window().Database_satelliti(writeElementFile("good.tle", unsortedLetters()));
    window().Database_satelliti_secondario(writeElementFile("second.tle", unsortedLetters()));
    choose("lstDatabase(0)", {0, 1});
    click("cmdAdd(0)");
    const QStringList primary = rows("lstDatabase(0)");
    const QString oldest = caption("lblVecchi(0)");
    const std::string option = Impostazioni.File_database;
    const QStringList active = rows("lstActive");
    ASSERT_EQ(active, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

    // Only B is in the broken files: a re-link would have dropped A.
    const QByteArray b = elementFile({letterSet(1, "090.00000000")});
    Record_TLE noYear = letterSet(2);
    noYear.Riga1 = withColumns(noYear.Riga1, 19, "ab");
    const std::vector<QByteArray> broken{b + "C\r\n" + QByteArray::fromStdString(letterSet(2).Riga1),
                                         b + elementFile({noYear}), QByteArray()};
    for (const QByteArray& bytes : broken) {
        for (DatabaseKind kind : {DatabaseKind::Primary, DatabaseKind::Secondary}) {
            const std::size_t shownBefore = messages.shown.size();
            const int offersBefore = m_chooserCalls;
            const QString path = writeElementFile("broken.tle", bytes);
            if (kind == DatabaseKind::Primary)
                window().Database_satelliti(path);
            else
                window().Database_satelliti_secondario(path);

            ASSERT_EQ(messages.shown.size(), shownBefore + 1);
            EXPECT_TRUE(messages.shown.back().text.contains(english("Dialogs", "formatononvalido")));
            EXPECT_EQ(m_chooserCalls, offersBefore + 1) << "the open dialog is offered again";
            EXPECT_EQ(rows("lstDatabase(0)"), primary);
            EXPECT_EQ(rows("lstDatabase(1)"), primary);
            EXPECT_EQ(caption("lblVecchi(0)"), oldest);
            EXPECT_EQ(Impostazioni.File_database, option);
            EXPECT_EQ(rows("lstActive"), active);
            EXPECT_EQ(Numero_satelliti, 2);
            EXPECT_EQ(workingSetNames(), active);
        }
    }

    // A primary file that is not there is named in the message; a secondary one is not told.
    const QString missing = m_files.path(QStringLiteral("missing.tle"));
    window().Database_satelliti(missing);
    EXPECT_TRUE(messages.shown.back().text.contains(english("frmDatabase", "nontrovato")));
    EXPECT_TRUE(messages.shown.back().text.contains(QDir::toNativeSeparators(missing)));
    const std::size_t shown = messages.shown.size();
    const int offers = m_chooserCalls;
    window().Database_satelliti_secondario(missing);
    EXPECT_EQ(messages.shown.size(), shown);
    EXPECT_EQ(m_chooserCalls, offers);
    EXPECT_EQ(rows("lstDatabase(0)"), primary);
}

TEST_F(WindowTest, CancelDuringALongReadKeepsTheSetsReadAndTheSatellitesNotReached)
{
    constexpr int kSets = 40000;
    const std::vector<Record_TLE> sets = numberedSets(kSets);
    m_session.active().add({sets.front(), sets.back()});
    const QString path = writeElementFile("long.tle", elementFile(sets));
    const MessageRecorder messages;
    // Stop as soon as the progress window shows the read under way.
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<frmProgress*>(top);
            if (progress != nullptr && progress->ProgressBar1->Value() > 0)
                emit progress->cmdCancel->Click();
        }
    });
    stopper.start(0);

    window().Database_satelliti(path);

    const int listed = static_cast<int>(rows("lstDatabase(0)").size());
    EXPECT_GT(listed, 0);
    EXPECT_LT(listed, kSets);
    EXPECT_EQ(caption("lblCaricati(0)"), QString::number(listed));
    EXPECT_FALSE(pflgArresta) << "the stop request is used up";
    ASSERT_EQ(Numero_satelliti, 2) << "the satellite beyond the stop stays active";
    EXPECT_EQ(RigaDati[1].Riga0, "SAT 1");
    EXPECT_EQ(RigaDati[2].Riga0, "SAT 40000");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral(" 1 ") + english("frmDatabase", "su") + QStringLiteral(" 2 ")))
        << messages.shown[0].text.toStdString();
}

TEST_F(WindowTest, ANewDatabaseThatLacksActiveSatellitesNamesThoseLeftOutAndRemovesThemOnYes)
{
    const std::vector<Record_TLE> sets = numberedSets(15);
    const QString holds = english("frmDatabase", "databasecontiene");
    const QString of = u' ' + english("frmDatabase", "su") + u' ';
    const QString active = u' ' + english("frmDatabase", "satellitipreimpostati");
    const QString leftOut = english("frmDatabase", "satellitinontrovati");
    const QString question = QStringLiteral("\n\n") + english("frmDatabase", "rimuoverenontrovati");

    m_session.active().add({sets.begin(), sets.begin() + 4});
    {
        const MessageRecorder messages(QMessageBox::Yes);
        window().Database_satelliti(
            writeElementFile("three.tle", elementFile({sets[0], sets[2], sets[3]})));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, holds + QStringLiteral(" 3") + of + u'4' + active +
                                              u'\n' + leftOut + u'\n' + QStringLiteral("SAT 2") +
                                              question);
        EXPECT_TRUE(messages.shown[0].details.isEmpty());
        EXPECT_EQ(workingSetNames().size(), 3) << "the working set is written without SAT 2";
    }

    // Many left out: the first ten in the text, every one in the details.
    m_session.active().removeAll();
    m_session.active().add(sets);
    const MessageRecorder messages(QMessageBox::Yes);
    window().Database_satelliti(writeElementFile("one.tle", elementFile({sets[0]})));
    ASSERT_EQ(messages.shown.size(), 1u);
    QStringList missing;
    for (int k = 2; k <= 15; ++k)
        missing.append(QStringLiteral("SAT %1").arg(k));
    EXPECT_EQ(messages.shown[0].text,
              holds + QStringLiteral(" 1") + of + QStringLiteral("15") + active + u'\n' + leftOut +
                  u'\n' + missing.mid(0, 10).join(u'\n') + QStringLiteral("\n...") + question);
    EXPECT_EQ(messages.shown[0].details, missing.join(u'\n'));
    EXPECT_EQ(Numero_satelliti, 1);
}

TEST_F(WindowTest, NoToRemovingWhatAnOpenedFileLacksLeavesEverythingAsItWas)
{
    const std::vector<Record_TLE> sets = numberedSets(9);
    const QString all = writeElementFile("all.tle", elementFile(sets));
    window().Database_satelliti(all);
    m_session.active().add({sets.begin(), sets.begin() + 7});
    const QStringList listed = rows("lstDatabase(0)");
    const QStringList active = rows("lstActive");
    const QString workingSetPath = m_program.filePath(QStringLiteral("Quorvanel.ini"));
    const QByteArray workingSet = readTestFile(workingSetPath);

    const MessageRecorder messages(QMessageBox::No);
    m_chooserAnswers.push_back(writeElementFile("two.tle", elementFile({sets[1], sets[4]})));
    window().Apertura_database(DatabaseKind::Primary);

    EXPECT_EQ(messages.shown.size(), 1u) << "the question alone";
    EXPECT_EQ(Impostazioni.File_database, all.toStdString());
    EXPECT_EQ(rows("lstDatabase(0)"), listed);
    EXPECT_EQ(rows("lstActive"), active);
    EXPECT_EQ(readTestFile(workingSetPath), workingSet);
}

TEST_F(WindowTest, TheSavedDatabaseReadAgainWithoutSomeActiveSatellitesKeepsThemOnNo)
{
    const std::vector<Record_TLE> sets = numberedSets(7);
    window().Database_satelliti(writeElementFile("saved.tle", elementFile(sets)));
    m_session.active().add(sets);
    // A download over the file brought newer elements of only two of them.
    const Record_TLE newer4 = withEpochDay(sets[3], "100.50000000");
    const Record_TLE newer1 = withEpochDay(sets[0], "100.50000000");
    writeElementFile("saved.tle", elementFile({newer4, newer1}));

    const MessageRecorder messages(QMessageBox::No);
    window().Database_satelliti(QString::fromStdString(Impostazioni.File_database));

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(rows("lstDatabase(0)"),
              (QStringList{QStringLiteral("SAT 1"), QStringLiteral("SAT 4")}));
    ASSERT_EQ(Numero_satelliti, 7) << "those the file lacks stay active";
    // Those the file holds take its elements, in the slots and in the working set; the others
    // keep theirs.
    std::vector<std::string> expected;
    for (int slot = 1; slot <= 7; ++slot) {
        const Record_TLE& set = slot == 1 ? newer1 : slot == 4 ? newer4 : sets[slot - 1];
        EXPECT_EQ(RigaDati[slot].Riga1, set.Riga1) << "slot " << slot;
        EXPECT_DOUBLE_EQ(Satelement[slot].Giorno_epoca, slot == 1 || slot == 4 ? 100.5 : 1.5)
            << "slot " << slot;
        expected.push_back(set.Riga1);
    }
    const QString workingSet = QString::fromLatin1(
        readTestFile(m_program.filePath(QStringLiteral("Quorvanel.ini"))));
    for (const std::string& line1 : expected)
        EXPECT_TRUE(workingSet.contains(QString::fromStdString(line1))) << line1;
}

TEST_F(WindowTest, ActiveListCommandsUseTheEntriesChosenAndWriteTheWorkingSet)
{
    const MessageRecorder messages;
    window().Database_satelliti(writeElementFile("letters.tle", unsortedLetters()));
    ASSERT_EQ(rows("lstDatabase(0)"),
              (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));

    // Rows 0 and 2 are records 2 and 1 of the file: each adds its own set.
    choose("lstDatabase(0)", {0, 2});
    EXPECT_EQ(caption("lblNumeroSelezionati(0)"), QStringLiteral("2"));
    click("cmdAdd(0)");
    EXPECT_EQ(rows("lstActive"), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(workingSetNames(), rows("lstActive"));
    EXPECT_EQ(caption("lblNumeroSatellitiAttivi"), QStringLiteral("2"));
    EXPECT_EQ(m_principalNames.last(), QStringLiteral("A"));

    choose("lstDatabase(0)", {0, 1});
    click("cmdAdd(0)");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().title, QStringLiteral("A")) << "titled with the active one";
    EXPECT_EQ(workingSetNames(),
              (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("B")}));

    choose("lstActive", {2});
    click("cmdPrincipale");
    EXPECT_EQ(workingSetNames(),
              (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(list("lstActive")->currentIndex().row(), 0);
    EXPECT_EQ(m_principalNames.last(), QStringLiteral("B"));

    choose("lstActive", {});
    click("cmdPrincipale");
    EXPECT_EQ(messages.shown.back().text, english("frmDatabase", "selezionaresatellite"));

    choose("lstActive", {0, 2});
    click("cmdRemove(1)");
    EXPECT_EQ(workingSetNames(), (QStringList{QStringLiteral("C")}));
    EXPECT_EQ(rows("lstActive"), workingSetNames());
    EXPECT_EQ(m_principalNames.last(), QStringLiteral("C"));
    EXPECT_EQ(m_principalChanges, 2) << "B became principal, then C";

    choose("lstActive", {});
    click("cmdRemove(0)");
    EXPECT_EQ(messages.shown.back().text, english("frmDatabase", "nosatelliteselezionato"));
    EXPECT_EQ(Numero_satelliti, 1);
}

TEST_F(WindowTest, WorkingSetThatCannotBeWrittenIsReportedAndTheListStillChanges)
{
    const MessageRecorder messages;
    window().Database_satelliti(writeElementFile("letters.tle", unsortedLetters()));
    // A folder where the working-set file belongs: the file cannot be replaced.
    ASSERT_TRUE(QDir(m_program.path()).mkdir(QStringLiteral("Quorvanel.ini")));

    choose("lstDatabase(0)", {1});
    click("cmdAdd(0)");

    EXPECT_EQ(rows("lstActive"), (QStringList{QStringLiteral("B")}));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text, english("frmDatabase", "satellitinonsalvati"));
}

TEST_F(WindowTest, DoubleClickShowsTheEntrysOwnElementsInTheScratchSlot)
{
    window().Database_satelliti(writeElementFile("letters.tle", unsortedLetters()));
    QListView* entries = list("lstDatabase(0)");

    choose("lstDatabase(0)", {1});
    emit entries->doubleClicked(entries->currentIndex());
    EXPECT_EQ(m_satelliteWindowSlots, std::vector<int>{kFirstScratchSlot});
    EXPECT_EQ(RigaDati[kFirstScratchSlot].Riga0, "B");
    EXPECT_EQ(Numero_satelliti, 0) << "the active set is not changed";

    entries->selectionModel()->clearCurrentIndex();
    emit entries->doubleClicked(QModelIndex());
    EXPECT_EQ(m_satelliteWindowSlots.size(), 1u) << "no current entry: nothing to show";
}

TEST_F(WindowTest, InTransitSelectsExactlyTheEntriesAboveTheHorizon)
{
    const std::optional<std::vector<Record_TLE>> sets = gpredictSets();
    if (!sets || sets->empty())
        SKIP_OR_FAIL_WITHOUT_DATA("gpredict's satellites.dat is not installed");
    window().Database_satelliti(writeElementFile("catalogue.tle", elementFile(*sets)));
    mAstro::Data_giuliana = 2458300.5; // mid 2018, when these element sets were fresh
    choose("lstDatabase(0)", {0});

    click("cmdVisibili(0)");

    std::vector<Record_TLE> listed;
    for (int row = 0; row < window().entryCount(DatabaseKind::Primary); ++row)
        listed.push_back(m_session.database(DatabaseKind::Primary).setsAtRows({row}).front());
    const std::vector<bool> above = aboveHorizon(listed, mAstro::Data_giuliana);
    std::vector<int> expected;
    for (std::size_t row = 0; row < above.size(); ++row) {
        if (above[row])
            expected.push_back(static_cast<int>(row));
    }
    std::vector<int> selected;
    for (const QModelIndex& index : list("lstDatabase(0)")->selectionModel()->selectedRows())
        selected.push_back(index.row());
    std::sort(selected.begin(), selected.end());
    ASSERT_FALSE(expected.empty());
    ASSERT_LT(expected.size(), listed.size());
    EXPECT_EQ(selected, expected);
    EXPECT_EQ(pflgSatellite.holdCount(), 0);
}

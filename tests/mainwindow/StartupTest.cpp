// The checks of the start: the language file, a single running instance, the working-set
// file and the installation files; and the main window's load of the working set.

#include "MainWindowTestSupport.h"

#include "database/WorkingSet.h"
#include "mainwindow/MDIForm1.h"
#include "mainwindow/SingleInstanceLock.h"
#include "mainwindow/StartupChecks.h"
#include "services/mReg.h"
#include "support/FileSizeLimit.h"
#include "tracking/MapWindowGeometry.h"
#include "tracking/OptionsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostInfo>
#include <QProcess>
#include <QTimeZone>

#include <chrono>
#include <clocale>
#include <optional>
#include <string>

namespace {

/// Records what the start told the user and whether it offered the language chooser.
struct StartupRecorder
{
    QStringList critical;
    QStringList information;
    int chooserShown = 0;
    QString chosenLanguage; ///< what the chooser stores, "" for a chooser closed without choice

    StartupUi ui()
    {
        StartupUi startup;
        startup.critical = [this](const QString& text) { critical.append(text); };
        startup.information = [this](const QString& text) { information.append(text); };
        startup.chooseLanguage = [this] {
            ++chooserShown;
            if (!chosenLanguage.isEmpty())
                mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", chosenLanguage);
            return chosenLanguage;
        };
        startup.yield = [] {};
        return startup;
    }
};

class Startup : public ProgramStateTest
{
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        // An installation: every data file in the program folder (the pictures are copied as
        // they are; only their presence is checked).
        const QDir data(QStringLiteral(QUORVANEL_DATA_DIR));
        for (const QString& file : data.entryList(QDir::Files)) {
            if (file != u"README.md")
                QFile::copy(data.filePath(file), folderFile(file));
        }
        mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", u"English.ini");
    }

    bool initialize(StartupRecorder& recorder)
    {
        SingleInstanceLock lock(m_folder.path());
        return MDIForm_Initialize(recorder.ui(), lock);
    }

    QString recordedLanguage() const
    {
        return mReg::Leggi_registro(u"Quorvanel", u"Generali", u"Lingua", u"?");
    }
};

TEST_F(Startup, CompleteInstallationStartsQuietlyAndCreatesAnEmptyWorkingSet)
{
    StartupRecorder recorder;
    EXPECT_TRUE(initialize(recorder));
    EXPECT_TRUE(recorder.critical.isEmpty());
    EXPECT_TRUE(recorder.information.isEmpty());
    EXPECT_EQ(recorder.chooserShown, 0);
    EXPECT_EQ(Impostazioni.File_lingua, "English.ini");
    ASSERT_TRUE(QFile::exists(folderFile(QStringLiteral("Quorvanel.ini"))));
    EXPECT_EQ(QFileInfo(folderFile(QStringLiteral("Quorvanel.ini"))).size(), 0);
}

TEST_F(Startup, ExistingWorkingSetIsLeftAlone)
{
    writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), "Sat\r\nline 1\r\nline 2\r\n");
    StartupRecorder recorder;
    EXPECT_TRUE(initialize(recorder));
    EXPECT_EQ(readTestFile(folderFile(QStringLiteral("Quorvanel.ini"))),
              QByteArray("Sat\r\nline 1\r\nline 2\r\n"));
}

TEST_F(Startup, MissingMapPictureEndsTheStartWithTheInstallationMessage)
{
    ASSERT_TRUE(QFile::remove(folderFile(QStringLiteral("MapNorth.dat"))));
    StartupRecorder recorder;
    EXPECT_FALSE(initialize(recorder));
    ASSERT_EQ(recorder.critical.size(), 1);
    EXPECT_TRUE(recorder.critical[0].startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"verificainstallazione1") + u'\n' +
        mLang::Testo_lingua(u"MDIForm1", u"verificainstallazione2")));
    EXPECT_TRUE(recorder.critical[0].endsWith(QStringLiteral("MapNorth.dat")));
}

TEST_F(Startup, RequiredFilesAreCheckedInOrderAndTheOptionalOnesAreNot)
{
    EXPECT_EQ(firstMissingInstallationFile(m_folder.path()), QString());
    QFile::remove(folderFile(QStringLiteral("magnitud.dat")));
    QFile::remove(folderFile(QStringLiteral("landscape.dat")));
    EXPECT_EQ(firstMissingInstallationFile(m_folder.path()), QString());
    QFile::remove(folderFile(QStringLiteral("frequen.dat")));
    QFile::remove(folderFile(QStringLiteral("stars.bin")));
    EXPECT_EQ(firstMissingInstallationFile(m_folder.path()), QStringLiteral("stars.bin"));
    // A file whose name differs only in letter case is there.
    QFile::rename(folderFile(QStringLiteral("cities.dat")),
                  folderFile(QStringLiteral("CITIES.DAT")));
    EXPECT_EQ(firstMissingInstallationFile(m_folder.path()), QStringLiteral("stars.bin"));
    EXPECT_EQ(requiredInstallationFiles().size(), 21);
}

TEST_F(Startup, RecordedLanguageFileInAnotherLetterCaseIsUsable)
{
    mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", u"ENGLISH.ini");
    StartupRecorder recorder;
    EXPECT_TRUE(initialize(recorder));
    EXPECT_EQ(recorder.chooserShown, 0);
    EXPECT_EQ(mLang::Testo_lingua(u"MDIForm1", u"mnuFile"), QStringLiteral("&File"));
}

TEST_F(Startup, WithoutAnyLanguageFileTheStartEndsWithTheFixedMessage)
{
    // The working-set file sorts first and is the only "*.ini": there is nothing to choose.
    QFile::remove(folderFile(QStringLiteral("English.ini")));
    writeTestFile(folderFile(QStringLiteral("AAA.txt")), "not a language");
    writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), "");
    StartupRecorder recorder;
    EXPECT_FALSE(initialize(recorder));
    EXPECT_EQ(recorder.chooserShown, 0);
    EXPECT_EQ(recorder.critical, QStringList{noLanguageFileText()});
    EXPECT_EQ(recordedLanguage(), QString()) << "the unusable name is cleared";
}

TEST_F(Startup, LanguageFileListedAfterTheWorkingSetFileIsStillOffered)
{
    // The working-set file is the first "*.ini" of the folder by name; the language file after
    // it, with its extension in capitals, must still be found and offered.
    QFile::rename(folderFile(QStringLiteral("English.ini")), folderFile(QStringLiteral("zz.INI")));
    writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), "");
    mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", u"");
    StartupRecorder recorder;
    recorder.chosenLanguage = QStringLiteral("zz.INI");
    EXPECT_TRUE(initialize(recorder));
    EXPECT_EQ(recorder.chooserShown, 1);
    EXPECT_TRUE(recorder.critical.isEmpty());
    EXPECT_EQ(Impostazioni.File_lingua, "zz.INI");
}

TEST_F(Startup, ALanguageChosenWhileTheOptionsFileIsLockedHoldsForThisRun)
{
    mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", u"Klingon.ini");
    ASSERT_TRUE(QDir().mkpath(storePath() + QStringLiteral(".lock")));
    StartupRecorder recorder;
    recorder.chosenLanguage = QStringLiteral("English.ini");
    EXPECT_TRUE(initialize(recorder)) << "the choice could not be stored, the start goes on";
    EXPECT_EQ(recorder.chooserShown, 1);
    EXPECT_EQ(Impostazioni.File_lingua, "English.ini");
}

TEST_F(Startup, LanguageChooserClosedWithoutAChoiceEndsTheStartSilently)
{
    mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua", u"Klingon.ini");
    StartupRecorder recorder;
    EXPECT_FALSE(initialize(recorder));
    EXPECT_EQ(recorder.chooserShown, 1);
    EXPECT_TRUE(recorder.critical.isEmpty());
    EXPECT_TRUE(recorder.information.isEmpty());
    EXPECT_EQ(recordedLanguage(), QString());
}

TEST_F(Startup, SecondInstanceOfTheSameFolderIsRefused)
{
    SingleInstanceLock first(m_folder.path());
    ASSERT_EQ(first.tryLock(), SingleInstanceLock::Result::Acquired);
    StartupRecorder recorder;
    EXPECT_FALSE(initialize(recorder));
    EXPECT_EQ(recorder.information,
              QStringList{mLang::Testo_lingua(u"MDIForm1", u"programmainesecuzione")});

    // Another program folder is another program.
    QTemporaryDir other;
    SingleInstanceLock elsewhere(other.path());
    EXPECT_EQ(elsewhere.tryLock(), SingleInstanceLock::Result::Acquired);
}

TEST_F(Startup, LockLeftByACrashedRunDoesNotBlockTheNextStart)
{
    // A lock file naming a process that has ended, as a crash leaves it.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadProcess = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString path = SingleInstanceLock::lockFilePath(m_folder.path());
    writeTestFile(path, QByteArray::number(deadProcess) + "\nquorvanel\n" +
                            QHostInfo::localHostName().toUtf8() + "\n");
    SingleInstanceLock next(m_folder.path());
    EXPECT_EQ(next.tryLock(), SingleInstanceLock::Result::Acquired);
}

TEST_F(Startup, UnreadableOptionsFileIsKeptAsideAndToldOnce)
{
    QByteArray garbage;
    for (int k = 0; k < 4096; ++k)
        garbage += static_cast<char>((k * 7919 + 13) % 256);
    writeTestFile(storePath(), garbage);
    StartupRecorder recorder;
    recorder.chosenLanguage = QStringLiteral("English.ini");
    EXPECT_TRUE(initialize(recorder));
    EXPECT_EQ(recorder.chooserShown, 1);
    ASSERT_EQ(recorder.information.size(), 1);
    EXPECT_TRUE(recorder.information[0].startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"impostazionidanneggiate")));
    EXPECT_TRUE(recorder.information[0].endsWith(QStringLiteral("options.ini.bad")));
    EXPECT_EQ(readTestFile(storePath() + QStringLiteral(".bad")), garbage);
    EXPECT_EQ(recordedLanguage(), QStringLiteral("English.ini"));

    // The next start finds a sound store and says nothing.
    StartupRecorder next;
    EXPECT_TRUE(initialize(next));
    EXPECT_TRUE(next.information.isEmpty());
    EXPECT_EQ(readTestFile(storePath() + QStringLiteral(".bad")), garbage);

    // A store unreadable again is kept in a copy of its own, and that copy is named.
    writeTestFile(storePath(), garbage.right(100));
    StartupRecorder again;
    again.chosenLanguage = QStringLiteral("English.ini");
    EXPECT_TRUE(initialize(again));
    ASSERT_EQ(again.information.size(), 1);
    EXPECT_TRUE(again.information[0].endsWith(QStringLiteral("options.ini.bad.2")));
    EXPECT_EQ(readTestFile(storePath() + QStringLiteral(".bad.2")), garbage.right(100));
    EXPECT_EQ(readTestFile(storePath() + QStringLiteral(".bad")), garbage);
}

TEST_F(Startup, AnUnreadableOptionsFileThatIsLockedIsToldAndKeptAndTheStartGoesOn)
{
    // Text that is not UTF-8 in a comment: unreadable as a store, though the language reads.
    const QByteArray text = readTestFile(storePath()) + "; \xff\n";
    writeTestFile(storePath(), text);
    ASSERT_TRUE(QDir().mkpath(storePath() + QStringLiteral(".lock")));
    StartupRecorder recorder;
    EXPECT_TRUE(initialize(recorder));
    EXPECT_EQ(
        recorder.information,
        QStringList{mLang::Testo_lingua(u"MDIForm1", u"impostazioninonspostate")
                        .replace(QStringLiteral("%1"), QDir::toNativeSeparators(storePath()))});
    EXPECT_EQ(readTestFile(storePath()), text);
}

TEST_F(Startup, SecondStartLeavesTheRunningProgramsFilesAsTheyAre)
{
    SingleInstanceLock running(m_folder.path());
    ASSERT_EQ(running.tryLock(), SingleInstanceLock::Result::Acquired);
    // The running program's options file holds a value no reader may stream, and both folders
    // hold what looks like a save in progress.
    const QByteArray options = "[Generali]\nLingua=English.ini\n[Colori]\n"
                               "Satellite=@Variant(\\0\\0\\0\\f\\xd2z\\x81\\x12)\n";
    writeTestFile(storePath(), options);
    const QStringList saving{folderFile(QStringLiteral("Quorvanel.ini.quorvanel-saving-aBcDeF")),
                             storePath() + QStringLiteral(".quorvanel-saving-aBcDeF")};
    for (const QString& file : saving)
        writeTestFile(file, "partial");

    StartupRecorder recorder;
    EXPECT_FALSE(initialize(recorder));
    EXPECT_EQ(recorder.information,
              QStringList{mLang::Testo_lingua(u"MDIForm1", u"programmainesecuzione")});
    EXPECT_EQ(readTestFile(storePath()), options);
    EXPECT_FALSE(QFile::exists(storePath() + QStringLiteral(".bad")));
    for (const QString& file : saving)
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
}

TEST_F(Startup, LeftoversOfInterruptedSavesAreClearedFromBothFolders)
{
    const QStringList leftovers{
        folderFile(QStringLiteral("Quorvanel.ini.quorvanel-saving-aBcDeF")),
        folderFile(QStringLiteral("Quorvanel.ini.bad.quorvanel-saving-a1b2c3")),
        folderFile(QStringLiteral("cities.dat.quorvanel-saving-XyZaBc")),
        storePath() + QStringLiteral(".quorvanel-saving-QwErTy")};
    const QStringList kept{folderFile(QStringLiteral("Quorvanel.ini.backup")),
                           folderFile(QStringLiteral("Quorvanel.ini.BackUp")),
                           folderFile(QStringLiteral("cities.dat.iPhone")),
                           folderFile(QStringLiteral("cities.dat.Sdmubw")),
                           folderFile(QStringLiteral("stars.bin.quorvanel-saving-aBcDeF")),
                           storePath() + QStringLiteral(".bad")};
    for (const QString& file : leftovers + kept)
        writeTestFile(file, "partial");
    // A lock the options writer left when its process ended.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadProcess = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    writeTestFile(storePath() + QStringLiteral(".lock"),
                  QByteArray::number(deadProcess) + "\nquorvanel\n" +
                      QHostInfo::localHostName().toUtf8() + "\n");

    StartupRecorder recorder;
    EXPECT_TRUE(initialize(recorder));
    EXPECT_TRUE(recorder.information.isEmpty());
    for (const QString& file : leftovers)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    for (const QString& file : kept)
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    EXPECT_FALSE(QFile::exists(storePath() + QStringLiteral(".lock")));
    EXPECT_EQ(recordedLanguage(), QStringLiteral("English.ini"));
}

class WorkingSetAtStart : public MainWindowTest
{
protected:
    static void copyReferenceData(const QString& folder)
    {
        const QDir data(QStringLiteral(QUORVANEL_DATA_DIR));
        for (const QString& file :
             data.entryList({QStringLiteral("*.dat"), QStringLiteral("*.bin")}))
            QFile::copy(data.filePath(file), QDir(folder).filePath(file));
    }
};

TEST_F(WorkingSetAtStart, UnusableSetsAreToldOnceLeftOutAndKeptInACopy)
{
    copyReferenceData(m_folder.path());
    TestOrbit second;
    second.catalogueNumber = 90005;
    const Record_TLE good1 = elementSet("NOAA 15", TestOrbit{});
    const Record_TLE good2 = elementSet("ISS", second);
    QByteArray file = QByteArray::fromStdString(good1.Riga0 + "\r\n" + good1.Riga1 + "\r\n" +
                                                good1.Riga2 + "\r\n");
    // Random bytes: 90 lines that hold no set, then a good one.
    for (int k = 0; k < 90; ++k) {
        QByteArray line;
        for (int c = 0; c < 50; ++c)
            line += static_cast<char>(33 + (k * 31 + c * 17) % 90);
        file += line + (k % 3 == 0 ? "\x01\r\n" : "\n");
    }
    file += QByteArray::fromStdString(good2.Riga0 + "\n" + good2.Riga1 + "\n" + good2.Riga2 +
                                      "\n");
    const QString path = folderFile(QStringLiteral("Quorvanel.ini"));
    writeTestFile(path, file);

    MDIForm1& window = mainWindow();
    const ModalAnswerer answerer;
    ASSERT_TRUE(window.MDIForm_Load());
    ASSERT_EQ(answerer.messages().size(), 1u);
    const ModalAnswerer::Message& told = answerer.messages()[0];
    // The lines right after the heading, then where the file is kept.
    EXPECT_EQ(told.text, mLang::Testo_lingua(u"MDIForm1", u"insiemedanneggiato") + u'\n' +
                             told.detailedText + u'\n' +
                             mLang::Testo_lingua(u"MDIForm1", u"insiemecopiato") + u' ' +
                             QDir::toNativeSeparators(path + QStringLiteral(".bad")));
    EXPECT_TRUE(told.detailedText.startsWith(QStringLiteral("lines 4 to 93: ")));
    EXPECT_FALSE(told.detailedText.contains(u'\n')) << "one run of lines is told once";
    EXPECT_EQ(Numero_satelliti, 2);
    EXPECT_EQ(Satelement[1].Nome_satellite, "Noaa 15");
    EXPECT_EQ(Satelement[2].Numero_catalogo, "90005");
    EXPECT_TRUE(Satelement[3].Nome_satellite.empty());
    EXPECT_EQ(readTestFile(path + QStringLiteral(".bad")), file);

    // Only the usable sets are written back.
    window.close();
    EXPECT_EQ(readTestFile(path).count("\r\n"), 6);
}

TEST_F(WorkingSetAtStart, ABlankLineInTheMiddleKeepsEverySatellite)
{
    copyReferenceData(m_folder.path());
    QByteArray file;
    for (int k = 1; k <= 4; ++k) {
        const Record_TLE set = elementSet("SAT " + std::to_string(k), TestOrbit{});
        file += QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 +
                                          (k == 2 ? "\r\n\r\n \t\r\n" : "\r\n"));
    }
    file += "\r\n"; // as an editor leaves it
    const QString path = folderFile(QStringLiteral("Quorvanel.ini"));
    writeTestFile(path, file);
    const ModalAnswerer answerer;
    ASSERT_TRUE(mainWindow().MDIForm_Load());
    EXPECT_EQ(Numero_satelliti, 4);
    EXPECT_EQ(Satelement[4].Nome_satellite, "Sat 4");
    EXPECT_TRUE(answerer.messages().empty());
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".bad")));
    mainWindow().close();
    EXPECT_EQ(readTestFile(path).count("\r\n"), 12) << "every satellite is written back";
}

TEST_F(WorkingSetAtStart, ADamagedWorkingSetThatCannotBeCopiedIsKeptAsItIs)
{
    copyReferenceData(m_folder.path());
    const Record_TLE set = elementSet("NOAA 15", TestOrbit{});
    const QByteArray file = QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" +
                                                      set.Riga2 + "\r\nLeft out\r\n");
    const QString path = folderFile(QStringLiteral("Quorvanel.ini"));
    writeTestFile(path, file);
    MDIForm1& window = mainWindow();
    const ModalAnswerer answerer;
    {
        const FileSizeLimit limit(file.size() - 1); // no room for a copy
        ASSERT_TRUE(limit.set());
        ASSERT_TRUE(window.MDIForm_Load());
    }
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(answerer.messages()[0].text,
              mLang::Testo_lingua(u"MDIForm1", u"insiemedanneggiato") +
                  QStringLiteral("\nline 4: Left out\n") +
                  mLang::Testo_lingua(u"MDIForm1", u"insiemenoncopiato") + u' ' +
                  QDir::toNativeSeparators(path));
    EXPECT_EQ(Numero_satelliti, 1);
    EXPECT_TRUE(saveWorkingSet());
    window.close();
    EXPECT_EQ(readTestFile(path), file) << "the left-out line is still in the file";
    setWorkingSetOpener({}); // forgets the held file
}

/// A file that opens but fails at its first read, as a disk error does.
class FailingDevice : public QIODevice
{
public:
    FailingDevice() { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

TEST_F(WorkingSetAtStart, AWorkingSetThatCannotBeReadIsToldOnceAndNotWrittenOver)
{
    copyReferenceData(m_folder.path());
    QByteArray file;
    for (const Record_TLE& set : {elementSet("NOAA 15", TestOrbit{})})
        file += QByteArray::fromStdString(set.Riga0 + "\r\n" + set.Riga1 + "\r\n" + set.Riga2 +
                                          "\r\n");
    const QString path = folderFile(QStringLiteral("Quorvanel.ini"));
    writeTestFile(path, file);
    setWorkingSetOpener([](const QString&) { return std::make_unique<FailingDevice>(); });

    MDIForm1& window = mainWindow();
    const ModalAnswerer answerer;
    ASSERT_TRUE(window.MDIForm_Load());
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_TRUE(answerer.messages()[0].text.startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"insiemetrattenuto")));
    EXPECT_TRUE(answerer.messages()[0].text.endsWith(QDir::toNativeSeparators(path)));
    EXPECT_EQ(Numero_satelliti, 0);
    EXPECT_TRUE(workingSetFileHeld());
    // A change of the active list in this run is not written over the file, and not told again.
    EXPECT_TRUE(saveWorkingSet());
    EXPECT_FALSE(Salva_Ini());
    window.close();
    EXPECT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(readTestFile(path), file);
    setWorkingSetOpener({});
}

TEST_F(WorkingSetAtStart, AFolderInPlaceOfTheWorkingSetIsToldOnlyOnce)
{
    copyReferenceData(m_folder.path());
    ASSERT_TRUE(QDir().mkpath(folderFile(QStringLiteral("Quorvanel.ini"))));
    MDIForm1& window = mainWindow();
    const ModalAnswerer answerer;
    ASSERT_TRUE(window.MDIForm_Load());
    window.close();
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_TRUE(answerer.messages()[0].text.startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"insiemetrattenuto")));
    EXPECT_TRUE(QFileInfo(folderFile(QStringLiteral("Quorvanel.ini"))).isDir());
}

TEST_F(WorkingSetAtStart, OptionsOutOfRangeAreToldOnceAtLoad)
{
    copyReferenceData(m_folder.path());
    writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), QByteArray());
    mReg::Scrivi_registro(u"Quorvanel", u"Osservatore", u"Fuso", u"-99");
    mReg::Scrivi_registro(u"Quorvanel", u"Osservatore", u"Latitudine", u"1000000000000");
    const ModalAnswerer answerer;
    ASSERT_TRUE(mainWindow().MDIForm_Load());
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_TRUE(answerer.messages()[0].text.startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"impostazionireimpostate")));
    EXPECT_EQ(answerer.messages()[0].detailedText,
              QStringLiteral("Observer's location: Latitude: 1e+09\n"
                             "Observer's location: Time zone: -99"));
    EXPECT_FLOAT_EQ(Osservatore.Fuso_orario, 1.0f);
    EXPECT_FLOAT_EQ(Osservatore.Latitudine_osservatore, 45.47f);
}

TEST_F(WorkingSetAtStart, CorrectedOptionsAreOfferedAtExitAndThenToldNoMore)
{
    copyReferenceData(m_folder.path());
    writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), QByteArray());
    mReg::Scrivi_registro(u"Quorvanel", u"Osservatore", u"Quota", u"1e300");
    mReg::Scrivi_registro(u"Quorvanel", u"Mappamondo", u"Window_Width", u"inf");
    mReg::Scrivi_registro(u"Quorvanel", u"Mappamondo", u"Window_Height", u"1");
    mReg::Scrivi_registro(u"Quorvanel", u"Cielo locale", u"Window_Left", u"-1e300");
    {
        const ModalAnswerer answerer(QMessageBox::Yes);
        ASSERT_TRUE(mainWindow().MDIForm_Load());
        ASSERT_EQ(answerer.messages().size(), 1u);
        EXPECT_EQ(answerer.messages()[0].detailedText,
                  QStringLiteral("Observer's location: Height (m): 1e+300\n"
                                 "World map: Window width: not valid\n"
                                 "World map: Window height: 1\n"
                                 "Local sky: Window position from the left: -1e+300"));
        // The maps read their size and place themselves: those are set right at once.
        EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Mappamondo", u"Window_Width", u"?"),
                  QStringLiteral("10665"));
        EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Cielo locale", u"Window_Left", u"?"),
                  QStringLiteral("0"));
        EXPECT_TRUE(mainWindow().close());
        ASSERT_EQ(answerer.messages().size(), 2u);
        EXPECT_TRUE(answerer.messages()[1].text.startsWith(
            mLang::Testo_lingua(u"MDIForm1", u"opzionimodificate1")));
    }
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Osservatore", u"Quota", u"?"),
              QStringLiteral("133"));
    QStringList reset;
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    EXPECT_TRUE(reset.isEmpty());
    EXPECT_TRUE(resetUnusableWindowGeometry(&reset).ok());
    EXPECT_TRUE(reset.isEmpty());
}

TEST_F(WorkingSetAtStart, MapGeometryThatCouldNotBeWrittenBackIsToldSo)
{
    // The store reads, but its corrections cannot be written back: its corrected form ("10665"
    // for "inf") is cut short; or, where the program keeps its options, a lock that is never
    // free stands in the way of all twelve values of the three maps. The start waits for that
    // lock once, not once for each value (twelve waits), and the box says once why.
    copyReferenceData(m_folder.path());
    writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), QByteArray());
    const std::chrono::seconds lockWait(1);
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "cut short");
        const QString store = locked ? useConfigurationFolder() : storePath();
        if (locked) {
            ASSERT_TRUE(mReg::Scrivi_registro(u"Quorvanel", u"Generali", u"Lingua",
                                              u"English.ini").ok());
            for (const char16_t* map : {u"Mappamondo", u"Cielo locale", u"Cielo generale"}) {
                for (const char16_t* key :
                     {u"Window_Left", u"Window_Top", u"Window_Width", u"Window_Height"})
                    ASSERT_TRUE(mReg::Scrivi_registro(u"Quorvanel", map, key, u"x").ok());
            }
            ASSERT_TRUE(QDir().mkpath(store + QStringLiteral(".lock")));
            mReg::setLockWait(lockWait);
        } else {
            mReg::Scrivi_registro(u"Quorvanel", u"Mappamondo", u"Window_Width", u"inf");
        }
        const ModalAnswerer answerer;
        QElapsedTimer start;
        start.start();
        {
            std::optional<FileSizeLimit> limit;
            if (!locked)
                limit.emplace(static_cast<rlim_t>(QFileInfo(store).size()));
            ASSERT_TRUE(mainWindow().MDIForm_Load());
        }
        const std::chrono::milliseconds took(start.elapsed());
        ASSERT_EQ(answerer.messages().size(), 1u);
        const QString told = answerer.messages()[0].text;
        EXPECT_TRUE(
            told.startsWith(mLang::Testo_lingua(u"MDIForm1", u"finestrenonsalvate") + u'\n'));
        if (!locked)
            continue;
        EXPECT_EQ(answerer.messages()[0].detailedText.count(u'\n'), 11) << "twelve values";
        EXPECT_EQ(told.count(mLang::Testo_lingua(u"MDIForm1", u"impostazioniinuso")
                                 .replace(QStringLiteral("%1"),
                                          QDir::toNativeSeparators(store + QStringLiteral(".lock")))),
                  1);
        EXPECT_LT(took, 6 * lockWait) << "one wait for the lock, not one for each value";
        // The box's promise: once the lock is free, Save settings keeps the corrections.
        ASSERT_TRUE(QDir().rmdir(store + QStringLiteral(".lock")));
        ASSERT_TRUE(mainWindow().runCommand(QStringLiteral("mnuFileSalvaImpostazioni")));
        EXPECT_EQ(answerer.messages().size(), 1u) << "the save is not told as failed";
        QStringList stillToCorrect;
        EXPECT_TRUE(resetUnusableWindowGeometry(&stillToCorrect).ok());
        EXPECT_TRUE(stillToCorrect.isEmpty()) << stillToCorrect.join(u'\n').toStdString();
    }
}

TEST_F(WorkingSetAtStart, LoadReadsTheWorkingSetBeforeParsingAndShowsThePrincipal)
{
    const QDir data(QStringLiteral(QUORVANEL_DATA_DIR));
    for (const QString& file : data.entryList({QStringLiteral("*.dat"), QStringLiteral("*.bin")}))
        QFile::copy(data.filePath(file), folderFile(file));
    TestOrbit second;
    second.catalogueNumber = 90005;
    QByteArray file;
    for (const Record_TLE& set : {elementSet("NOAA 15", TestOrbit{}), elementSet("ISS", second)})
        file += QByteArray::fromStdString(set.Riga0 + "\n" + set.Riga1 + "\n" + set.Riga2 + "\n");
    writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), file);

    MDIForm1& window = mainWindow();
    const ModalAnswerer answerer;
    ASSERT_TRUE(window.MDIForm_Load());
    EXPECT_EQ(Numero_satelliti, 2);
    EXPECT_EQ(Satelement[1].Nome_satellite, "Noaa 15");
    EXPECT_EQ(Satelement[2].Numero_catalogo, "90005");
    EXPECT_EQ(window.statusPanelText(2), QStringLiteral("Noaa 15"));
    EXPECT_EQ(window.statusPanelText(3), QStringLiteral("Italy: Milano"));
    EXPECT_GT(Valori[1].Distanza, 0.0) << "the load runs one tick";
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvanel 1.2.3"));
    EXPECT_TRUE(answerer.messages().empty());

    // Closing writes the working set back, in the parsed names' form.
    window.close();
    EXPECT_TRUE(
        readTestFile(folderFile(QStringLiteral("Quorvanel.ini"))).startsWith("Noaa 15\r\n"));
}

class DaylightSavingAtStart : public WorkingSetAtStart
{
protected:
    void SetUp() override
    {
        WorkingSetAtStart::SetUp();
        copyReferenceData(m_folder.path());
        writeTestFile(folderFile(QStringLiteral("Quorvanel.ini")), QByteArray());
        ASSERT_TRUE(m_rome.isValid());
    }

    const QTimeZone m_rome{"Europe/Rome"};
};

TEST_F(DaylightSavingAtStart, NothingIsAskedWhenTheComputerAgreesWithTheObserver)
{
    mGlobal::setComputerZone(m_rome, QDateTime(QDate(2026, 1, 15), QTime(12, 0), QTimeZone::utc()));
    const ModalAnswerer answerer(QMessageBox::Yes);
    ASSERT_TRUE(mainWindow().MDIForm_Load());
    EXPECT_TRUE(answerer.messages().empty());
    EXPECT_EQ(Osservatore.Ora_legale, 0);
}

TEST_F(DaylightSavingAtStart, TheComputersSummerTimeIsAskedOnceAndStoredOnYes)
{
    mGlobal::setComputerZone(m_rome, QDateTime(QDate(2026, 7, 15), QTime(12, 0), QTimeZone::utc()));
    const ModalAnswerer answerer(QMessageBox::Yes);
    ASSERT_TRUE(mainWindow().MDIForm_Load());
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_TRUE(answerer.messages()[0].text.startsWith(
        mLang::Testo_lingua(u"MDIForm1", u"cambiareoralegale1")));
    EXPECT_EQ(Osservatore.Ora_legale, 1);
    EXPECT_EQ(mReg::Leggi_registro(u"Quorvanel", u"Osservatore", u"Ora legale", u"0"),
              QStringLiteral("1"));
}

TEST_F(DaylightSavingAtStart, AnAnswerThatCouldNotBeStoredStaysAnUnsavedChange)
{
    mGlobal::setComputerZone(m_rome, QDateTime(QDate(2026, 7, 15), QTime(12, 0), QTimeZone::utc()));
    // The store reads as empty but cannot be written: its folder is a plain file.
    writeTestFile(folderFile(QStringLiteral("blocked")), "a file where a folder belongs");
    mReg::setStoreFile(folderFile(QStringLiteral("blocked/options.ini")));
    const ModalAnswerer answerer(QMessageBox::Yes);
    ASSERT_TRUE(mainWindow().MDIForm_Load());
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(Osservatore.Ora_legale, 1);
    EXPECT_EQ(Osservatore_salvato.Ora_legale, 0);
    EXPECT_TRUE(Impostazioni_modificate());
}

TEST_F(WorkingSetAtStart, UnreadableReferenceDataEndsTheLoadWithItsMessage)
{
    // No reference files in the program folder at all.
    const ModalAnswerer answerer;
    EXPECT_FALSE(mainWindow().MDIForm_Load());
    ASSERT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(answerer.messages()[0].text, mLang::Testo_lingua(u"MDIForm1", u"erroredb"));
}

} // namespace

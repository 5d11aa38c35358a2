// The question about changed options when the program ends: when it is asked, what Yes, No
// and Cancel do to the store and to the exit, and a save that fails.

#include "MainWindowTestSupport.h"

#include "common/options.h"
#include "mainwindow/MDIForm1.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "services/mReg.h"
#include "tracking/OptionsStore.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <functional>

namespace {

class ExitOptions : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The options as a fresh start leaves them: loaded from an empty store.
        ASSERT_TRUE(Carica_impostazioni().ok());
        ASSERT_FALSE(Impostazioni_modificate());
    }

    static QString question()
    {
        return mLang::Testo_lingua(u"MDIForm1", u"opzionimodificate1") + u'\n' +
               mLang::Testo_lingua(u"MDIForm1", u"opzionimodificate2");
    }

    /// What the next start reads from the store, without touching the options in force.
    static std::pair<Opzioni, Dati_osservatore> nextStart()
    {
        const Opzioni options = Impostazioni;
        const Dati_osservatore observer = Osservatore;
        const Opzioni optionsSnapshot = Impostazioni_salvate;
        const Dati_osservatore observerSnapshot = Osservatore_salvato;
        (void)Carica_impostazioni();
        std::pair<Opzioni, Dati_osservatore> read{Impostazioni, Osservatore};
        Impostazioni = options;
        Osservatore = observer;
        Impostazioni_salvate = optionsSnapshot;
        Osservatore_salvato = observerSnapshot;
        return read;
    }

    bool running() { return mGlobal::Form_caricato(QStringLiteral("MDIForm1")); }
};

/// The changes new users make before they first quit.
struct Change
{
    const char* what;
    std::function<void()> make;
    std::function<bool(const Opzioni&, const Dati_osservatore&)> kept;
};

std::vector<Change> userChanges()
{
    return {
        {"the location",
         [] {
             Osservatore.Nome_localita = "Peru: Lima";
             Osservatore.Latitudine_osservatore = -12.05f;
             Osservatore.Longitudine_osservatore = -77.05f;
         },
         [](const Opzioni&, const Dati_osservatore& o) {
             return o.Nome_localita == "Peru: Lima" && o.Latitudine_osservatore == -12.05f;
         }},
        {"the primary database",
         [] { Impostazioni.File_database = "/home/user/elements/visual.txt"; },
         [](const Opzioni& o, const Dati_osservatore&) {
             return o.File_database == "/home/user/elements/visual.txt";
         }},
        {"a download source",
         [] { Impostazioni.Sorgenti_download[3] = "example.org/elements/mine.txt"; },
         [](const Opzioni& o, const Dati_osservatore&) {
             return o.Sorgenti_download[3] == "example.org/elements/mine.txt";
         }},
        {"the exit confirmation", [] { Impostazioni.Conferma_uscita = false; },
         [](const Opzioni& o, const Dati_osservatore&) { return !o.Conferma_uscita; }},
    };
}

} // namespace

TEST_F(ExitOptions, AFreshStoreAsksAndTheQuestionComesAfterTheExitConfirmation)
{
    EXPECT_TRUE(Impostazioni.Verifica_opzioni) << "the question is on unless the user turns it off";
    Impostazioni.Conferma_uscita = true;
    Impostazioni_salvate.Conferma_uscita = true;
    Osservatore.Nome_localita = "Peru: Lima";
    {
        // No to "really quit?" ends it there: no question about the options.
        const ModalAnswerer answerer(QMessageBox::No);
        EXPECT_FALSE(mainWindow().close());
        ASSERT_EQ(answerer.messages().size(), 1u);
        EXPECT_EQ(answerer.messages()[0].text,
                  mLang::Testo_lingua(u"MDIForm1", u"sicuridiuscire"));
    }
    const ModalAnswerer answerer(QMessageBox::Yes);
    EXPECT_TRUE(mainWindow().close());
    ASSERT_EQ(answerer.messages().size(), 2u);
    EXPECT_EQ(answerer.messages()[1].text, question());
    EXPECT_EQ(answerer.messages()[1].icon, QMessageBox::Question);
}

class ExitOptionsChange : public ExitOptions, public ::testing::WithParamInterface<std::size_t>
{
};

TEST_P(ExitOptionsChange, IsAskedForCancelWritesNothingAndYesKeepsItForTheNextStart)
{
    const Change change = userChanges()[GetParam()];
    SCOPED_TRACE(change.what);
    if (change.what == std::string("the exit confirmation")) {
        Impostazioni.Conferma_uscita = true; // as last saved
        ASSERT_TRUE(Salva_impostazioni().ok());
        Impostazioni.Conferma_uscita = false;
    }
    change.make();
    ASSERT_TRUE(Impostazioni_modificate());
    {
        const ModalAnswerer answerer(QMessageBox::Cancel);
        EXPECT_FALSE(mainWindow().close());
        ASSERT_EQ(answerer.messages().size(), 1u);
        EXPECT_EQ(answerer.messages()[0].text, question());
        EXPECT_TRUE(running());
        const auto [options, observer] = nextStart();
        EXPECT_FALSE(change.kept(options, observer));
    }
    const ModalAnswerer answerer(QMessageBox::Yes);
    EXPECT_TRUE(mainWindow().close());
    EXPECT_EQ(answerer.messages().size(), 1u);
    const auto [options, observer] = nextStart();
    EXPECT_TRUE(change.kept(options, observer));
    EXPECT_FALSE(Impostazioni_modificate()) << "the saved values are the new snapshot";
}

INSTANTIATE_TEST_SUITE_P(UserChanges, ExitOptionsChange,
                         ::testing::Range<std::size_t>(0, userChanges().size()));

TEST_F(ExitOptions, NoQuitsWithoutWriting)
{
    Osservatore.Nome_localita = "Peru: Lima";
    const ModalAnswerer answerer(QMessageBox::No);
    EXPECT_TRUE(mainWindow().close());
    EXPECT_EQ(answerer.messages().size(), 1u);
    EXPECT_EQ(nextStart().second.Nome_localita, Osservatore_salvato.Nome_localita);
    EXPECT_NE(nextStart().second.Nome_localita, "Peru: Lima");
}

TEST_F(ExitOptions, NothingIsAskedAfterASave)
{
    Osservatore.Nome_localita = "Peru: Lima";
    ASSERT_TRUE(Salva_impostazioni().ok()); // as File > Save settings does
    const ModalAnswerer answerer(QMessageBox::Cancel);
    EXPECT_TRUE(mainWindow().close());
    EXPECT_TRUE(answerer.messages().empty());
}

TEST_F(ExitOptions, TheLanguageStoredByItsOwnDialogIsNoUnsavedChange)
{
    Impostazioni.File_lingua = "Italiano.ini";
    const ModalAnswerer answerer(QMessageBox::Cancel);
    EXPECT_TRUE(mainWindow().close());
    EXPECT_TRUE(answerer.messages().empty());
}

TEST_F(ExitOptions, NothingIsAskedWhenTheOptionIsOff)
{
    Impostazioni.Verifica_opzioni = false;
    Impostazioni_salvate.Verifica_opzioni = false;
    Impostazioni.File_database = "/home/user/elements/visual.txt";
    const ModalAnswerer answerer(QMessageBox::Cancel);
    EXPECT_TRUE(mainWindow().close());
    EXPECT_TRUE(answerer.messages().empty());
}

TEST_F(ExitOptions, TurningTheQuestionOffIsKeptWithoutTheOtherChanges)
{
    // The options dialog's OK turns the question off; nothing is saved.
    Impostazioni.Verifica_opzioni = false;
    Osservatore.Nome_localita = "Peru: Lima";
    const ModalAnswerer answerer(QMessageBox::Cancel);
    EXPECT_TRUE(mainWindow().close());
    EXPECT_TRUE(answerer.messages().empty());
    const auto [options, observer] = nextStart();
    EXPECT_FALSE(options.Verifica_opzioni);
    EXPECT_NE(observer.Nome_localita, "Peru: Lima") << "the other change was not to be saved";
}

TEST_F(ExitOptions, ASaveThatFailsIsToldWithItsReasonAndTheProgramStays)
{
    // What stands in the store's way, and the reason the box gives for it.
    struct Case
    {
        const char* store;
        const char* blocker;
        QString reason;
    };
    const Case cases[] = {
        {"blocked/options.ini", "blocked", qt_error_string(ENOTDIR)},
        {"locked/options.ini", "locked/options.ini.lock/",
         mLang::Testo_lingua(u"MDIForm1", u"impostazioniinuso")
             .replace(QStringLiteral("%1"), QDir::toNativeSeparators(folderFile(
                                                QStringLiteral("locked/options.ini.lock"))))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.store);
        const QString blocker = folderFile(QString::fromLatin1(c.blocker));
        if (blocker.endsWith(u'/'))
            ASSERT_TRUE(QDir().mkpath(blocker)); // a folder no wait for the lock ever takes
        else
            writeTestFile(blocker, "a file where a folder belongs");
        const QString store = folderFile(QString::fromLatin1(c.store));
        mReg::setStoreFile(store);
        Osservatore.Nome_localita = "Peru: Lima";
        {
            const ModalAnswerer answerer(QMessageBox::Yes);
            EXPECT_FALSE(mainWindow().close());
            ASSERT_EQ(answerer.messages().size(), 2u);
            EXPECT_EQ(answerer.messages()[1].icon, QMessageBox::Warning);
            EXPECT_EQ(answerer.messages()[1].text,
                      mLang::Testo_lingua(u"MDIForm1", u"impostazioninonsalvate") + u'\n' +
                          c.reason + u'\n' +
                          mLang::Testo_lingua(u"MDIForm1", u"impostazionilasciate")
                              .replace(QStringLiteral("%1"), QDir::toNativeSeparators(store)) +
                          u'\n' + mLang::Testo_lingua(u"MDIForm1", u"programmaaperto"));
        }
        EXPECT_TRUE(running());
        EXPECT_TRUE(Impostazioni_modificate()) << "still unsaved";
        EXPECT_FALSE(QFile::exists(store));
    }
    // The user may still leave without saving.
    const ModalAnswerer answerer(QMessageBox::No);
    EXPECT_TRUE(mainWindow().close());
}

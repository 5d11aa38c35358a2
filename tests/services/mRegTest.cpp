#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include "services/mReg.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

namespace {

using mReg::Leggi_registro;
using mReg::RegistryStatus;
using mReg::Scrivi_registro;

constexpr int kAppNameEmpty = -2147220504;
constexpr int kSectionEmpty = -2147220503;
constexpr int kKeyEmpty = -2147220502;
constexpr int kStoreFailureBase = -2147219504;

class OptionStore : public ProgramStateTest
{
};

TEST_F(OptionStore, MissingKeyGivesDefaultButStoredEmptyTextDoesNot)
{
    RegistryStatus status;
    EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", "none", &status), "none");
    EXPECT_TRUE(status.ok());

    ASSERT_TRUE(Scrivi_registro("Quorvanel", "Generali", "Lingua", "").ok());
    EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", "none", &status), "");
    EXPECT_TRUE(status.ok());
    EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Other", "none"), "none");
    EXPECT_EQ(Leggi_registro("Quorvanel", "Database", "Lingua", "none"), "none");
}

TEST_F(OptionStore, SectionNamesAreTrimmedKeyNamesAreNot)
{
    ASSERT_TRUE(Scrivi_registro("  Quorvanel ", "  Generali  ", "Lingua", "English.ini").ok());
    EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", ""), "English.ini");

    ASSERT_TRUE(Scrivi_registro("Quorvanel", "Generali", " Lingua ", "padded").ok());
    EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", " Lingua ", ""), "padded");
    EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", ""), "English.ini");
}

TEST_F(OptionStore, NamesWithBlanksAndAwkwardTextsRoundTripExactly)
{
    struct Case
    {
        const char* section;
        const char* key;
        QString value;
    };
    const Case cases[] = {
        {"Cielo locale", "Mouse dati", QStringLiteral("-1")},
        {"Mappamondo", "Mouse dati", QStringLiteral("0")},
        {"Cielo locale", "Griglia 10", QStringLiteral(" leading and trailing ")},
        {"Osservatore", "Localita", QString::fromUtf8("Österreich: Wien, \"Zentrum\" ° 中")},
        {"Esegui", "Parametri", QStringLiteral("-a;b #c = d \\e %f")},
        {"Esegui", "Programma", QStringLiteral("@home/bin/tool")},
        {"Download", "Remoto0", QStringLiteral("celestrak.org/NORAD/elements/visual.txt")},
        {"Cielo generale", "Window_Left", QStringLiteral("1,5")},
    };
    for (const Case& c : cases)
        ASSERT_TRUE(Scrivi_registro("Quorvanel", c.section, c.key, c.value).ok()) << c.key;

    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        RegistryStatus status;
        EXPECT_EQ(Leggi_registro("Quorvanel", c.section, c.key, "default", &status), c.value);
        EXPECT_TRUE(status.ok()) << status.description.toStdString();
    }
}

TEST_F(OptionStore, EmptyNamesFailInOrderBeforeTheStoreIsTouched)
{
    struct Case
    {
        const char* application;
        const char* section;
        const char* key;
        int number;
        const char* text;
    };
    const Case cases[] = {
        {"   ", "", "", kAppNameEmpty, "AppName may not be empty"},
        {"Quorvanel", " ", "", kSectionEmpty, "Section may not be empty"},
        {"Quorvanel", "Generali", "  ", kKeyEmpty, "Key may not be empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const RegistryStatus written = Scrivi_registro(c.application, c.section, c.key, "x");
        EXPECT_EQ(written.number, c.number);
        EXPECT_EQ(written.description, QString::fromLatin1(c.text));

        RegistryStatus read;
        EXPECT_EQ(Leggi_registro(c.application, c.section, c.key, "fallback", &read), "fallback");
        EXPECT_EQ(read.number, c.number);
        EXPECT_EQ(read.description, QString::fromLatin1(c.text));
    }
    EXPECT_FALSE(QFileInfo::exists(storePath()));
}

TEST_F(OptionStore, ValueThatIsNotTextReportsItsTypeAndGivesTheDefault)
{
    QDir().mkpath(QFileInfo(storePath()).path());
    writeTestFile(storePath(), "[Colori]\n"
                               "Binary=@ByteArray(abc)\n"
                               "Number=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                               "List=Milano, Roma\n"
                               "Quoted=\"Milano, Roma\"\n");
    struct Case
    {
        const char* key;
        int number;
    };
    const Case cases[] = {{"Binary", kStoreFailureBase + 3},
                          {"Number", kStoreFailureBase + 4},
                          {"List", kStoreFailureBase + 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        RegistryStatus status;
        EXPECT_EQ(Leggi_registro("Quorvanel", "Colori", c.key, "255", &status), "255");
        EXPECT_EQ(status.number, c.number);
        EXPECT_EQ(status.description, QStringLiteral("Registry data not a string"));
    }
    EXPECT_EQ(Leggi_registro("Quorvanel", "Colori", "Quoted", ""), QStringLiteral("Milano, Roma"));
}

TEST_F(OptionStore, StreamedValuesThatCouldClaimAnySizeOrTypeAreNeverRead)
{
    // A streamed byte array claiming 3.5 GB, a cursor (a window object the store cannot make
    // without a screen), a date, and the same hidden behind quotes, escapes, a line
    // continuation and a raw type byte: the whole store is refused before anything is read
    // from it.
    QDir().mkpath(QFileInfo(storePath()).path());
    const QByteArray values[] = {
        "@Variant(\\0\\0\\0\\f\\xd2z\\x81\\x12)",
        "@Variant(\\0\\0\\x10\\n\\0\\0\\0\\x2\\0)",
        "@DateTime(\\0\\0\\0\\x10\\0)",
        "\"@Vari\"ant(\\0\\0\\0\\f\\xd2z\\x81\\x12)",
        "\\x40Variant(\\0\\0\\0\\14\\xd2z\\x81\\x12)",
        "x, @Var\\\niant(\\0\\0\\0\\f\\xd2z\\x81\\x12)",
        "@Variant(\\0\\0\\0\x0c\\xd2z\\x81\\x12)",
    };
    for (const QByteArray& value : values) {
        SCOPED_TRACE(value.toStdString());
        writeTestFile(storePath(),
                      "[Generali]\nLingua=English.ini\n[Colori]\nGriglia=" + value + "\n");
        EXPECT_TRUE(mReg::storeFileUnreadable("Quorvanel"));
        RegistryStatus status;
        EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", "none", &status), "none");
        EXPECT_EQ(status.number, kStoreFailureBase + mReg::kCodeStoreCorrupt);
        EXPECT_FALSE(Scrivi_registro("Quorvanel", "Generali", "Lingua", "a.ini").ok());
    }
    // Texts that merely mention the marks, and streamed numbers, stay readable.
    writeTestFile(storePath(), "[Esegui]\nParametri=@@Var\nProgramma=mail@Variant.org\n"
                               "[Colori]\nNumber=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
    EXPECT_FALSE(mReg::storeFileUnreadable("Quorvanel"));
    EXPECT_EQ(Leggi_registro("Quorvanel", "Esegui", "Programma", ""), "mail@Variant.org");
}

TEST_F(OptionStore, StoreThatCannotBeOpenedIsReported)
{
    // A folder where the store file should be: it can be neither read nor written.
    const QString folderInTheWay = folderFile(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkpath(folderInTheWay));
    mReg::setStoreFile(folderInTheWay);

    RegistryStatus status;
    EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", "dflt", &status), "dflt");
    EXPECT_EQ(status.number, kStoreFailureBase + mReg::kCodeAccessDenied);
    EXPECT_EQ(status.description, QStringLiteral("Could not open registry section"));

    // A store file below a plain file: its folder cannot be created.
    const QString plainFile = folderFile(QStringLiteral("plain"));
    writeTestFile(plainFile, "x");
    mReg::setStoreFile(plainFile + QStringLiteral("/options.ini"));
    const RegistryStatus written = Scrivi_registro("Quorvanel", "Generali", "Lingua", "a.ini");
    EXPECT_EQ(written.number, kStoreFailureBase + mReg::kCodeAccessDenied);
    EXPECT_EQ(written.description, QStringLiteral("Could not open/create registry section"));
}

TEST_F(OptionStore, AStoreFileTheSystemTookOnlyInPartIsNoSuccessfulWrite)
{
    // A store of some 6 KB, then every value changed while the system takes only the first
    // kilobyte of a file, as a disk that fills would: the store file stays as it was.
    QList<mReg::RegistryValue> values;
    for (int k = 0; k < 100; ++k)
        values.append({QStringLiteral("Sezione %1").arg(k / 10), QStringLiteral("Chiave %1").arg(k),
                       QStringLiteral("valore %1 ").arg(k).repeated(4)});
    ASSERT_TRUE(mReg::writeValues("Quorvanel", values).ok());
    const QByteArray saved = readTestFile(storePath());
    for (mReg::RegistryValue& item : values)
        item.value += u'+';
    RegistryStatus cut;
    {
        const FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.set());
        cut = mReg::writeValues("Quorvanel", values);
    }
    EXPECT_EQ(cut.number, kStoreFailureBase + mReg::kCodeAccessDenied);
    EXPECT_EQ(cut.reason, qt_error_string(EFBIG)) << "the system's reason";
    EXPECT_EQ(readTestFile(storePath()), saved);
    EXPECT_EQ(Leggi_registro("Quorvanel", "Sezione 9", "Chiave 99", ""),
              QStringLiteral("valore 99 ").repeated(4));

    // With room again the same values are written, and read back whole.
    ASSERT_TRUE(mReg::writeValues("Quorvanel", values).ok());
    EXPECT_EQ(Leggi_registro("Quorvanel", "Sezione 9", "Chiave 99", ""),
              QStringLiteral("valore 99 ").repeated(4) + u'+');
    EXPECT_EQ(QDir(QFileInfo(storePath()).path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("options.ini")});
    // Texts the writer escapes or quotes are read back as they were written.
    for (const QString& text : {QStringLiteral("Hut @Variant(abcd)"), QStringLiteral("a, b, c"),
                                QStringLiteral("\"quoted\" ; semi"), QStringLiteral("@leading"),
                                QStringLiteral("tab\there"), QString()})
        EXPECT_TRUE(Scrivi_registro("Quorvanel", "Generali", "Testo", text).ok()) << text.toStdString();
}

TEST_F(OptionStore, ALockThatIsNeverFreeFailsEveryWriteInTimeAndLeavesTheStore)
{
    ASSERT_TRUE(Scrivi_registro("Quorvanel", "Generali", "Lingua", "a.ini").ok());
    const QByteArray saved = readTestFile(storePath());
    // A folder in place of the lock file: no wait ever takes it.
    ASSERT_TRUE(QDir().mkpath(storePath() + QStringLiteral(".lock")));
    const RegistryStatus written = Scrivi_registro("Quorvanel", "Generali", "Lingua", "b.ini");
    EXPECT_EQ(written.number, kStoreFailureBase + mReg::kCodeAccessDenied);
    EXPECT_TRUE(written.locked);
    EXPECT_TRUE(mReg::setAsideStoreFile("Quorvanel").isEmpty());
    EXPECT_EQ(readTestFile(storePath()), saved);

    // Within one scope it is waited for once; once a write takes the lock again, a lock that
    // another program holds for a moment is waited for as usual.
    const mReg::OneLockWait scope;
    const std::chrono::seconds lockWait(1);
    mReg::setLockWait(lockWait);
    QElapsedTimer took;
    took.start();
    for (int write = 0; write < 3; ++write)
        EXPECT_TRUE(Scrivi_registro("Quorvanel", "Generali", "Lingua", "b.ini").locked);
    EXPECT_LT(std::chrono::milliseconds(took.elapsed()), 2 * lockWait) << "one wait in all";
    ASSERT_TRUE(QDir().rmdir(storePath() + QStringLiteral(".lock")));
    ASSERT_TRUE(Scrivi_registro("Quorvanel", "Generali", "Lingua", "c.ini").ok());
    std::promise<void> taken;
    std::thread otherSave([this, &taken] {
        QLockFile held(storePath() + QStringLiteral(".lock"));
        const bool locked = held.tryLock();
        taken.set_value();
        if (locked)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });
    taken.get_future().wait();
    const bool waited = Scrivi_registro("Quorvanel", "Generali", "Lingua", "d.ini").ok();
    otherSave.join();
    EXPECT_TRUE(waited) << "a lock held for a moment is waited for";
}

TEST_F(OptionStore, AValueRewrittenAtTheSameLengthReadsBackWhereFileTimesAreWholeSeconds)
{
    // After every save the store gets back the whole second of the one before it, as a file
    // system that keeps whole seconds gives it within one second. Values of one length are
    // saved one after another, some of them twice before they are read: with a store file set,
    // and where the program keeps its options.
    namespace fs = std::filesystem;
    for (const bool configurationFolder : {false, true}) {
        SCOPED_TRACE(configurationFolder ? "configuration folder" : "store file set");
        const QString path = configurationFolder ? useConfigurationFolder() : storePath();
        const fs::path store(QFile::encodeName(path).toStdString());
        ASSERT_TRUE(Scrivi_registro("Quorvanel", "Generali", "Lingua", "aaa").ok());
        const auto second = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(store));
        fs::last_write_time(store, second);
        EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", ""), QLatin1String("aaa"));
        const std::pair<const char*, bool> saves[] = {
            {"aaa", true}, {"bbb", false}, {"ccc", true}, {"bbb", true},
            {"ddd", false}, {"eee", false}, {"ccc", true}};
        for (const auto& [value, read] : saves) {
            ASSERT_TRUE(Scrivi_registro("Quorvanel", "Generali", "Lingua", value).ok());
            fs::last_write_time(store, second);
            if (read) {
                EXPECT_EQ(Leggi_registro("Quorvanel", "Generali", "Lingua", ""),
                          QLatin1String(value));
            }
        }
    }
}

} // namespace

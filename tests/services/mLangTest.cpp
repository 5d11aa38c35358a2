#include "support/TestFiles.h"

#include "services/mLang.h"

#include <QFile>

namespace {

using mLang::Leggi_valore_ini;
using mLang::Lingua_caricata;
using mLang::Testo_lingua;

class LanguageText : public ProgramStateTest
{
protected:
    void useLanguageFile(const QString& name, const QByteArray& contents)
    {
        writeTestFile(folderFile(name), contents);
        Impostazioni.File_lingua = name.toStdString();
        Lingua_caricata = false;
    }
};

TEST_F(LanguageText, LookupFollowsTheFileLayout)
{
    useLanguageFile(QStringLiteral("English.ini"),
                    "[mdiform1]\r\n"
                    "MNUFILE=&File\r\n"
                    "mnuFileApri=&Open...\r\n"
                    "\r\n"
                    "formula=a=b=c\r\n"
                    "padded=  two blanks  \r\n"
                    "empty=\r\n"
                    "spaced =never found\r\n"
                    "[Def] trailing text after the header\r\n"
                    "giorni=days\r\n"
                    "[MDIForm1]\r\n"
                    "second=in the second section of the same name\r\n"
                    "[Later]\r\n"
                    "onlylater=later section\r\n");
    struct Case
    {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"MDIForm1", "mnuFile", "&File"},             // letter case of section and key ignored
        {"MDIFORM1", "MNUFILEAPRI", "&Open..."},
        {"MDIForm1", "formula", "a=b=c"},             // only the first "=" separates
        {"MDIForm1", "padded", "  two blanks  "},     // blanks are part of the text
        {"MDIForm1", "empty", ""},
        {"MDIForm1", "spaced", ""},                   // a blank before "=" is never found
        {"MDIForm1", "mnuFileAp", ""},                // a key matches only as a whole
        {"MDIForm1", "second", ""},                   // only the first section of a name
        {"MDIForm1", "onlylater", ""},                // no search beyond the section
        {"MDIForm1", "giorni", ""},
        {"Def", "giorni", "days"},                    // header with text after "]"
        {"Later", "onlylater", "later section"},
        {"Missing", "mnuFile", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(Testo_lingua(c.section, c.key), QString::fromUtf8(c.expected));
    }
    // An empty line inside a section does not end it: "formula" follows one.
    EXPECT_TRUE(Lingua_caricata);
}

TEST_F(LanguageText, LineEndsByteOrderMarkAndUtf8AreRead)
{
    useLanguageFile(QStringLiteral("lf.ini"), "\xEF\xBB\xBF[Def]\ngradi=\xC2\xB0\nlast=no line end");
    EXPECT_EQ(Testo_lingua("Def", "gradi"), QString::fromUtf8("\xC2\xB0"));
    EXPECT_EQ(Testo_lingua("Def", "last"), QStringLiteral("no line end"));

    useLanguageFile(QStringLiteral("crlf.ini"), "[Def]\r\ngradi=degrees\r\n");
    EXPECT_EQ(Testo_lingua("Def", "gradi"), QStringLiteral("degrees"));
}

TEST_F(LanguageText, FileIsFoundInAnyLetterCaseTriedAgainAndReloadedWhenCleared)
{
    Impostazioni.File_lingua = "italiano.INI";
    EXPECT_EQ(Testo_lingua("Buttons", "ok"), QString());
    EXPECT_FALSE(Lingua_caricata); // a missing file is tried again at the next lookup

    writeTestFile(folderFile(QStringLiteral("Italiano.ini")), "[Buttons]\r\nok=Conferma\r\n");
    EXPECT_EQ(Testo_lingua("Buttons", "ok"), QStringLiteral("Conferma"));

    writeTestFile(folderFile(QStringLiteral("English.ini")), "[Buttons]\r\nok=OK\r\n");
    Impostazioni.File_lingua = "English.ini";
    EXPECT_EQ(Testo_lingua("Buttons", "ok"), QStringLiteral("Conferma")); // still held
    Lingua_caricata = false;
    EXPECT_EQ(Testo_lingua("Buttons", "ok"), QStringLiteral("OK"));
}

TEST_F(LanguageText, LoadingLeavesOpenFilesAndTheCurrentFolderAlone)
{
    const QString otherPath = folderFile(QStringLiteral("cities.dat"));
    writeTestFile(otherPath, "\"Milano\",45.47,9.19,1\r\n");
    QFile other(otherPath);
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    const QString folderBefore = QDir::currentPath();

    useLanguageFile(QStringLiteral("English.ini"), "[Buttons]\r\nok=OK\r\n");
    EXPECT_EQ(Testo_lingua("Buttons", "ok"), QStringLiteral("OK"));

    EXPECT_TRUE(other.isOpen());
    EXPECT_EQ(other.readLine(), QByteArray("\"Milano\",45.47,9.19,1\r\n"));
    EXPECT_EQ(QDir::currentPath(), folderBefore);
}

TEST_F(LanguageText, GeneralLookupGivesItsDefaultAndGuardsKeyNames)
{
    const QString file = folderFile(QStringLiteral("general.ini"));
    writeTestFile(file, "[Help]\r\nfile=Quorvanel.html\r\na=b=c\r\n");
    EXPECT_EQ(Leggi_valore_ini("Help", "file", QStringLiteral("x"), file),
              QStringLiteral("Quorvanel.html"));
    EXPECT_EQ(Leggi_valore_ini("Help", "missing", QStringLiteral("x"), file), QStringLiteral("x"));
    // A key holding "=" under a plain section name is refused, not matched against "a=b=c".
    EXPECT_EQ(Leggi_valore_ini("Help", "a=b", QStringLiteral("x"), file), QStringLiteral("x"));
}

} // namespace

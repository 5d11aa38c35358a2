#include "DialogTestSupport.h"

#include <QGuiApplication>

#include <memory>

namespace {

const QByteArray kEnglishTexts = "[Buttons]\r\n"
                                 "ok=OK\r\n"
                                 "cancel=Cancel\r\n"
                                 "[frmAbout]\r\n"
                                 "informazioni=About Quorvanel\r\n"
                                 "versione=Version\r\n"
                                 "[frmCalendar]\r\n"
                                 "calendario=Calendar\r\n"
                                 "[frmLanguage]\r\n"
                                 "lingua=Language\r\n"
                                 "linguanonsalvata=Not saved.\r\n";

// Windows need one QApplication for the whole run (gtest_main owns main()); the offscreen
// platform keeps the tests off any display when they are started by hand.
class DialogTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "dialogs_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment
    = ::testing::AddGlobalTestEnvironment(new DialogTestEnvironment);

} // namespace

void DialogTest::SetUp()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvanel"));
    ProgramStateTest::SetUp();
    writeLanguageFile(QStringLiteral("English.ini"), kEnglishTexts);
    useLanguageFile(QStringLiteral("English.ini"));
}

void DialogTest::writeLanguageFile(const QString& name, const QByteArray& content)
{
    writeTestFile(folderFile(name), content);
}

void DialogTest::useLanguageFile(const QString& name)
{
    Impostazioni.File_lingua = name.toStdString();
    mLang::Lingua_caricata = false;
}

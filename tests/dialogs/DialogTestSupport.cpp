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

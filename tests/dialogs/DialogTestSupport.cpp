#include "DialogTestSupport.h"

#include <QAbstractButton>
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

MessageBoxAnswers::MessageBoxAnswers(QMessageBox::StandardButton button) : m_button(button)
{
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
    m_timer.start();
}

void MessageBoxAnswers::answer()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    texts.append(box->text());
    QAbstractButton* pressed = box->button(m_button);
    if (pressed == nullptr)
        pressed = box->escapeButton();
    if (pressed != nullptr)
        pressed->click();
    else
        box->done(m_button);
}

// Language chooser: which files it offers, which one it preselects, and what OK stores.

#include "DialogTestSupport.h"

#include "controls/GraphButton/GraphButton.h"
#include "dialogs/frmLanguage.h"
#include "services/WindowRegistry.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cerrno>

namespace {

class LanguageChooserTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        writeLanguageFile(QStringLiteral("italiano.ini"), "[frmLanguage]\nlingua=Lingua\n");
    }

    QStringList listed(frmLanguage& chooser) const
    {
        QStringList items;
        const auto* list = chooser.findChild<QListWidget*>(QStringLiteral("lstLingua"));
        for (int row = 0; row < list->count(); ++row)
            items.append(list->item(row)->text());
        return items;
    }

    static QListWidget* list(frmLanguage& chooser)
    {
        return chooser.findChild<QListWidget*>(QStringLiteral("lstLingua"));
    }

    static GraphButton* button(frmLanguage& chooser, const char* name)
    {
        return chooser.findChild<GraphButton*>(QString::fromLatin1(name));
    }

    QString storedLanguage() const
    {
        return mReg::Leggi_registro(u"Quorvanel", u"Generali", u"Lingua", u"<not stored>");
    }
};

} // namespace

TEST_F(LanguageChooserTest, OffersLanguageFilesButNotTheWorkingSetInAnyLetterCase)
{
    writeTestFile(folderFile(QStringLiteral("quorvanel.ini")), "1 25544U\n");
    writeTestFile(folderFile(QStringLiteral("QUORVANEL.INI")), "1 25544U\n");
    writeTestFile(folderFile(QStringLiteral("DEUTSCH.INI")), "[Buttons]\n");
    writeTestFile(folderFile(QStringLiteral("portugues brasil.ini")), "[Buttons]\n");
    writeTestFile(folderFile(QStringLiteral("readme.txt")), "not a language\n");

    EXPECT_EQ(frmLanguage::languageNames(MyPath),
              (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English"),
                           QStringLiteral("Italiano"), QStringLiteral("Portugues Brasil")}));

    frmLanguage chooser;
    EXPECT_EQ(listed(chooser), frmLanguage::languageNames(MyPath));
}

TEST_F(LanguageChooserTest, SelectsTheRecordedLanguageWhateverItsLetterCase)
{
    useLanguageFile(QStringLiteral("italiano.INI"));
    frmLanguage chooser;
    ASSERT_NE(list(chooser)->currentItem(), nullptr);
    EXPECT_EQ(list(chooser)->currentItem()->text(), QStringLiteral("Italiano"));
    EXPECT_TRUE(button(chooser, "cmdOK")->isEnabled());
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Lingua"));
    EXPECT_EQ(button(chooser, "cmdOK")->Caption(), QString()) << "no [Buttons] in italiano.ini";
}

TEST_F(LanguageChooserTest, WithNoLanguageRecordedOffersTheFirstInMemoryOnly)
{
    useLanguageFile(QString());
    {
        frmLanguage chooser;
        EXPECT_EQ(list(chooser)->currentRow(), 0);
        EXPECT_TRUE(button(chooser, "cmdOK")->isEnabled());
        EXPECT_EQ(Impostazioni.File_lingua, "English.ini");
        QTest::mouseClick(button(chooser, "cmdCancel"), Qt::LeftButton);
        EXPECT_EQ(chooser.result(), QDialog::Rejected);
    }
    EXPECT_EQ(Impostazioni.File_lingua, "English.ini");
    EXPECT_EQ(storedLanguage(), QStringLiteral("<not stored>"));
}

TEST_F(LanguageChooserTest, WithTheRecordedFileGoneNothingIsChosenUntilTheUserPicks)
{
    useLanguageFile(QStringLiteral("francais.ini"));
    frmLanguage chooser;
    EXPECT_EQ(list(chooser)->currentItem(), nullptr);
    EXPECT_FALSE(button(chooser, "cmdOK")->isEnabled());

    QSignalSpy chosen(&chooser, &frmLanguage::languageChosen);
    QTest::mouseClick(button(chooser, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(storedLanguage(), QStringLiteral("<not stored>"));

    list(chooser)->setCurrentRow(1);
    EXPECT_TRUE(button(chooser, "cmdOK")->isEnabled());
}

TEST_F(LanguageChooserTest, OkStoresTheChoiceAndTheNextLookupReadsTheNewFile)
{
    frmLanguage chooser;
    chooser.show();
    list(chooser)->setCurrentRow(1); // Italiano
    QTest::mouseClick(button(chooser, "cmdOK"), Qt::LeftButton);

    EXPECT_EQ(Impostazioni.File_lingua, "Italiano.ini");
    EXPECT_EQ(storedLanguage(), QStringLiteral("Italiano.ini"));
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(mLang::Testo_lingua(u"frmLanguage", u"lingua"), QStringLiteral("Lingua"))
        << "italiano.ini, found although stored in proper case";
}

TEST_F(LanguageChooserTest, ChoiceThatCannotBeStoredIsKeptForTheSessionAndReported)
{
    // The store's folder is a plain file, so the store cannot be created.
    writeTestFile(folderFile(QStringLiteral("blocked")), "a file, not a folder\n");
    mReg::setStoreFile(folderFile(QStringLiteral("blocked/options.ini")));
    useLanguageFile(QStringLiteral("italiano.ini"));

    frmLanguage chooser;
    chooser.show();
    list(chooser)->setCurrentRow(0);
    QString reported;
    QTimer::singleShot(0, [&reported] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(button(chooser, "cmdOK"), Qt::LeftButton);

    // Told in the system's words, not the store's.
    EXPECT_EQ(reported, QStringLiteral("Not saved.\n") + qt_error_string(ENOTDIR));
    EXPECT_EQ(Impostazioni.File_lingua, "English.ini");
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

TEST_F(LanguageChooserTest, OkFromTheMenuClosesEveryWindowButTheMainOne)
{
    WindowRegistry& windows = WindowRegistry::instance();
    auto* mainWindow = new QWidget;
    mainWindow->setObjectName(QStringLiteral("MDIForm1"));
    windows.adopt(mainWindow);
    QPointer<QWidget> worldMap = new QWidget;
    worldMap->setObjectName(QStringLiteral("frmWorldMap"));
    windows.adopt(worldMap);
    QPointer<frmLanguage> chooser = new frmLanguage(mainWindow);
    windows.adopt(chooser);
    chooser->show();

    QSignalSpy chosen(chooser.data(), &frmLanguage::languageChosen);
    list(*chooser)->setCurrentRow(1);
    QTest::mouseClick(button(*chooser, "cmdOK"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(windows.loadedWindows(), QList<QWidget*>{mainWindow});
    EXPECT_TRUE(worldMap.isNull());
    EXPECT_TRUE(chooser.isNull());
    EXPECT_EQ(Impostazioni.File_lingua, "Italiano.ini");

    windows.unload(mainWindow);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(LanguageChooserTest, OkAtStartUpClosesNothingAndSignalsNobody)
{
    ASSERT_TRUE(WindowRegistry::instance().loadedWindows().isEmpty());
    frmLanguage chooser;
    WindowRegistry::instance().adopt(&chooser, WindowLifetime::HideOnClose);
    QSignalSpy chosen(&chooser, &frmLanguage::languageChosen);
    QTest::mouseClick(button(chooser, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(WindowRegistry::instance().loadedWindows(), QList<QWidget*>{&chooser});
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}


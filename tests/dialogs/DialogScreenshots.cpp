// Pictures of the location dialog and of three pages of the options dialog for the
// documentation (support/ScreenshotFolder.h): the program's own place list with Milan chosen,
// and the options at their defaults.

#include "DialogTestSupport.h"

#include "dialogs/frmLocation.h"
#include "dialogs/frmSettings.h"
#include "support/ScreenshotFolder.h"

#include <QDir>
#include <QFile>
#include <QListWidget>

namespace {

class DialogScreenshots : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        // The installation's language, place list and globe picture.
        for (const char* name : {"English.ini", "cities.dat", "MapEarth.dat"}) {
            const QString file = QString::fromLatin1(name);
            writeTestFile(folderFile(file),
                          readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/") + file));
        }
        useLanguageFile(QStringLiteral("English.ini"));
        Osservatore = Dati_osservatore{"Italy: Milano", 45.47f, 9.19f, 0, 1, 0};
    }

    void save(QWidget& window, const char* name)
    {
        QApplication::processEvents();
        EXPECT_TRUE(window.grab().save(m_shots.filePath(QString::fromLatin1(name))))
            << name;
    }

    ScreenshotFolder m_shots;
};

} // namespace

TEST_F(DialogScreenshots, LocationDialogWithMilanChosen)
{
    frmLocation dialog;
    dialog.show();
    auto* places = dialog.findChild<QListWidget*>(QStringLiteral("cmbCity"));
    ASSERT_NE(places, nullptr);
    const QList<QListWidgetItem*> milan =
        places->findItems(QStringLiteral("Italy: Milano"), Qt::MatchExactly);
    ASSERT_EQ(milan.size(), 1);
    places->setCurrentItem(milan.front(), QItemSelectionModel::ClearAndSelect);
    places->scrollToItem(milan.front(), QAbstractItemView::PositionAtCenter);
    save(dialog, "location.png");
}

TEST_F(DialogScreenshots, OptionsPagesAtTheirDefaults)
{
    frmSettings dialog;
    dialog.resize(720, 460);
    dialog.show();
    dialog.setCurrentPage(frmSettings::kPageSatellites);
    save(dialog, "options-1.png");
    dialog.setCurrentPage(frmSettings::kPageFilters);
    save(dialog, "options-2.png");
    dialog.setCurrentPage(frmSettings::kPageColours1);
    save(dialog, "options-3.png");
}

// The location dialog and the new-location dialog: what OK makes of the observer, and that
// the city list on disk follows every change and survives a failed reading.

#include "DialogTestSupport.h"

#include "common/gates.h"
#include "dialogs/frmAddLocation.h"
#include "dialogs/frmLocation.h"
#include "support/ScopedLocale.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

namespace {

const QByteArray kThreePlaces = "\"Italy: Milano\",45.47,9.19,1\r\n"
                                "\"India: Delhi\",28.6,77.2,5.5\r\n"
                                "\"Peru: Lima\",-12.05,-77.05,-5\r\n";

class LocationDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        writeLanguageFile(QStringLiteral("English.ini"),
                          readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini")));
        writeTestFile(citiesPath(), kThreePlaces);
        Tabella_citta.clear();
        Osservatore = Dati_osservatore{"Italy: Milano", 45.47f, 9.19f, 133, 1, 0};
    }

    QString citiesPath() const { return folderFile(QStringLiteral("cities.dat")); }

    template <class Widget> static Widget* child(QWidget& window, const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void choose(frmLocation& dialog, int listIndex)
    {
        child<QListWidget>(dialog, "cmbCity")
            ->setCurrentRow(listIndex, QItemSelectionModel::ClearAndSelect);
    }

    static QStringList listed(frmLocation& dialog)
    {
        QStringList names;
        const auto* list = child<QListWidget>(dialog, "cmbCity");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }
};

} // namespace

TEST_F(LocationDialogTest, ChosenPlaceBecomesTheObserverWithHeightZero)
{
    frmLocation dialog;
    QSignalSpy changed(&dialog, &frmLocation::observerChanged);
    EXPECT_EQ(child<QLabel>(dialog, "lblCity")->text(), QStringLiteral("3"));
    choose(dialog, 2);
    EXPECT_EQ(child<QLineEdit>(dialog, "txtHeight")->text(), QStringLiteral("0"));
    EXPECT_EQ(child<QComboBox>(dialog, "cmbOffset")->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(dialog, "cmbOffsetHours")->currentIndex(), 5);
    child<QCheckBox>(dialog, "chkDaylight")->setChecked(true);

    dialog.cmdOk_Click();

    EXPECT_EQ(Osservatore, (Dati_osservatore{"Peru: Lima", -12.05f, -77.05f, 0, -5, 1}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(LocationDialogTest, OkWithoutAChosenPlaceKeepsThePlaceAndReadsTheTypedHeight)
{
    Osservatore.Fuso_orario = -5.5f;
    frmLocation dialog;
    EXPECT_EQ(child<QComboBox>(dialog, "cmbOffsetMin")->currentIndex(), 1);
    child<QLineEdit>(dialog, "txtHeight")->setText(QStringLiteral("12.7m"));
    dialog.cmdOk_Click();
    EXPECT_EQ(Osservatore.Nome_localita, "Italy: Milano");
    EXPECT_EQ(Osservatore.Latitudine_osservatore, 45.47f);
    EXPECT_EQ(Osservatore.Quota_osservatore, 13.0f);
    EXPECT_EQ(Osservatore.Fuso_orario, -5.5f);
}

TEST_F(LocationDialogTest, TypedHeightReadsAlikeWithEitherDecimalMarkUnderACommaLocale)
{
    const ScopedLocale locale(kCommaLocale);
    if (!locale.available())
        GTEST_SKIP() << kCommaLocale << " is not installed";
    Osservatore.Latitudine_osservatore = 45.47f;
    frmLocation dialog;
    EXPECT_EQ(child<QLabel>(dialog, "lblLatitude")->text(), QStringLiteral("45,470\u00B0"));
    for (const char* typed : {"12,7", "12.7", "12,7m"}) {
        SCOPED_TRACE(typed);
        child<QLineEdit>(dialog, "txtHeight")->setText(QString::fromLatin1(typed));
        dialog.cmdOk_Click();
        EXPECT_EQ(Osservatore.Quota_osservatore, 13.0f);
    }
}

TEST_F(LocationDialogTest, HeightTypedWithDecimalsIsTakenToTheNearestMetre)
{
    frmLocation dialog;
    auto* height = child<QLineEdit>(dialog, "txtHeight");
    for (const auto& [typed, metres] : {std::pair{"133,7", 134.0f}, std::pair{"8848.86", 8849.0f},
                                        std::pair{"-430,4", -430.0f}}) {
        height->clear();
        QTest::keyClicks(height, QString::fromLatin1(typed));
        EXPECT_EQ(height->text(), QString::fromLatin1(typed)) << "every character is taken";
        dialog.cmdOk_Click();
        EXPECT_EQ(Osservatore.Quota_osservatore, metres) << typed;
    }
}

TEST_F(LocationDialogTest, AfterADeletionOrACancelTheControlsShowTheObserverAgain)
{
    // Lima, five hours west of Greenwich, is chosen, then deleted, or left with Cancel and the
    // dialog opened again: nothing of it is shown, or applied by the next OK.
    for (const bool deleted : {true, false}) {
        SCOPED_TRACE(deleted ? "deleted" : "cancelled");
        writeTestFile(citiesPath(), kThreePlaces);
        frmLocation dialog;
        dialog.show();
        choose(dialog, 2);
        if (deleted) {
            MessageBoxAnswers yes(QMessageBox::Yes);
            QMetaObject::invokeMethod(child<QWidget>(dialog, "cmdElimina"), "Click");
            ASSERT_EQ(yes.texts.size(), 1);
        } else {
            dialog.reject();
            dialog.show();
        }
        EXPECT_EQ(child<QLineEdit>(dialog, "txtCity")->text(), QStringLiteral("Italy: Milano"));
        EXPECT_EQ(child<QLabel>(dialog, "lblLatitude")->text(),
                  QLocale().toString(45.47, 'f', 3) + u'\u00B0');
        EXPECT_EQ(child<QComboBox>(dialog, "cmbOffset")->currentIndex(), 0);
        EXPECT_EQ(child<QComboBox>(dialog, "cmbOffsetHours")->currentIndex(), 1);
        EXPECT_EQ(child<QLineEdit>(dialog, "txtHeight")->text(), QStringLiteral("133"));

        dialog.cmdOk_Click();
        EXPECT_EQ(Osservatore, (Dati_osservatore{"Italy: Milano", 45.47f, 9.19f, 133, 1, 0}));
    }
}

TEST_F(LocationDialogTest, EveryOpeningStartsInThePlaceField)
{
    frmLocation dialog;
    dialog.show();
    ASSERT_NE(dialog.focusWidget(), nullptr);
    EXPECT_EQ(dialog.focusWidget()->objectName(), QStringLiteral("txtCity"));
    // OK chosen with the mouse closes the dialog; opened again, it starts in the place field.
    child<QWidget>(dialog, "cmdOK")->setFocus(Qt::MouseFocusReason);
    dialog.cmdOk_Click();
    ASSERT_FALSE(dialog.isVisible());
    dialog.show();
    ASSERT_NE(dialog.focusWidget(), nullptr);
    EXPECT_EQ(dialog.focusWidget()->objectName(), QStringLiteral("txtCity"));
}

TEST_F(LocationDialogTest, ZonesOfTheWholeWorldShowAndAZoneBeyondIsClampedAndTold)
{
    for (const float zone : {13.0f, 14.0f, -12.0f}) {
        Osservatore.Fuso_orario = zone;
        frmLocation dialog;
        dialog.cmdOk_Click();
        EXPECT_EQ(Osservatore.Fuso_orario, zone);
    }
    Osservatore.Fuso_orario = 15;
    MessageBoxAnswers answers;
    frmLocation dialog;
    dialog.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_TRUE(answers.texts[0].startsWith(QStringLiteral("The lists show zones")));
    EXPECT_EQ(child<QComboBox>(dialog, "cmbOffsetHours")->currentText(), QStringLiteral("14"));
}

TEST_F(LocationDialogTest, NewModifyAndDeleteReachTheFileAtOnce)
{
    {
        frmLocation dialog;
        EXPECT_EQ(dialog.addPlace({QStringLiteral("Tonga: Nuku'alofa"), -21.1333f, -175.2f, 13}),
                  4);
        choose(dialog, 1);
        dialog.modifyPlace(2, 1, {QStringLiteral("India: Delhi"), 28.61f, 77.21f, 5.5f});
        EXPECT_EQ(child<QLabel>(dialog, "lblLatitude")->text().left(6),
                  QLocale().toString(28.61, 'f', 3).left(6));
        choose(dialog, 0);
        MessageBoxAnswers yes(QMessageBox::Yes);
        QMetaObject::invokeMethod(child<QWidget>(dialog, "cmdElimina"), "Click");
        EXPECT_EQ(yes.texts, QStringList{QStringLiteral("Delete the place Italy: Milano ?")});
        // Nothing is chosen after the deletion; the controls show the observer, who still
        // stands in Milano.
        EXPECT_TRUE(child<QListWidget>(dialog, "cmbCity")->selectedItems().isEmpty());
        EXPECT_EQ(child<QLineEdit>(dialog, "txtCity")->text(), QStringLiteral("Italy: Milano"));
    }
    EXPECT_EQ(readTestFile(citiesPath()),
              QByteArray("\"India: Delhi\",28.61,77.21,5.5\r\n"
                         "\"Peru: Lima\",-12.05,-77.05,-5\r\n"
                         "\"Tonga: Nuku'alofa\",-21.1333,-175.2,13\r\n"));
    frmLocation restarted;
    EXPECT_EQ(listed(restarted),
              (QStringList{QStringLiteral("India: Delhi"), QStringLiteral("Peru: Lima"),
                           QStringLiteral("Tonga: Nuku'alofa")}));
}

TEST_F(LocationDialogTest, AfterAFailedWriteTheListShowsWhatTheFileHolds)
{
    frmLocation dialog;
    dialog.setCityFileWriter([](const CityTable&, QString* error) {
        *error = QStringLiteral("No space left on device");
        return false;
    });
    const QStringList inFile{QStringLiteral("Italy: Milano"), QStringLiteral("India: Delhi"),
                             QStringLiteral("Peru: Lima")};
    choose(dialog, 1);
    {
        MessageBoxAnswers yes(QMessageBox::Yes);
        QMetaObject::invokeMethod(child<QWidget>(dialog, "cmdElimina"), "Click");
        ASSERT_EQ(yes.texts.size(), 2);
        EXPECT_TRUE(yes.texts[1].endsWith(QStringLiteral("No space left on device")));
    }
    EXPECT_EQ(listed(dialog), inFile);
    EXPECT_EQ(child<QLabel>(dialog, "lblCity")->text(), QStringLiteral("3"));
    EXPECT_EQ(Tabella_citta.places().size(), 3u);

    MessageBoxAnswers ok;
    dialog.addPlace({QStringLiteral("Tonga: Nuku'alofa"), -21.1333f, -175.2f, 13});
    EXPECT_EQ(listed(dialog), inFile);
    dialog.modifyPlace(2, 1, {QStringLiteral("India: New Delhi"), 28.61f, 77.21f, 5.5f});
    EXPECT_EQ(listed(dialog), inFile);
    EXPECT_EQ(Tabella_citta.row(2)->name, QStringLiteral("India: Delhi"));
    EXPECT_EQ(readTestFile(citiesPath()), kThreePlaces);
}

TEST_F(LocationDialogTest, FailedReadingEmptiesTheListAndNeverRewritesTheFile)
{
    const QByteArray damaged =
        "\"Italy: Milano\",45.47,9.19,1\r\n\"India: Delhi\",north,77.2,5.5\r\n";
    writeTestFile(citiesPath(), damaged);
    MessageBoxAnswers answers;
    frmLocation dialog;
    dialog.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_TRUE(answers.texts[0].startsWith(QStringLiteral("The city list cities.dat could not")));
    EXPECT_TRUE(listed(dialog).isEmpty());
    EXPECT_EQ(Tabella_citta.lastRow(), 0);
    EXPECT_FALSE(dialog.cityFileWritable());

    dialog.addPlace({QStringLiteral("Peru: Lima"), -12.05f, -77.05f, -5});
    ASSERT_EQ(answers.texts.size(), 2);
    EXPECT_TRUE(
        answers.texts[1].startsWith(QStringLiteral("The city list was not read completely")));
    EXPECT_EQ(readTestFile(citiesPath()), damaged);

    // Once the file reads again, changes are written again.
    writeTestFile(citiesPath(), kThreePlaces);
    frmLocation repaired;
    EXPECT_TRUE(repaired.cityFileWritable());
}

TEST_F(LocationDialogTest, DamagedGlobePictureIsToldOnceAndTheGlobeStaysPlain)
{
    const QByteArray whole = readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/MapEarth.dat"));
    writeTestFile(folderFile(QStringLiteral("MapEarth.dat")), whole.left(whole.size() / 3));
    MessageBoxAnswers answers;
    frmLocation dialog;
    dialog.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_TRUE(answers.texts[0].startsWith(
        QStringLiteral("The globe picture could not be read; the globe is shown without it.\n"
                       "MapEarth.dat: ")))
        << answers.texts[0].toStdString();
    // Places on the other globes, and the dialog shown again, tell it no more.
    for (int listIndex : {1, 2, 0})
        choose(dialog, listIndex);
    dialog.reject();
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(answers.texts.size(), 1);
}

TEST_F(LocationDialogTest, ModifyAndDeleteWithoutAChosenPlaceAskForOne)
{
    frmLocation dialog;
    MessageBoxAnswers answers;
    QMetaObject::invokeMethod(child<QWidget>(dialog, "cmdModifica"), "Click");
    QMetaObject::invokeMethod(child<QWidget>(dialog, "cmdElimina"), "Click");
    EXPECT_EQ(answers.texts,
              QStringList(2, QStringLiteral("Please choose a place in the list first.")));
    EXPECT_EQ(readTestFile(citiesPath()), kThreePlaces);
}

class AddLocationTest : public LocationDialogTest
{
protected:
    static void type(frmAddLocation& dialog, const char* field, const char* value)
    {
        child<QLineEdit>(dialog, field)->setText(QString::fromLatin1(value));
    }
    static QString shown(frmAddLocation& dialog, const char* field)
    {
        return child<QLineEdit>(dialog, field)->text();
    }
    /// Types Santiago de Chile (33.4489 S, 70.6693 W) on the decimal tab.
    static void typeSantiagoInDecimal(frmAddLocation& dialog, const char* name)
    {
        type(dialog, "txtCityName", name);
        child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
        type(dialog, "txtDegLatitude", "33");
        type(dialog, "txtDegFrazLatitude", "4489");
        type(dialog, "txtDegLongitude", "70");
        type(dialog, "txtDegFrazLongitude", "6693");
        child<QComboBox>(dialog, "cmbLatitude")->setCurrentIndex(1);
        child<QComboBox>(dialog, "cmbLongitude")->setCurrentIndex(1);
    }
};

TEST_F(AddLocationTest, TabSwitchConvertsBothWays)
{
    frmAddLocation dialog;
    type(dialog, "txtDMSDegLatitude", "45");
    type(dialog, "txtDMSMinLatitude", "28");
    type(dialog, "txtDMSSecLatitude", "12");
    auto* tabs = child<QTabWidget>(dialog, "SSTab1");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(shown(dialog, "txtDegLatitude"), QStringLiteral("45"));
    EXPECT_EQ(shown(dialog, "txtDegFrazLatitude"), QStringLiteral("4700"));

    type(dialog, "txtDegLongitude", "09");
    type(dialog, "txtDegFrazLongitude", "1900");
    tabs->setCurrentIndex(0);
    EXPECT_EQ(shown(dialog, "txtDMSDegLongitude"), QStringLiteral("9"));
    EXPECT_EQ(shown(dialog, "txtDMSMinLongitude"), QStringLiteral("11"));
    EXPECT_EQ(shown(dialog, "txtDMSSecLongitude"), QStringLiteral("24"));
}

TEST_F(AddLocationTest, TabBeyondThePoleCannotBeLeft)
{
    frmAddLocation dialog;
    type(dialog, "txtDMSDegLatitude", "90");
    type(dialog, "txtDMSSecLatitude", "30");
    MessageBoxAnswers answers;
    child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
    EXPECT_EQ(child<QTabWidget>(dialog, "SSTab1")->currentIndex(), 0);
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("A latitude cannot exceed 90 degrees.")});
    type(dialog, "txtDMSSecLatitude", "0");
    type(dialog, "txtDMSMinLatitude", "60");
    child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
    EXPECT_EQ(answers.texts.value(1), QStringLiteral("Please enter a value from 0 to 59."));
}

TEST_F(AddLocationTest, NamesThatWouldBreakTheFileAreRefused)
{
    frmAddLocation dialog;
    MessageBoxAnswers answers;
    for (const char* name : {"   ", "The \"Big\" Apple", "Tab\there"}) {
        type(dialog, "txtCityName", name);
        EXPECT_FALSE(dialog.Controlla_dati()) << name;
    }
    EXPECT_EQ(answers.texts.value(0), QStringLiteral("Please enter the name of the place."));
    EXPECT_EQ(answers.texts.value(1),
              QStringLiteral("A place name cannot hold double quotes or control characters."));
}

TEST_F(AddLocationTest, ConfirmedPlaceCarriesHemispheresAndZone)
{
    frmAddLocation dialog;
    typeSantiagoInDecimal(dialog, "  Chile: Santiago ");
    child<QComboBox>(dialog, "cmbOffset")->setCurrentIndex(1);
    child<QComboBox>(dialog, "cmbOffsetHours")->setCurrentIndex(4);
    child<QComboBox>(dialog, "cmbOffsetMin")->setCurrentIndex(1);
    MessageBoxAnswers yes(QMessageBox::Yes);
    dialog.cmdOK_Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.place(),
              (City{QStringLiteral("Chile: Santiago"), -33.4489f, -70.6693f, -4.5f}));
}

TEST_F(AddLocationTest, AValueTypedOnOneTabIsKeptWhenTheOtherIsOnlyLookedAt)
{
    // Answers the confirmation with Yes and notes its icon.
    std::vector<QMessageBox::Icon> icons;
    QTimer answering;
    answering.setInterval(10);
    QObject::connect(&answering, &QTimer::timeout, [&icons] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            icons.push_back(box->icon());
            box->button(QMessageBox::Yes)->click();
        }
    });
    answering.start();
    const struct
    {
        const char* what;
        std::function<void(frmAddLocation&)> after; ///< what the user does on the DMS tab
        float longitude;
    } cases[] = {
        {"looked at", [](frmAddLocation&) {}, -70.6693f},
        {"looked at and back", [](frmAddLocation& d) {
             child<QTabWidget>(d, "SSTab1")->setCurrentIndex(1);
             EXPECT_EQ(shown(d, "txtDegFrazLongitude"), QStringLiteral("6693"));
             child<QTabWidget>(d, "SSTab1")->setCurrentIndex(0);
         }, -70.6693f},
        {"seconds edited", [](frmAddLocation& d) { type(d, "txtDMSSecLongitude", "0"); }, -70.6667f},
    };
    for (const auto& c : cases) {
        frmAddLocation dialog;
        typeSantiagoInDecimal(dialog, "Chile: Santiago");
        child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(0);
        EXPECT_EQ(shown(dialog, "txtDMSSecLongitude"), QStringLiteral("9")) << c.what;
        c.after(dialog);
        dialog.cmdOK_Click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.what;
        EXPECT_EQ(dialog.place().longitude, c.longitude) << c.what;
        EXPECT_EQ(dialog.place().latitude, -33.4489f) << c.what;
    }
    EXPECT_EQ(icons, std::vector<QMessageBox::Icon>(3, QMessageBox::Information));
}

namespace {

/// Types into a field as the user does: the field takes the focus, its text selected, and each
/// key goes to the control that has the focus then.
void typeAsUser(QDialog& dialog, const char* field, const char* keys)
{
    auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
    ASSERT_NE(edit, nullptr) << field;
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    for (const char* key = keys; *key != '\0'; ++key)
        QTest::keyClick(dialog.focusWidget(), *key);
}

} // namespace

TEST_F(AddLocationTest, DecimalDegreesTypedWithEitherMarkUnderAnyLocale)
{
    for (const char* name : {"C", kCommaLocale}) {
        const ScopedLocale locale(name);
        if (!locale.available())
            GTEST_SKIP() << name << " is not installed";
        SCOPED_TRACE(name);
        frmAddLocation dialog;
        dialog.show();
        dialog.activateWindow();
        type(dialog, "txtCityName", "Italy: Mark");
        child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
        // The mark shown between whole degrees and decimals is the locale's.
        QStringList marks;
        for (const QLabel* label :
             child<QGroupBox>(dialog, "fraLatitudinedd")->findChildren<QLabel*>())
            marks.append(label->text());
        EXPECT_TRUE(marks.contains(QString(QLocale().decimalPoint())))
            << marks.join(u' ').toStdString();

        typeAsUser(dialog, "txtDegLatitude", "45,5");
        EXPECT_EQ(shown(dialog, "txtDegLatitude"), QStringLiteral("45"));
        EXPECT_EQ(shown(dialog, "txtDegFrazLatitude"), QStringLiteral("5"));
        EXPECT_EQ(dialog.focusWidget()->objectName(), QStringLiteral("txtDegFrazLatitude"));
        typeAsUser(dialog, "txtDegLongitude", "12.7");
        EXPECT_EQ(shown(dialog, "txtDegLongitude"), QStringLiteral("12"));
        EXPECT_EQ(shown(dialog, "txtDegFrazLongitude"), QStringLiteral("7"));

        MessageBoxAnswers yes(QMessageBox::Yes);
        dialog.cmdOK_Click();
        ASSERT_EQ(yes.texts.size(), 1);
        EXPECT_TRUE(yes.texts[0].contains(QLocale().toString(45.5) + u'\u00B0'))
            << yes.texts[0].toStdString();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.place().latitude, 45.5f);
        EXPECT_EQ(dialog.place().longitude, 12.7f);
    }
}

TEST_F(AddLocationTest, FractionDigitsStandAfterTheDecimalMark)
{
    for (const auto& [typed, latitude] : {std::pair{"5", 45.5f}, std::pair{"05", 45.05f},
                                          std::pair{"0005", 45.0005f}, std::pair{"47", 45.47f}}) {
        frmAddLocation dialog;
        type(dialog, "txtCityName", "Italy: Fraction");
        child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
        type(dialog, "txtDegLatitude", "45");
        type(dialog, "txtDegFrazLatitude", typed);
        MessageBoxAnswers yes(QMessageBox::Yes);
        dialog.cmdOK_Click();
        EXPECT_EQ(dialog.place().latitude, latitude) << typed;
    }
    // The other tab shows the same value; back here the decimals show as four digits.
    frmAddLocation dialog;
    child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
    type(dialog, "txtDegFrazLatitude", "5");
    child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(0);
    EXPECT_EQ(shown(dialog, "txtDMSMinLatitude"), QStringLiteral("30"));
    child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(1);
    EXPECT_EQ(shown(dialog, "txtDegFrazLatitude"), QStringLiteral("5000"));

    MessageBoxAnswers answers;
    type(dialog, "txtDegFrazLatitude", "-5");
    child<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(0);
    EXPECT_EQ(child<QTabWidget>(dialog, "SSTab1")->currentIndex(), 1);
    EXPECT_EQ(answers.texts.size(), 1);
}

TEST_F(LocationDialogTest, StopRequestOfAnotherComputationNeitherStopsNorClearsTheReading)
{
    // A stop left over from a cancelled pass search belongs to that search, not to the list.
    pflgArresta = true;
    frmLocation dialog;
    EXPECT_EQ(listed(dialog).size(), 3);
    EXPECT_TRUE(pflgArresta);
    pflgArresta = false;
}

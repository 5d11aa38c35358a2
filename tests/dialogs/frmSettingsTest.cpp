// The options dialog: every option goes into its control and back unchanged, stored values no
// list shows are kept, and the list editors, colour swatches and program page change only the
// controls until OK.

#include "DialogTestSupport.h"

#include "controls/GraphButton/GraphButton.h"
#include "controls/RangeTool/RangeTool.h"
#include "dialogs/ColourSwatch.h"
#include "dialogs/SettingsBindings.h"
#include "dialogs/frmSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {

using O = Opzioni;

/// Options in which every field the dialog edits differs from its built-in default.
Opzioni everyFieldChanged()
{
    Opzioni o;
    for (bool O::*field : {&O::Rifrazione,
                           &O::Mappamondo_griglia,
                           &O::Mappamondo_citta,
                           &O::Mappamondo_cerchio,
                           &O::Mappamondo_orbita,
                           &O::Mappamondo_mouse_dati,
                           &O::Mappamondo_localizzatore,
                           &O::Mappamondo_riquadro_dati,
                           &O::Mappamondo_sole,
                           &O::Mappamondo_ombra,
                           &O::Cielo_locale_griglia,
                           &O::Cielo_locale_griglia10,
                           &O::Cielo_locale_griglia_tipo,
                           &O::Cielo_locale_costellazioni_linee,
                           &O::Cielo_locale_pianeti,
                           &O::Cielo_locale_sole_luna,
                           &O::Cielo_locale_costellazioni_nomi,
                           &O::Cielo_locale_pianeti_nomi,
                           &O::Cielo_locale_sole_luna_nomi,
                           &O::Cielo_locale_proiezione_stereo,
                           &O::Cielo_locale_coordinate_altazimutali,
                           &O::Cielo_locale_effetto_orizzonte,
                           &O::Cielo_locale_paesaggio,
                           &O::Cielo_locale_riquadro_dati,
                           &O::Cielo_generale_griglia,
                           &O::Cielo_generale_costellazioni_linee,
                           &O::Cielo_generale_pianeti,
                           &O::Cielo_generale_sole_luna,
                           &O::Cielo_generale_costellazioni_nomi,
                           &O::Cielo_generale_pianeti_nomi,
                           &O::Cielo_generale_sole_luna_nomi,
                           &O::Cielo_anteprima_griglia,
                           &O::Cielo_anteprima_griglia10,
                           &O::Cielo_anteprima_costellazioni_linee,
                           &O::Cielo_anteprima_pianeti,
                           &O::Cielo_anteprima_sole_luna,
                           &O::Cielo_anteprima_costellazioni_nomi,
                           &O::Cielo_anteprima_pianeti_nomi,
                           &O::Cielo_anteprima_sole_luna_nomi,
                           &O::Cielo_anteprima_proiezione_stereo,
                           &O::Cielo_anteprima_effetto_orizzonte,
                           &O::Cielo_anteprima_paesaggio,
                           &O::Cielo_anteprima_griglia_tipo,
                           &O::Conferma_uscita,
                           &O::Verifica_opzioni,
                           &O::Barra_pulsanti,
                           &O::Barra_stato,
                           &O::Posizioni_finestre,
                           &O::Verifica_ora_legale,
                           &O::Filtro_transito})
        o.*field = !(o.*field);
    o.Propagatore = 3;
    o.Modello_magnitudine = -1;
    o.Limite_sole = -18;
    o.Cielo_locale_stelle = 293;
    o.Cielo_locale_orientamento = 3;
    o.Cielo_generale_stelle = 23;
    o.Cielo_anteprima_stelle = 9010;
    o.Cielo_anteprima_orientamento = 2;
    o.Formato_ora = 9;
    o.Filtro_solo_visibili = {true, false, true};
    o.Filtro_am = {false, true, false};
    o.Filtro_pm = {false, false, true};
    o.Filtro_altezza_min = {20, 35, 0};
    o.Filtro_azimut_min = {10, 90, 180};
    o.Filtro_azimut_max = {350, 270, 181};
    for (std::size_t i = 0; i < o.Server_NTP.size(); ++i)
        o.Server_NTP[i] = "time" + std::to_string(i) + ".example.org";
    for (std::size_t i = 0; i < o.Sorgenti_download.size(); ++i)
        o.Sorgenti_download[i] = "example.org/elements/" + std::to_string(i) + ".txt";
    std::int32_t colour = 0x010203;
    for (std::int32_t O::*field :
         {&O::Colore_griglia_mappamondo, &O::Colore_griglia_locale1, &O::Colore_griglia_locale2,
          &O::Colore_griglia_locale3, &O::Colore_griglia_locale4, &O::Colore_griglia_generale,
          &O::Colore_nome_citta, &O::Colore_satellite, &O::Colore_orbita_passata,
          &O::Colore_orbita_futura, &O::Colore_costellazioni_linee, &O::Colore_costellazioni_nomi})
        o.*field = colour += 0x030507;
    o.Programma_esterno = "/usr/bin/xcalc";
    o.Parametri_esterni = "-rpn";
    return o;
}

class SettingsDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        writeLanguageFile(QStringLiteral("English.ini"),
                          readTestFile(QStringLiteral(QUORVANEL_DATA_DIR "/English.ini")));
        resetOptions();
    }

    /// The built-in defaults, with the language file kept.
    static void resetOptions()
    {
        const std::string language = Impostazioni.File_lingua;
        Impostazioni = Opzioni{};
        Impostazioni.File_lingua = language;
    }

    template <class Widget> static Widget* child(QWidget& window, const QString& name)
    {
        auto* widget = window.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    template <class Widget> static Widget* child(QWidget& window, const char* name)
    {
        return child<Widget>(window, QString::fromLatin1(name));
    }
    static void press(QWidget& window, const char* button)
    {
        QMetaObject::invokeMethod(child<GraphButton>(window, button), "Click");
    }
    static QStringList rows(QWidget& window, const char* list)
    {
        QStringList texts;
        const auto* addresses = child<QTreeWidget>(window, list);
        for (int row = 0; row < addresses->topLevelItemCount(); ++row)
            texts.append(addresses->topLevelItem(row)->text(0) + u'|' +
                         addresses->topLevelItem(row)->text(1));
        return texts;
    }
};

} // namespace

TEST_F(SettingsDialogTest, EveryBoundControlExistsOnItsPage)
{
    frmSettings dialog;
    auto* pages = child<QTabWidget>(dialog, "SSTab1");
    ASSERT_EQ(pages->count(), frmSettings::kPageCount);
    for (const SettingBinding& binding : settingBindings()) {
        QWidget* control = dialog.findChild<QWidget*>(binding.control);
        ASSERT_NE(control, nullptr) << binding.control.toStdString();
        EXPECT_TRUE(pages->widget(binding.page)->isAncestorOf(control))
            << binding.control.toStdString() << " is not on page " << binding.page;
    }
}

TEST_F(SettingsDialogTest, EveryOptionMakesTheRoundTripThroughItsControl)
{
    Opzioni changed = everyFieldChanged();
    changed.File_lingua = Impostazioni.File_lingua;
    Impostazioni = changed;
    frmSettings dialog;
    QSignalSpy applied(&dialog, &frmSettings::optionsApplied);
    resetOptions();
    dialog.cmdOK_Click();
    EXPECT_EQ(applied.count(), 1);
    EXPECT_TRUE(Impostazioni == changed) << "a field did not come back from its control";
    // Field by field, for a readable failure.
    EXPECT_EQ(Impostazioni.Cielo_anteprima_stelle, changed.Cielo_anteprima_stelle);
    EXPECT_EQ(Impostazioni.Filtro_azimut_max, changed.Filtro_azimut_max);
    EXPECT_EQ(Impostazioni.Sorgenti_download, changed.Sorgenti_download);
    EXPECT_EQ(Impostazioni.Colore_costellazioni_nomi, changed.Colore_costellazioni_nomi);
}

TEST_F(SettingsDialogTest, ValuesNoListShowsAreKeptAndAnglesRoundToWholeDegrees)
{
    Impostazioni.Cielo_locale_stelle = 1000;
    Impostazioni.Formato_ora = 12;
    Impostazioni.Limite_sole = -25;
    Impostazioni.Cielo_generale_stelle = 1639;
    Impostazioni.Filtro_altezza_min = {10.5, 11.5, 10};
    frmSettings dialog;
    EXPECT_EQ(child<QComboBox>(dialog, "cmbLocalSkyMagnitudine")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(dialog, "cmbGeneralSkyMagnitudine")->currentIndex(), 4);
    EXPECT_EQ(child<QLabel>(dialog, "lblAltmin0")->text(), QStringLiteral("10\u00B0"));
    EXPECT_EQ(child<RangeTool>(dialog, "rtAltsat1")->LowerValue(), 12);
    EXPECT_EQ(child<RangeTool>(dialog, "rtAltsat0")->UpperValue(), 90);
    EXPECT_EQ(child<QLabel>(dialog, "lblAzmax2")->text(), QStringLiteral("360\u00B0"));
    dialog.cmdOK_Click();
    EXPECT_EQ(Impostazioni.Cielo_locale_stelle, 1000);
    EXPECT_EQ(Impostazioni.Formato_ora, 12);
    EXPECT_EQ(Impostazioni.Limite_sole, -25);
    EXPECT_EQ(Impostazioni.Cielo_generale_stelle, 1639);
    EXPECT_EQ(Impostazioni.Filtro_altezza_min, (std::array<double, 3>{10, 12, 10}));
}

TEST_F(SettingsDialogTest, ListsAndTheGridRuleFollowTheirTexts)
{
    Impostazioni.Cielo_locale_griglia_tipo = false;
    Impostazioni.Cielo_locale_griglia10 = true;
    frmSettings dialog;
    auto* sun = child<QComboBox>(dialog, "cmbVisibilita");
    ASSERT_EQ(sun->count(), 19);
    EXPECT_TRUE(sun->itemText(0).endsWith(QStringLiteral(" = 0\u00B0")));
    EXPECT_TRUE(sun->itemText(10).endsWith(QStringLiteral(" = -10\u00B0")));
    EXPECT_EQ(sun->currentIndex(), 10);
    EXPECT_EQ(child<QComboBox>(dialog, "cmbSkySatMagnitudine")->count(), 12);

    auto* tenDegrees = child<QCheckBox>(dialog, "chkLocalSkyGriglia10");
    EXPECT_FALSE(tenDegrees->isEnabled());
    EXPECT_TRUE(tenDegrees->isChecked());
    child<QComboBox>(dialog, "cmbLocalSkyTipoGriglia")->setCurrentIndex(1);
    EXPECT_TRUE(tenDegrees->isEnabled());

    dialog.setCurrentPage(frmSettings::kPageColours1);
    EXPECT_EQ(dialog.currentPage(), 10);
    EXPECT_EQ(child<QTabWidget>(dialog, "SSTab1")->tabText(12), QStringLiteral("Element files"));
}

TEST_F(SettingsDialogTest, StarListsShowTheMagnitudeWithTheUsersSeparator)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    frmSettings dialog;
    QLocale::setDefault(previous);
    for (const char* name :
         {"cmbLocalSkyMagnitudine", "cmbGeneralSkyMagnitudine", "cmbSkySatMagnitudine"}) {
        const auto* list = child<QComboBox>(dialog, name);
        ASSERT_EQ(list->count(), 12) << name;
        EXPECT_EQ(list->itemText(0), QStringLiteral("Limiting magnitude > 6,5")) << name;
        EXPECT_EQ(list->itemText(1), QStringLiteral("Limiting magnitude 6,5")) << name;
        EXPECT_EQ(list->itemText(2), QStringLiteral("Limiting magnitude 6,0")) << name;
        EXPECT_EQ(list->itemText(11), QStringLiteral("Limiting magnitude 1,5")) << name;
    }
}

TEST_F(SettingsDialogTest, AddressListsRestoreClearAndMoveOnlyTheirTexts)
{
    frmSettings dialog;
    auto* servers = child<QTreeWidget>(dialog, "lvwServerNTP");
    ASSERT_EQ(servers->topLevelItemCount(), 10);
    const QStringList before = rows(dialog, "lvwServerNTP");

    servers->topLevelItem(2)->setSelected(true);
    press(dialog, "cmdServerSu");
    QStringList expected = before;
    expected[1] = before[2].section(u'|', 0, 0) + QStringLiteral("|2");
    expected[2] = before[1].section(u'|', 0, 0) + QStringLiteral("|3");
    EXPECT_EQ(rows(dialog, "lvwServerNTP"), expected);
    EXPECT_EQ(servers->indexOfTopLevelItem(servers->selectedItems().value(0)), 1);

    auto* files = child<QTreeWidget>(dialog, "lvwDownload");
    ASSERT_EQ(files->topLevelItemCount(), 31);
    const QStringList downloads = rows(dialog, "lvwDownload");
    files->topLevelItem(30)->setSelected(true);
    press(dialog, "cmdDownloadGiu");
    files->clearSelection();
    files->topLevelItem(0)->setSelected(true);
    press(dialog, "cmdDownloadSu");
    EXPECT_EQ(rows(dialog, "lvwDownload"), downloads) << "moves at the edges change nothing";

    files->clearSelection();
    MessageBoxAnswers answers;
    press(dialog, "cmdDownloadSu");
    EXPECT_EQ(answers.texts, QStringList{QStringLiteral("Please choose a row of the list first.")});

    press(dialog, "cmdDownloadElimina");
    press(dialog, "cmdDownloadRipristina");
    EXPECT_TRUE(files->topLevelItem(28)->text(0).endsWith(QStringLiteral("/military.txt")));
    EXPECT_TRUE(files->topLevelItem(29)->text(0).endsWith(QStringLiteral("/radar.txt")));
    EXPECT_EQ(files->topLevelItem(30)->text(1), QStringLiteral("31"));

    press(dialog, "cmdServerElimina");
    const Opzioni untouched = Impostazioni;
    EXPECT_TRUE(Impostazioni == untouched);
    dialog.cmdOK_Click();
    EXPECT_EQ(Impostazioni.Server_NTP, (std::array<std::string, kServerNtpCount>{}));
}

TEST_F(SettingsDialogTest, CancelKeepsEveryOption)
{
    const Opzioni before = Impostazioni;
    frmSettings dialog;
    press(dialog, "cmdServerElimina");
    press(dialog, "cmdEseguiElimina");
    child<QCheckBox>(dialog, "chkRifrazione")->setChecked(!Impostazioni.Rifrazione);
    press(dialog, "cmdCancel");
    EXPECT_TRUE(Impostazioni == before);
}

TEST_F(SettingsDialogTest, ColourSwatchesChooseAndRestorePerPage)
{
    Impostazioni.Colore_griglia_mappamondo = 0x112233;
    Impostazioni.Colore_costellazioni_linee = 0x445566;
    frmSettings dialog;
    QColor offered;
    std::optional<QColor> answer;
    dialog.setColourChooser([&](const QColor& initial) {
        offered = initial;
        return answer;
    });
    auto* grid = child<ColourSwatch>(dialog, "lblAreaColoreGrigliaMappamondo");
    emit grid->clicked();
    EXPECT_EQ(offered, QColor(0x33, 0x22, 0x11)) << "red is the low byte";
    EXPECT_EQ(grid->colour(), 0x112233u) << "cancelled";
    answer = QColor(1, 2, 3);
    emit grid->clicked();
    EXPECT_EQ(grid->colour(), 0x030201u);

    press(dialog, "cmdRipristinaColori1");
    EXPECT_EQ(grid->colour(), 8553090u);
    EXPECT_EQ(child<ColourSwatch>(dialog, "lblAreaColoreGrigliaLocale2")->colour(),
              child<ColourSwatch>(dialog, "lblAreaColoreGrigliaLocale3")->colour());
    EXPECT_EQ(child<ColourSwatch>(dialog, "lblAreaColoreCostellazioni")->colour(), 0x445566u);
    press(dialog, "cmdRipristinaColori2");
    EXPECT_EQ(child<ColourSwatch>(dialog, "lblAreaColoreCostellazioni")->colour(), 10789888u);
    dialog.cmdOK_Click();
    EXPECT_EQ(Impostazioni.Colore_griglia_mappamondo, Opzioni{}.Colore_griglia_mappamondo);
}

TEST_F(SettingsDialogTest, ProgramPathIsChosenTrimmedAndAnEmptyFileClearsIt)
{
    writeTestFile(folderFile(QStringLiteral("empty.sh")), "");
    writeTestFile(folderFile(QStringLiteral("tool.sh")), "#!/bin/sh\n");
    Impostazioni.Programma_esterno = "  /opt/old tool  ";
    frmSettings dialog;
    QString proposed;
    QString answer = folderFile(QStringLiteral("tool.sh"));
    dialog.setFileChooser([&](const QString&, const QString& file, const QString&) {
        proposed = file;
        return answer;
    });
    auto* program = child<QLineEdit>(dialog, "txtEseguiProgramma");
    child<QAbstractButton>(dialog, "cmdEseguiProgramma")->click();
    EXPECT_EQ(proposed, QStringLiteral("/opt/old tool"));
    EXPECT_EQ(program->text(), answer);
    answer = folderFile(QStringLiteral("empty.sh"));
    child<QAbstractButton>(dialog, "cmdEseguiProgramma")->click();
    EXPECT_TRUE(program->text().isEmpty());

    program->setText(QStringLiteral("  /usr/bin/xcalc  "));
    dialog.cmdOK_Click();
    EXPECT_EQ(Impostazioni.Programma_esterno, "/usr/bin/xcalc");
}

TEST_F(SettingsDialogTest, SaveTakesTheControlsFirstThenWritesAndReportsAFailure)
{
    frmSettings dialog;
    bool applied = false;
    bool writtenAfterApplying = false;
    QObject::connect(&dialog, &frmSettings::optionsApplied, [&] { applied = true; });
    dialog.setOptionsWriter([&] {
        writtenAfterApplying = applied && Impostazioni.Rifrazione;
        mReg::RegistryStatus status;
        status.number = 5;
        status.description = QStringLiteral("Could not set key value");
        status.reason = QStringLiteral("disk full");
        return status;
    });
    child<QCheckBox>(dialog, "chkRifrazione")->setChecked(true);
    MessageBoxAnswers answers;
    press(dialog, "cmdSave");
    EXPECT_TRUE(writtenAfterApplying);
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_TRUE(answers.texts[0].contains(QStringLiteral("\ndisk full\n"))) << "the reason";
}

TEST_F(SettingsDialogTest, AddressesAndCompassLettersFitWhereTheyBelong)
{
    frmSettings dialog;
    dialog.show();
    for (const char* name : {"lvwServerNTP", "lvwDownload"}) {
        dialog.setCurrentPage(name[3] == 'S' ? 9 : 12);
        QCoreApplication::processEvents();
        const auto* list = child<QTreeWidget>(dialog, name);
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QString address = list->topLevelItem(row)->text(0);
            EXPECT_GT(list->columnWidth(0), list->fontMetrics().horizontalAdvance(address))
                << name << " cuts off " << address.toStdString();
        }
    }
    dialog.setCurrentPage(8);
    QCoreApplication::processEvents();
    // The compass letters under the azimuth slider run from its left end to its right end.
    auto* slider = child<RangeTool>(dialog, filterControl("rtAzisat", 0));
    QWidget* frame = slider->parentWidget();
    const QRect track = slider->geometry();
    int first = frame->width();
    int last = 0;
    for (const QLabel* label : frame->findChildren<QLabel*>()) {
        if (label->text().size() == 1 && QStringLiteral("NESW").contains(label->text())) {
            first = std::min(first, label->x());
            last = std::max(last, label->x() + label->fontMetrics().horizontalAdvance(label->text()));
        }
    }
    EXPECT_GE(first, track.left());
    EXPECT_LE(last, track.right() + 1);
    EXPECT_GT(last - first, track.width() * 9 / 10) << "the letters spread over the slider";
}

namespace {

/// Contrast ratio of two colours as the accessibility guidelines define it, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](double channel) {
            return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double x = luminance(a);
    const double y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

} // namespace

TEST_F(SettingsDialogTest, StarListsHaveCaptionsAndExplanationsAreReadable)
{
    frmSettings dialog;
    for (const char* name :
         {"cmbLocalSkyMagnitudine", "cmbGeneralSkyMagnitudine", "cmbSkySatMagnitudine"}) {
        auto* list = child<QComboBox>(dialog, name);
        const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
        const auto caption = std::find_if(labels.begin(), labels.end(),
                                          [list](const QLabel* label) { return label->buddy() == list; });
        ASSERT_NE(caption, labels.end()) << name << " has no caption";
        EXPECT_FALSE((*caption)->text().trimmed().isEmpty()) << name;
    }
    int explanations = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->objectName().startsWith(u"lblInfo"))
            continue;
        ++explanations;
        const QPalette::ColorGroup group = label->isEnabled() ? QPalette::Active : QPalette::Disabled;
        EXPECT_GE(contrastRatio(label->palette().color(group, label->foregroundRole()),
                                label->palette().color(group, QPalette::Window)),
                  4.5)
            << label->objectName().toStdString();
    }
    EXPECT_EQ(explanations, 4);
}

#include "support/ScopedLocale.h"
#include "support/TestFiles.h"

#include "tracking/OptionsStore.h"
#include "services/TextData.h"
#include "services/mLang.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include <set>
#include <type_traits>

namespace {

constexpr int kStoredKeyCount = 151; // 6 observer keys and 145 option keys

QString read(const char* section, const char* key)
{
    return mReg::Leggi_registro(kStoreApplication, section, key, "<missing>");
}

void store(const char* section, const char* key, const QString& value)
{
    ASSERT_TRUE(mReg::Scrivi_registro(kStoreApplication, section, key, value).ok());
}

/// Puts into the row's field a value that differs from the row's default and from the values
/// given to the other rows (by `n`), within the row's accepted range.
void setDistinctValue(const OptionBinding& row, int n, Opzioni& options, Dati_osservatore& observer)
{
    const double defaultValue = parseDataNumber(row.defaultText).value_or(0);
    std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (std::is_same_v<T, std::string>) {
                *field = "value " + std::to_string(n) + " \xC3\xA9, \"quoted\"";
            } else if constexpr (std::is_same_v<T, bool>) {
                *field = defaultValue == 0;
            } else if constexpr (std::is_same_v<T, float>) {
                if (row.form == StoredForm::Thousandths)
                    *field = -33.87f + static_cast<float>(n);
                else
                    *field = 5.5f + static_cast<float>(n);
            } else if constexpr (std::is_same_v<T, double>) {
                *field = 0.25 + n;
            } else {
                const long long span = static_cast<long long>(row.maximum) - row.minimum;
                int value = static_cast<int>(row.minimum + n % span);
                if (value == static_cast<int>(defaultValue))
                    value = value == row.maximum ? row.minimum : value + 1;
                *field = static_cast<T>(value);
            }
        },
        row.field(options, observer));
}

class OptionsRecord : public ProgramStateTest
{
};

TEST_F(OptionsRecord, EmptyStoreGivesTheBuiltInDefaults)
{
    Impostazioni.Propagatore = 0;
    Osservatore = Dati_osservatore{};
    ASSERT_TRUE(Carica_impostazioni().ok());

    EXPECT_EQ(Impostazioni.Propagatore, 2);
    EXPECT_EQ(Impostazioni.Limite_sole, -10);
    EXPECT_EQ(Impostazioni.Cielo_locale_stelle, 1639);
    EXPECT_EQ(Impostazioni.Cielo_generale_stelle, 5146);
    EXPECT_EQ(Osservatore.Nome_localita, "Italy: Milano");
    EXPECT_FLOAT_EQ(Osservatore.Latitudine_osservatore, 45.47f);
    EXPECT_FLOAT_EQ(Osservatore.Longitudine_osservatore, 9.19f);
    EXPECT_FLOAT_EQ(Osservatore.Quota_osservatore, 133.0f);
    EXPECT_FLOAT_EQ(Osservatore.Fuso_orario, 1.0f);
    EXPECT_EQ(Osservatore.Ora_legale, 0);
    EXPECT_EQ(Impostazioni.Sorgenti_download[0], "celestrak.org/NORAD/elements/visual.txt");

    // The record's own initialisers and the table agree on every default.
    EXPECT_TRUE(Impostazioni == Opzioni{});
    EXPECT_TRUE(Impostazioni_salvate == Impostazioni);
    EXPECT_TRUE(Osservatore_salvato == Osservatore);
    EXPECT_FALSE(Impostazioni_modificate());

    // Saved under the fixed section and key names, in the fixed text forms.
    ASSERT_TRUE(Salva_impostazioni().ok());
    EXPECT_EQ(read("Mappamondo", "Mouse dati"), "-1");
    EXPECT_EQ(read("Cielo locale", "Griglia 10"), "-1");
    EXPECT_EQ(read("Osservatore", "Ora legale"), "0");
    EXPECT_EQ(read("Osservatore", "Longitudine"), "9190");
    EXPECT_EQ(read("Filtri", "Azimuth max secondari"), "360");
    EXPECT_EQ(read("Radio", "Canale10"), "1");
    EXPECT_EQ(read("Colori", "Costellazioni linee"), "10789888");
}

TEST_F(OptionsRecord, EveryRowRoundTripsThroughTheStore)
{
    int n = 0;
    for (const OptionBinding& row : optionBindings())
        setDistinctValue(row, ++n, Impostazioni, Osservatore);
    const Opzioni written = Impostazioni;
    const Dati_osservatore writtenObserver = Osservatore;
    ASSERT_TRUE(Salva_impostazioni().ok());

    Impostazioni = Opzioni{};
    Osservatore = Dati_osservatore{};
    ASSERT_TRUE(Carica_impostazioni().ok());
    EXPECT_TRUE(Impostazioni == written);
    EXPECT_TRUE(Osservatore == writtenObserver);
    const QSettings file(storePath(), QSettings::IniFormat);
    EXPECT_EQ(file.allKeys().size(), kStoredKeyCount);
    EXPECT_EQ(optionBindings().size(), std::size_t{kStoredKeyCount});
}

TEST_F(OptionsRecord, ObserverPositionAndTimeZoneKeepTheirStoredForms)
{
    store("Osservatore", "Latitudine", QStringLiteral("-33870"));
    store("Osservatore", "Longitudine", QStringLiteral("151210"));
    store("Osservatore", "Fuso", QStringLiteral("5.5xyz"));
    ASSERT_TRUE(Carica_impostazioni().ok());
    EXPECT_FLOAT_EQ(Osservatore.Latitudine_osservatore, -33.87f);
    EXPECT_FLOAT_EQ(Osservatore.Longitudine_osservatore, 151.21f);
    EXPECT_FLOAT_EQ(Osservatore.Fuso_orario, 5.5f);

    ASSERT_TRUE(Salva_impostazioni().ok());
    EXPECT_EQ(read("Osservatore", "Latitudine"), "-33870");
    EXPECT_EQ(read("Osservatore", "Longitudine"), "151210");
    EXPECT_EQ(read("Osservatore", "Fuso"), "5.5");

    struct Case
    {
        QString stored;
        float zone;
    };
    const Case zones[] = {{QString(), 0.0f}, {QStringLiteral("-3,5"), -3.5f},
                          {QStringLiteral("abc"), 0.0f}, {QStringLiteral(" 10 "), 10.0f}};
    for (const Case& c : zones) {
        store("Osservatore", "Fuso", c.stored);
        ASSERT_TRUE(Carica_impostazioni().ok());
        EXPECT_FLOAT_EQ(Osservatore.Fuso_orario, c.zone) << c.stored.toStdString();
    }
}

TEST_F(OptionsRecord, StoredValueThatDoesNotFitFallsBackToItsDefault)
{
    struct Case
    {
        const char* section;
        const char* key;
        const char* stored;
    };
    const Case unusable[] = {
        {"Satelliti", "Propagatore", "abc"},     {"Satelliti", "Propagatore", "4"},
        {"Satelliti", "Propagatore", "-1"},      {"Cielo locale", "Stelle", "9011"},
        {"Radio", "Canale1", "0"},               {"Radio", "Canale2", "11"},
        {"Colori", "Satellite", "yellow"},       {"Mappamondo", "Griglia", "maybe"},
        {"Filtri", "Altezza min tutti", ""},     {"Osservatore", "Quota", "1e40"},
        {"Osservatore", "Ora legale", "-1"},     {"Satelliti", "Soglia", "40000"},
        {"Osservatore", "Ora legale", "2"},      {"Osservatore", "Fuso", "-99"},
        {"Osservatore", "Latitudine", "north"},
    };
    int n = 0;
    for (const Case& c : unusable) {
        SCOPED_TRACE(std::string(c.section) + '/' + c.key + " = " + c.stored);
        mReg::setStoreFile(folderFile(QStringLiteral("case%1.ini").arg(++n)));
        store(c.section, c.key, QString::fromLatin1(c.stored));
        ASSERT_TRUE(Carica_impostazioni().ok());
        EXPECT_TRUE(Impostazioni == Opzioni{});
        EXPECT_FLOAT_EQ(Osservatore.Latitudine_osservatore, 45.47f);
        EXPECT_FLOAT_EQ(Osservatore.Quota_osservatore, 133.0f);
        EXPECT_EQ(Osservatore.Ora_legale, 0);
    }

    store("Satelliti", "Propagatore", QStringLiteral("3"));
    store("Cielo locale", "Stelle", QStringLiteral("9010"));
    store("Mappamondo", "Localizzatore", QStringLiteral("1"));
    ASSERT_TRUE(Carica_impostazioni().ok());
    EXPECT_EQ(Impostazioni.Propagatore, 3);
    EXPECT_EQ(Impostazioni.Cielo_locale_stelle, 9010);
    EXPECT_TRUE(Impostazioni.Mappamondo_localizzatore);
}

TEST_F(OptionsRecord, ObserverBeyondTheEarthFallsBackAndIsListed)
{
    Impostazioni.File_lingua = QUORVANEL_DATA_DIR "/English.ini";
    struct Case
    {
        const char* key;
        const char* stored;
        const char* listed; ///< the line of the list, named as the location dialog names it
    };
    const Case beyond[] = {
        {"Fuso", "2147483648", "Time zone: 2147483648"},
        {"Fuso", "-99", "Time zone: -99"},
        {"Fuso", "14.5", "Time zone: 14.5"},
        {"Fuso", "-12.25", "Time zone: -12.25"},
        {"Latitudine", "-91000", "Latitude: -91"},
        {"Latitudine", "1000000000000", "Latitude: 1e+09"},
        {"Latitudine", "nan", "Latitude: not valid"},
        {"Longitudine", "-180001", "Longitude: -180.001"},
        {"Longitudine", "360500", "Longitude: 360.5"},
        {"Ora legale", "2", "Daylight saving time: 2"},
        {"Ora legale", "255", "Daylight saving time: 255"},
        {"Quota", "1e300", "Height (m): 1e+300"},
        {"Quota", "inf", "Height (m): not valid"},
        {"Quota", "-1000", "Height (m): -1000"},
    };
    for (const Case& c : beyond) {
        SCOPED_TRACE(std::string(c.key) + " = " + c.stored);
        store("Osservatore", c.key, QString::fromLatin1(c.stored));
        QStringList reset;
        ASSERT_TRUE(Carica_impostazioni(&reset).ok());
        EXPECT_FLOAT_EQ(Osservatore.Fuso_orario, 1.0f);
        EXPECT_FLOAT_EQ(Osservatore.Latitudine_osservatore, 45.47f);
        EXPECT_FLOAT_EQ(Osservatore.Longitudine_osservatore, 9.19f);
        EXPECT_FLOAT_EQ(Osservatore.Quota_osservatore, 133.0f);
        EXPECT_EQ(Osservatore.Ora_legale, 0);
        EXPECT_EQ(reset, QStringList{QStringLiteral("Observer's location: ") +
                                     QString::fromLatin1(c.listed)});
        mReg::setStoreFile(folderFile(QStringLiteral("fresh.ini")));
        QFile::remove(folderFile(QStringLiteral("fresh.ini")));
    }
    // Shown as stored: no group separators, whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(correctedValueText(2147483648.0), QStringLiteral("2147483648"));
    QLocale::setDefault(QLocale::c());

    // The edges of the Earth's ranges are kept, and nothing is listed.
    store("Osservatore", "Fuso", QStringLiteral("-12"));
    store("Osservatore", "Latitudine", QStringLiteral("-90000"));
    store("Osservatore", "Longitudine", QStringLiteral("360000"));
    store("Osservatore", "Ora legale", QStringLiteral("1"));
    QStringList reset{QStringLiteral("left over")};
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    EXPECT_TRUE(reset.isEmpty());
    EXPECT_FLOAT_EQ(Osservatore.Fuso_orario, -12.0f);
    EXPECT_FLOAT_EQ(Osservatore.Latitudine_osservatore, -90.0f);
    EXPECT_FLOAT_EQ(Osservatore.Longitudine_osservatore, 360.0f);
    EXPECT_EQ(Osservatore.Ora_legale, 1);
    store("Osservatore", "Fuso", QStringLiteral("14"));
    store("Osservatore", "Longitudine", QStringLiteral("-180000"));
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    EXPECT_FLOAT_EQ(Osservatore.Fuso_orario, 14.0f);
    EXPECT_FLOAT_EQ(Osservatore.Longitudine_osservatore, -180.0f);

    // A stored text that is no number is not shown, whatever it holds.
    store("Satelliti", "Propagatore", QString(60, u'9') + QChar(7));
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    EXPECT_EQ(reset, QStringList{QStringLiteral("Satellites: Orbit model: not valid")});
}

TEST_F(OptionsRecord, EveryNumberIsNamedAsItsDialogNamesIt)
{
    Impostazioni.File_lingua = QUORVANEL_DATA_DIR "/English.ini";
    std::set<QString> labels;
    std::size_t numbers = 0;
    for (const OptionBinding& row : optionBindings()) {
        if (std::holds_alternative<std::string*>(row.field(Impostazioni, Osservatore)))
            continue; // a text always fits and is never listed
        ++numbers;
        SCOPED_TRACE((row.section + u'/' + row.key).toStdString());
        ASSERT_FALSE(row.label.empty());
        for (const TextKey& part : row.label)
            EXPECT_FALSE(mLang::Testo_lingua(QStringView(part.section), QStringView(part.key))
                             .isEmpty())
                << QString::fromUtf16(part.section).toStdString() << '/'
                << QString::fromUtf16(part.key).toStdString();
        labels.insert(optionLabel(row));
    }
    // Two settings share a name only where one slider sets both ends of a range: the azimuth
    // window of each of the three filter sets.
    EXPECT_EQ(labels.size(), numbers - 3);
}

TEST_F(OptionsRecord, CorrectedValuesAreUnsavedUntilTheOptionsAreSaved)
{
    store("Cielo locale", "Stelle", QStringLiteral("99999"));
    store("Mappamondo", "Griglia", QStringLiteral("maybe"));
    store("Filtri", "Altezza min principale", QStringLiteral("1e300"));
    store("Osservatore", "Quota", QStringLiteral("inf"));
    QStringList reset;
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    EXPECT_EQ(reset.size(), 4);
    EXPECT_TRUE(Impostazioni == Opzioni{});
    EXPECT_TRUE(Impostazioni_modificate());

    ASSERT_TRUE(Salva_impostazioni().ok());
    EXPECT_FALSE(Impostazioni_modificate());
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    EXPECT_TRUE(reset.isEmpty()) << "the corrections are stored";
    EXPECT_FALSE(Impostazioni_modificate());
    EXPECT_EQ(read("Cielo locale", "Stelle"), "1639");
    EXPECT_EQ(read("Osservatore", "Quota"), "133");

    // The user's own choice after a correction, whatever it is, is still unsaved.
    store("Mappamondo", "Griglia", QStringLiteral("maybe"));
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    Impostazioni.Mappamondo_griglia = false;
    EXPECT_TRUE(Impostazioni_modificate());
    ASSERT_TRUE(Salva_impostazioni().ok());
    EXPECT_FALSE(Impostazioni_modificate());
}

TEST_F(OptionsRecord, ASingleOptionIsStoredAndLeavesTheOtherChangesUnsaved)
{
    ASSERT_TRUE(Carica_impostazioni().ok());
    Impostazioni.Verifica_opzioni = false;
    Osservatore.Nome_localita = "Peru: Lima";
    ASSERT_TRUE(saveSingleOption(u"Generali", u"Verifica opzioni").ok());
    EXPECT_EQ(read("Generali", "Verifica opzioni"), "0");
    EXPECT_EQ(read("Osservatore", "Localita"), "<missing>");
    EXPECT_FALSE(Impostazioni_salvate.Verifica_opzioni);
    EXPECT_TRUE(Impostazioni_modificate()) << "the place is still unsaved";
    Osservatore.Nome_localita = Osservatore_salvato.Nome_localita;
    EXPECT_FALSE(Impostazioni_modificate());

    // A store that cannot be written leaves the option unsaved.
    writeTestFile(folderFile(QStringLiteral("blocked")), "a file where a folder belongs");
    mReg::setStoreFile(folderFile(QStringLiteral("blocked/options.ini")));
    Osservatore.Ora_legale = 1;
    EXPECT_FALSE(saveSingleOption(u"Osservatore", u"Ora legale").ok());
    EXPECT_EQ(Osservatore_salvato.Ora_legale, 0);
    EXPECT_TRUE(Impostazioni_modificate());
}

TEST_F(OptionsRecord, UnreadableStoreFileIsTold)
{
    store("Satelliti", "Propagatore", QStringLiteral("3"));
    EXPECT_FALSE(mReg::storeFileUnreadable(kStoreApplication));
    mReg::setStoreFile(folderFile(QStringLiteral("missing.ini")));
    EXPECT_FALSE(mReg::storeFileUnreadable(kStoreApplication));

    const QByteArray withNul = QByteArray("[Satelliti]\nPropagatore=3\n") + QByteArray(1, '\0');
    QString expected = folderFile(QStringLiteral("missing.ini.bad"));
    for (const QByteArray& garbage : {withNul, QByteArray("[Sat\xff\xfe]\nA=1\n")}) {
        writeTestFile(folderFile(QStringLiteral("missing.ini")), garbage);
        EXPECT_TRUE(mReg::storeFileUnreadable(kStoreApplication));
        const QString copy = mReg::setAsideStoreFile(kStoreApplication);
        EXPECT_EQ(copy, expected);
        expected += QStringLiteral(".2");
        EXPECT_EQ(readTestFile(copy), garbage);
        EXPECT_FALSE(QFile::exists(folderFile(QStringLiteral("missing.ini"))));
        EXPECT_FALSE(mReg::storeFileUnreadable(kStoreApplication));
    }
}

TEST_F(OptionsRecord, TextThatIsNoOptionsFileIsUnreadable)
{
    // Two thousand lines of text, some with '=' in them, and not one section.
    static constexpr char kCharacters[] = "abcdefghij klmnop=qrstuvwxyz,;.0123456789\"\\@()";
    QByteArray junk;
    for (int line = 0; line < 2000; ++line) {
        for (int c = 0; c < 40; ++c)
            junk += kCharacters[(line * 37 + c * 11) % (sizeof kCharacters - 1)];
        junk += line % 2 == 0 ? "\r\n" : "\n";
    }
    QDir().mkpath(QFileInfo(storePath()).path());
    writeTestFile(storePath(), junk);
    EXPECT_TRUE(mReg::storeFileUnreadable(kStoreApplication));

    // Blank lines and comments alone, or nothing at all, are an empty store.
    for (const QByteArray& empty : {QByteArray(), QByteArray("\r\n\n; nothing yet\n")}) {
        writeTestFile(storePath(), empty);
        EXPECT_FALSE(mReg::storeFileUnreadable(kStoreApplication));
    }
}

TEST_F(OptionsRecord, TypedTextsHoldingTheStoreMarksRoundTripUnchanged)
{
    const QString texts[] = {
        QStringLiteral("Hut @Variant(abcd)"),
        QStringLiteral("Base @DateTime(1)"),
        QStringLiteral("--when=@DateTime(now)"),
        QStringLiteral("@Variant(abcd)"),
        QStringLiteral("@DateTime(now)"),
        QStringLiteral("@@x, @Variant(\\0\\0\\0\\f)"),
        QStringLiteral("\"@Variant(a)\" ; x"),
        QString::fromUtf16(u"tab\there\x01\x1f\x7f end\\"),
        QString::fromUtf16(u"line\r\nbreak\rand\nmore"),
        QStringLiteral("nul") + QChar(0) + QStringLiteral("in the middle @Variant(") +
            QString(3, QChar(0)) + QChar(12) + u')',
        QStringLiteral("  blanks around  "),
    };
    for (const QString& typed : texts) {
        SCOPED_TRACE(typed.toStdString());
        Osservatore.Nome_localita = typed.toStdString();
        Impostazioni.Parametri_esterni = typed.toStdString();
        Impostazioni.Programma_esterno = (QStringLiteral("prog ") + typed).toStdString();
        ASSERT_TRUE(Salva_impostazioni().ok());
        EXPECT_FALSE(mReg::storeFileUnreadable(kStoreApplication));

        const Opzioni options = Impostazioni;
        const Dati_osservatore observer = Osservatore;
        Impostazioni = Opzioni{};
        Osservatore = Dati_osservatore{};
        QStringList reset;
        ASSERT_TRUE(Carica_impostazioni(&reset).ok());
        EXPECT_TRUE(reset.isEmpty());
        EXPECT_EQ(Osservatore.Nome_localita, observer.Nome_localita);
        EXPECT_EQ(Impostazioni.Parametri_esterni, options.Parametri_esterni);
        EXPECT_EQ(Impostazioni.Programma_esterno, options.Programma_esterno);
    }
}

TEST_F(OptionsRecord, PlaceFoundByTheOptionsFuzzerLoadsSavesAndLoadsAgain)
{
    // An unfinished streamed value, which the reader takes as a name holding NUL characters;
    // the writer stores such a name in another form.
    QDir().mkpath(QFileInfo(storePath()).path());
    writeTestFile(storePath(), "[Osservatore]\nLocalita=@Variant(\\0\\0\\0\\X2\\");
    ASSERT_FALSE(mReg::storeFileUnreadable(kStoreApplication));
    ASSERT_TRUE(Carica_impostazioni().ok());
    const std::string name = Osservatore.Nome_localita;
    EXPECT_EQ(name, std::string("@Variant(\0\0\0" "2", 13));

    mReg::setStoreFile(folderFile(QStringLiteral("saved.ini")));
    ASSERT_TRUE(Salva_impostazioni().ok());
    EXPECT_FALSE(mReg::storeFileUnreadable(kStoreApplication));
    Osservatore = Dati_osservatore{};
    QStringList reset;
    ASSERT_TRUE(Carica_impostazioni(&reset).ok());
    EXPECT_TRUE(reset.isEmpty());
    EXPECT_EQ(Osservatore.Nome_localita, name);
}

TEST_F(OptionsRecord, NumbersAreReadAndWrittenWhateverTheUserLocale)
{
    const QLocale previous;
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::Italian, QLocale::Italy)}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        store("Filtri", "Altezza min tutti", QStringLiteral("12,5"));
        store("Filtri", "Azimuth max principale", QStringLiteral("270.25"));
        store("Osservatore", "Quota", QStringLiteral("1234,5"));
        ASSERT_TRUE(Carica_impostazioni().ok());
        EXPECT_DOUBLE_EQ(Impostazioni.Filtro_altezza_min[kFiltroTutti], 12.5);
        EXPECT_DOUBLE_EQ(Impostazioni.Filtro_azimut_max[kFiltroPrincipale], 270.25);
        EXPECT_FLOAT_EQ(Osservatore.Quota_osservatore, 1234.5f);

        ASSERT_TRUE(Salva_impostazioni().ok());
        EXPECT_EQ(read("Filtri", "Altezza min tutti"), "12.5");
        EXPECT_EQ(read("Filtri", "Azimuth max principale"), "270.25");
        EXPECT_EQ(read("Osservatore", "Quota"), "1234.5");
        EXPECT_EQ(read("Osservatore", "Latitudine"), "45470");
    }
    QLocale::setDefault(previous);
}

TEST_F(OptionsRecord, StoreWrittenUnderOneLocaleReadsTheSameUnderTheOther)
{
    for (const auto& [writer, reader] : {std::pair{kCommaLocale, "C"}, std::pair{"C", kCommaLocale}}) {
        SCOPED_TRACE(std::string(writer) + " -> " + reader);
        int n = 0;
        for (const OptionBinding& row : optionBindings())
            setDistinctValue(row, ++n, Impostazioni, Osservatore);
        Osservatore.Fuso_orario = -5.75f;
        const Opzioni written = Impostazioni;
        const Dati_osservatore writtenObserver = Osservatore;
        {
            const ScopedLocale locale(writer);
            if (!locale.available())
                GTEST_SKIP() << writer << " is not installed";
            ASSERT_TRUE(Salva_impostazioni().ok());
        }
        EXPECT_EQ(read("Osservatore", "Fuso"), "-5.75");
        EXPECT_EQ(read("Filtri", "Altezza min tutti").count(u','), 0);

        Impostazioni = Opzioni{};
        Osservatore = Dati_osservatore{};
        const ScopedLocale locale(reader);
        ASSERT_TRUE(Carica_impostazioni().ok());
        EXPECT_TRUE(Impostazioni == written);
        EXPECT_TRUE(Osservatore == writtenObserver);
    }
}

TEST_F(OptionsRecord, DefaultsRestoreOptionsButKeepDatabaseLanguageAndObserver)
{
    ASSERT_TRUE(Carica_impostazioni().ok());
    int n = 0;
    for (const OptionBinding& row : optionBindings())
        setDistinctValue(row, ++n, Impostazioni, Osservatore);
    const Opzioni changed = Impostazioni;
    const Dati_osservatore changedObserver = Osservatore;
    const Opzioni snapshot = Impostazioni_salvate;

    Impostazioni_default();

    Opzioni expected;
    expected.File_database = changed.File_database;
    expected.File_lingua = changed.File_lingua;
    EXPECT_TRUE(Impostazioni == expected);
    EXPECT_TRUE(Osservatore == changedObserver);
    EXPECT_TRUE(Impostazioni_salvate == snapshot);
    EXPECT_TRUE(Impostazioni.Sorgenti_download[29].ends_with("/NORAD/elements/military.txt"));
    EXPECT_TRUE(Impostazioni.Sorgenti_download[28].ends_with("/NORAD/elements/radar.txt"));
    EXPECT_FALSE(QFileInfo::exists(storePath())); // nothing was written
}

TEST_F(OptionsRecord, ChangeCheckSeesEveryFieldButTheLanguage)
{
    ASSERT_TRUE(Carica_impostazioni().ok());
    EXPECT_FALSE(Impostazioni_modificate());

    int n = 0;
    for (const OptionBinding& row : optionBindings()) {
        setDistinctValue(row, ++n, Impostazioni, Osservatore);
        EXPECT_EQ(Impostazioni_modificate(), row.comparedForChanges)
            << row.section.toStdString() << '/' << row.key.toStdString();
        Impostazioni = Impostazioni_salvate;
        Osservatore = Osservatore_salvato;
    }

    Impostazioni.File_lingua = "Italiano.ini";
    EXPECT_FALSE(Impostazioni_modificate());
    Osservatore.Nome_localita = "italy: milano";
    EXPECT_TRUE(Impostazioni_modificate());
    Osservatore = Osservatore_salvato;
    Impostazioni.Cielo_anteprima_stelle = 500;
    EXPECT_TRUE(Impostazioni_modificate());

    ASSERT_TRUE(Salva_impostazioni().ok());
    EXPECT_FALSE(Impostazioni_modificate());
}

TEST_F(OptionsRecord, StoreFailuresAreReportedAndKeepTheDefaults)
{
    const QString folderInTheWay = folderFile(QStringLiteral("options-folder"));
    ASSERT_TRUE(QDir().mkpath(folderInTheWay));
    mReg::setStoreFile(folderInTheWay);

    Impostazioni.Propagatore = 0;
    const mReg::RegistryStatus loaded = Carica_impostazioni();
    EXPECT_EQ(loaded.description, QStringLiteral("Could not open registry section"));
    EXPECT_EQ(Impostazioni.Propagatore, 2);

    Impostazioni.Propagatore = 1;
    const mReg::RegistryStatus saved = Salva_impostazioni();
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(Impostazioni_salvate.Propagatore, 2); // the snapshot still matches the store
    EXPECT_TRUE(Impostazioni_modificate());
}

} // namespace

#include "tracking/MapWindowGeometry.h"

#include "tracking/OptionsStore.h"

#include "services/TextData.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <cmath>

namespace {

/// The largest place or size kept [twips]: 20000 pixels at 96 dots per inch, wider than any
/// desktop of several screens.
constexpr double kLargestTwips = 300000;
/// The smallest window size kept [twips]: 20 pixels at 96 dots per inch.
constexpr double kSmallestSizeTwips = 300;

struct MapWindow
{
    const char16_t* section;
    TextKey title;
};

constexpr MapWindow kMapWindows[] = {
    {u"Mappamondo", {u"frmWorldMap", u"mappamondo"}},
    {u"Cielo locale", {u"frmLocalSky", u"mappalocale"}},
    {u"Cielo generale", {u"frmGeneralSky", u"mappagenerale"}},
};

struct GeometryKey
{
    const char16_t* key;
    const char16_t* defaultText;
    const char16_t* labelKey;
    double minimum;
};

constexpr GeometryKey kGeometryKeys[] = {
    {u"Window_Left", u"0", u"finestrasinistra", -kLargestTwips},
    {u"Window_Top", u"0", u"finestraalto", -kLargestTwips},
    {u"Window_Width", u"10665", u"finestralarghezza", kSmallestSizeTwips},
    {u"Window_Height", u"6870", u"finestraaltezza", kSmallestSizeTwips},
};

} // namespace

QList<mReg::RegistryValue> unusableWindowGeometry(QStringList* reset)
{
    QList<mReg::RegistryValue> corrected;
    for (const MapWindow& window : kMapWindows) {
        for (const GeometryKey& geometry : kGeometryKeys) {
            mReg::RegistryStatus status;
            const QString stored = mReg::Leggi_registro(kStoreApplication, window.section,
                                                        geometry.key, geometry.defaultText,
                                                        &status);
            if (!status.ok())
                continue; // the options' own load reports a store that cannot be read
            const std::optional<double> value = parseDataNumber(stored);
            const bool number = value && std::isfinite(*value);
            if (number && *value >= geometry.minimum && *value <= kLargestTwips)
                continue;
            corrected.append({QString::fromUtf16(window.section),
                              QString::fromUtf16(geometry.key),
                              QString::fromUtf16(geometry.defaultText)});
            if (!reset)
                continue;
            reset->append(mLang::Testo_lingua(QStringView(window.title.section),
                                              QStringView(window.title.key)) +
                          QStringLiteral(": ") +
                          mLang::Testo_lingua(u"MDIForm1", QStringView(geometry.labelKey)) +
                          QStringLiteral(": ") + correctedValueText(value));
        }
    }
    return corrected;
}

mReg::RegistryStatus resetUnusableWindowGeometry(QStringList* reset)
{
    // One write for them all: a store whose lock is stuck is waited for once, not once a value.
    const QList<mReg::RegistryValue> corrected = unusableWindowGeometry(reset);
    if (corrected.isEmpty())
        return {};
    return mReg::writeValues(kStoreApplication, corrected);
}

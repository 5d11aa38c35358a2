#include "tracking/OptionsStore.h"

#include "tracking/MapWindowGeometry.h"

#include "services/TextData.h"
#include "services/mLang.h"

#include <QDir>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace {

/// Converts a stored text into the row's field; false when the text does not fit the field.
bool readText(const OptionBinding& row, const QString& stored, OptionField field)
{
    return std::visit(
        [&](auto* target) -> bool {
            using T = std::remove_pointer_t<decltype(target)>;
            if constexpr (std::is_same_v<T, std::string>) {
                *target = stored.toStdString();
                return true;
            } else if constexpr (std::is_same_v<T, float>) {
                std::optional<double> value;
                if (row.form == StoredForm::LeadingNumber)
                    value = leadingNumber(stored);
                else
                    value = parseDataNumber(stored);
                if (!value)
                    return false;
                if (row.form == StoredForm::Thousandths)
                    *value /= 1000.0;
                if (!(std::abs(*value) <= std::numeric_limits<float>::max()))
                    return false;
                // A real number with a range (minimum below maximum) must lie within it.
                if (row.minimum < row.maximum && !(*value >= row.minimum && *value <= row.maximum))
                    return false;
                *target = static_cast<float>(*value);
                return true;
            } else if constexpr (std::is_same_v<T, double>) {
                const std::optional<double> value = parseDataNumber(stored);
                if (!value || !std::isfinite(*value))
                    return false;
                if (row.minimum < row.maximum && !(*value >= row.minimum && *value <= row.maximum))
                    return false;
                *target = *value;
                return true;
            } else {
                const std::optional<double> value = parseDataNumber(stored);
                if (!value)
                    return false;
                const double whole = std::round(*value);
                if constexpr (std::is_same_v<T, bool>) {
                    // Any whole number is a truth value: 0 false, everything else true.
                    if (std::abs(whole) > std::numeric_limits<std::int16_t>::max())
                        return false;
                    *target = whole != 0;
                } else {
                    if (whole < row.minimum || whole > row.maximum)
                        return false;
                    *target = static_cast<T>(whole);
                }
                return true;
            }
        },
        field);
}

/// A value in degrees as the text of its thousandths: the short form ("-33870" for -33.87)
/// when it reads back as the same value, otherwise the exact product.
QString thousandthsText(float degrees)
{
    const QString shortForm = formatDataNumber(static_cast<float>(degrees * 1000.0f));
    const std::optional<double> back = parseDataNumber(shortForm);
    if (back && static_cast<float>(*back / 1000.0) == degrees)
        return shortForm;
    return formatDataNumber(static_cast<double>(degrees) * 1000.0);
}

QString storedText(const OptionBinding& row, OptionField field)
{
    return std::visit(
        [&](auto* source) -> QString {
            using T = std::remove_pointer_t<decltype(source)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return QString::fromStdString(*source);
            } else if constexpr (std::is_same_v<T, bool>) {
                return *source ? QStringLiteral("-1") : QStringLiteral("0");
            } else if constexpr (std::is_same_v<T, float>) {
                if (row.form == StoredForm::Thousandths)
                    return thousandthsText(*source);
                return formatDataNumber(*source);
            } else if constexpr (std::is_same_v<T, double>) {
                return formatDataNumber(*source);
            } else {
                return QString::number(static_cast<int>(*source));
            }
        },
        field);
}

/// False when the stored text did not fit and the default was taken instead.
bool applyStoredText(const OptionBinding& row, const QString& stored, Opzioni& options,
                     Dati_osservatore& observer)
{
    const OptionField field = row.field(options, observer);
    if (readText(row, stored, field))
        return true;
    readText(row, row.defaultText, field);
    return false;
}

/// "Label: value" for the list of options read as their default: the stored number in the
/// units the dialog shows (degrees for a latitude stored in thousandths), or "not valid" for a
/// text that is no number.
QString resetOptionText(const OptionBinding& row, const QString& stored)
{
    std::optional<double> value = parseDataNumber(stored);
    if (value && row.form == StoredForm::Thousandths)
        *value /= 1000.0;
    return optionLabel(row) + QStringLiteral(": ") + correctedValueText(value);
}

/// The rows read as their default at the last load because their stored value did not fit.
/// The store does not hold the default now in force, so each stays an unsaved change until it
/// is written, whatever value the user gives it meanwhile. Kept beside the snapshot, not in it:
/// no value put into the snapshot could differ from every choice the user might make.
std::vector<const OptionBinding*> g_corrected;

bool isCorrected(const OptionBinding& row)
{
    return std::find(g_corrected.cbegin(), g_corrected.cend(), &row) != g_corrected.cend();
}

bool sameValue(const OptionField& a, const OptionField& b)
{
    return std::visit(
        [&](auto* left) -> bool {
            using P = decltype(left);
            return *left == *std::get<P>(b);
        },
        a);
}

} // namespace

QString correctedValueText(std::optional<double> value)
{
    // The locale's decimal mark, but no group separators: the value reads as it is stored.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const QString shown = value && std::isfinite(*value)
                              ? locale.toString(*value, 'g', QLocale::FloatingPointShortest)
                              : mLang::Testo_lingua(u"MDIForm1", u"valorenonvalido");
    return printableExcerpt(shown);
}

mReg::RegistryStatus Carica_impostazioni(QStringList* resetOptions)
{
    mReg::RegistryStatus first;
    if (resetOptions)
        resetOptions->clear();
    g_corrected.clear();
    for (const OptionBinding& row : optionBindings()) {
        mReg::RegistryStatus status;
        const QString stored = mReg::Leggi_registro(kStoreApplication, row.section, row.key,
                                                    row.defaultText, &status);
        if (!status.ok() && first.ok())
            first = status;
        if (applyStoredText(row, stored, Impostazioni, Osservatore))
            continue;
        g_corrected.push_back(&row);
        if (resetOptions)
            resetOptions->append(resetOptionText(row, stored));
    }
    Impostazioni_salvate = Impostazioni;
    Osservatore_salvato = Osservatore;
    return first;
}

void Impostazioni_default()
{
    for (const OptionBinding& row : optionBindings()) {
        if (!row.observer && !row.keptByDefaults)
            applyStoredText(row, row.defaultText, Impostazioni, Osservatore);
    }
}

mReg::RegistryStatus Salva_impostazioni()
{
    QList<mReg::RegistryValue> values;
    values.reserve(static_cast<qsizetype>(optionBindings().size()));
    for (const OptionBinding& row : optionBindings())
        values.append({row.section, row.key, storedText(row, row.field(Impostazioni, Osservatore))});
    // The map windows' sizes and places that the start set back but could not write (the
    // store was locked then) are written with the options: the start's box promised so.
    values.append(unusableWindowGeometry(nullptr));
    const mReg::RegistryStatus status = mReg::writeValues(kStoreApplication, values);
    if (status.ok()) {
        Impostazioni_salvate = Impostazioni;
        Osservatore_salvato = Osservatore;
        g_corrected.clear();
    }
    return status;
}

mReg::RegistryStatus saveSingleOption(QStringView section, QStringView key)
{
    for (const OptionBinding& row : optionBindings()) {
        if (row.section != section || row.key != key)
            continue;
        const OptionField field = row.field(Impostazioni, Osservatore);
        const mReg::RegistryStatus status =
            mReg::Scrivi_registro(kStoreApplication, row.section, row.key, storedText(row, field));
        if (status.ok()) {
            const OptionField snapshot = row.field(Impostazioni_salvate, Osservatore_salvato);
            std::visit([&](auto* target) { *target = *std::get<decltype(target)>(field); },
                       snapshot);
            std::erase(g_corrected, &row);
        }
        return status;
    }
    Q_ASSERT_X(false, "saveSingleOption", "no such option");
    constexpr int kCodeNotFound = 2; // the registry's code for a key that does not exist
    mReg::RegistryStatus notFound;
    notFound.number = mReg::kErrorStoreBase + kCodeNotFound;
    notFound.description = QStringLiteral("Could not set key value");
    return notFound;
}

QString optionsStoreFailureReason(const mReg::RegistryStatus& status)
{
    if (status.locked) {
        const QString file = QDir::toNativeSeparators(mReg::storeFile(kStoreApplication));
        return mLang::Testo_lingua(u"MDIForm1", u"impostazioniinuso")
            .replace(QStringLiteral("%1"), file + QStringLiteral(".lock"));
    }
    if (!status.reason.isEmpty())
        return status.reason;
    if (status.number == mReg::kErrorStoreBase + mReg::kCodeStoreCorrupt)
        return mLang::Testo_lingua(u"MDIForm1", u"impostazioniilleggibili");
    return {};
}

QString optionsNotSavedText(const mReg::RegistryStatus& status)
{
    const QString file = QDir::toNativeSeparators(mReg::storeFile(kStoreApplication));
    QString text = mLang::Testo_lingua(u"MDIForm1", u"impostazioninonsalvate");
    if (const QString reason = optionsStoreFailureReason(status); !reason.isEmpty())
        text += u'\n' + reason;
    return text + u'\n' +
           mLang::Testo_lingua(u"MDIForm1", u"impostazionilasciate")
               .replace(QStringLiteral("%1"), file);
}

bool Impostazioni_modificate()
{
    for (const OptionBinding& row : optionBindings()) {
        if (!row.comparedForChanges)
            continue;
        if (isCorrected(row) || !sameValue(row.field(Impostazioni, Osservatore),
                                           row.field(Impostazioni_salvate, Osservatore_salvato)))
            return true;
    }
    return false;
}

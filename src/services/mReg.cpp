#include "services/mReg.h"

#include <QFile>
#include <QMetaType>
#include <QSettings>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cctype>
#include <iterator>

namespace mReg {
namespace {

QString g_storeFile; // empty: the user's configuration folder

RegistryStatus failure(int number, const char* text)
{
    return RegistryStatus{number, QString::fromLatin1(text)};
}

RegistryStatus checkNames(const QString& application, const QString& section, const QString& key)
{
    if (application.trimmed().isEmpty())
        return failure(kErrorAppNameEmpty, "AppName may not be empty");
    if (section.trimmed().isEmpty())
        return failure(kErrorSectionEmpty, "Section may not be empty");
    if (key.trimmed().isEmpty())
        return failure(kErrorKeyEmpty, "Key may not be empty");
    return {};
}

QString fileFor(const QString& application)
{
    if (!g_storeFile.isEmpty())
        return g_storeFile;
    const QSettings user(QSettings::IniFormat, QSettings::UserScope,
                         QStringLiteral("Quorvanel"), application.trimmed());
    return user.fileName();
}

/// QSettings path of a value: the trimmed section is the INI section, the key is kept as is.
QString settingsKey(const QString& section, const QString& key)
{
    return section.trimmed() + u'/' + key;
}

/// Whether the store text holds a value the INI reader would rebuild from a binary stream
/// ("@Variant(...)", "@DateTime(...)") other than a plain number: such a value can claim any
/// size or any type, and reading it may allocate gigabytes or build objects the program cannot
/// make. The check undoes what the reader undoes first (line continuations, quotes, \x and
/// octal escapes) and looks for the marks anywhere, so it errs on the side of refusing; a raw
/// control character, which the store never writes, is refused too. A streamed number (a
/// truth value, an integer or a real: fixed size) is let through; the reader then reports it
/// as a value that is not text.
bool holdsStreamedValues(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n')
            return true;
    }
    QByteArray plain;
    plain.reserve(bytes.size());
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '"')
            continue;
        if (c != '\\' || i + 1 >= bytes.size()) {
            plain += c;
            continue;
        }
        const char next = bytes[++i];
        if (next == '\r' || next == '\n') {
            if (next == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue; // the line goes on in the next one
        }
        if (next == 'x' || next == 'X') {
            uint code = 0;
            const auto hexAt = [&bytes](qsizetype at) {
                return at < bytes.size() && std::isxdigit(static_cast<unsigned char>(bytes[at]));
            };
            while (hexAt(i + 1)) {
                const char digit = bytes[++i];
                const uint value = digit <= '9' ? static_cast<uint>(digit - '0')
                                                : static_cast<uint>((digit | 0x20) - 'a' + 10);
                code = (code * 16 + value) & 0xFFFF;
            }
            plain += static_cast<char>(code <= 0x7F ? code : 0x80);
        } else if (isOctal(next)) {
            uint code = static_cast<uint>(next - '0');
            while (i + 1 < bytes.size() && isOctal(bytes[i + 1]))
                code = (code * 8 + static_cast<uint>(bytes[++i] - '0')) & 0xFFFF;
            plain += static_cast<char>(code <= 0x7F ? code : 0x80);
        } else {
            plain += next;
        }
    }
    if (plain.contains("@DateTime("))
        return true;
    // Stream type numbers of the fixed-size numbers: bool, int, uint, long long, unsigned
    // long long, double. They can only come from escapes, which the reader undoes as above:
    // the store never holds a raw control character (refused at the top).
    constexpr quint32 kNumberTypes[] = {1, 2, 3, 4, 5, 6};
    const QByteArrayView mark("@Variant(");
    for (qsizetype at = plain.indexOf(mark); at >= 0; at = plain.indexOf(mark, at + 1)) {
        const qsizetype type = at + mark.size();
        if (type + 4 > plain.size())
            return true;
        const quint32 number = qFromBigEndian<quint32>(plain.constData() + type);
        if (std::find(std::begin(kNumberTypes), std::end(kNumberTypes), number) ==
            std::end(kNumberTypes))
            return true;
    }
    return false;
}

/// The store file's contents hold values that must not be read (see holdsStreamedValues).
bool storeHoldsStreamedValues(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return holdsStreamedValues(file.readAll());
}

/// Registry type number of a stored value that is not plain text.
int typeNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return kTypeTextList;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::Float:
        return kTypeNumber;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return kTypeLongNumber;
    default:
        return kTypeBinary;
    }
}

} // namespace

void setStoreFile(const QString& path)
{
    g_storeFile = path;
}

QString storeFile(QAnyStringView application)
{
    return fileFor(application.toString());
}

bool storeFileUnreadable(QAnyStringView application)
{
    const QString path = fileFor(application.toString());
    QFile file(path);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        return false; // not there to be read: the ordinary failures report it
    const QByteArray bytes = file.readAll();
    if (bytes.contains('\0') || holdsStreamedValues(bytes))
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(bytes));
    if (utf8.hasError())
        return true;
    const QSettings store(path, QSettings::IniFormat);
    return store.status() == QSettings::FormatError;
}

QString setAsideStoreFile(QAnyStringView application)
{
    const QString path = fileFor(application.toString());
    const QString copy = path + QStringLiteral(".bad");
    if (QFile::exists(copy) && !QFile::remove(copy))
        return {};
    if (!QFile::rename(path, copy))
        return {};
    return copy;
}

QString Leggi_registro(QAnyStringView application, QAnyStringView section, QAnyStringView key,
                       QAnyStringView defaultValue, RegistryStatus* status)
{
    const QString app = application.toString();
    const QString sectionName = section.toString();
    const QString keyName = key.toString();
    RegistryStatus result = checkNames(app, sectionName, keyName);
    QString value = defaultValue.toString();
    if (result.ok()) {
        const QString path = fileFor(app);
        // Guard: a store that holds streamed values is not given to the INI reader at all.
        if (storeHoldsStreamedValues(path)) {
            if (status)
                *status = failure(kErrorStoreBase + kCodeStoreCorrupt,
                                  "Could not open registry section");
            return value;
        }
        const QSettings store(path, QSettings::IniFormat);
        if (store.status() != QSettings::NoError) {
            const int code = store.status() == QSettings::FormatError ? kCodeStoreCorrupt
                                                                        : kCodeAccessDenied;
            result = failure(kErrorStoreBase + code, "Could not open registry section");
        } else {
            const QVariant stored = store.value(settingsKey(sectionName, keyName));
            if (stored.isValid()) {
                if (stored.typeId() == QMetaType::QString)
                    value = stored.toString();
                else
                    result = failure(kErrorStoreBase + typeNumber(stored),
                                     "Registry data not a string");
            }
        }
    }
    if (status)
        *status = result;
    return value;
}

RegistryStatus Scrivi_registro(QAnyStringView application, QAnyStringView section,
                               QAnyStringView key, QAnyStringView value)
{
    return writeValues(application, {RegistryValue{section.toString(), key.toString(),
                                                   value.toString()}});
}

RegistryStatus writeValues(QAnyStringView application, const QList<RegistryValue>& values)
{
    const QString app = application.toString();
    for (const RegistryValue& item : values) {
        const RegistryStatus names = checkNames(app, item.section, item.key);
        if (!names.ok())
            return names;
    }
    if (app.trimmed().isEmpty())
        return checkNames(app, QString(), QString());

    const QString path = fileFor(app);
    if (storeHoldsStreamedValues(path))
        return failure(kErrorStoreBase + kCodeStoreCorrupt, "Could not open registry section");
    QSettings store(path, QSettings::IniFormat);
    if (store.status() != QSettings::NoError || !store.isWritable())
        return failure(kErrorStoreBase + kCodeAccessDenied,
                       "Could not open/create registry section");
    for (const RegistryValue& item : values)
        store.setValue(settingsKey(item.section, item.key), item.value);
    // QSettings writes through a temporary file and renames it, so a failed sync leaves the
    // previous file in place.
    store.sync();
    if (store.status() != QSettings::NoError)
        return failure(kErrorStoreBase + kCodeAccessDenied, "Could not set key value");
    return {};
}

} // namespace mReg

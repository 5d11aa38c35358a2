// The store-file scan against the INI reader itself: on files made of the awkward pieces of
// the format it must find the same keys and the same texts as QSettings; and what it refuses.

#include "support/TestFiles.h"

#include "services/StoreFileScan.h"

#include <QRegularExpression>
#include <QSettings>

#include <map>
#include <random>

namespace {

using storefile::isStreamedObject;
using storefile::scanStoreFile;

/// A file of random pieces: sections, keys, quotes, escapes (some spelling '@'), commas,
/// comments, blanks and line ends of every kind, and values that begin with '@'. The '@'
/// values use a mark the reader does not decode, so the reader itself can be asked.
QByteArray randomStoreFile(std::mt19937& random)
{
    static const QByteArray pieces[] = {
        "\n[s1]\n", "\n[s2]\n", "\r\n[s1]\r\n", "\nk1=", "\nk2=", "\rk3=", "\nk1 = ",
        "a", "b c", " ", "\t", "\"", "\\", "\\\n", "\\\r\n", ",", ";", ";c\n", "=", "\n",
        "\r", "\r\n", "@", "@@", "@Q(", ")", "\\x40", "\\100", "\\x4", "\\n", "\\t", "\\\"",
        "\\q", "\xc3\xa9", "\xc3", "\\0", "[", "]", "  ,  ",
    };
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> count(1, 40);
    QByteArray file = "[s1]\nk1=";
    for (int n = count(random); n > 0; --n)
        file += pieces[pick(random)];
    return file;
}

/// The texts as the reader hands them out: one '@' of a leading "@@" is dropped.
QStringList readerTexts(const storefile::Entry& entry)
{
    QStringList texts = entry.texts;
    for (QString& text : texts) {
        if (text.startsWith(QStringLiteral("@@")))
            text.remove(0, 1);
    }
    return texts;
}

class StoreFileScan : public ProgramStateTest
{
};

TEST_F(StoreFileScan, FindsTheKeysAndTextsTheReaderFinds)
{
    std::mt19937 random(20240611);
    const QRegularExpression plainName(QStringLiteral("^[a-z0-9]+$"));
    for (int run = 0; run < 3000; ++run) {
        const QByteArray bytes = randomStoreFile(random);
        SCOPED_TRACE(bytes.toStdString());
        // A new name for every file: the reader keeps files it has read by name and size.
        const QString path = folderFile(QStringLiteral("scan-%1.ini").arg(run));
        writeTestFile(path, bytes);

        std::map<QString, storefile::Entry> scanned; // a later key replaces an earlier one
        for (const storefile::Entry& entry : scanStoreFile(bytes).entries) {
            const QString section = QString::fromUtf8(entry.section);
            const QString key = QString::fromUtf8(entry.key);
            if (plainName.match(section).hasMatch() && plainName.match(key).hasMatch())
                scanned[section + u'/' + key] = entry;
        }
        const QSettings reader(path, QSettings::IniFormat);
        std::map<QString, QStringList> read;
        for (const QString& key : reader.allKeys()) {
            const qsizetype slash = key.indexOf(u'/');
            if (slash > 0 && plainName.match(key.first(slash)).hasMatch() &&
                plainName.match(key.sliced(slash + 1)).hasMatch())
                read[key] = reader.value(key).toStringList();
        }
        ASSERT_EQ(scanned.size(), read.size());
        for (const auto& [key, entry] : scanned) {
            SCOPED_TRACE(key.toStdString());
            ASSERT_EQ(read.count(key), 1u);
            const QVariant value = reader.value(key);
            EXPECT_EQ(entry.isList, value.typeId() != QMetaType::QString);
            EXPECT_EQ(readerTexts(entry), read[key]);
        }
        QFile::remove(path);
    }
}

TEST_F(StoreFileScan, OnlyATextThatTheReaderWouldDecodeIsAStreamedObject)
{
    struct Case
    {
        QByteArray file;
        bool streamed;
    };
    const Case cases[] = {
        {"[a]\nk=@Variant(\\0\\0\\0\\f\\xd2z\\x81\\x12)\n", true},
        {"[a]\nk=@DateTime(\\0\\0\\0\\x10\\0)\n", true},
        {"[a]\nk=\"@Vari\"ant(\\0\\0\\0\\f)\n", true},
        {"[a]\nk=\\x40Variant(\\0\\0\\0\\14)\n", true},
        {"[a]\nk=x, @Var\\\niant(\\0\\0\\0\\f)\n", true},
        {"[a]\nk=  @Variant(\\0\\0\\0\\f)  \n", true},
        {"[a]\nk=@Variant(\\0\\0\\0\x0c)\n", true}, // the type number written as a raw byte
        {"[a]\nk=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n", false}, // a streamed integer
        {"[a]\nk=Hut @Variant(abcd)\n", false},
        {"[a]\nk=\"--when=@DateTime(now)\"\n", false},
        {"[a]\nk=@@Variant(abcd)\n", false},
        {"[a]\nk=@Variant(\\0\\0\\0\\f\n", false}, // no closing bracket: plain text
        {"[a]\nk=@String(@Variant(\\0\\0\\0\\f))\n", false},
        {"[a]\nk=\"x, @Variant(\\0\\0\\0\\f)\"\n", false},
        {"[a]\nk=x ; @Variant(\\0\\0\\0\\f)\n", false}, // after a ';' comes a comment
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(storefile::holdsStreamedObjects(scanStoreFile(c.file)), c.streamed);
    }
    EXPECT_TRUE(isStreamedObject(QStringLiteral("@Variant()")))
        << "a stream too short for its type number";
}

TEST_F(StoreFileScan, CountsSectionsEntriesAndOtherLines)
{
    const storefile::Scan scan =
        scanStoreFile("\xef\xbb\xbf; comment\r\n[Osservatore]\r\nLocalita=Milano\r\n"
                      "junk line\r\n[Colori]\rSatellite=65535\r");
    EXPECT_EQ(scan.sectionLines, 2);
    EXPECT_EQ(scan.otherLines, 1);
    ASSERT_EQ(scan.entries.size(), 2u);
    EXPECT_EQ(scan.entries[0].section, QByteArray("Osservatore"));
    EXPECT_EQ(scan.entries[1].key, QByteArray("Satellite"));
    EXPECT_EQ(scan.entries[1].texts, QStringList{QStringLiteral("65535")});
}

} // namespace

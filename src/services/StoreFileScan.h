#pragma once
// What the option store's INI reader (QSettings) makes of a store file, found without letting
// the reader near it. The reader turns a value that reads as "@Variant(...)" or
// "@DateTime(...)" into an object streamed out of the bytes between the brackets, and those
// bytes may claim any size or any type. A text that merely holds such a mark ("Hut
// @Variant(x)", a quoted "--when=@DateTime(now)", or a leading "@" that the writer doubles)
// is plain text to the reader. To tell the two apart, the scan follows the reader's rules for
// lines, sections, comments, quotes, escapes, line continuations and lists, and sees the very
// texts the reader would.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

namespace storefile {

/// One "key = value" line of a store file as the reader sees it.
struct Entry
{
    QByteArray section; ///< name of the section line above it, as written; empty before any
    QByteArray key;     ///< the key as written, blanks around it removed
    QStringList texts;  ///< the value's text, or the items of a list
    bool isList = false; ///< an unquoted comma made the value a list
};

struct Scan
{
    std::vector<Entry> entries;
    int sectionLines = 0;
    int otherLines = 0; ///< lines that are neither a section, an entry nor a comment
};

/// Scans a store file's bytes as the reader reads them.
[[nodiscard]] Scan scanStoreFile(QByteArrayView bytes);

/// Whether the reader would stream an object out of `text` (a value or a list item). A
/// streamed truth value, integer or real number is not counted: it has a fixed size, and the
/// store reports it as a value that is not text.
[[nodiscard]] bool isStreamedObject(const QString& text);

/// Whether any value of the scanned file would be streamed.
[[nodiscard]] bool holdsStreamedObjects(const Scan& scan);

} // namespace storefile

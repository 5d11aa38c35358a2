#pragma once
// The text of a file as the text window shows it, and back to bytes for saving. Lines may end
// with CR LF, LF alone or CR alone; the window shows each as a line end and saves every line
// end of the text in the one kind the file used, so a file keeps its line ends and a saved
// file reads back line for line. Bytes that are not UTF-8 are taken as Latin-1 and saved as
// Latin-1 again, so no byte of such a file changes unless the user edits it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class TextLineEnd {
    CrLf, ///< CR LF: element files and new files
    Lf,   ///< LF alone
};

enum class TextEncoding {
    Utf8,
    Latin1, ///< a file whose bytes are not valid UTF-8
};

struct TextFileContent
{
    QString text; ///< lines separated by '\n'
    TextLineEnd lineEnd = TextLineEnd::CrLf;
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false; ///< the UTF-8 file began with a byte-order mark
};

/// The text of a file's bytes. The line end is that of the file's first line: LF alone
/// keeps LF; CR LF, CR alone and a file without a line end save with CR LF. A UTF-8 byte-order
/// mark is not part of the text; it is written again when the content is saved.
[[nodiscard]] TextFileContent decodeTextFile(QByteArrayView bytes);

/// The bytes of a text in the format of a file read before: each '\n' written as its line
/// end, in its encoding. A Latin-1 text that now holds a character Latin-1 cannot write, or
/// whose Latin-1 bytes would read back as UTF-8 (other text), is written as UTF-8 instead, so
/// the saved file reads back as the text saved.
[[nodiscard]] QByteArray encodeTextFile(const QString& text, const TextFileContent& format);

// A file as the element-file text window opens it, saved unchanged and opened again; then the
// input taken as an edited text and saved in every format a file can have been read in.

#include "dialogs/TextFileContent.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

/// True when every line end of `bytes` is of the one kind `lineEnd`.
bool lineEndsAllOfKind(QByteArrayView bytes, TextLineEnd lineEnd)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool crLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (bytes[i] == '\r' && (!crLf || lineEnd != TextLineEnd::CrLf))
            return false;
        if (bytes[i] == '\n' && lineEnd != TextLineEnd::Lf)
            return false;
        if (crLf)
            ++i;
    }
    return true;
}

/// A text as the editor hands it over: lines separated by '\n' alone.
QString editorText(QString text)
{
    text.remove(u'\r');
    return text;
}

void checkEditedSave(const QString& text, const TextFileContent& format)
{
    const QByteArray saved = encodeTextFile(text, format);
    const TextFileContent again = decodeTextFile(saved);
    // Whatever the user typed reads back as typed.
    require(again.text == text);
    if (text.contains(u'\n'))
        require(again.lineEnd == format.lineEnd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const TextFileContent content = decodeTextFile(bytes);
    require(!content.text.contains(u'\r'));
    require(!content.byteOrderMark || content.encoding == TextEncoding::Utf8);

    // Saved unchanged, the file reads back as the same text in the same format, and saving
    // that writes the same bytes again.
    const QByteArray saved = encodeTextFile(content.text, content);
    const TextFileContent again = decodeTextFile(saved);
    require(again.text == content.text);
    require(again.lineEnd == content.lineEnd);
    require(again.encoding == content.encoding);
    require(again.byteOrderMark == content.byteOrderMark);
    require(encodeTextFile(again.text, again) == saved);
    // A file whose line ends are all of its first line's kind is written byte for byte.
    if (lineEndsAllOfKind(bytes, content.lineEnd))
        require(saved == bytes);

    const QString utf8Text = editorText(QString::fromUtf8(bytes));
    const QString latin1Text = editorText(QString::fromLatin1(bytes));
    for (const TextLineEnd lineEnd : {TextLineEnd::CrLf, TextLineEnd::Lf}) {
        for (const TextFileContent& format :
             {TextFileContent{{}, lineEnd, TextEncoding::Utf8, false},
              TextFileContent{{}, lineEnd, TextEncoding::Utf8, true},
              TextFileContent{{}, lineEnd, TextEncoding::Latin1, false}}) {
            checkEditedSave(utf8Text, format);
            checkEditedSave(latin1Text, format);
        }
    }
    return 0;
}

#include "dialogs/TextFileContent.h"

#include <QStringDecoder>

namespace {

TextLineEnd firstLineEnd(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return TextLineEnd::Lf;
        if (bytes[i] == '\r')
            return TextLineEnd::CrLf;
    }
    return TextLineEnd::CrLf;
}

/// '\n' for every CR LF, CR alone and LF alone.
QString joinedLines(const QString& decoded)
{
    QString text;
    text.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded[i];
        if (c == u'\r') {
            text.append(u'\n');
            if (i + 1 < decoded.size() && decoded[i + 1] == u'\n')
                ++i;
        } else {
            text.append(c);
        }
    }
    return text;
}

bool fitsLatin1(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

/// True when bytes written as Latin-1 would be read back as other text: they hold a byte
/// beyond ASCII and are valid UTF-8 (as "\xC3\xA9" from the two characters of "Ã©").
bool readsBackAsUtf8(QByteArrayView latin1)
{
    bool beyondAscii = false;
    for (const char c : latin1)
        beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
    if (!beyondAscii)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(latin1);
    return !utf8.hasError();
}

} // namespace

TextFileContent decodeTextFile(QByteArrayView bytes)
{
    TextFileContent content;
    content.lineEnd = firstLineEnd(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString decoded = utf8(bytes);
    if (utf8.hasError()) {
        decoded = QString::fromLatin1(bytes);
        content.encoding = TextEncoding::Latin1;
    } else if (decoded.startsWith(QChar::ByteOrderMark)) {
        decoded.remove(0, 1);
        content.byteOrderMark = true;
    }
    content.text = joinedLines(decoded);
    return content;
}

QByteArray encodeTextFile(const QString& text, const TextFileContent& format)
{
    QString lines = text;
    if (format.lineEnd == TextLineEnd::CrLf)
        lines.replace(u'\n', QStringLiteral("\r\n"));
    if (format.encoding == TextEncoding::Latin1 && fitsLatin1(lines)) {
        QByteArray latin1 = lines.toLatin1();
        if (!readsBackAsUtf8(latin1))
            return latin1;
    }
    QByteArray bytes = lines.toUtf8();
    // A text that itself begins with a byte-order mark keeps it only behind a mark of the
    // file's own: reading takes the first one away.
    if (format.byteOrderMark || lines.startsWith(QChar::ByteOrderMark))
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

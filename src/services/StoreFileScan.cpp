#include "services/StoreFileScan.h"

#include "services/TextData.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <iterator>

namespace storefile {
namespace {

struct Line
{
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1; ///< position of the first '=' outside quotes, -1 when none
};

bool isLineBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isValueBlank(char c)
{
    return c == ' ' || c == '\t';
}

int octalValue(char c)
{
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

/// The next line from `pos`. A line ends at a line end or a ';' outside quotes; a backslash
/// takes the next character with it (so a backslash before a line end continues the line); a
/// line that starts with ';' is a comment and is skipped. False when no line is left.
bool nextLine(QByteArrayView data, qsizetype& pos, Line& line)
{
    const qsizetype size = data.size();
    qsizetype start = pos;
    while (start < size && isLineBlank(data[start]))
        ++start;
    qsizetype equals = -1;
    bool quoted = false;
    qsizetype i = start;
    bool ended = false;
    while (i < size && !ended) {
        const char c = data[i++];
        switch (c) {
        case '=':
            if (!quoted && equals < 0)
                equals = i - 1;
            break;
        case '\n':
        case '\r':
            if (!quoted) {
                --i;
                ended = true;
            }
            break;
        case '\\':
            if (i < size) {
                const char next = data[i++];
                if (i < size) {
                    const char after = data[i];
                    if ((next == '\n' && after == '\r') || (next == '\r' && after == '\n'))
                        ++i;
                }
            }
            break;
        case '"':
            quoted = !quoted;
            break;
        case ';':
            if (i == start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < size && isLineBlank(data[i]))
                    ++i;
                start = i;
            } else if (!quoted) {
                --i; // the comment begins the next line
                ended = true;
            }
            break;
        default:
            break;
        }
    }
    pos = i;
    line = Line{start, i - start, equals};
    return line.length > 0;
}

/// The character a one-letter escape stands for; 0 when the letter is no such escape.
char simpleEscape(char letter)
{
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'},
                                           {'n', '\n'}, {'r', '\r'},  {'t', '\t'},
                                           {'v', '\v'}, {'"', '"'},   {'?', '?'},
                                           {'\'', '\''}, {'\\', '\\'}};
    for (const auto& escape : kEscapes) {
        if (escape[0] == letter)
            return escape[1];
    }
    return 0;
}

/// Reads the value of an entry into its text or list items, undoing quotes and escapes.
/// Blanks at the start of an item are skipped; blanks at its end are dropped unless the item
/// was quoted or they came from an escape.
void readValue(QByteArrayView value, Entry& entry)
{
    const qsizetype size = value.size();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString current;
    qsizetype keepFrom = 0; // trailing blanks before this index are kept
    bool inQuotes = false;
    bool currentQuoted = false;
    bool cutShort = false; // the value ended inside an escape: no blanks are dropped
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < size && isValueBlank(value[i]))
            ++i;
        keepFrom = current.size();
    };
    const auto dropTrailingBlanks = [&] {
        while (current.size() > keepFrom &&
               (current.back() == u' ' || current.back() == u'\t'))
            current.chop(1);
    };
    skipBlanks();
    while (i < size && !cutShort) {
        const char c = value[i];
        if (c == '\\') {
            if (++i >= size) {
                cutShort = true;
                break;
            }
            const char letter = value[i++];
            if (const char plain = simpleEscape(letter)) {
                current += QLatin1Char(plain);
            } else if (letter == 'x') {
                if (i >= size) {
                    cutShort = true;
                    break;
                }
                if (hexDigitValue(value[i]) >= 0) {
                    char16_t code = 0;
                    while (i < size && hexDigitValue(value[i]) >= 0)
                        code = static_cast<char16_t>(code * 16 + hexDigitValue(value[i++]));
                    current += QChar(code);
                    cutShort = i >= size;
                }
            } else if (octalValue(letter) >= 0) {
                auto code = static_cast<char16_t>(octalValue(letter));
                while (i < size && octalValue(value[i]) >= 0)
                    code = static_cast<char16_t>(code * 8 + octalValue(value[i++]));
                current += QChar(code);
                cutShort = i >= size;
            } else if (letter == '\n' || letter == '\r') {
                if (i < size && (value[i] == '\n' || value[i] == '\r') && value[i] != letter)
                    ++i;
            }
            // Any other escaped character is dropped.
            keepFrom = current.size();
        } else if (c == '"') {
            ++i;
            currentQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!currentQuoted)
                dropTrailingBlanks();
            entry.isList = true;
            entry.texts.append(current);
            current.clear();
            currentQuoted = false;
            ++i;
            skipBlanks();
        } else {
            qsizetype end = i + 1;
            while (end < size && value[end] != '\\' && value[end] != '"' && value[end] != ',')
                ++end;
            current += QString(utf8(value.sliced(i, end - i)));
            i = end;
        }
    }
    if (!cutShort && !currentQuoted)
        dropTrailingBlanks();
    entry.texts.append(current);
}

} // namespace

Scan scanStoreFile(QByteArrayView bytes)
{
    Scan scan;
    QByteArrayView data = bytes;
    if (data.startsWith("\xef\xbb\xbf"))
        data = data.sliced(3);
    QByteArray section;
    qsizetype pos = 0;
    Line line;
    while (nextLine(data, pos, line)) {
        const QByteArrayView text = data.sliced(line.start, line.length);
        if (text.startsWith('[')) {
            ++scan.sectionLines;
            const qsizetype close = text.indexOf(']');
            section = text.sliced(1, (close < 0 ? text.size() : close) - 1).trimmed().toByteArray();
        } else if (line.equals >= 0) {
            const qsizetype equals = line.equals - line.start;
            Entry entry;
            entry.section = section;
            entry.key = text.first(equals).trimmed().toByteArray();
            readValue(text.sliced(equals + 1), entry);
            scan.entries.push_back(std::move(entry));
        } else {
            ++scan.otherLines;
        }
    }
    return scan;
}

bool isStreamedObject(const QString& text)
{
    const bool variant = text.startsWith(QLatin1StringView("@Variant("));
    if (!(variant || text.startsWith(QLatin1StringView("@DateTime("))) || !text.endsWith(u')'))
        return false;
    if (!variant)
        return true; // a date may carry a time zone, which streams a name of any length
    // The stream opens with the type number, four bytes big-endian; the reader takes each
    // character as one byte.
    const QByteArray stream = QStringView(text).sliced(9).toLatin1();
    if (stream.size() < 4)
        return true;
    // Stream type numbers of the fixed-size numbers: bool, int, uint, long long, unsigned long
    // long, double.
    constexpr quint32 kNumberTypes[] = {1, 2, 3, 4, 5, 6};
    const quint32 type = qFromBigEndian<quint32>(stream.constData());
    return std::find(std::begin(kNumberTypes), std::end(kNumberTypes), type) ==
           std::end(kNumberTypes);
}

bool holdsStreamedObjects(const Scan& scan)
{
    return std::any_of(scan.entries.begin(), scan.entries.end(), [](const Entry& entry) {
        return std::any_of(entry.texts.begin(), entry.texts.end(), isStreamedObject);
    });
}

} // namespace storefile

#include "database/WorkingSet.h"

#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "database/ElementFile.h"
#include "services/AtomicFile.h"
#include "services/ProgramFolder.h"
#include "services/TextData.h"
#include "services/TextLineReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <deque>
#include <memory>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t kLinesPerSet = 3;
/// The longest line kept [bytes]: far more than a name or an element line (69 characters)
/// takes, so only a line that no working set holds is cut.
constexpr qsizetype kMaxLineBytes = 1024;

/// Set when the file existed at start but could not be read: it is then kept as it is.
bool g_fileHeld = false;

WorkingSetOpener g_opener;

std::unique_ptr<QIODevice> openForReading(const QString& path)
{
    if (g_opener)
        return g_opener(path);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

/// A name line as the user is shown it: trimmed, characters that do not print and bytes that
/// are no UTF-8 as '?', and cut short.
QString shownName(const std::string& line)
{
    // Decoded with a NUL for each byte that is no UTF-8, which then shows as '?' (not as the
    // replacement glyph the plain decoding gives).
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInvalidToNull);
    const QString decoded = decoder(QByteArrayView(line.data(), qsizetype(line.size())));
    return printableExcerpt(decoded.trimmed());
}

/// The most characters of a name the program writes (the parsed name is cut to this).
constexpr qsizetype kLongestWrittenName = 24;

struct FileLine
{
    QByteArray text;
    qint64 number = 0;   ///< 1-based
    qint64 previous = 0; ///< the number of the line of text before it; 0 for none
    bool cut = false;
};

bool isBlank(const QByteArray& line)
{
    return line.trimmed().isEmpty();
}

qsizetype characterCount(const QByteArray& utf8)
{
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

bool canNameASet(const FileLine& line)
{
    // Guard: a set without a name is skipped rather than left as an unnamed hole among the
    // active slots.
    if (line.cut || isBlank(line.text))
        return false;
    // Guard: a stray element line before a set that lost its name line would otherwise be
    // taken as that set's name. A name the program writes is far shorter than an element line.
    const bool elementLine = line.text.startsWith("1 ") || line.text.startsWith("2 ");
    return !elementLine || characterCount(line.text) <= kLongestWrittenName;
}

std::string_view textOf(const FileLine& line)
{
    return {line.text.constData(), static_cast<std::size_t>(line.text.size())};
}

/// Whether the three lines are the name and the element lines of one set.
bool isSet(const FileLine& name, const FileLine& line1, const FileLine& line2)
{
    return canNameASet(name) && !line1.cut && !line2.cut &&
           judgeElementSet(textOf(line1), textOf(line2)) != SetJudgement::Refused;
}

/// Adds a line to the lines left out, joining it to the run just before it (blank lines between
/// them do not part them).
void skipLine(const FileLine& line, std::vector<LeftOutLines>& skipped)
{
    if (skipped.empty() || skipped.back().lastLine != line.previous)
        skipped.push_back(LeftOutLines{line.number, line.number, {}});
    LeftOutLines& run = skipped.back();
    run.lastLine = line.number;
    if (run.excerpt.isEmpty() && !isBlank(line.text))
        run.excerpt = shownName(line.text.toStdString());
}

/// Copies a file, block by block (the file may be large), through a temporary file that is
/// then given `copyName` or the first free numbered name after it (moveToFreeName), so an
/// older copy is never replaced. Returns the name of the copy; empty when none was made.
QString copyFileAtomically(const QString& source, const QString& copyName)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    SavingFile out(copyName, SavingFile::Use::NewCopy);
    if (!out.open())
        return {};
    constexpr qint64 kBlock = 1 << 16;
    QByteArray block(kBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), kBlock);
        if (got < 0)
            return {};
        if (got == 0)
            break;
        if (!out.write(QByteArrayView(block.constData(), got)))
            return {};
    }
    return out.keepAs(copyName);
}

} // namespace

bool Salva_Ini()
{
    // Guard: a file that could not be read at start still holds the user's satellites; the
    // empty or partial working set of this run is not written over it.
    if (g_fileHeld)
        return false;
    const int count = std::clamp<int>(Numero_satelliti, 0, kMaxActiveSatellites);
    QString text;
    const auto appendLine = [&text](const std::string& line) {
        text += QString::fromStdString(line);
        text += QStringLiteral("\r\n");
    };
    for (int slot = 1; slot <= count; ++slot) {
        appendLine(Satelement[slot].Nome_satellite);
        appendLine(RigaDati[slot].Riga1);
        appendLine(RigaDati[slot].Riga2);
    }
    return writeFileAtomically(dataFilePath(kWorkingSetFileName), text.toUtf8());
}

std::optional<WorkingSetRead> readWorkingSet(QIODevice& device)
{
    TextLineReader reader(device);
    reader.setMaxLineLength(kMaxLineBytes);
    WorkingSetRead read;
    // The lines read but not yet placed: a set starts at the first of them, or it is skipped and
    // the next set is looked for one line further on.
    std::deque<FileLine> window;
    qint64 lineNumber = 0;
    qint64 lastTextLine = 0;
    // Guard: reading stops after the last set kept, so a huge file is not read to its end.
    while (read.sets.size() < static_cast<std::size_t>(kMaxActiveSatellites)) {
        while (window.size() < kLinesPerSet) {
            FileLine line;
            if (!reader.next(line.text))
                break;
            line.number = ++lineNumber;
            line.cut = reader.lineCut();
            // Blank lines, as editors leave them, hold nothing: they are passed over without a
            // word. A line cut short may hold text beyond its cut, so it is kept.
            if (!line.cut && isBlank(line.text))
                continue;
            line.previous = std::exchange(lastTextLine, line.number);
            window.push_back(std::move(line));
        }
        if (window.size() < kLinesPerSet)
            break;
        if (isSet(window[0], window[1], window[2])) {
            read.sets.push_back(Record_TLE{window[0].text.toStdString(),
                                           window[1].text.toStdString(),
                                           window[2].text.toStdString()});
            read.nameLines.push_back(window[0].number);
            read.lastLines.push_back(window[2].number);
            window.clear();
        } else {
            skipLine(window.front(), read.skipped);
            window.pop_front();
        }
    }
    if (reader.failed())
        return std::nullopt;
    for (const FileLine& line : window) // after the last set: too few lines for another
        skipLine(line, read.skipped);
    return read;
}

namespace {

/// Leggi_Ini, giving what the read found besides the sets.
std::optional<WorkingSetRead> readIntoSlots()
{
    const std::unique_ptr<QIODevice> file = openForReading(dataFilePath(kWorkingSetFileName));
    if (!file)
        return std::nullopt;
    std::optional<WorkingSetRead> read = readWorkingSet(*file);
    if (!read)
        return std::nullopt;
    int slot = 0;
    for (const Record_TLE& set : read->sets)
        RigaDati[++slot] = set;
    Numero_satelliti = static_cast<std::int16_t>(slot);
    return read;
}

} // namespace

bool Leggi_Ini()
{
    return readIntoSlots().has_value();
}

WorkingSetLoad loadWorkingSetSlots()
{
    WorkingSetLoad load;
    Numero_satelliti = 0;
    g_fileHeld = false;
    const std::optional<WorkingSetRead> read = readIntoSlots();
    if (!read) {
        g_fileHeld = QFileInfo::exists(dataFilePath(kWorkingSetFileName));
        load.held = g_fileHeld;
        return load;
    }
    load.read = true;
    const int count = Numero_satelliti;
    int kept = 0;
    auto skipped = read->skipped.cbegin();
    for (int slot = 1; slot <= count; ++slot) {
        const qint64 nameLine = read->nameLines[static_cast<std::size_t>(slot - 1)];
        const qint64 lastLine = read->lastLines[static_cast<std::size_t>(slot - 1)];
        for (; skipped != read->skipped.cend() && skipped->firstLine < nameLine; ++skipped)
            load.unusable.append(*skipped);
        const Record_TLE lines = RigaDati[slot];
        if (mSat::Estrai_Dati_Satellite(kept + 1, lines.Riga0, lines.Riga1, lines.Riga2) ==
            mSat::Status::Ok)
            ++kept;
        else
            load.unusable.append(LeftOutLines{nameLine, lastLine, shownName(lines.Riga0)});
    }
    load.unusable.append(QList<LeftOutLines>(skipped, read->skipped.cend()));
    for (int slot = kept + 1; slot <= count; ++slot) {
        mSat::Azzera_Satelement(slot);
        mSat::Azzera_RigaDati(slot);
    }
    Numero_satelliti = static_cast<std::int16_t>(kept);
    if (!load.unusable.isEmpty()) {
        const QString file = dataFilePath(kWorkingSetFileName);
        load.damagedCopy = copyFileAtomically(file, file + kDamagedFileSuffix);
        // Guard: without a copy the file is the only place that holds the sets left out; it
        // is kept as it is, as an unreadable one, so that no save of this run drops them.
        if (load.damagedCopy.isEmpty()) {
            g_fileHeld = true;
            load.held = true;
        }
    }
    return load;
}

bool workingSetFileHeld()
{
    return g_fileHeld;
}

bool saveWorkingSet()
{
    return g_fileHeld || Salva_Ini();
}

void setWorkingSetOpener(WorkingSetOpener opener)
{
    g_opener = std::move(opener);
    g_fileHeld = false;
}

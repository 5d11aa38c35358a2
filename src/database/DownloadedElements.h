#pragma once
// What the download window accepts as an element file: a reply that is not one (an error page
// sent with a success status, a binary), or one cut short, must not replace an element file,
// least of all the primary database's, which the program reads again at the next start.

#include "database/ElementFile.h"
#include "database/HttpDownload.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <string>

/// What is wrong with a downloaded element file as a whole.
enum class ElementFileFault {
    None,      ///< the element reader reads it to its end; some sets may still be damaged
    NoSets,    ///< no set the reader keeps: not an element file
    BrokenSet, ///< after sets the reader keeps, a set it cannot get past (no epoch year)
    /// It ends inside a set, or inside its last line where that line 2 leaves its set out:
    /// the transfer was cut.
    CutShort,
    /// No set the reader keeps within the first ElementFileCheck::Limits::bytesWithoutSet
    /// bytes: no element file (a server sending blank lines for ever), refused before its end.
    NoSetsEarly,
    /// A line longer than ElementFileCheck::Limits::lineBytes, which no element file holds.
    LineTooLong,
    /// After a set the reader keeps, no other within ElementFileCheck::Limits::bytesWithoutSet
    /// bytes (a server sending blank lines for ever once it has sent a set).
    NoNewSetsEarly,
    /// More than ElementFileCheck::Limits::totalBytes bytes: far more than any element file,
    /// however good its sets (a server sending them for ever).
    TooLarge,
};

/// What the check of a downloaded element file found.
struct ElementCheckVerdict
{
    ElementFileFault fault = ElementFileFault::None;
    /// BrokenSet: the 1-based line of that set's line 1; LineTooLong: that line.
    qint64 brokenSetLine = 0;
    /// Sets whose three lines were all there, as the reader counts them.
    qint64 sets = 0;
    /// Sets among them that the reader leaves out (a missing or non-numeric column) or reads
    /// although a checksum does not match.
    qint64 damagedSets = 0;
    /// The line 1 of the first damaged set; 0 when none.
    qint64 firstDamagedLine = 0;
};

/// Judges an element file as it arrives, in pieces of any size, by the element reader's rules
/// (ElementFile.h): lines end in CR LF, LF or CR wherever the pieces are cut, three lines per
/// set, each set judged as the reader judges it. A file the reader reads is accepted, its
/// damaged sets counted, with one exception: a last line without a line end that is the line
/// 2 of a set the reader leaves out is where a cut transfer ends, and the reader would not
/// read that file whole. Beyond that, a file is refused at its Limits, far beyond anything an
/// element file holds. Only the set being read is held, so memory stays small whatever the
/// size of the file.
class ElementFileCheck
{
public:
    /// Where the check stops reading a file that cannot be an element file, however it goes
    /// on: a server streaming blank lines, or one endless line, would otherwise be written
    /// until the disk is full.
    struct Limits
    {
        /// Bytes read without a set the reader keeps, from the start or from the last one: a
        /// whole public catalogue is a few MB and its sets follow one another.
        qint64 bytesWithoutSet = qint64(16) * 1024 * 1024;
        /// The longest line taken: element lines are 69 characters, names a few dozen.
        qint64 lineBytes = 64 * 1024;
        /// The largest file taken: some fifty times a whole public catalogue.
        qint64 totalBytes = qint64(256) * 1024 * 1024;
    };

    ElementFileCheck() = default;
    explicit ElementFileCheck(const Limits& limits) : m_limits(limits) {}
    [[nodiscard]] const Limits& limits() const { return m_limits; }

    /// Takes the next bytes of the file.
    void feed(QByteArrayView bytes);
    /// Whether the file is refused already, whatever may follow: a set the reader cannot get
    /// past, or a limit passed. Short of the limits, lines the reader skips and sets it leaves
    /// out are no reason: the reader reads a good set that comes after them.
    [[nodiscard]] bool refusedAlready() const { return m_failed; }
    /// The verdict once every byte has been fed, or once the file was refused already.
    [[nodiscard]] ElementCheckVerdict finish();

    /// Bytes of the file held now (the unfinished line and the set being read).
    [[nodiscard]] qsizetype heldBytes() const;

private:
    enum class Expect { Name, Line1, Line2 };

    /// Fails the check when `bytesRead` bytes of the file pass one of its limits.
    bool passedLimit(qint64 bytesRead);
    void takeLine();
    void takeSet(const std::string& line2);
    void fail(ElementFileFault fault, qint64 line);

    Limits m_limits;
    QByteArray m_line;              // the line being received, at most kMaxHeldLineBytes of it
    bool m_lineTextNotHeld = false; // the part of a long line not held has more than blanks
    bool m_afterCarriageReturn = false;
    bool m_atStart = true;      // before the first line: a byte-order mark is dropped
    bool m_lineStarted = false; // bytes of an unfinished line have arrived
    qint64 m_lineBytes = 0;     // bytes of the unfinished line, held or not
    qint64 m_bytesTaken = 0;    // bytes of the file fed before the piece being taken
    qint64 m_lineNumber = 0;    // lines completed
    Expect m_expect = Expect::Name;
    bool m_blankNameCandidate = false; // the last line was blank: the name of a nameless set?
    std::string m_line1;
    qint64 m_line1Number = 0;
    bool m_lastSetLeftOut = false; // the reader leaves out the set taken last
    qint64 m_keptSets = 0;
    qint64 m_lastSetEnd = 0; // where in the file the last set kept ended (0: none yet)
    bool m_failed = false;
    ElementFileFault m_failure = ElementFileFault::None;
    qint64 m_failureLine = 0;
    ElementCheckVerdict m_counts;
};

/// Whether a download into `path` is saved as an element file: it is the primary database's
/// file `primaryDatabase`, or its name ends in one of the element files' extensions (.txt,
/// .tle, in any letter case). Any other file is saved as it comes.
[[nodiscard]] bool isElementFileTarget(const QString& path, const QString& primaryDatabase);

/// The check of a body saved as an element file: ElementFileCheck's verdict as a download's.
[[nodiscard]] std::unique_ptr<BodyCheck> makeElementBodyCheck();

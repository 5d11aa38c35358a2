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
    NoSets,    ///< no well-formed set where an element file would have one: not an element file
    BrokenSet, ///< after well-formed sets, a set the reader cannot get past (no epoch year)
    CutShort,  ///< it ends inside a line or inside a set: the transfer was cut
};

/// What the check of a downloaded element file found.
struct ElementCheckVerdict
{
    ElementFileFault fault = ElementFileFault::None;
    /// BrokenSet: the 1-based line of that set's line 1.
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
/// set, each set judged as the reader judges it. Only the set being read is held, so memory
/// stays small whatever the size of the file.
class ElementFileCheck
{
public:
    /// A file whose first well-formed set has not ended within this many bytes is taken for
    /// something else (a web page, a binary, an endless stream): a real element file starts
    /// with a set of about 170 bytes, so this leaves room for a thousand damaged sets or
    /// blank lines before it, and a large reply that is no element file is refused after its
    /// first quarter megabyte instead of at its end.
    static constexpr qint64 kMaxBytesBeforeFirstSet = 256 * 1024;

    /// Takes the next bytes of the file.
    void feed(QByteArrayView bytes);
    /// Whether the file is refused already, whatever may follow (a set the reader cannot get
    /// past, or no well-formed set within kMaxBytesBeforeFirstSet): the download may stop.
    [[nodiscard]] bool refusedAlready() const;
    /// The verdict once every byte has been fed, or once the file was refused already.
    [[nodiscard]] ElementCheckVerdict finish();

    /// Bytes of the file held now (the unfinished line and the set being read).
    [[nodiscard]] qsizetype heldBytes() const;

private:
    enum class Expect { Name, Line1, Line2 };

    void takeLine(qint64 endOffset);
    SetJudgement takeSet(const std::string& line2);
    [[nodiscard]] bool lastLineIsWhole() const;
    void fail(qint64 line);

    QByteArray m_line;           // the line being received, at most kMaxHeldLineBytes of it
    bool m_afterCarriageReturn = false;
    bool m_atStart = true;       // before the first line: a byte-order mark is dropped
    bool m_lineStarted = false;  // bytes of an unfinished line have arrived
    qint64 m_fedBytes = 0;
    qint64 m_lineNumber = 0;     // lines completed
    Expect m_expect = Expect::Name;
    bool m_blankNameCandidate = false; // the last line was blank: the name of a nameless set?
    std::string m_name;
    std::string m_line1;
    qint64 m_line1Number = 0;
    bool m_failed = false;
    qint64 m_failureLine = 0;
    qint64 m_firstSetEnd = -1; // byte offset where the first well-formed set ended
    ElementCheckVerdict m_counts;
};

/// Whether a download into `path` is saved as an element file: it is the primary database's
/// file `primaryDatabase`, or its name ends in one of the element files' extensions (.txt,
/// .tle, in any letter case). Any other file is saved as it comes.
[[nodiscard]] bool isElementFileTarget(const QString& path, const QString& primaryDatabase);

/// The check of a body saved as an element file: ElementFileCheck's verdict as a download's.
[[nodiscard]] std::unique_ptr<BodyCheck> makeElementBodyCheck();

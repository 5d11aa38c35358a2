#pragma once
// What the download window accepts as an element file: a reply that is not one (an error page
// sent with a success status, a binary) must not replace an element file, least of all the
// primary database's, which the program reads again at the next start.

#include "database/HttpDownload.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <string>

/// What the check of a downloaded element file found.
struct ElementCheckVerdict
{
    /// The element reader would read the file to its end without failure, and at least one of
    /// its sets is a well-formed element set (both lines numbered, numeric fields and orbit
    /// within the propagators' range).
    bool holdsSets = false;
    /// 1-based line where the element reader would stop (a set without its two element lines,
    /// an epoch year that is no number) after well-formed sets; 0 when none was found.
    qint64 malformedSetLine = 0;
};

/// Judges an element file as it arrives, in pieces of any size, by the element reader's rules
/// (ElementFile.h): lines end in CR LF, LF or CR wherever the pieces are cut, three lines per set.
/// Only the set being read is held, so memory stays small whatever the size of the file.
class ElementFileCheck
{
public:
    /// Takes the next bytes of the file.
    void feed(QByteArrayView bytes);
    /// The verdict once every byte has been fed; the file's last line needs no line end.
    [[nodiscard]] ElementCheckVerdict finish();

    /// Bytes of the file held now (the unfinished line and the set being read).
    [[nodiscard]] qsizetype heldBytes() const;

private:
    enum class Expect { Name, Line1, Line2 };

    void takeLine();
    void takeSet();
    void fail(qint64 line);

    QByteArray m_line;           // the line being received, at most kMaxHeldLineBytes of it
    bool m_afterCarriageReturn = false;
    bool m_atStart = true;       // before the first line: a byte-order mark is dropped
    bool m_lineStarted = false;  // bytes of an unfinished line have arrived
    qint64 m_lineNumber = 0;     // lines completed
    Expect m_expect = Expect::Name;
    bool m_blankNameCandidate = false; // the last line was blank: the name of a nameless set?
    std::string m_name;
    std::string m_line1;
    qint64 m_line1Number = 0;
    bool m_failed = false;
    bool m_wellFormedSeen = false;
    qint64 m_failureLine = 0;
};

/// Whether a download into `path` is saved as an element file: it is the primary database's
/// file `primaryDatabase`, or its name ends in one of the element files' extensions (.txt,
/// .tle, in any letter case). Any other file is saved as it comes.
[[nodiscard]] bool isElementFileTarget(const QString& path, const QString& primaryDatabase);

/// The check of a body saved as an element file: ElementFileCheck's verdict as a download's.
[[nodiscard]] std::unique_ptr<BodyCheck> makeElementBodyCheck();

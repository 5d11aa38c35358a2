#pragma once
// Reading an element file: three lines per satellite, a name line and the two element lines of
// the standard two-line format. Lines may end in CR LF, LF or CR. Blank lines between sets are
// skipped; a blank line followed by an element line 1 is the empty name line of a set without a
// name. A UTF-8 byte-order mark before the first line is dropped.
//
// The file is read completely before anything uses it, so a file that turns out to be broken
// part way changes nothing. Every set must have its two element lines, and line 1 columns 19-20
// (the epoch year) must hold a whole number, or the file is broken. A set whose element columns
// are no numbers (letters, a missing column, an epoch day outside the year) is left out and
// counted; a set whose checksum does not match is kept and counted, as published files
// sometimes carry such sets.

#include "common/Record_TLE.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <string_view>
#include <vector>

class QIODevice;

enum class ReadStatus {
    Complete,           ///< every set of the file was read
    Cancelled,          ///< stopped by the user; the sets before the stop were read
    NoFileName,         ///< no file was named
    OpenFailed,         ///< the file cannot be opened
    ReadFailed,         ///< the file could not be read to its end
    SetTruncated,       ///< the file ends inside a set
    EpochYearNotNumber, ///< line 1 of a set holds no whole number in columns 19-20
    NoSets,             ///< the file holds no element set
};

/// True for the statuses after which the file's sets must not be used.
[[nodiscard]] bool isReadFailure(ReadStatus status);

/// How a read takes one set whose three lines are all there.
enum class SetJudgement {
    Kept,          ///< read and used
    WrongChecksum, ///< read and used, although a checksum does not match
    Refused,       ///< left out: a column the parser reads is missing or no number
};

/// The reader's judgement of a set by its two element lines.
[[nodiscard]] SetJudgement judgeElementSet(std::string_view line1, std::string_view line2);

/// Whether line 1 holds a whole number in columns 19-20 (the epoch year); a set without one
/// makes the whole file unreadable.
[[nodiscard]] bool hasEpochYear(std::string_view line1);

/// Calls a read makes while it runs; either may be empty. The window's hooks let the event
/// loop run, so that a Cancel button can be pressed during a long read.
struct ReadHooks
{
    /// After every set, and now and then among blank lines: bytes consumed so far.
    std::function<void(qint64 bytesRead)> progress;
    /// Before every set, and now and then among blank lines: true stops the read.
    std::function<bool()> shouldCancel;
};

struct ElementFileRead
{
    ReadStatus status = ReadStatus::Complete;
    std::vector<Record_TLE> sets; ///< in file order; on a failure the sets before it
    qint64 totalBytes = 0;        ///< size of the file, for a progress bar's maximum
    int problemLine = 0;          ///< 1-based line where a failure was found; 0 when none
    int refusedSets = 0;          ///< sets left out because their columns are no numbers
    int wrongChecksums = 0;       ///< sets kept although a checksum does not match
};

/// Reads element sets from an open device until its end.
[[nodiscard]] ElementFileRead readElementSets(QIODevice& device, const ReadHooks& hooks = {});

/// Opens and reads an element file.
[[nodiscard]] ElementFileRead readElementFile(const QString& path, const ReadHooks& hooks = {});

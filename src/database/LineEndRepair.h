#pragma once
// Line-end repair of element files. Files saved on other systems end their lines with LF or
// CR alone, or mix the three kinds; the repair rewrites a file so that every line is trimmed
// of surrounding blanks and ended by CR LF.
//
// Bytes other than the line ends and the trimmed blanks pass unchanged (the text is not
// decoded). CR LF, LF alone and CR alone each end a line.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class LineEndRepairStatus {
    Repaired,        ///< the file now holds the repaired text
    NothingToRepair, ///< every line already ended in CR LF without blanks around it: untouched
    EmptyFile,       ///< the file has no content; it was not touched
    ReadFailed,      ///< the file could not be opened or read; it was not touched
    WriteFailed,     ///< the repaired text could not be written; the file is as it was
};

/// The repaired text and what the repair changed.
struct RepairedText
{
    QByteArray text;
    qsizetype lineEndsChanged = 0; ///< line ends that were LF or CR alone, or missing at the end
    qsizetype linesTrimmed = 0;    ///< lines that lost blanks before or after their text
};

/// The repaired text: each line (ended by CR LF, LF or CR, or the last line without an end)
/// with leading and trailing blanks (the space character only) removed and ended by CR LF. A
/// final line end does not start a further, empty line, so repairing twice changes nothing more.
[[nodiscard]] RepairedText repairText(QByteArrayView content);
[[nodiscard]] inline QByteArray repairedLineEnds(QByteArrayView content)
{
    return repairText(content).text;
}

struct LineEndRepairResult
{
    LineEndRepairStatus status = LineEndRepairStatus::EmptyFile;
    qsizetype lineEndsChanged = 0;
    qsizetype linesTrimmed = 0;
};

/// Repairs the file at `path` in place when anything needs repair. The new text is written to
/// a temporary file beside it that replaces the original only once it is complete, so a failure
/// leaves the original as it was. There is no limit on the number of lines.
[[nodiscard]] LineEndRepairResult repairLineEnds(const QString& path);

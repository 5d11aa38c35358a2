#pragma once
// Line-end repair of element files. The element-file readers expect every line ended by
// CR LF; files saved on other systems often end their lines with LF alone. The repair
// rewrites a file so that every line is trimmed of surrounding blanks and ended by CR LF.
//
// Bytes other than the line ends and the trimmed blanks pass unchanged (the text is not
// decoded). A CR not followed by LF is an ordinary character: neither a line end nor removed.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class LineEndRepairStatus {
    Repaired,    ///< the file now holds the repaired text
    EmptyFile,   ///< the file has no content; it was not touched
    ReadFailed,  ///< the file could not be opened or read; it was not touched
    WriteFailed, ///< the repaired text could not be written; the file is as it was
};

/// The repaired text: each line (ended by CR LF or LF, or the last line without an end) with
/// leading and trailing blanks (the space character only) removed and ended by CR LF. A final
/// line end does not start a further, empty line, so repairing twice changes nothing more.
[[nodiscard]] QByteArray repairedLineEnds(QByteArrayView content);

/// Repairs the file at `path` in place. The new text is written to a temporary file beside it
/// that replaces the original only once it is complete, so a failure leaves the original as it
/// was. There is no limit on the number of lines.
[[nodiscard]] LineEndRepairStatus repairLineEnds(const QString& path);

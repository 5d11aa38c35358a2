#pragma once
// Lines of a text device, read a block at a time. A line ends at CR LF, at LF alone or at CR
// alone, so files written on any system read alike; the line end is not part of the line.

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

class TextLineReader
{
public:
    explicit TextLineReader(QIODevice& device);

    /// Reads the next line into `line`; false at the end of the device or when it failed.
    bool next(QByteArray& line);

    /// Lines longer than `bytes` are cut to that length: the rest of such a line is read to
    /// find its end but never held. 0, the default, keeps every line whole.
    void setMaxLineLength(qsizetype bytes) { m_maxLineLength = bytes; }
    /// True when the line last read was cut to the maximum length.
    [[nodiscard]] bool lineCut() const { return m_lineCut; }

    /// True when the device reported an error before its end.
    [[nodiscard]] bool failed() const { return m_failed; }
    /// Bytes of the device consumed by the lines returned so far, line ends included.
    [[nodiscard]] qint64 consumed() const { return m_consumed; }

private:
    bool fill();

    QIODevice& m_device;
    QByteArray m_block;
    qsizetype m_pos = 0;
    qint64 m_consumed = 0;
    qsizetype m_maxLineLength = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_lineCut = false;
};

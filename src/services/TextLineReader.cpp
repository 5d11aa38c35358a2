#include "services/TextLineReader.h"

#include <QIODevice>

#include <algorithm>

namespace {

constexpr qint64 kBlockBytes = 64 * 1024;
constexpr qint64 kSmallestBlockBytes = 256;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

} // namespace

TextLineReader::TextLineReader(QIODevice& device) : m_device(device) {}

bool TextLineReader::fill()
{
    if (m_atEnd)
        return false;
    m_block.remove(0, m_pos);
    m_pos = 0;
    // A small file is read in one block of its own size, a large one a block at a time.
    const qint64 wanted = std::clamp(m_device.bytesAvailable(), kSmallestBlockBytes, kBlockBytes);
    const qsizetype kept = m_block.size();
    m_block.resize(kept + static_cast<qsizetype>(wanted));
    const qint64 got = m_device.read(m_block.data() + kept, wanted);
    m_block.resize(kept + static_cast<qsizetype>(std::max<qint64>(got, 0)));
    if (got <= 0) {
        m_atEnd = true;
        // A read that fails, or gives nothing before the end of the device, is a device failure.
        m_failed = got < 0 || (!m_device.atEnd() && !m_device.isSequential());
        return false;
    }
    return true;
}

bool TextLineReader::next(QByteArray& line)
{
    m_lineCut = false;
    QByteArray kept;      // the start of a line longer than the limit
    bool cutting = false; // the rest of that line is being skipped up to its end
    const auto limited = [this](QByteArray text) {
        if (m_maxLineLength > 0 && text.size() > m_maxLineLength) {
            text.truncate(m_maxLineLength);
            m_lineCut = true;
        }
        return text;
    };
    qsizetype searchFrom = m_pos;
    for (;;) {
        qsizetype end = searchFrom;
        while (end < m_block.size() && m_block[end] != kCarriageReturn && m_block[end] != kLineFeed)
            ++end;
        if (end < m_block.size()) {
            // A CR at the very end of the block may be the first half of CR LF.
            if (m_block[end] == kCarriageReturn && end + 1 == m_block.size()) {
                const qsizetype offset = end - m_pos;
                if (fill()) {
                    searchFrom = offset; // fill() moved the line to the block's start
                    continue;
                }
                end = m_pos + offset;
            }
            qsizetype lineEnd = end + 1;
            if (m_block[end] == kCarriageReturn && lineEnd < m_block.size()
                && m_block[lineEnd] == kLineFeed)
                ++lineEnd;
            line = cutting ? kept : limited(m_block.mid(m_pos, end - m_pos));
            m_lineCut = m_lineCut || cutting;
            m_consumed += lineEnd - m_pos;
            m_pos = lineEnd;
            return true;
        }
        if (m_maxLineLength > 0 && !cutting && end - m_pos > m_maxLineLength) {
            kept = m_block.mid(m_pos, m_maxLineLength);
            cutting = true;
        }
        if (cutting) {
            // Guard: the rest of an overlong line is read only to find its end, never held.
            m_consumed += m_block.size() - m_pos;
            m_pos = m_block.size();
            end = m_pos;
        }
        const qsizetype scanned = end - m_pos;
        if (!fill()) {
            if (cutting) {
                line = kept; // the last line, without a line end
                m_lineCut = true;
                return true;
            }
            if (m_pos >= m_block.size())
                return false;
            line = limited(m_block.mid(m_pos)); // the last line, without a line end
            m_consumed += m_block.size() - m_pos;
            m_pos = m_block.size();
            return true;
        }
        searchFrom = scanned; // fill() moved the unfinished line to the block's start
    }
}

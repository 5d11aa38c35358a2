#include "tracking/FieldReader.h"

#include "services/TextData.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

FieldReader::FieldReader(QString text) : m_text(std::move(text)) {}

bool FieldReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (!isBlank(c) && !isLineEnd(c))
            return false;
    }
    return true;
}

void FieldReader::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text.at(m_pos)))
        ++m_pos;
}

/// Moves past the comma or line end that closes a field (and anything before it).
void FieldReader::skipDelimiter()
{
    while (m_pos < m_text.size()) {
        const QChar c = m_text.at(m_pos++);
        if (c == u',' || c == u'\n')
            return;
        if (c == u'\r') {
            if (m_pos < m_text.size() && m_text.at(m_pos) == u'\n')
                ++m_pos;
            return;
        }
    }
}

std::optional<QString> FieldReader::text()
{
    skipBlanks();
    if (m_pos >= m_text.size())
        return std::nullopt;
    QString field;
    if (m_text.at(m_pos) == u'"') {
        const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
        const qsizetype end = close < 0 ? m_text.size() : close;
        field = m_text.mid(m_pos + 1, end - m_pos - 1);
        m_pos = close < 0 ? m_text.size() : close + 1;
    } else {
        qsizetype end = m_pos;
        while (end < m_text.size() && m_text.at(end) != u',' && !isLineEnd(m_text.at(end)))
            ++end;
        field = m_text.mid(m_pos, end - m_pos);
        while (!field.isEmpty() && isBlank(field.back()))
            field.chop(1);
        m_pos = end;
    }
    skipDelimiter();
    return field;
}

std::optional<double> FieldReader::number()
{
    const std::optional<QString> field = text();
    if (!field)
        return std::nullopt;
    return parseDataNumber(*field);
}

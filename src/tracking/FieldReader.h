#pragma once
// Field-by-field reading of the sequential reference files: fields are separated by commas or
// line ends (CR LF, LF or CR), blanks before a field are skipped, a field may be enclosed in
// double quotes (then it runs to the closing quote and may hold commas), and an unquoted field
// loses its trailing blanks.

#include <QString>

#include <optional>

class FieldReader
{
public:
    explicit FieldReader(QString text);

    /// True when only blanks and line ends are left.
    [[nodiscard]] bool atEnd() const;

    /// The next field as text; nullopt past the end of the text.
    [[nodiscard]] std::optional<QString> text();

    /// The next field as a number ("." or "," as decimal separator); nullopt past the end or
    /// when the field is not a number.
    [[nodiscard]] std::optional<double> number();

private:
    void skipBlanks();
    void skipDelimiter();

    QString m_text;
    qsizetype m_pos = 0;
};

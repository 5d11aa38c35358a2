#pragma once
// Runs part of a test as the program runs under another system locale: the C library's
// locale (which printf, strtod and the streams follow) and QLocale's default both switch, and
// both return when the guard ends.

#include <QLocale>

#include <clocale>
#include <string>

class ScopedLocale
{
public:
    /// `name` as setlocale takes it ("it_IT.UTF-8", "C"); available() tells whether the
    /// machine has it.
    explicit ScopedLocale(const char* name)
    {
        if (const char* current = std::setlocale(LC_ALL, nullptr))
            m_previousC = current;
        m_available = std::setlocale(LC_ALL, name) != nullptr;
        if (m_available)
            QLocale::setDefault(QLocale(QString::fromLatin1(name).section(u'.', 0, 0)));
    }
    ~ScopedLocale()
    {
        std::setlocale(LC_ALL, m_previousC.c_str());
        QLocale::setDefault(m_previousDefault);
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    [[nodiscard]] bool available() const { return m_available; }

private:
    std::string m_previousC = "C";
    QLocale m_previousDefault;
    bool m_available = false;
};

/// The comma-decimal locale the round-trip tests write or read under.
inline constexpr const char* kCommaLocale = "it_IT.UTF-8";

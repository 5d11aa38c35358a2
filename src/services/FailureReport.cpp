#include "services/FailureReport.h"

#include "services/mLang.h"

#include <exception>

FailureReport::FailureReport(QString section, Show show)
    : m_section(std::move(section)), m_show(std::move(show))
{}

bool FailureReport::reportOnce(const QString& key, const QString& detail)
{
    if (!m_told.insert(key + u'\n' + detail).second)
        return false;
    QString text = mLang::Testo_lingua(m_section, key);
    if (!detail.isEmpty())
        text += u'\n' + detail;
    if (m_show)
        m_show(text);
    return true;
}

bool FailureReport::contain(const QString& key, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (...) {
        // Telling the user must not throw out of the handler either.
        try {
            reportOnce(key, currentExceptionText());
        } catch (...) {
        }
        return false;
    }
}

QString currentExceptionText()
{
    try {
        throw;
    } catch (const std::exception& failure) {
        return QString::fromUtf8(failure.what());
    } catch (...) {
        return {};
    }
}

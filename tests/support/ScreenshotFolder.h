#pragma once
// Where the documentation's picture tests write: the folder QUORVANEL_SCREENSHOTS names
// (tools/screenshots.sh sets it and copies the pictures into docs/), else a temporary folder
// removed afterwards, so that every test run makes the pictures too and fails when one of
// them can no longer be made.

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <optional>

class ScreenshotFolder
{
public:
    ScreenshotFolder() : m_path(qEnvironmentVariable("QUORVANEL_SCREENSHOTS"))
    {
        if (m_path.isEmpty())
            m_path = m_temporary.emplace().path();
        QDir().mkpath(m_path);
    }

    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] QString filePath(const QString& name) const { return QDir(m_path).filePath(name); }

private:
    std::optional<QTemporaryDir> m_temporary;
    QString m_path;
};

#pragma once
// Failures contained where Qt calls the program (timer, command, event filter) and told to
// the user once: a handler that fails on every tick or every mouse move shows one message,
// not one a second, and the program goes on.

#include <QString>

#include <functional>
#include <set>

/// Tells the user of each failure once. A failure is a language-file key of the owner's
/// section with an optional detail; the same key and detail are not told again.
class FailureReport
{
public:
    /// Shows a text to the user.
    using Show = std::function<void(const QString& text)>;

    /// Texts from the language section `section`, shown by `show`.
    FailureReport(QString section, Show show);

    /// Shows the text of `key`, and `detail` on a line of its own when there is one, unless
    /// that failure was told before. True when it was told now.
    bool reportOnce(const QString& key, const QString& detail = {});

    /// Runs `work` and contains whatever it throws: the failure is told once under `key`,
    /// with the exception's text as its detail. True when `work` ended normally.
    bool contain(const QString& key, const std::function<void()>& work);

    void setShow(Show show) { m_show = std::move(show); }

private:
    QString m_section;
    Show m_show;
    std::set<QString> m_told;
};

/// The text of the exception being handled; empty for one that is no std::exception. Only
/// inside a catch block.
[[nodiscard]] QString currentExceptionText();

#pragma once
// The texts of one window's own section of the language file, so that the section is spelt
// once per window instead of at every lookup:
//
//   const WindowTexts texts(u"frmDatabase");
//   caption = texts(u"file");
//
// The language-key check of the tests reads such a declaration and the calls through it.

#include "services/mLang.h"

#include <QAnyStringView>
#include <QString>

class WindowTexts
{
public:
    explicit WindowTexts(QStringView section) : m_section(section.toString()) {}

    /// The text of `key` in the window's section; "" when missing.
    [[nodiscard]] QString operator()(QAnyStringView key) const
    {
        return mLang::Testo_lingua(m_section, key);
    }

private:
    QString m_section;
};

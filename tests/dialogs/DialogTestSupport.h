#pragma once
// Shared set-up of the dialog tests: one QApplication for the whole test program (made by the
// global test environment in DialogTestSupport.cpp), and a temporary program folder with a
// small language file.

#include "support/TestFiles.h"

#include <QApplication>
#include <QByteArray>

/// A temporary program folder holding "English.ini" with the texts of the dialogs, chosen as
/// the language file; program state is restored after each test (ProgramStateTest).
class DialogTest : public ProgramStateTest
{
protected:
    void SetUp() override;

    /// Writes a language file of the given name into the program folder.
    void writeLanguageFile(const QString& name, const QByteArray& content);

    /// Makes `name` the language file of the following lookups.
    void useLanguageFile(const QString& name);
};

#pragma once
// Shared set-up of the dialog tests: one QApplication for the whole test program (made by the
// global test environment in DialogTestSupport.cpp), and a temporary program folder with a
// small language file.

#include "support/TestFiles.h"

#include <QApplication>
#include <QByteArray>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

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

/// Answers every message box that opens while it lives: records its text and presses
/// `button` (or the box's escape button when it has no such button).
class MessageBoxAnswers
{
public:
    explicit MessageBoxAnswers(QMessageBox::StandardButton button = QMessageBox::Ok);

    QStringList texts;

private:
    void answer();

    QMessageBox::StandardButton m_button;
    QTimer m_timer;
};

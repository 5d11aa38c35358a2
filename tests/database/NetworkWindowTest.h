#pragma once
// Shared set-up of the download and clock-synchronisation window tests: the application, a
// temporary program folder and option store with the program's English language file, and
// helpers that find a window's controls and its open message.

#include "LocalServer.h"
#include "support/TestFiles.h"

#include "controls/GraphButton/GraphButton.h"

#include <QLabel>
#include <QMessageBox>
#include <QWidget>

class NetworkWindowTest : public ProgramStateTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// The text of `key` in `section` of the English language file; fails the test when empty.
    static QString english(const char* section, const char* key);

    template <class Control> static Control* control(const QWidget& window, const char* name)
    {
        auto* found = window.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << "no control " << name;
        return found;
    }

    static QString labelText(const QWidget& window, const char* name);
    static QString caption(const QWidget& window, const char* name);
    static bool isEnabled(const QWidget& window, const char* name);
    static void click(const QWidget& window, const char* name);

    /// The message box the window shows, once it is open; null when none opens in time.
    static QMessageBox* waitForMessage(const QWidget& window, int timeoutMs = 10000);
    /// The message's text, after which the message is dismissed.
    static QString dismissMessage(const QWidget& window);
    [[nodiscard]] static bool hasMessage(const QWidget& window);
};

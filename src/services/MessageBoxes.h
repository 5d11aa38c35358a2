#pragma once
// The program's message boxes: wide enough for their title beside the window manager's
// title-bar buttons, not only for their text. A box sized by its text alone ("Connection
// refused") leaves the window manager room for a few letters of the title ("Qu... el").

#include <QMessageBox>
#include <QString>

/// Room the window manager takes from a title bar for the window icon, the minimise,
/// maximise and close buttons and the margins around the title [px].
inline constexpr int kTitleBarAllowancePx = 160;

/// Smallest width [px] a window needs to show `title` whole in its title bar.
[[nodiscard]] int titleBarWidth(const QString& title);

/// Widens `box` to titleBarWidth of its title, once. Call it after the last change of the
/// box's text, icon and buttons: those rebuild the box's layout.
void fitMessageToTitle(QMessageBox& box);

/// Fits every message box of the program to its title as it is shown, those of QMessageBox's
/// static functions included. Installed once, on the application object.
void fitEveryMessageToTitle();

/// A modal message, as QMessageBox's static functions show one, fitted to its title; returns
/// the button pressed.
QMessageBox::StandardButton
showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

/// A message over `parent` that does not stop the caller: modal for the user, while the
/// window's connections and timers go on. Fitted to its title; deletes itself when dismissed.
/// Its object name is "message".
QMessageBox* openMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                         const QString& text,
                         QMessageBox::StandardButtons buttons = QMessageBox::Ok);

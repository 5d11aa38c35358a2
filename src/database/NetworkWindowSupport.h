#pragma once
// What the download window and the clock-synchronisation window have in common: the address
// box that tells when its list is dropped down, the stored "check the connection first" box
// and the status line below them, their help pages and their messages.

#include <QAnyStringView>
#include <QComboBox>
#include <QMessageBox>
#include <QString>

#include <chrono>
#include <functional>
#include <string>
#include <span>

class QBoxLayout;
class QCheckBox;
class QLabel;

/// Answers whether the computer is connected to the Internet (mGlobal::Connessione_attiva for
/// the program; a test puts a fixed answer in its place).
using ConnectionCheck = std::function<bool()>;

/// Editable combo box that reports the opening of its list: both network windows return to
/// their idle state when the user drops the list down.
class DropDownComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DropDownComboBox(QWidget* parent = nullptr);

    void showPopup() override;

signals:
    void DropDown();
};

/// The rows both network windows open with.
struct AddressRows
{
    QLabel* caption = nullptr;            ///< names the address box (its buddy)
    DropDownComboBox* address = nullptr;  ///< the server or the file to fetch
    QCheckBox* connectionCheck = nullptr; ///< chkConnessione: check the connection first
    QLabel* status = nullptr;             ///< lblStatus: what the exchange is doing
};

/// Makes the rows on `parent` and adds them to `layout` in that order: the caption and the
/// address box named `captionName` and `addressName`, the box at least `addressWidthPx` wide;
/// the status line with room for a line and a half.
[[nodiscard]] AddressRows addAddressRows(QWidget* parent, QBoxLayout* layout,
                                         const QString& captionName, const QString& addressName,
                                         int addressWidthPx);

/// Fills the address box with the entries that are not blank, in their order, and chooses the
/// first.
void fillAddressBox(QComboBox* box, std::span<const std::string> entries);

/// Ticks the connection check box as the store's `section` holds it; reading the store is no
/// click, so nothing is written back.
void loadConnectionCheck(QCheckBox* box, QAnyStringView section);

/// True, with the status line saying "noconnessione" of language section `textSection`, when
/// the box asks for the connection check and `connected` finds none: the exchange must not
/// start (OK stays enabled, so the user may connect and try again at once).
[[nodiscard]] bool refusedWithoutConnection(const QCheckBox* box, const ConnectionCheck& connected,
                                            QLabel* status, QStringView textSection);

/// Whether the connection check is on: the store's "Verifica connessione" of `section`. Only
/// "0" turns it off; a missing value or any other text (the program writes "-1" and "0") keeps
/// the check, which is the default.
[[nodiscard]] bool storedConnectionCheck(QAnyStringView section);

/// Stores the state of the connection check box at once ("-1" ticked, "0" not).
void storeConnectionCheck(QAnyStringView section, bool ticked);

/// Opens the page of help context `context` in the program's help file (the file the language
/// file names, in the program folder); a missing file is told with the main window's text.
void showContextHelp(QWidget* parent, int context);

/// Shows a message over `parent` without stopping the event loop: the window stays modal for
/// the user while its connection and timers go on. The box deletes itself when dismissed.
QMessageBox* showWindowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                               const QString& text,
                               QMessageBox::StandardButtons buttons = QMessageBox::Ok);

/// What went wrong with a connection, in the language file's words: `socketError` is a
/// QAbstractSocket::SocketError. A failure the language file has no text for is told with its
/// general text followed by the system's description `systemText`.
[[nodiscard]] QString connectionFailureText(int socketError, const QString& systemText);

/// A timeout in whole seconds (rounded up), as the messages name it.
[[nodiscard]] QString secondsText(std::chrono::milliseconds timeout);

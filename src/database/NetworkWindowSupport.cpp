#include "database/NetworkWindowSupport.h"

#include "tracking/OptionsStore.h"
#include "services/Help.h"
#include "services/MessageBoxes.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <QAbstractSocket>
#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>

namespace {

constexpr QStringView kConnectionCheckKey = u"Verifica connessione";
constexpr QStringView kTicked = u"-1";
constexpr QStringView kCleared = u"0";

} // namespace

DropDownComboBox::DropDownComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void DropDownComboBox::showPopup()
{
    emit DropDown();
    QComboBox::showPopup();
}

AddressRows addAddressRows(QWidget* parent, QBoxLayout* layout, const QString& captionName,
                           const QString& addressName, int addressWidthPx)
{
    AddressRows rows;
    rows.caption = new QLabel(parent);
    rows.caption->setObjectName(captionName);
    rows.address = new DropDownComboBox(parent);
    rows.address->setObjectName(addressName);
    rows.address->setMinimumWidth(addressWidthPx);
    rows.caption->setBuddy(rows.address);
    rows.connectionCheck = new QCheckBox(parent);
    rows.connectionCheck->setObjectName(QStringLiteral("chkConnessione"));
    rows.status = new QLabel(parent);
    rows.status->setObjectName(QStringLiteral("lblStatus"));
    rows.status->setMinimumHeight(rows.status->fontMetrics().height() * 3 / 2);
    layout->addWidget(rows.caption);
    layout->addWidget(rows.address);
    layout->addWidget(rows.connectionCheck);
    layout->addWidget(rows.status);
    return rows;
}

void fillAddressBox(QComboBox* box, std::span<const std::string> entries)
{
    for (const std::string& entry : entries) {
        const QString text = QString::fromStdString(entry);
        if (!text.trimmed().isEmpty())
            box->addItem(text);
    }
    if (box->count() > 0)
        box->setCurrentIndex(0);
}

void loadConnectionCheck(QCheckBox* box, QAnyStringView section)
{
    const QSignalBlocker loading(box);
    box->setChecked(storedConnectionCheck(section));
}

bool refusedWithoutConnection(const QCheckBox* box, const ConnectionCheck& connected,
                              QLabel* status, QStringView textSection)
{
    if (!box->isChecked() || connected())
        return false;
    status->setText(mLang::Testo_lingua(textSection, u"noconnessione"));
    return true;
}

bool storedConnectionCheck(QAnyStringView section)
{
    return mReg::Leggi_registro(kStoreApplication, section, kConnectionCheckKey, kTicked) !=
           kCleared;
}

void storeConnectionCheck(QAnyStringView section, bool ticked)
{
    // A failed write only means the box starts ticked next time; the check itself goes on.
    mReg::Scrivi_registro(kStoreApplication, section, kConnectionCheckKey,
                          ticked ? kTicked : kCleared);
}

void showContextHelp(QWidget* parent, int context)
{
    showHelp(parent, dataFilePath(mLang::Testo_lingua(u"Help", u"file")), HelpCommand::Context,
             context, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

QMessageBox* showWindowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                               const QString& text, QMessageBox::StandardButtons buttons)
{
    return openMessage(parent, icon, title, text, buttons);
}

QString connectionFailureText(int socketError, const QString& systemText)
{
    switch (static_cast<QAbstractSocket::SocketError>(socketError)) {
    case QAbstractSocket::ConnectionRefusedError:
        return mLang::Testo_lingua(u"frmDownload", u"connessionerifiutata");
    case QAbstractSocket::HostNotFoundError:
        return mLang::Testo_lingua(u"frmDownload", u"servernontrovato");
    case QAbstractSocket::SocketTimeoutError:
        return mLang::Testo_lingua(u"frmDownload", u"nessunarisposta");
    case QAbstractSocket::RemoteHostClosedError:
        return mLang::Testo_lingua(u"frmDownload", u"connessioneinterrotta");
    case QAbstractSocket::NetworkError:
        return mLang::Testo_lingua(u"frmDownload", u"reteirraggiungibile");
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return mLang::Testo_lingua(u"frmDownload", u"connessionesicura");
    default:
        break;
    }
    return mLang::Testo_lingua(u"frmDownload", u"erroreconnessione") + QStringLiteral("\r\n") +
           systemText;
}

QString secondsText(std::chrono::milliseconds timeout)
{
    return QLocale().toString((timeout.count() + 999) / 1000);
}

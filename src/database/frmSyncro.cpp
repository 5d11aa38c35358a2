#include "database/frmSyncro.h"

#include "common/options.h"
#include "controls/GraphButton/GraphButton.h"
#include "dialogs/DialogButtons.h"
#include "services/mGlobal.h"
#include "services/mLang.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr QStringView kStoreSection = u"ServerNTP"; // where the connection check box is kept
constexpr int kHelpContext = 220;
constexpr int kServerWidthPx = 300;
constexpr double kMsPerSecond = 1000.0;

/// An offset [ms] as signed whole seconds: the TIME protocol counts whole seconds.
QString offsetText(qint64 offsetMs)
{
    const auto seconds =
        static_cast<qint64>(std::llround(static_cast<double>(offsetMs) / kMsPerSecond));
    const QString number = QLocale().toString(seconds);
    return (seconds > 0 ? QStringLiteral("+") : QString()) + number + QStringLiteral(" s");
}

/// An instant of the question about a large correction: UT, spelled alike in every language.
QString universalTimeText(const QDateTime& instant)
{
    return instant.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
           QStringLiteral(" UT");
}

} // namespace

frmSyncro::frmSyncro(QWidget* owner, SystemClock* clock)
    : QDialog(owner), m_connectionCheck(mGlobal::Connessione_attiva)
{
    setObjectName(QStringLiteral("frmSyncro"));
    Winsock1 = new TimeSync(clock != nullptr ? *clock : m_computerClock, this);
    Winsock1->setObjectName(QStringLiteral("Winsock1"));
    buildControls();
    connectControls();
    Form_Load();
}

frmSyncro::~frmSyncro()
{
    Winsock1->cancel();
}

void frmSyncro::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    const AddressRows rows = addAddressRows(this, layout, QStringLiteral("lblServer"),
                                            QStringLiteral("cmbURL"), kServerWidthPx);
    lblServer = rows.caption;
    cmbURL = rows.address;
    chkConnessione = rows.connectionCheck;
    lblStatus = rows.status;
    layout->addLayout(buildDialogButtons(this, cmdOK, cmdCancel, cmdHelp));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmSyncro::connectControls()
{
    connect(chkConnessione, &QCheckBox::toggled, this, &frmSyncro::chkConnessione_Click);
    connect(cmbURL, &DropDownComboBox::DropDown, this, &frmSyncro::cmbURL_DropDown);
    connect(cmdOK, &GraphButton::Click, this, &frmSyncro::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmSyncro::cmdCancel_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmSyncro::cmdHelp_Click);
    connect(Winsock1, &TimeSync::connected, this, &frmSyncro::Winsock1_Connect);
    connect(Winsock1, &TimeSync::finished, this, &frmSyncro::Winsock1_Finished);
}

void frmSyncro::Form_Load()
{
    setWindowTitle(mLang::Testo_lingua(u"frmSyncro", u"sincronizzazioneorologio"));
    lblServer->setText(mLang::Testo_lingua(u"frmSyncro", u"nomeserver"));
    chkConnessione->setText(mLang::Testo_lingua(u"frmSyncro", u"verificaconnessione"));
    setDialogButtonCaptions(cmdOK, cmdCancel, cmdHelp);

    fillAddressBox(cmbURL, Impostazioni.Server_NTP);
    loadConnectionCheck(chkConnessione, kStoreSection);
}

void frmSyncro::chkConnessione_Click(bool ticked)
{
    storeConnectionCheck(kStoreSection, ticked);
}

void frmSyncro::cmbURL_DropDown()
{
    cmdOK->setEnabled(true);
}

void frmSyncro::cmdOK_Click()
{
    if (cmbURL->currentText().trimmed().isEmpty())
        return;
    if (refusedWithoutConnection(chkConnessione, m_connectionCheck, lblStatus, u"frmSyncro"))
        return;
    setCursor(Qt::WaitCursor);
    cmdOK->setEnabled(false); // while the exchange runs
    Connetti_server();
}

void frmSyncro::cmdCancel_Click()
{
    reject();
}

void frmSyncro::cmdHelp_Click()
{
    showContextHelp(this, kHelpContext);
}

void frmSyncro::done(int result)
{
    // However the window closes (Cancel, Esc, the close box), the exchange goes with it and the
    // clock is left alone.
    Winsock1->cancel();
    QDialog::done(result);
}

void frmSyncro::Connetti_server()
{
    lblStatus->setText(mLang::Testo_lingua(u"frmDownload", u"connessioneincorso"));
    Winsock1->start(cmbURL->currentText(), m_port);
}

void frmSyncro::Winsock1_Connect()
{
    lblStatus->setText(mLang::Testo_lingua(u"frmSyncro", u"attesaorario"));
}

void frmSyncro::Winsock1_Finished(const TimeSyncResult& result)
{
    unsetCursor();
    cmdOK->setEnabled(true); // every finished exchange may be tried again
    switch (result.status) {
    case TimeSyncStatus::ClockSet:
        lblStatus->setText(mLang::Testo_lingua(u"frmSyncro", u"oksincronizzazione"));
        cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"close"));
        emit clockSet();
        break;
    case TimeSyncStatus::ClockRefused:
        showClockRefused(result);
        break;
    case TimeSyncStatus::ConfirmationNeeded:
        askForLargeCorrection(result);
        break;
    case TimeSyncStatus::InvalidReply:
        lblStatus->clear();
        showWindowMessage(this, QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                          mLang::Testo_lingua(u"frmSyncro", u"rispostanonvalida"));
        break;
    case TimeSyncStatus::SocketError:
        lblStatus->setText(mLang::Testo_lingua(u"frmSyncro", u"nosincronizzazione"));
        showWindowMessage(this, QMessageBox::Warning,
                          mLang::Testo_lingua(u"frmSyncro", u"nosincronizzazione"),
                          connectionFailureText(result.errorNumber, result.description) +
                              QStringLiteral("\r\n") + cmbURL->currentText().trimmed());
        break;
    case TimeSyncStatus::TimedOut:
        showTimedOut(result);
        break;
    case TimeSyncStatus::IncompleteReply:
        showFailure(mLang::Testo_lingua(u"frmSyncro", u"orariotroncato"));
        break;
    case TimeSyncStatus::LateReply:
        showLateReply(result);
        break;
    }
}

void frmSyncro::showTimedOut(const TimeSyncResult& result)
{
    // Whether the server took the connection tells a wrong name or port from a server that
    // does not answer, and whether bytes came one that sends nothing from one that stops.
    QString reason = mLang::Testo_lingua(u"frmSyncro", u"orarioassente");
    if (!result.connected)
        reason = mLang::Testo_lingua(u"frmSyncro", u"serverassente");
    else if (result.replyBytes > 0)
        reason = mLang::Testo_lingua(u"frmSyncro", u"orarioincompleto");
    showFailure(reason.replace(QStringLiteral("%1"), secondsText(Winsock1->timeout())));
}

void frmSyncro::showLateReply(const TimeSyncResult& result)
{
    // The time of a late reply is uncertain by half the round trip; both are told to the
    // tenth of a second above, so that a round trip just over the limit (2,001 ms) does not
    // read as the limit, nor an uncertainty as smaller than it is.
    const auto seconds = [](qint64 ms) {
        const qint64 tenths = (ms + 99) / 100;
        return QLocale().toString(static_cast<double>(tenths) / 10, 'f', 1);
    };
    showFailure(mLang::Testo_lingua(u"frmSyncro", u"rispostatardiva")
                    .replace(QStringLiteral("%1"), seconds(result.roundTripMs)) +
                QStringLiteral("\r\n") + mLang::Testo_lingua(u"frmSyncro", u"scartoorologio") +
                u' ' + offsetText(result.offsetMs) + QStringLiteral(" \u00B1 ") +
                seconds((result.roundTripMs + 1) / 2) + QStringLiteral(" s"));
}

void frmSyncro::showFailure(const QString& text)
{
    lblStatus->setText(mLang::Testo_lingua(u"frmSyncro", u"nosincronizzazione"));
    showWindowMessage(this, QMessageBox::Warning,
                      mLang::Testo_lingua(u"frmSyncro", u"nosincronizzazione"),
                      text + QStringLiteral("\r\n") + cmbURL->currentText().trimmed());
}

void frmSyncro::askForLargeCorrection(const TimeSyncResult& result)
{
    // Guard: a server that answers a time more than a day away moves the clock only with the
    // user's Yes; the default answer leaves it alone.
    lblStatus->setText(mLang::Testo_lingua(u"frmSyncro", u"nosincronizzazione"));
    const QString lineEnd = QStringLiteral("\r\n");
    const QString text =
        mLang::Testo_lingua(u"frmSyncro", u"correzioneampia") + lineEnd + lineEnd +
        mLang::Testo_lingua(u"frmSyncro", u"oraserver") + u' ' +
        universalTimeText(result.serverTimeUtc) + lineEnd +
        mLang::Testo_lingua(u"frmSyncro", u"oracomputer") + u' ' +
        universalTimeText(result.computerTimeUtc) + lineEnd +
        mLang::Testo_lingua(u"frmSyncro", u"scartoorologio") + u' ' + offsetText(result.offsetMs);
    QMessageBox* box =
        showWindowMessage(this, QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                          text, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes)
            Winsock1->setConfirmedTime();
    });
}

void frmSyncro::showClockRefused(const TimeSyncResult& result)
{
    // Guard: a clock the system would not set is not reported as synchronised; the user
    // learns by how much the computer is off and may set it by other means.
    lblStatus->setText(mLang::Testo_lingua(u"frmSyncro", u"nosincronizzazione"));
    QString text = mLang::Testo_lingua(u"frmSyncro", u"orarifiutato") + QStringLiteral("\r\n") +
                   mLang::Testo_lingua(u"frmSyncro", u"scartoorologio") + u' ' +
                   offsetText(result.offsetMs);
    if (!result.description.isEmpty())
        text += QStringLiteral("\r\n") + result.description;
    showWindowMessage(this, QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text);
}

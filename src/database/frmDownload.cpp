#include "database/frmDownload.h"

#include "common/gates.h"
#include "common/options.h"
#include "controls/GraphButton/GraphButton.h"
#include "dialogs/DialogButtons.h"
#include "controls/ProgressBar/ProgressBar.h"
#include "database/DownloadedElements.h"
#include "services/mGlobal.h"
#include "services/mLang.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QStringView kStoreSection = u"Download"; // where the connection check box is kept
constexpr int kHelpContext = 205;
constexpr int kTimeLeftIntervalMs = 1000;
constexpr double kPercentMax = 100.0;
constexpr int kAddressWidthPx = 420;
const QString kZeroTime = QStringLiteral("00:00:00");
// Sizes and speed carry fixed unit words, as in every language of the program.
const QString kBytesUnit = QStringLiteral(" bytes");
const QString kKilobytesUnit = QStringLiteral(" KB");

QString byteCount(qint64 bytes)
{
    return QString::number(bytes) + kBytesUnit;
}

QString saveDialog(QWidget* parent, const QString& proposedName)
{
    // Proposed beside the primary database: refreshing it is the usual download.
    const QString database = QString::fromStdString(Impostazioni.File_database);
    const QString folder =
        database.isEmpty() ? QDir::homePath() : QFileInfo(database).absolutePath();
    return QFileDialog::getSaveFileName(parent, mLang::Testo_lingua(u"Dialogs", u"salvaconnome"),
                                        QDir(folder).filePath(proposedName),
                                        mLang::Testo_lingua(u"Dialogs", u"filtrotle"));
}

QLabel* namedLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* valueLabel(QWidget* parent, const char* name)
{
    QLabel* label = namedLabel(parent, name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000000 bytes")));
    return label;
}

} // namespace

frmDownload::frmDownload(QWidget* owner)
    : QDialog(owner), m_chooseTarget(saveDialog), m_connectionCheck(mGlobal::Connessione_attiva)
{
    setObjectName(QStringLiteral("frmDownload"));
    buildControls();
    connectControls();
    Form_Load();
}

frmDownload::~frmDownload()
{
    wscHTTP->cancel();
}

void frmDownload::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    const AddressRows rows = addAddressRows(this, layout, QStringLiteral("lblFileRemoto"),
                                            QStringLiteral("cmbFileRemoto"), kAddressWidthPx);
    lblFileRemoto = rows.caption;
    cmbFileRemoto = rows.address;
    chkConnessione = rows.connectionCheck;
    lblStatus = rows.status;
    ProgressBar1 = new ProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));

    QHBoxLayout* buttons = buildDialogButtons(this, cmdOK, cmdCancel, cmdHelp);

    tmrTimeLeft = new QTimer(this);
    tmrTimeLeft->setObjectName(QStringLiteral("tmrTimeLeft"));
    tmrTimeLeft->setInterval(kTimeLeftIntervalMs);
    wscHTTP = new HttpDownload(this);
    wscHTTP->setObjectName(QStringLiteral("wscHTTP"));

    layout->addLayout(buildFigures());
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLayout* frmDownload::buildFigures()
{
    lblDimensione = namedLabel(this, "lblDimensione");
    lblRicevuti = namedLabel(this, "lblRicevuti");
    lblVelocita = namedLabel(this, "lblVelocita");
    lblTempoTrascorso = namedLabel(this, "lblTempoTrascorso");
    lblTempoRimasto = namedLabel(this, "lblTempoRimasto");
    lblSize = valueLabel(this, "lblSize");
    lblReceive = valueLabel(this, "lblReceive");
    lblSpeed = valueLabel(this, "lblSpeed");
    lblElapsed = valueLabel(this, "lblElapsed");
    lblRemaining = valueLabel(this, "lblRemaining");

    // Sizes and speed on the left, the two times on the right.
    auto* figures = new QGridLayout;
    figures->addWidget(lblDimensione, 0, 0);
    figures->addWidget(lblSize, 0, 1);
    figures->addWidget(lblRicevuti, 1, 0);
    figures->addWidget(lblReceive, 1, 1);
    figures->addWidget(lblVelocita, 2, 0);
    figures->addWidget(lblSpeed, 2, 1);
    figures->addWidget(lblTempoTrascorso, 0, 3);
    figures->addWidget(lblElapsed, 0, 4);
    figures->addWidget(lblTempoRimasto, 1, 3);
    figures->addWidget(lblRemaining, 1, 4);
    figures->setColumnMinimumWidth(2, lblSize->minimumWidth() / 4);
    figures->setColumnStretch(2, 1);
    return figures;
}

void frmDownload::connectControls()
{
    connect(chkConnessione, &QCheckBox::toggled, this, &frmDownload::chkConnessione_Click);
    connect(cmbFileRemoto, &DropDownComboBox::DropDown, this, &frmDownload::cmbFileRemoto_DropDown);
    connect(cmdOK, &GraphButton::Click, this, &frmDownload::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmDownload::cmdCancel_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmDownload::cmdHelp_Click);
    connect(tmrTimeLeft, &QTimer::timeout, this, &frmDownload::tmrTimeLeft_Timer);
    connect(wscHTTP, &HttpDownload::stageChanged, this, &frmDownload::wscHTTP_StageChanged);
    connect(wscHTTP, &HttpDownload::progressChanged, this, &frmDownload::wscHTTP_Progress);
    connect(wscHTTP, &HttpDownload::finished, this, &frmDownload::wscHTTP_Finished);
}

void frmDownload::Form_Load()
{
    setWindowTitle(mLang::Testo_lingua(u"frmDownload", u"trasferimentofile"));
    lblDimensione->setText(mLang::Testo_lingua(u"frmDownload", u"dimensione"));
    lblRicevuti->setText(mLang::Testo_lingua(u"frmDownload", u"ricevuti"));
    lblVelocita->setText(mLang::Testo_lingua(u"frmDownload", u"velocita"));
    lblFileRemoto->setText(mLang::Testo_lingua(u"frmDownload", u"fileremoto"));
    lblTempoRimasto->setText(mLang::Testo_lingua(u"frmDownload", u"temporimasto"));
    lblTempoTrascorso->setText(mLang::Testo_lingua(u"frmDownload", u"tempotrascorso"));
    chkConnessione->setText(mLang::Testo_lingua(u"frmDownload", u"verificaconnessione"));
    setDialogButtonCaptions(cmdOK, cmdCancel, cmdHelp);
    m_receivingText = mLang::Testo_lingua(u"frmDownload", u"ricezioneincorso");

    fillAddressBox(cmbFileRemoto, Impostazioni.Sorgenti_download);
    loadConnectionCheck(chkConnessione, kStoreSection);
    ProgressBar1->setMax(kPercentMax);
    ProgressBar1->setValue(0);
    lblElapsed->setText(kZeroTime);
    lblReceive->setText(byteCount(0));
    lblSize->setText(byteCount(0));
    lblSpeed->setText(QStringLiteral("0") + kKilobytesUnit);
    lblRemaining->setText(kZeroTime);
    tmrTimeLeft->start();
}

void frmDownload::chkConnessione_Click(bool ticked)
{
    storeConnectionCheck(kStoreSection, ticked);
}

void frmDownload::cmbFileRemoto_DropDown()
{
    Azzera_trasferimento(false);
}

void frmDownload::cmdOK_Click()
{
    const QString address = cmbFileRemoto->currentText();
    if (address.trimmed().isEmpty())
        return;
    if (refusedWithoutConnection(chkConnessione, m_connectionCheck, lblStatus, u"frmDownload"))
        return;
    // Guard: an address that cannot be fetched is told before the user picks a file for it.
    if (!parseHttpAddress(address)) {
        showWindowMessage(this, QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                          mLang::Testo_lingua(u"frmDownload", u"indirizzononvalido") +
                              QStringLiteral("\r\n") + address.trimmed());
        return;
    }
    clearFigures();
    const QString target = m_chooseTarget(this, mGlobal::Nome_file_remoto(address));
    if (target.isEmpty())
        return;

    cmdOK->setEnabled(false);
    cmbFileRemoto->setEnabled(false);
    // After a completed download the button reads "close"; during this one it cancels.
    cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
    lblStatus->setText(mLang::Testo_lingua(u"frmDownload", u"connessioneincorso"));
    m_targetExisted = QFileInfo::exists(target);
    const QString primary = QString::fromStdString(Impostazioni.File_database);
    wscHTTP->setPrimaryDatabaseFile(primary);
    if (isElementFileTarget(target, primary))
        wscHTTP->setBodyCheck(makeElementBodyCheck);
    else
        wscHTTP->setBodyCheck({});
    wscHTTP->start(address, target);
}

void frmDownload::cmdCancel_Click()
{
    if (!wscHTTP->isActive()) {
        reject();
        return;
    }
    const QString address = cmbFileRemoto->currentText();
    // The file is replaced only when a download completes, so stopping one leaves every file
    // as it was: nothing is deleted here.
    Azzera_trasferimento(false);
    QMessageBox* box =
        showWindowMessage(this, QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                          mLang::Testo_lingua(u"frmDownload", u"downloadinterrotto") +
                              QStringLiteral("\r\n") + address);
    connect(box, &QMessageBox::finished, this, &QDialog::reject);
}

void frmDownload::cmdHelp_Click()
{
    showContextHelp(this, kHelpContext);
}

void frmDownload::done(int result)
{
    // However the window closes (Cancel, Esc, the close box), the connection goes with it.
    wscHTTP->cancel();
    QDialog::done(result);
}

void frmDownload::tmrTimeLeft_Timer()
{
    if (!wscHTTP->isActive())
        return;
    // The elapsed time runs from the start, also while the server keeps the window waiting.
    ++m_elapsedSeconds;
    lblElapsed->setText(elapsedText());
    const std::optional<TransferEstimate> estimate =
        estimateTransfer(wscHTTP->receivedBytes(), wscHTTP->announcedBytes(), wscHTTP->elapsedMs());
    if (!estimate)
        return;
    QLocale plain;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    lblSpeed->setText(plain.toString(estimate->speedKilobytesPerSecond) + kKilobytesUnit);
    // A speed that rounds to zero allows no estimate: saying zero would promise the end.
    lblRemaining->setText(
        estimate->remainingSeconds
            ? mGlobal::Formatta_tempo(static_cast<double>(*estimate->remainingSeconds))
            : mLang::Testo_lingua(u"frmDownload", u"tempoignoto"));
}

void frmDownload::wscHTTP_StageChanged(DownloadStage stage)
{
    switch (stage) {
    case DownloadStage::Idle:
        break;
    case DownloadStage::Connecting:
        lblStatus->setText(mLang::Testo_lingua(u"frmDownload", u"connessioneincorso"));
        break;
    case DownloadStage::SendingRequest:
        lblStatus->setText(mLang::Testo_lingua(u"frmDownload", u"richiestaincorso"));
        break;
    case DownloadStage::RequestSent:
        lblStatus->setText(mLang::Testo_lingua(u"frmDownload", u"richiestainoltrata"));
        break;
    case DownloadStage::Receiving:
        lblStatus->setText(m_receivingText);
        break;
    }
}

void frmDownload::wscHTTP_Progress(qint64 receivedBytes, qint64 announcedBytes)
{
    lblReceive->setText(byteCount(receivedBytes));
    if (announcedBytes <= 0)
        return;
    lblSize->setText(byteCount(announcedBytes));
    ProgressBar1->setValue(static_cast<double>(receivedBytes) /
                           (static_cast<double>(announcedBytes) / kPercentMax));
}

void frmDownload::wscHTTP_Finished(const DownloadResult& result)
{
    if (result.status != DownloadStatus::Completed) {
        Azzera_trasferimento(false);
        showFailure(result);
        return;
    }
    Azzera_trasferimento(true);
    lblStatus->setText(mLang::Testo_lingua(u"frmDownload", u"downloadcompleto"));
    if (result.primaryDatabaseReplaced)
        pflgSostituzione = true;
    QMessageBox* warning = result.damagedSets > 0 ? showDamagedSets(result) : nullptr;
    if (!result.primaryDatabaseReplaced)
        return;
    // One message at a time: the question about reloading follows the warning.
    if (warning)
        connect(warning, &QMessageBox::finished, this, &frmDownload::askToReloadPrimary);
    else
        askToReloadPrimary();
}

void frmDownload::Azzera_trasferimento(bool completed)
{
    wscHTTP->cancel();
    if (completed) {
        ProgressBar1->setValue(kPercentMax);
        lblElapsed->setText(elapsedText());
        cmdOK->setEnabled(true); // ready for the next download
        cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"close"));
    } else {
        ProgressBar1->setValue(0);
        lblSpeed->setText(QStringLiteral("0") + kKilobytesUnit);
        lblElapsed->setText(kZeroTime);
        lblReceive->clear();
        lblSize->clear();
        cmdOK->setEnabled(true);
        cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
    }
    lblRemaining->setText(kZeroTime);
    cmbFileRemoto->setEnabled(true);
    lblStatus->clear();
    m_elapsedSeconds = 0;
}

void frmDownload::clearFigures()
{
    ProgressBar1->setValue(0);
    lblReceive->clear();
    lblSize->clear();
    lblSpeed->clear();
    lblElapsed->setText(kZeroTime);
    lblRemaining->setText(kZeroTime);
    m_elapsedSeconds = 0;
}

QString frmDownload::elapsedText() const
{
    return mGlobal::Formatta_tempo(static_cast<double>(m_elapsedSeconds));
}

// The download window's messages: why a download failed, what a saved element file holds that
// its reader will leave out or doubt, and the question whether to read the primary database
// again once a download has replaced its file.

#include "database/frmDownload.h"

#include "common/gates.h"
#include "database/HttpReply.h"
#include "services/mLang.h"

#include <QGuiApplication>

namespace {

/// The message of a reply given up at a limit counted in megabytes; null for other limits.
const char16_t* megabyteLimitKey(BodyLimit limit)
{
    switch (limit) {
    case BodyLimit::BytesWithoutContent:
        return u"nonelementiinizio";
    case BodyLimit::BytesWithoutNewContent:
        return u"nonuovielementi";
    case BodyLimit::TotalBytes:
        return u"rispostatroppogrande";
    case BodyLimit::None:
    case BodyLimit::LineLength:
        break;
    }
    return nullptr;
}

} // namespace

void frmDownload::askToReloadPrimary()
{
    if (!m_primaryReload.available || !m_primaryReload.reload)
        return; // the opener asks when the window closes
    if (!m_primaryReload.available()) {
        pflgSostituzione = false; // no database is held in memory: the next reading is fresh
        return;
    }
    QMessageBox* box =
        showWindowMessage(this, QMessageBox::Question, QGuiApplication::applicationDisplayName(),
                          mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti1") + u'\n' +
                              mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti2"),
                          QMessageBox::Yes | QMessageBox::No);
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        pflgSostituzione = false;
        if (answer == QMessageBox::Yes)
            m_primaryReload.reload();
    });
}

QMessageBox* frmDownload::showDamagedSets(const DownloadResult& result)
{
    // The file is saved (its other sets are good), but the user learns what its reader will
    // leave out or doubt, and where to look.
    QString text = mLang::Testo_lingua(u"frmDownload", u"setdanneggiati");
    text.replace(QStringLiteral("%1"), QString::number(result.damagedSets))
        .replace(QStringLiteral("%2"), QString::number(result.sets))
        .replace(QStringLiteral("%3"), QString::number(result.firstDamagedLine));
    return showWindowMessage(this, QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                             text);
}

void frmDownload::showFailure(const DownloadResult& result)
{
    const QString lineEnd = QStringLiteral("\r\n");
    // Network failures say what failed (this download), then why.
    const QString failed = mLang::Testo_lingua(u"frmDownload", u"downloadnonriuscito") + lineEnd +
                           cmbFileRemoto->currentText().trimmed() + lineEnd;
    QString text;
    switch (result.status) {
    case DownloadStatus::Completed:
        return;
    case DownloadStatus::SocketError:
        text = failed + connectionFailureText(result.errorNumber, result.description);
        break;
    case DownloadStatus::HttpError:
        text = failed + mLang::Testo_lingua(u"frmDownload", u"rispostaserver") + u' ' +
               QString::number(result.errorNumber) + u' ' + result.description;
        break;
    case DownloadStatus::InvalidAddress:
        text = mLang::Testo_lingua(u"frmDownload", u"indirizzononvalido") + lineEnd +
               result.description;
        break;
    case DownloadStatus::TargetNotWritable:
        text = mLang::Testo_lingua(u"frmDownload", u"scritturanonriuscita") + lineEnd +
               result.description;
        // A full disk after part of the body: the user must learn that the old file is whole.
        if (m_targetExisted)
            text += lineEnd + mLang::Testo_lingua(u"frmDownload", u"filemantenuto");
        break;
    case DownloadStatus::MalformedReply:
        text = mLang::Testo_lingua(u"frmDownload", u"rispostanonvalida");
        break;
    case DownloadStatus::HeaderTooLong:
        text = failed + mLang::Testo_lingua(u"frmDownload", u"intestazionetroppolunga")
                            .replace(QStringLiteral("%1"),
                                     QString::number(HttpReplyStream::kMaxHeaderBytes / 1024));
        break;
    case DownloadStatus::InsecureRedirect:
        text = failed + mLang::Testo_lingua(u"frmDownload", u"reindirizzamentoinsicuro") +
               lineEnd + result.description;
        break;
    case DownloadStatus::ConnectTimedOut:
        text = failed + mLang::Testo_lingua(u"frmDownload", u"connessionescaduta")
                            .replace(QStringLiteral("%1"), secondsText(wscHTTP->stallTimeout()));
        break;
    case DownloadStatus::HandshakeTimedOut:
        text = failed + mLang::Testo_lingua(u"frmDownload", u"connessionesicurascaduta")
                            .replace(QStringLiteral("%1"), secondsText(wscHTTP->stallTimeout()));
        break;
    case DownloadStatus::Stalled:
        text = failed + mLang::Testo_lingua(u"frmDownload", u"ricezioneferma")
                            .replace(QStringLiteral("%1"), secondsText(wscHTTP->stallTimeout()));
        break;
    case DownloadStatus::IncompleteReply:
        text = mLang::Testo_lingua(u"frmDownload", u"rispostaincompleta");
        break;
    case DownloadStatus::TooManyRedirects:
        text = mLang::Testo_lingua(u"frmDownload", u"troppireindirizzamenti") + lineEnd +
               result.description;
        break;
    case DownloadStatus::RefusedContent:
        // A reply given up at a limit of the check says which, so the user sees why a reply
        // still arriving was not taken.
        if (const char16_t* key = megabyteLimitKey(result.limit)) {
            text = mLang::Testo_lingua(u"frmDownload", QStringView(key))
                       .replace(QStringLiteral("%1"),
                                QString::number(result.limitBytes / (1024 * 1024)));
            break;
        }
        if (result.limit == BodyLimit::LineLength) {
            text = mLang::Testo_lingua(u"frmDownload", u"rigatroppolunga")
                       .replace(QStringLiteral("%1"), QString::number(result.problemLine))
                       .replace(QStringLiteral("%2"), QString::number(result.limitBytes / 1024));
            break;
        }
        // Sets that were read before a damaged one tell the user where the damage is.
        text = result.problemLine > 0
                   ? mLang::Testo_lingua(u"frmDownload", u"setmalformato")
                         .replace(QStringLiteral("%1"), QString::number(result.problemLine))
                   : mLang::Testo_lingua(u"frmDownload", u"nonelementi");
        break;
    }
    showWindowMessage(this, QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text);
}

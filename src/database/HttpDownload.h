#pragma once
// Download of one element file from an element-set server: one HTTP/1.1 GET, redirects
// followed, the body of a successful reply saved as the chosen file. Runs on the event loop
// of the user-interface thread and never blocks it; the download window shows its stages,
// numbers and result with its own language texts.

#include "database/ExchangeTimer.h"
#include "database/HttpAddress.h"
#include "database/HttpReply.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSaveFile;
class QTcpSocket;

enum class DownloadStage {
    Idle,
    Connecting,     ///< looking up the host and connecting (also after a redirect)
    SendingRequest, ///< the request is being written
    RequestSent,    ///< the whole request has left, no reply yet
    Receiving,      ///< reply bytes are arriving
};

enum class DownloadStatus {
    Completed,         ///< a successful reply's body replaced the target file
    InvalidAddress,    ///< the address (typed or redirected to) cannot be fetched: description
    TargetNotWritable, ///< the target file cannot be written: description is the system's reason
    SocketError,       ///< connection failed or lost: number and description from the socket
    HttpError,         ///< the server answered with another status: number and reason phrase
    MalformedReply,    ///< no reply header, no HTTP status line, or broken chunk framing
    HeaderTooLong,     ///< the header did not end within HttpReplyStream::kMaxHeaderBytes
    /// The connection closed before the announced length or last chunk, or the body check
    /// found the body ending where it cannot end (inside an element set, or inside a last line
    /// whose set the element reader leaves out).
    IncompleteReply,
    TooManyRedirects,  ///< more than HttpDownload::kMaxRedirects redirects in a row
    /// A download begun encrypted was redirected to a plain http address (description), which
    /// is not followed.
    InsecureRedirect,
    RefusedContent,    ///< the body check refused the body, whole or before its end
    ConnectTimedOut,   ///< no connection within the stall timeout
    /// Over https, the connection was made but the secure handshake did not end within the
    /// stall timeout.
    HandshakeTimedOut,
    /// Connected, but the server sent fewer than HttpDownload::kLeastBytesPerPeriod bytes in
    /// a whole stall timeout counted from the connection: it sends nothing, or a byte now and
    /// then.
    Stalled,
};

/// Where a body check gave up on a body before its end, whatever might have followed.
enum class BodyLimit {
    None,
    BytesWithoutContent, ///< so many bytes without anything the target holds
    LineLength,          ///< a line (BodyVerdict::problemLine) longer than any the target holds
    /// So many bytes after the last thing the target holds without another.
    BytesWithoutNewContent,
    TotalBytes, ///< more bytes than any file of the target's kind has
};

struct DownloadResult
{
    DownloadStatus status = DownloadStatus::Completed;
    /// HTTP status, or QAbstractSocket::SocketError, or QFileDevice::FileError.
    int errorNumber = 0;
    QString description;   ///< reason phrase, socket or file error text, or the offending address
    qint64 savedBytes = 0; ///< body bytes written to the target
    /// The target is the primary database's file and was replaced: the database is stale.
    bool primaryDatabaseReplaced = false;
    /// RefusedContent: the line where the body check found a malformed part; 0 when none.
    qint64 problemLine = 0;
    /// Completed element file: its sets, those damaged (see BodyVerdict), the line of the first.
    qint64 sets = 0;
    qint64 damagedSets = 0;
    qint64 firstDamagedLine = 0;
    /// RefusedContent: the limit of the body check the body passed, and that limit.
    BodyLimit limit = BodyLimit::None;
    qint64 limitBytes = 0;
};

/// Speed and remaining time of a transfer, for the once-a-second display.
struct TransferEstimate
{
    double speedKilobytesPerSecond = 0;     ///< 1 kilobyte = 1000 bytes, rounded to 2 decimals
    std::optional<qint64> remainingSeconds; ///< empty while the speed rounds to 0
};

/// Estimate from the body bytes received, the announced length and the time since the
/// request was sent. Empty unless 0 < received < announced and some time has passed.
[[nodiscard]] std::optional<TransferEstimate>
estimateTransfer(qint64 receivedBytes, qint64 announcedBytes, qint64 elapsedMs);

/// What a body check concluded.
struct BodyVerdict
{
    enum class Outcome {
        Accepted, ///< the body may replace the target file
        Refused,  ///< the body is not what the target holds
        CutShort, ///< the body ends where it cannot end: the transfer was cut
    };
    Outcome outcome = Outcome::Accepted;
    qint64 problemLine = 0; ///< when refused: where the check found the body wrong; 0 when nowhere
    /// An element file: its sets, and those the element reader leaves out or reads although a
    /// checksum does not match, with the line 1 of the first of them.
    qint64 sets = 0;
    qint64 damagedSets = 0;
    qint64 firstDamagedLine = 0;
    /// When refused at a limit of the check: which, and the limit [bytes].
    BodyLimit limit = BodyLimit::None;
    qint64 limitBytes = 0;
};

/// Judges a body as it arrives, piece by piece, without keeping it: a refused body does not
/// replace the target file.
class BodyCheck
{
public:
    virtual ~BodyCheck() = default;
    /// The next decoded body bytes, in order.
    virtual void feed(QByteArrayView data) = 0;
    /// Whether the body is refused already, whatever may follow: the transfer then stops at
    /// once and finish() gives the refusal.
    [[nodiscard]] virtual bool refusedAlready() const { return false; }
    /// Called once, after the last bytes or once refusedAlready() holds.
    [[nodiscard]] virtual BodyVerdict finish() = 0;
};

class HttpDownload : public QObject
{
    Q_OBJECT

public:
    /// Redirects followed for one download before it fails (RFC 9110 asks clients to limit them).
    static constexpr int kMaxRedirects = 5;
    /// How long a connection may take to be made, and then, counted afresh from the
    /// connection, how long the server may send next to nothing, before the download ends.
    static constexpr std::chrono::milliseconds kDefaultStallTimeout{60000};
    /// Reply bytes a stall timeout must bring: a server sending a byte every few seconds holds
    /// the window as surely as a silent one, and no working link is slower than about two
    /// bytes a second.
    static constexpr qint64 kLeastBytesPerPeriod = 128;

    explicit HttpDownload(QObject* parent = nullptr);
    ~HttpDownload() override;

    /// Makes a fresh check for each body (a redirect starts a new body).
    using BodyCheckFactory = std::function<std::unique_ptr<BodyCheck>()>;
    /// Makes the file, not yet open, that writes a body to the target path and replaces it.
    using TargetFileFactory = std::function<std::unique_ptr<QSaveFile>(const QString& path)>;
    /// Bytes read from the connection at a time: with the header cap and a check that keeps
    /// no body, this bounds the memory a download holds whatever the server sends.
    static constexpr qint64 kReadBufferBytes = 1024 * 1024;

    /// The primary database's element file; a completed download onto it is reported.
    void setPrimaryDatabaseFile(const QString& path) { m_primaryDatabaseFile = path; }
    /// The check of the next downloads' bodies; without one every body is accepted.
    void setBodyCheck(BodyCheckFactory makeCheck) { m_makeBodyCheck = std::move(makeCheck); }
    /// Replaces the QSaveFile of the next downloads (a test puts a failing file in its place).
    void setTargetFileFactory(TargetFileFactory makeFile) { m_makeFile = std::move(makeFile); }
    /// The stall timeout of the next downloads (kDefaultStallTimeout unless a test shortens it).
    void setStallTimeout(std::chrono::milliseconds timeout) { m_stallTimeout = timeout; }
    [[nodiscard]] std::chrono::milliseconds stallTimeout() const { return m_stallTimeout; }
    /// Replaces the clock of the next downloads' stall timeouts (a test drives its own); takes
    /// `timer` over.
    void setStallTimer(ExchangeTimer* timer);

    /// Starts fetching `address` (see parseHttpAddress) into `targetFile`. The body is written
    /// to a temporary file as it arrives, never held whole in memory, and the target is
    /// replaced, with the body's bytes exactly as they came, only when the whole body has
    /// arrived and the body check accepts it; a body the check refuses before its end is not
    /// received further. A connection not made within the stall timeout, or a server that,
    /// once connected, sends fewer than kLeastBytesPerPeriod bytes in one, ends the download.
    /// Any download under way is cancelled first. The outcome always comes through finished(),
    /// never before this call returns.
    void start(const QString& address, const QString& targetFile);

    /// Ends the download at once, in any stage: the connection is dropped, the target file is
    /// left as it was and finished() is not emitted.
    void cancel();

    [[nodiscard]] bool isActive() const { return m_active; }
    [[nodiscard]] DownloadStage stage() const { return m_stage; }
    /// The address being fetched, the last redirect's once redirected.
    [[nodiscard]] const HttpAddress& currentAddress() const { return m_address; }
    /// Body bytes received from the server so far (chunk framing included).
    [[nodiscard]] qint64 receivedBytes() const { return m_reply.wireBytes(); }
    /// Length the server announced for the body; 0 when none was announced.
    [[nodiscard]] qint64 announcedBytes() const
    {
        return qMax<qint64>(m_reply.announcedLength(), 0);
    }
    /// Reply bytes held in memory now: the header so far, framing being read, unread socket
    /// bytes. The body itself goes to the temporary file as it comes.
    [[nodiscard]] qint64 heldBytes() const;
    /// Time since the request was sent [ms]; 0 before.
    [[nodiscard]] qint64 elapsedMs() const;

signals:
    void stageChanged(DownloadStage stage);
    void progressChanged(qint64 receivedBytes, qint64 announcedBytes);
    void finished(const DownloadResult& result);

private:
    void connectTo(const HttpAddress& address);
    void sendRequest();
    void onBytesWritten(qint64 bytes);
    void onReadyRead();
    void onSocketError();
    void onServerClosed();
    void onStallCheck();
    void consume(QByteArrayView data);
    bool acceptHeader(const HttpReplyHeader& header);
    void consumeBody(QByteArrayView wire);
    bool save(QByteArrayView data);
    void complete();
    void refuse(const BodyVerdict& verdict);
    void failWriting(int systemError);
    void fail(DownloadStatus status, int number, const QString& description);
    void finishLater(const DownloadResult& result);
    void setStage(DownloadStage stage);
    void dropSocket();
    void teardown();

    QString m_primaryDatabaseFile;
    BodyCheckFactory m_makeBodyCheck;
    TargetFileFactory m_makeFile;
    std::chrono::milliseconds m_stallTimeout = kDefaultStallTimeout;
    ExchangeTimer* m_stallTimer = nullptr;
    qint64 m_bytesThisPeriod = 0;           // reply bytes since the last stall period began
    std::unique_ptr<BodyCheck> m_bodyCheck; // the check of the body being received
    QString m_targetFile;
    std::unique_ptr<QSaveFile> m_file;
    QTcpSocket* m_socket = nullptr;
    HttpAddress m_address;
    int m_redirects = 0;
    bool m_active = false;
    DownloadStage m_stage = DownloadStage::Idle;
    quint64 m_run = 0;        // bumped by start and cancel: stale queued work is dropped
    quint64 m_connection = 0; // bumped whenever a socket is dropped

    HttpReplyStream m_reply; // the reply of the current connection
    QByteArray m_decoded;    // one piece of decoded body on its way to the file
    qint64 m_requestBytesPending = 0;
    QElapsedTimer m_requestTimer;
};

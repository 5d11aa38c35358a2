// Memory of a download against a hostile or simply huge reply from a server on 127.0.0.1: the
// largest element file the element-file check takes (256 MiB), 1 GiB that is no element file,
// blank lines without end (from the start or after a set), good sets without end and a header
// that never ends. The process's peak resident size (counter peak_rss_mb) must stay far below
// the reply's size, and a reply that is refused must be dropped long before its end (counter
// server_sent_mb); run one case per process to read its own peak:
//   DownloadMemoryQtBench --benchmark_filter=LargestElementFile
//   DownloadMemoryQtBench --benchmark_filter=OneGiBNoElementFile
//   DownloadMemoryQtBench --benchmark_filter=EndlessBlankLines/
//   DownloadMemoryQtBench --benchmark_filter=EndlessBlankLinesAfterASet
//   DownloadMemoryQtBench --benchmark_filter=EndlessElementSets
//   DownloadMemoryQtBench --benchmark_filter=EndlessHeader

#include "database/DownloadedElements.h"
#include "database/HttpDownload.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

const std::string kSet =
    "ISS (ZARYA)\r\n"
    "1 25544U 98067A   24075.50000000  .00016717  00000-0  10270-3 0  9000\r\n"
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815223 41576\r\n";

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "DownloadMemoryQtBench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

/// A one-connection server on 127.0.0.1 in its own thread: reads the request, sends `head`,
/// then `block` until `total` bytes of blocks have gone or the client has gone; closes.
class BlockServer
{
public:
    BlockServer(std::string head, std::string block, qint64 total)
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_listener, 1);
        socklen_t length = sizeof address;
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this, head = std::move(head), block = std::move(block), total] {
            const int client = accept(m_listener, nullptr, nullptr);
            char request[4096];
            (void)recv(client, request, sizeof request, 0);
            bool open = sendAll(client, head.data(), head.size());
            for (qint64 left = total; open && left > 0;) {
                const auto size = static_cast<std::size_t>(qMin<qint64>(left, block.size()));
                open = sendAll(client, block.data(), size);
                left -= static_cast<qint64>(size);
                m_sent += static_cast<qint64>(size);
            }
            close(client);
        });
    }
    ~BlockServer()
    {
        shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        close(m_listener);
    }

    [[nodiscard]] quint16 port() const { return m_port; }
    [[nodiscard]] qint64 sent() const { return m_sent; }

private:
    static bool sendAll(int socket, const char* data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = send(socket, data, size, MSG_NOSIGNAL);
            if (written <= 0)
                return false;
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<qint64> m_sent{0};
    std::thread m_thread;
};

DownloadResult download(quint16 port, const QString& target)
{
    application();
    HttpDownload download;
    download.setBodyCheck(makeElementBodyCheck);
    std::optional<DownloadResult> result;
    QObject::connect(&download, &HttpDownload::finished,
                     [&result](const DownloadResult& r) { result = r; });
    download.start(QStringLiteral("http://127.0.0.1:%1/visual.txt").arg(port), target);
    QDeadlineTimer deadline(600000);
    while (!result && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return result.value_or(DownloadResult{DownloadStatus::IncompleteReply, 0, {}, 0, false});
}

// A reply the download must refuse: how much of it the server got to send before the
// refusal, and the memory the refusal needed.
void measureRefusal(benchmark::State& state, const std::string& head, const std::string& block,
                    qint64 total, DownloadStatus expected)
{
    for (auto _ : state) {
        QTemporaryDir folder;
        BlockServer server(head, block, total);
        const DownloadResult result = download(server.port(), folder.filePath("visual.txt"));
        if (result.status != expected)
            state.SkipWithError("the reply was not refused as expected");
        state.counters["server_sent_mb"] = static_cast<double>(server.sent()) / (1024.0 * 1024.0);
    }
    state.counters["peak_rss_mb"] = peakResidentMegabytes();
}

std::string blockOfSets()
{
    std::string block;
    while (block.size() < 1024 * 1024)
        block += kSet;
    return block;
}

void LargestElementFile(benchmark::State& state)
{
    const std::string block = blockOfSets();
    const qint64 total =
        ElementFileCheck::Limits().totalBytes / qint64(kSet.size()) * qint64(kSet.size());
    const std::string head =
        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(total) + "\r\n\r\n";
    for (auto _ : state) {
        QTemporaryDir folder;
        BlockServer server(head, block, total);
        const DownloadResult result = download(server.port(), folder.filePath("visual.txt"));
        if (result.status != DownloadStatus::Completed || result.savedBytes != total)
            state.SkipWithError("the download did not complete");
    }
    state.counters["peak_rss_mb"] = peakResidentMegabytes();
    state.SetBytesProcessed(state.iterations() * total);
}
BENCHMARK(LargestElementFile)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void OneGiBNoElementFile(benchmark::State& state)
{
    // A web page: its first lines make a set the element reader cannot get past. (Lines it
    // would only leave out are read up to the check's limit, as a set may follow them.)
    const std::string line = "<tr><td class=\"name\">ISS</td><td>25544</td></tr>\r\n";
    std::string block;
    while (block.size() < 1024 * 1024)
        block += line;
    const qint64 total = qint64(1) << 30;
    const std::string head =
        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(total) + "\r\n\r\n";
    measureRefusal(state, head, block, total, DownloadStatus::RefusedContent);
}
BENCHMARK(OneGiBNoElementFile)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void EndlessBlankLines(benchmark::State& state)
{
    // No length given: only the check's limit of bytes without a set ends it.
    const std::string block(1024 * 1024, '\n');
    measureRefusal(state, "HTTP/1.1 200 OK\r\n\r\n", block, qint64(1) << 40,
                   DownloadStatus::RefusedContent);
}
BENCHMARK(EndlessBlankLines)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void EndlessBlankLinesAfterASet(benchmark::State& state)
{
    // One good set, then blank lines: refused at the limit of bytes after the last set.
    const std::string block(1024 * 1024, '\n');
    measureRefusal(state, "HTTP/1.1 200 OK\r\n\r\n" + kSet, block, qint64(1) << 40,
                   DownloadStatus::RefusedContent);
}
BENCHMARK(EndlessBlankLinesAfterASet)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void EndlessElementSets(benchmark::State& state)
{
    // Good sets without end: refused at the limit of a file's size.
    measureRefusal(state, "HTTP/1.1 200 OK\r\n\r\n", blockOfSets(), qint64(1) << 40,
                   DownloadStatus::RefusedContent);
}
BENCHMARK(EndlessElementSets)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void EndlessHeader(benchmark::State& state)
{
    std::string block;
    while (block.size() < 1024 * 1024)
        block += "X-Filler: a header line that never ends\r\n";
    measureRefusal(state, "HTTP/1.1 200 OK\r\n", block, qint64(1) << 40,
                   DownloadStatus::HeaderTooLong);
}
BENCHMARK(EndlessHeader)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

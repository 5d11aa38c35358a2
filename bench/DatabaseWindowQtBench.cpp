// What the user waits for when the database window opens a large element file: reading 30,000
// sets with the progress window, listing them, filling the captions and showing the window;
// and listing them again under another sort key from the window's box.

#include "common/catalogues.h"
#include "database/DatabaseSession.h"
#include "database/frmDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kSets = 30000;
/// Openings before the timing: the third opening in a process is the first to reuse the
/// memory of an earlier listing, as every later one does.
constexpr int kUntimedOpenings = 2;

/// The windows need an application; the offscreen platform keeps them off any display. It
/// lives to the end of the program on purpose: a widget application destroyed by the exit
/// handlers would outlive its platform plugin.
void ensureApplication()
{
    if (QApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "DatabaseWindowQtBench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

/// Column 69 of an element line: the sum of the digits of columns 1 to 68, each minus sign
/// counting 1, modulo 10.
char checksumOf(const std::string& line)
{
    int sum = 0;
    for (char c : line.substr(0, 68)) {
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            ++sum;
    }
    return static_cast<char>('0' + sum % 10);
}

std::string withChecksum(std::string line)
{
    line.resize(68, ' ');
    return line + checksumOf(line);
}

/// 30,000 sets whose name, inclination and mean motion vary, each line with its checksum,
/// written once.
const QString& elementFilePath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("large.tle"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return QString();
        for (int k = 1; k <= kSets; ++k) {
            char line1[96];
            char line2[96];
            std::snprintf(line1, sizeof line1,
                          "1 %05dU 98067A   24%03d.50000000  .00016717  00000-0  10270-3 0  900", k,
                          1 + k % 365);
            // The inclination and mean motion as whole and fractional digits, so the columns
            // do not depend on the locale's decimal separator.
            const int inclination = (k * 37) % 18000;
            const int motion = 100 + (k * 13) % 1500;
            std::snprintf(
                line2, sizeof line2,
                "2 %05d %3d.%02d00 247.4627 0006703 130.5360 325.0288 %2d.%02d00000043221", k,
                inclination / 100, inclination % 100, motion / 100, motion % 100);
            const std::string set = "SATELLITE " + std::to_string((k * 7919) % 100000) + "\r\n" +
                                    withChecksum(line1) + "\r\n" + withChecksum(line2) + "\r\n";
            out.write(set.data(), static_cast<qint64>(set.size()));
        }
        return file;
    }();
    return path;
}

/// Answers every message box the window shows (as the window tests do) and counts them: a
/// box in a benchmark means the run measured something other than the listing.
class MessageAnswerer
{
public:
    MessageAnswerer()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            ++shown;
            firstText = firstText.isEmpty() ? box->text() : firstText;
            if (QAbstractButton* button = box->defaultButton())
                button->click();
            else
                box->reject();
        });
        m_timer.start();
    }

    int shown = 0;
    QString firstText;

private:
    QTimer m_timer;
};

void reportMessages(benchmark::State& state, const MessageAnswerer& answerer)
{
    if (answerer.shown > 0) {
        const std::string text = "the window showed a message: " + answerer.firstText.toStdString();
        state.SkipWithError(text.c_str());
    }
}

void BM_WindowReadsAndLists30000Sets(benchmark::State& state)
{
    ensureApplication();
    MessageAnswerer answerer;
    DatabaseSession session([] { return true; });
    frmDatabase window(session, DatabaseWindowHooks{});
    // Only the opening and the listing are timed. The file is written before, and opened
    // untimed first: the first openings in a process also pay for what is set up once (fonts,
    // the progress window's first showing, the memory for 30,000 rows taken from the system),
    // and a short run would time one of those alone.
    const QString& path = elementFilePath();
    if (path.isEmpty()) {
        state.SkipWithError("the element file could not be written");
        return;
    }
    for (int k = 0; k < kUntimedOpenings; ++k)
        window.Database_satelliti(path);
    for (auto _ : state) {
        window.Database_satelliti(path);
        if (window.entryCount(DatabaseKind::Primary) != kSets)
            state.SkipWithError("the element file was not listed completely");
    }
    state.SetItemsProcessed(state.iterations() * kSets);
    reportMessages(state, answerer);
}
BENCHMARK(BM_WindowReadsAndLists30000Sets)->Unit(benchmark::kMillisecond);

void BM_WindowListsAgainByPeriod(benchmark::State& state)
{
    ensureApplication();
    MessageAnswerer answerer;
    DatabaseSession session([] { return true; });
    frmDatabase window(session, DatabaseWindowHooks{});
    window.Database_satelliti(elementFilePath());
    auto* sortKey = window.findChild<QComboBox*>(QStringLiteral("cmbOrdina(0)"));
    for (auto _ : state) {
        for (int key : {4, 0}) { // period, then back to the name
            sortKey->setCurrentIndex(key);
            emit sortKey->activated(key);
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * kSets);
    reportMessages(state, answerer);
}
BENCHMARK(BM_WindowListsAgainByPeriod)->Unit(benchmark::kMillisecond);

} // namespace

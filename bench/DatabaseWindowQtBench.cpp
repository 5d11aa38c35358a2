// What the user waits for when the database window opens a large element file: reading 30,000
// sets with the progress window, listing them, filling the captions and showing the window;
// and listing them again under another sort key from the window's box.

#include "common/catalogues.h"
#include "database/DatabaseSession.h"
#include "database/frmDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kSets = 30000;

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

/// 30,000 sets whose name, inclination and mean motion vary, written once.
const QString& elementFilePath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("large.tle"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return QString();
        for (int k = 1; k <= kSets; ++k) {
            // QString::number always writes a full stop; printf's "%f" follows the locale.
            const QByteArray inclination =
                QString::number((k * 37) % 18000 / 100.0, 'f', 4).rightJustified(8).toLatin1();
            const QByteArray motion =
                QString::number(1.0 + (k * 13) % 1500 / 100.0, 'f', 8).rightJustified(11).toLatin1();
            char lines[256];
            std::snprintf(lines, sizeof lines,
                          "SATELLITE %d\r\n"
                          "1 %05dU 98067A   24%03d.50000000  .00016717  00000-0  10270-3 0  9005\r\n"
                          "2 %05d %s 247.4627 0006703 130.5360 325.0288 %s432213\r\n",
                          (k * 7919) % 100000, k, 1 + k % 365, k, inclination.constData(),
                          motion.constData());
            out.write(lines);
        }
        return file;
    }();
    return path;
}

void BM_WindowReadsAndLists30000Sets(benchmark::State& state)
{
    ensureApplication();
    DatabaseSession session([] { return true; });
    frmDatabase window(session, DatabaseWindowHooks{});
    for (auto _ : state) {
        window.Database_satelliti(elementFilePath());
        if (window.entryCount(DatabaseKind::Primary) != kSets)
            state.SkipWithError("the element file was not listed completely");
    }
    state.SetItemsProcessed(state.iterations() * kSets);
}
BENCHMARK(BM_WindowReadsAndLists30000Sets)->Unit(benchmark::kMillisecond);

void BM_WindowListsAgainByPeriod(benchmark::State& state)
{
    ensureApplication();
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
}
BENCHMARK(BM_WindowListsAgainByPeriod)->Unit(benchmark::kMillisecond);

} // namespace

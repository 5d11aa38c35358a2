// Draws the README's picture of the pass-prediction window: every set of gpredict's catalogue
// as the primary database, searched for 24 hours from Milan for visible passes, the list
// sorted by time and shown from the first pass that culminates after the start.
//   pass_picture <program folder with English.ini and magnitud.dat> <output.png>
// Runs on any Qt platform (offscreen included).

#include "common/catalogues.h"
#include "common/element_databases.h"
#include "common/gates.h"
#include "common/options.h"
#include "common/program_time.h"
#include "predictions/frmVisibleSatellites.h"
#include "services/ProgramFolder.h"
#include "support/ElementSetSources.h"
#include "tracking/TickTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

namespace {

/// 2018-01-21 17:00 UT, 18:00 in Milan: a day after the catalogue's epochs.
constexpr double kStartJd = 2458140.5 - 7.0 / 24.0;
constexpr double kStartLocalDate = 43121.0 + 18.0 / 24.0;

/// magnitud.dat: lines "number","magnitude".
void readMagnitudes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(',');
        if (fields.size() != 2)
            continue;
        bool ok = false;
        const int number = QString::fromLatin1(QByteArray(fields[0]).replace('"', "")).toInt(&ok);
        if (!ok || number <= 0)
            continue;
        if (static_cast<std::size_t>(number) >= Tabella_magnitudini.size())
            Tabella_magnitudini.resize(static_cast<std::size_t>(number) + 1);
        Tabella_magnitudini[static_cast<std::size_t>(number)] =
            QByteArray(fields[1]).replace('"', "").toStdString();
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: pass_picture <program folder> <output.png>\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvanel"));
    MyPath = QString::fromLocal8Bit(argv[1]);
    Impostazioni.File_lingua = "English.ini";
    Impostazioni.Propagatore = 3;
    Osservatore.Nome_localita = "Milano";
    Osservatore.Latitudine_osservatore = 45.47f;
    Osservatore.Longitudine_osservatore = 9.19f;
    Osservatore.Quota_osservatore = 133.0f;
    Osservatore.Fuso_orario = 1.0f;
    readMagnitudes(MyPath + QStringLiteral("/magnitud.dat"));
    readStatusNames();
    const std::optional<std::vector<Record_TLE>> sets = testsets::gpredictSets();
    if (!sets) {
        std::fprintf(stderr, "gpredict's satellites.dat is not installed\n");
        return 1;
    }
    Db_principale.assign(1, Record_TLE{});
    Db_principale.insert(Db_principale.end(), sets->begin(), sets->end());
    Data_attuale = kStartLocalDate;
    pflgCentrale.setEnabled(true);
    pflgSatellite.setEnabled(true);

    frmVisibleSatellites window;
    window.setMessageSink([](QMessageBox::Icon, const QString& text) {
        std::printf("%s\n", text.toUtf8().constData());
    });
    window.resize(1000, 680);
    window.show();
    window.SSTab1->setCurrentIndex(frmVisibleSatellites::kTabAll);
    window.cmbDurata[0]->setCurrentIndex(window.cmbDurata[0]->count() - 1);
    window.chkTransito->setChecked(false);
    window.chkSoloVisibili[0]->setChecked(true);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QObject::connect(&window, &frmVisibleSatellites::searchFinished, &window, [&] {
        emit window.lvwPass[0]->header()->sectionClicked(kColumnCulmination);
        const PassListModel* list = window.passList(0);
        int row = 0;
        while (row + 1 < list->rowCount() &&
               list->entry(row)->row.pass.culmination.julianDate <= kStartJd)
            ++row;
        window.lvwPass[0]->setCurrentIndex(list->index(row, 0));
        window.lvwPass[0]->scrollTo(list->index(row, 0), QAbstractItemView::PositionAtTop);
        QTimer::singleShot(300, &window, [&] {
            window.grab().save(output);
            std::printf("%d passes\n", window.passList(0)->rowCount());
            app.quit();
        });
    });
    QTimer::singleShot(200, &window, [&] { window.cmdOK_Click(frmVisibleSatellites::kTabAll); });
    return app.exec();
}

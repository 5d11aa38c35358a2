#include "predictions/frmRelative.h"

#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/NetworkWindowSupport.h"
#include "dialogs/DialogButtons.h"
#include "predictions/frmDetails.h"
#include "services/ObjectNames.h"
#include "services/mLang.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 100;

QString relativeText(const char16_t* key)
{
    return mLang::Testo_lingua(u"frmRelative", key);
}

} // namespace

frmRelative::frmRelative(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmRelative"));
    setModal(false);
    buildControls();
    connectControls();
    Form_Load();
}

QLayout* frmRelative::buildSatelliteSide(int side, QLabel* caption)
{
    SSTab1[side] = named(new QTabBar(this), QStringLiteral("SSTab1(%1)").arg(side));
    SSTab1[side]->addTab(QString());
    SSTab1[side]->addTab(QString());
    SSTab1[side]->setExpanding(false);
    // Both captions always in full: the column widens to the tabs rather than scrolling them.
    SSTab1[side]->setUsesScrollButtons(false);
    SSTab1[side]->setElideMode(Qt::ElideNone);
    cmbDatabase[side] = named(new QComboBox(this), QStringLiteral("cmbDatabase(%1)").arg(side));
    cmbDatabase[side]->setMinimumContentsLength(24);
    auto* column = new QVBoxLayout;
    column->addWidget(caption);
    column->addWidget(SSTab1[side]);
    column->addWidget(cmbDatabase[side]);
    return column;
}

void frmRelative::buildControls()
{
    lblSatelliteA = named(new QLabel(this), QStringLiteral("lblSatelliteA"));
    lblSatelliteB = named(new QLabel(this), QStringLiteral("lblSatelliteB"));
    auto* sides = new QHBoxLayout;
    sides->addLayout(buildSatelliteSide(0, lblSatelliteA));
    sides->addLayout(buildSatelliteSide(1, lblSatelliteB));
    lblInfo = named(new QLabel(this), QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    QGridLayout* spanGrid = span.build(this);

    QGroupBox* coordinateGroup = coordinates.build(this, true);
    QHBoxLayout* buttons = buildDialogButtons(this, cmdOK, cmdCancel, cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides);
    layout->addWidget(lblInfo);
    layout->addLayout(spanGrid);
    layout->addWidget(coordinates.lblTipoCoordinate);
    layout->addWidget(coordinateGroup);
    layout->addLayout(buttons);
}

void frmRelative::connectControls()
{
    for (int side = 0; side < 2; ++side)
        connect(SSTab1[side], &QTabBar::currentChanged, this, [this, side] { SSTab1_Click(side); });
    connect(cmdOK, &GraphButton::Click, this, &frmRelative::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmRelative::cmdCancel_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmRelative::cmdHelp_Click);
}

void frmRelative::Form_Load()
{
    setWindowTitle(relativeText(u"motorelativosatelliti"));
    for (QTabBar* tabs : SSTab1) {
        tabs->setTabText(0, relativeText(u"dbprincipale"));
        tabs->setTabText(1, relativeText(u"dbsecondario"));
    }
    lblSatelliteA->setText(relativeText(u"satellitea"));
    lblSatelliteB->setText(relativeText(u"satelliteb"));
    lblInfo->setText(relativeText(u"informazione"));
    setDialogButtonCaptions(cmdOK, cmdCancel, cmdHelp);
    span.load(u"frmRelative", Data_attuale);
    coordinates.load(u"frmRelative", coordinates.optECI);
    for (int side = 0; side < 2; ++side) {
        const QSignalBlocker loading(SSTab1[side]);
        SSTab1[side]->setCurrentIndex(0);
        fillDatabaseList(side);
    }
}

void frmRelative::fillDatabaseList(int side)
{
    QComboBox* list = cmbDatabase[side];
    list->clear();
    const std::vector<Record_TLE>& database = databaseOfTab(SSTab1[side]->currentIndex());
    for (std::size_t k = 1; k < database.size(); ++k)
        list->addItem(databaseEntryText(database[k]), static_cast<int>(k));
    list->model()->sort(0);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

void frmRelative::SSTab1_Click(int side)
{
    fillDatabaseList(side);
    // Both satellites start again from their first entries.
    for (QComboBox* list : cmbDatabase)
        list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

void frmRelative::cmdOK_Click()
{
    const QString title = QGuiApplication::applicationDisplayName();
    if (cmbDatabase[0]->currentIndex() < 0 || cmbDatabase[1]->currentIndex() < 0) {
        QMessageBox::information(this, title, relativeText(u"selezionaresatelliti"));
        return;
    }
    if (SSTab1[0]->currentIndex() == SSTab1[1]->currentIndex()
        && cmbDatabase[0]->currentIndex() == cmbDatabase[1]->currentIndex()) {
        QMessageBox::information(this, title, relativeText(u"satelliticoincidenti"));
        return;
    }
    std::optional<Record_TLE> sets[2];
    for (int side = 0; side < 2; ++side) {
        sets[side] = chosenSet(SSTab1[side]->currentIndex(),
                               cmbDatabase[side]->currentData().toInt(),
                               cmbDatabase[side]->currentText());
        if (!sets[side]) {
            // The database was read again meanwhile: the lists show it now.
            for (int k = 0; k < 2; ++k)
                fillDatabaseList(k);
            QMessageBox::information(this, title, relativeText(u"selezionaresatelliti"));
            return;
        }
    }
    const double start = span.start();
    const double end = span.end(start);
    const double step = span.stepSeconds();
    const int option = coordinates.listingOption();
    newListingWindow()->Genera_relativo(*sets[0], *sets[1], start, end, step, option);
}

void frmRelative::cmdCancel_Click()
{
    close();
}

void frmRelative::cmdHelp_Click()
{
    showContextHelp(this, kHelpContext);
}

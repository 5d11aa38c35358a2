#include "predictions/frmCalc.h"

#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/NetworkWindowSupport.h"
#include "dialogs/DialogButtons.h"
#include "predictions/frmDetails.h"
#include "services/ObjectNames.h"
#include "services/mLang.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 110;
constexpr int kListHeightLines = 12;

QString calcText(const char16_t* key)
{
    return mLang::Testo_lingua(u"frmCalc", key);
}

} // namespace

frmCalc::frmCalc(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmCalc"));
    setModal(false);
    buildControls();
    connectControls();
    Form_Load();
}

void frmCalc::buildControls()
{
    SSTab1 = named(new QTabWidget(this), QStringLiteral("SSTab1"));
    for (int tab = 0; tab < 2; ++tab) {
        auto* list = named(new QListWidget(SSTab1),
                           QStringLiteral("lstDatabase(%1)").arg(tab));
        list->setSortingEnabled(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setMinimumHeight(list->fontMetrics().height() * kListHeightLines);
        lstDatabase[tab] = list;
        SSTab1->addTab(list, QString());
    }
    QGridLayout* spanGrid = span.build(this);

    QGroupBox* coordinateGroup = coordinates.build(this, false);
    QHBoxLayout* buttons = buildDialogButtons(this, cmdOK, cmdCancel, cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(spanGrid);
    layout->addWidget(coordinates.lblTipoCoordinate);
    layout->addWidget(coordinateGroup);
    layout->addLayout(buttons);
}

void frmCalc::connectControls()
{
    connect(cmdOK, &GraphButton::Click, this, &frmCalc::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmCalc::cmdCancel_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmCalc::cmdHelp_Click);
    for (QListWidget* list : lstDatabase)
        connect(list, &QListWidget::itemDoubleClicked, this, &frmCalc::cmdOK_Click);
    // Key preview: the dialog sees the key presses of all its controls first.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void frmCalc::Form_Load()
{
    setWindowTitle(calcText(u"calcoloeffemeridisatelliti"));
    SSTab1->setTabText(0, calcText(u"dbprincipale"));
    SSTab1->setTabText(1, calcText(u"dbsecondario"));
    setDialogButtonCaptions(cmdOK, cmdCancel, cmdHelp);
    span.load(u"frmCalc", Data_attuale);
    coordinates.load(u"frmCalc", coordinates.optOBS);
    SSTab1->setCurrentIndex(0);
    fillDatabaseLists();
}

void frmCalc::fillDatabaseLists()
{
    for (int tab = 0; tab < 2; ++tab) {
        QListWidget* list = lstDatabase[tab];
        list->clear();
        const std::vector<Record_TLE>& database = databaseOfTab(tab);
        for (std::size_t k = 1; k < database.size(); ++k) {
            auto* item = new QListWidgetItem(databaseEntryText(database[k]));
            item->setData(Qt::UserRole, static_cast<int>(k));
            list->addItem(item);
        }
    }
}

bool frmCalc::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        Form_KeyDown(key->key(), key->modifiers());
    }
    return QDialog::eventFilter(watched, event);
}

void frmCalc::Form_KeyDown(int, Qt::KeyboardModifiers shift)
{
    if ((shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        == Qt::ControlModifier)
        mblnSoloAltPositiva = true;
}

void frmCalc::cmdOK_Click()
{
    const int tab = SSTab1->currentIndex();
    const QListWidgetItem* row = lstDatabase[tab]->currentItem();
    if (row == nullptr || !row->isSelected()) {
        QMessageBox::information(this, QGuiApplication::applicationDisplayName(),
                                 calcText(u"selezionaresatellite"));
        return;
    }
    const std::optional<Record_TLE> set =
        chosenSet(tab, row->data(Qt::UserRole).toInt(), row->text());
    if (!set) {
        // The database was read again meanwhile: the lists show it now.
        fillDatabaseLists();
        QMessageBox::information(this, QGuiApplication::applicationDisplayName(),
                                 calcText(u"selezionaresatellite"));
        return;
    }
    const double start = span.start();
    const double end = span.end(start);
    double step = span.stepSeconds();
    const int option = coordinates.listingOption();
    frmDetails* listing = newListingWindow();
    listing->blnSoloAltPositiva = mblnSoloAltPositiva;
    mblnSoloAltPositiva = false;
    listing->Genera_elenco(*set, start, end, step, option);
}

void frmCalc::cmdCancel_Click()
{
    close();
}

void frmCalc::cmdHelp_Click()
{
    showContextHelp(this, kHelpContext);
}

#include "predictions/frmCalc.h"

#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/NetworkWindowSupport.h"
#include "predictions/frmDetails.h"
#include "services/mLang.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 110;
constexpr int kListHeightLines = 12;

QString calcText(const char16_t* key)
{
    return mLang::Testo_lingua(u"frmCalc", key);
}

template <class Control>
Control* named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
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

    auto* coordinates = named(new QGroupBox(this), QStringLiteral("fraCoordinate"));
    lblTipoCoordinate = named(new QLabel(this), QStringLiteral("lblTipoCoordinate"));
    optOBS = named(new QRadioButton(coordinates), QStringLiteral("optOBS"));
    optECI = named(new QRadioButton(coordinates), QStringLiteral("optECI"));
    optLLA = named(new QRadioButton(coordinates), QStringLiteral("optLLA"));
    optRAD = named(new QRadioButton(coordinates), QStringLiteral("optRAD"));
    auto* options = new QHBoxLayout(coordinates);
    for (QRadioButton* option : {optOBS, optECI, optLLA, optRAD})
        options->addWidget(option);

    cmdOK = named(new GraphButton(this), QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = named(new GraphButton(this), QStringLiteral("cmdCancel"));
    cmdCancel->setCancel(true);
    cmdHelp = named(new GraphButton(this), QStringLiteral("cmdHelp"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(spanGrid);
    layout->addWidget(lblTipoCoordinate);
    layout->addWidget(coordinates);
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
    lblTipoCoordinate->setText(calcText(u"tipocoordinate"));
    optECI->setText(calcText(u"eci"));
    optOBS->setText(calcText(u"obs"));
    optLLA->setText(calcText(u"lla"));
    optRAD->setText(calcText(u"rad"));
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
    cmdHelp->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
    span.load(u"frmCalc", Data_attuale);
    optOBS->setChecked(true);
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

int frmCalc::chosenOption() const
{
    if (optOBS->isChecked())
        return 1;
    if (optECI->isChecked())
        return 2;
    if (optLLA->isChecked())
        return 3;
    return 4;
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
    const int option = chosenOption();
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

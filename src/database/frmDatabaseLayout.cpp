// The database window's controls, their texts and their wiring.

#include "database/frmDatabase.h"

#include "tracking/TrackingModel.h"

#include "common/Elemento_satellite.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "database/DatabaseButtonPictures.h"
#include "database/DatabaseListModels.h"
#include "database/ElementListing.h"
#include "services/ObjectNames.h"
#include "services/WindowTexts.h"
#include "services/mLang.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const WindowTexts texts(u"frmDatabase");

constexpr int kListMinimumWidthPx = 260;
constexpr int kListMinimumHeightPx = 260;

QString indexedName(const char* name, DatabaseKind kind)
{
    return QString::fromLatin1(name) + u'(' + QString::number(static_cast<int>(kind)) + u')';
}

/// A button the layout never makes narrower than its caption.
GraphButton* captionButton(QWidget* parent, const QString& name)
{
    auto* button = named(new GraphButton(parent), name);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    return button;
}

GraphButton* pictureButton(QWidget* parent, const QString& name, ButtonPicture picture)
{
    auto* button = captionButton(parent, name);
    button->setPicture(buttonPicture(picture, parent->devicePixelRatioF()));
    return button;
}

QListView* databaseListView(QWidget* parent, const QString& name)
{
    auto* list = named(new QListView(parent), name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true); // keeps a list of tens of thousands of sets quick
    list->setMinimumSize(kListMinimumWidthPx, kListMinimumHeightPx);
    return list;
}

/// A caption label and its value label in one row of a statistics grid.
void addStatistic(QGridLayout* grid, int row, int column, QLabel* caption, QLabel* value)
{
    grid->addWidget(caption, row, column);
    grid->addWidget(value, row, column + 1);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

void frmDatabase::buildControls()
{
    SSTab1 = named(new QTabWidget(this), QStringLiteral("SSTab1"));
    SSTab1->addTab(buildDatabaseTab(DatabaseKind::Primary), QString());
    SSTab1->addTab(buildDatabaseTab(DatabaseKind::Secondary), QString());

    cmdOK = captionButton(this, QStringLiteral("cmdOK"));
    // Enter in the window closes it, as in the program's dialogs.
    cmdOK->setDefault(true);
    cmdHelp = captionButton(this, QStringLiteral("cmdHelp"));
    auto* closeButtons = new QHBoxLayout;
    closeButtons->addStretch();
    closeButtons->addWidget(cmdOK);
    closeButtons->addWidget(cmdHelp);

    auto* right = new QVBoxLayout;
    right->addWidget(buildActiveFrame(), 1);
    right->addLayout(closeButtons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(SSTab1, 3);
    layout->addLayout(right, 2);
}

QWidget* frmDatabase::buildDatabaseTab(DatabaseKind kind)
{
    DatabaseTab& t = tab(kind);
    t.page = new QWidget(this);
    t.frame = named(new QGroupBox(t.page), kind == DatabaseKind::Primary
                                               ? QStringLiteral("fraDBPrincipale")
                                               : QStringLiteral("fraDBSecondario"));
    QWidget* f = t.frame;
    t.lstDatabase = databaseListView(f, indexedName("lstDatabase", kind));
    t.model = new ElementListModel(database(kind), this);
    t.lstDatabase->setModel(t.model);
    // Entries are dragged onto the active list to add them.
    t.lstDatabase->setDragEnabled(true);
    t.lstDatabase->setDragDropMode(QAbstractItemView::DragOnly);
    t.lstDatabase->setDefaultDropAction(Qt::CopyAction);

    t.cmdAdd = pictureButton(f, indexedName("cmdAdd", kind), ButtonPicture::ArrowRight);
    t.cmdRemove = pictureButton(f, indexedName("cmdRemove", kind), ButtonPicture::ArrowLeft);
    auto* moveButtons = new QVBoxLayout;
    moveButtons->addStretch();
    moveButtons->addWidget(t.cmdAdd);
    moveButtons->addWidget(t.cmdRemove);
    moveButtons->addStretch();

    t.lblOrdinamento = named(new QLabel(f), indexedName("lblOrdinamento", kind));
    t.cmbOrdina = named(new QComboBox(f), indexedName("cmbOrdina", kind));
    auto* sortRow = new QHBoxLayout;
    sortRow->addWidget(t.lblOrdinamento);
    sortRow->addWidget(t.cmbOrdina, 1);

    const auto label = [f, kind](const char* name) {
        return named(new QLabel(f), indexedName(name, kind));
    };
    t.lblSatellitiCaricati = label("lblSatellitiCaricati");
    t.lblCaricati = label("lblCaricati");
    t.lblMagnitudini = label("lblMagnitudini");
    t.lblNumeroMagnitudini = label("lblNumeroMagnitudini");
    t.lblParametriVecchi = label("lblParametriVecchi");
    t.lblVecchi = label("lblVecchi");
    t.lblParametriRecenti = label("lblParametriRecenti");
    t.lblRecenti = label("lblRecenti");
    t.lblMediaParametri = label("lblMediaParametri");
    t.lblMedia = label("lblMedia");
    t.lblSelezionati = label("lblSelezionati");
    t.lblNumeroSelezionati = label("lblNumeroSelezionati");
    auto* statistics = new QGridLayout;
    addStatistic(statistics, 0, 0, t.lblSatellitiCaricati, t.lblCaricati);
    addStatistic(statistics, 1, 0, t.lblMagnitudini, t.lblNumeroMagnitudini);
    addStatistic(statistics, 2, 0, t.lblSelezionati, t.lblNumeroSelezionati);
    addStatistic(statistics, 0, 2, t.lblParametriVecchi, t.lblVecchi);
    addStatistic(statistics, 1, 2, t.lblParametriRecenti, t.lblRecenti);
    addStatistic(statistics, 2, 2, t.lblMediaParametri, t.lblMedia);
    statistics->setColumnMinimumWidth(1, 60);
    statistics->setHorizontalSpacing(12);

    t.cmdDatabase = captionButton(f, indexedName("cmdDatabase", kind));
    t.cmdSommario = captionButton(f, indexedName("cmdSommario", kind));
    t.cmdVisibili = captionButton(f, indexedName("cmdVisibili", kind));
    t.cmdDownload = captionButton(f, indexedName("cmdDownload", kind));
    auto* buttons = new QHBoxLayout;
    for (GraphButton* button : {t.cmdDatabase, t.cmdSommario, t.cmdVisibili, t.cmdDownload})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* grid = new QGridLayout(t.frame);
    grid->addWidget(t.lstDatabase, 0, 0);
    grid->addLayout(moveButtons, 0, 1);
    grid->addLayout(sortRow, 1, 0);
    grid->addLayout(statistics, 2, 0);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowStretch(0, 1);

    auto* pageLayout = new QVBoxLayout(t.page);
    pageLayout->addWidget(t.frame);
    return t.page;
}

QWidget* frmDatabase::buildActiveFrame()
{
    fraAttivi = named(new QGroupBox(this), QStringLiteral("fraAttivi"));
    lstActive = databaseListView(fraAttivi, QStringLiteral("lstActive"));
    // Never so narrow that it cuts a name: room for as many capitals as a name keeps, beside
    // the scroll bar that a long active list shows.
    const int wholeName =
        lstActive->fontMetrics().horizontalAdvance(QString(kNameCharacters, u'N')) +
        2 * lstActive->frameWidth() + lstActive->verticalScrollBar()->sizeHint().width();
    lstActive->setMinimumWidth(std::max(kListMinimumWidthPx * 2 / 3, wholeName));
    m_activeModel = new ActiveListModel(m_session.active(), this);
    lstActive->setModel(m_activeModel);
    // The drop target of entries dragged out of a database list.
    lstActive->setAcceptDrops(true);
    lstActive->viewport()->setAcceptDrops(true);
    lstActive->viewport()->installEventFilter(this);

    lblSatellitiAttivi = named(new QLabel(fraAttivi), QStringLiteral("lblSatellitiAttivi"));
    lblNumeroSatellitiAttivi =
        named(new QLabel(fraAttivi), QStringLiteral("lblNumeroSatellitiAttivi"));
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(lblSatellitiAttivi);
    countRow->addWidget(lblNumeroSatellitiAttivi);
    countRow->addStretch();

    cmdPrincipale = captionButton(fraAttivi, QStringLiteral("cmdPrincipale"));
    cmdUp = pictureButton(fraAttivi, QStringLiteral("cmdUp"), ButtonPicture::ArrowUp);
    cmdDown = pictureButton(fraAttivi, QStringLiteral("cmdDown"), ButtonPicture::ArrowDown);
    cmdOrder = pictureButton(fraAttivi, QStringLiteral("cmdOrder"), ButtonPicture::Rotate);
    cmdRemoveAll = captionButton(fraAttivi, QStringLiteral("cmdRemoveAll"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdPrincipale);
    buttons->addWidget(cmdUp);
    buttons->addWidget(cmdDown);
    buttons->addWidget(cmdOrder);
    buttons->addStretch();
    buttons->addWidget(cmdRemoveAll);

    auto* grid = new QGridLayout(fraAttivi);
    grid->addLayout(countRow, 0, 0, 1, 2);
    grid->addWidget(lstActive, 1, 0);
    grid->addLayout(buttons, 1, 1);
    return fraAttivi;
}

void frmDatabase::Form_Load()
{
    applyTexts();
    // The captions came after the layouts first measured the buttons: no caption is cut.
    for (GraphButton* button : findChildren<GraphButton*>())
        button->setMinimumSize(button->sizeHint());
    connectControls();
    for (DatabaseKind kind : {DatabaseKind::Primary, DatabaseKind::Secondary}) {
        DatabaseTab& t = tab(kind);
        t.cmbOrdina->setCurrentIndex(static_cast<int>(SortKey::Name));
        cmbOrdina_Click(kind);
        showStatistics(kind);
        // Enabled by a choice in their list; a button whose window is missing stays off.
        t.cmdAdd->setEnabled(false);
        t.cmdRemove->setEnabled(false);
        t.cmdSommario->setEnabled(bool(m_hooks.showSummary));
        t.cmdDownload->setEnabled(bool(m_hooks.download));
    }
    activeSatellitesChanged();
    SSTab1->setCurrentIndex(0);
}

void frmDatabase::applyTexts()
{
    setWindowTitle(texts(u"dbsatelliti"));
    SSTab1->setTabText(0, texts(u"dbprincipale"));
    SSTab1->setTabText(1, texts(u"dbsecondario"));
    const QStringList sortKeys{
        texts(u"optname"),    texts(u"optyear"),  texts(u"optinc"),       texts(u"optraan"),
        texts(u"optperiod"),  texts(u"optnorad"), texts(u"optmagnitude"), texts(u"optecc"),
        texts(u"optperigee"), texts(u"optrev"),
    };
    const QString listTip = texts(u"doppioclickparametri");
    for (DatabaseTab& t : m_tabs) {
        t.cmbOrdina->clear();
        t.cmbOrdina->addItems(sortKeys);
        t.lblSatellitiCaricati->setText(texts(u"satelliticaricati"));
        t.lblParametriVecchi->setText(texts(u"parametrivecchi"));
        t.lblParametriRecenti->setText(texts(u"parametrirecenti"));
        t.lblMediaParametri->setText(texts(u"mediaparametri"));
        t.lblMagnitudini->setText(texts(u"magnitudinidisp"));
        t.lblSelezionati->setText(texts(u"selezionati"));
        t.lblOrdinamento->setText(texts(u"ordinamento"));
        t.cmdSommario->setCaption(texts(u"sommario"));
        t.cmdDatabase->setCaption(texts(u"apri"));
        t.cmdAdd->setToolTip(texts(u"aggiungi"));
        t.cmdRemove->setToolTip(texts(u"rimuovi"));
        t.cmdVisibili->setCaption(mLang::Testo_lingua(u"Buttons", u"intransito"));
        t.cmdDownload->setCaption(mLang::Testo_lingua(u"Buttons", u"download"));
        t.lstDatabase->setToolTip(listTip);
    }
    lblSatellitiAttivi->setText(texts(u"satellitiattivi"));
    cmdRemoveAll->setCaption(texts(u"elimina"));
    cmdPrincipale->setCaption(texts(u"principale"));
    cmdOrder->setToolTip(texts(u"ordine"));
    cmdUp->setToolTip(texts(u"spostasu"));
    cmdDown->setToolTip(texts(u"spostagiu"));
    lstActive->setToolTip(listTip);
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdHelp->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
}

void frmDatabase::connectControls()
{
    connectDatabaseTab(DatabaseKind::Primary);
    connectDatabaseTab(DatabaseKind::Secondary);
    connect(lstActive->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmDatabase::lstActive_Click);
    connect(lstActive, &QAbstractItemView::doubleClicked, this, &frmDatabase::lstActive_DblClick);
    connect(cmdPrincipale, &GraphButton::Click, this, &frmDatabase::cmdPrincipale_Click);
    connect(cmdUp, &GraphButton::Click, this, &frmDatabase::cmdUp_Click);
    connect(cmdDown, &GraphButton::Click, this, &frmDatabase::cmdDown_Click);
    connect(cmdOrder, &GraphButton::Click, this, &frmDatabase::cmdOrder_Click);
    connect(cmdRemoveAll, &GraphButton::Click, this, &frmDatabase::cmdRemoveAll_Click);
    connect(cmdOK, &GraphButton::Click, this, &frmDatabase::cmdOK_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmDatabase::cmdHelp_Click);
    connect(&TrackingModel::instance(), &TrackingModel::activeSetChanged, this,
            &frmDatabase::activeSatellitesChanged);
}

void frmDatabase::connectDatabaseTab(DatabaseKind kind)
{
    DatabaseTab& t = tab(kind);
    connect(t.cmbOrdina, &QComboBox::activated, this, [this, kind] { cmbOrdina_Click(kind); });
    connect(t.lstDatabase->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, kind] { lstDatabase_Click(kind); });
    connect(t.lstDatabase, &QAbstractItemView::doubleClicked, this,
            [this, kind] { lstDatabase_DblClick(kind); });
    connect(t.cmdAdd, &GraphButton::Click, this, [this, kind] { cmdAdd_Click(kind); });
    connect(t.cmdRemove, &GraphButton::Click, this, &frmDatabase::cmdRemove_Click);
    connect(t.cmdSommario, &GraphButton::Click, this, [this, kind] { cmdSommario_Click(kind); });
    connect(t.cmdDatabase, &GraphButton::Click, this, [this, kind] { cmdDatabase_Click(kind); });
    connect(t.cmdVisibili, &GraphButton::Click, this, [this, kind] { cmdVisibili_Click(kind); });
    connect(t.cmdDownload, &GraphButton::Click, this, &frmDatabase::cmdDownload_Click);
}

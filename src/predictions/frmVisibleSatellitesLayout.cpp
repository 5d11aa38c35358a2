// The pass-prediction window's controls, their texts and their first state.

#include "predictions/frmVisibleSatellites.h"

#include "common/Elemento_satellite.h"
#include "common/options.h"
#include "common/program_time.h"
#include "controls/DateTimeField/DateTimeField.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/DateValue.h"
#include "predictions/ListingText.h"
#include "predictions/PassFormat.h"
#include "services/ObjectNames.h"
#include "services/Twips.h"
#include "services/mLang.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kPassListHeightTwips = 3735;
constexpr std::array<double, kPassColumnCount> kColumnWidthsTwips{2300, 2400, 800, 800, 900,
                                                                  800,  1200, 0,   0};
constexpr int kLineListHeightPx = 64;
constexpr int kEventLines = 3;
constexpr std::array<int, 6> kLimitSlots{10, 20, 30, 40, 50, 200};
constexpr int kSpanHoursTab0 = 24;
constexpr int kSpanDays = 28;

QString indexedName(const char* name, int k)
{
    return QString::fromLatin1(name) + u'(' + QString::number(k) + u')';
}

QFont listFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    return font;
}

int pixels(double twipsValue)
{
    return static_cast<int>(twips::toPixels(twipsValue));
}

/// The size an item of `list` needs for the largest of `texts`, as the list draws them in its
/// font.
QSize itemSizeFor(const QAbstractItemView* list, const QStringList& texts)
{
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    option.fontMetrics = QFontMetrics(list->font());
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QSize largest;
    for (const QString& text : texts) {
        option.text = text;
        largest = largest.expandedTo(
            list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), list));
    }
    return largest;
}

/// The widest texts a column of the pass list shows: the dates of every month in the display
/// locale, a name of as many capitals as a set keeps, and the values at their fixed widths.
QStringList widestColumnTexts(int column)
{
    switch (column) {
    case kColumnCulmination: {
        QStringList dates;
        for (int month = 1; month <= 12; ++month)
            dates.append(culminationColumnText(DateValue::fromDateTime(2028, month, 28, 23, 58, 58)));
        return dates;
    }
    case kColumnName:
        return {QString(kNameCharacters, u'N')};
    case kColumnStatus:
        return {QString(3, u'N')};
    case kColumnDuration:
        return {QStringLiteral("00:00:00")};
    default:
        return {QString(4, u'0')};
    }
}

QDateTime dateTimeOf(double dateValue)
{
    const DateValue::Parts p = DateValue::split(dateValue);
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

} // namespace

void frmVisibleSatellites::buildControls()
{
    SSTab1 = named(new QTabWidget(this), QStringLiteral("SSTab1"));
    for (int k = 0; k < kTabs; ++k)
        SSTab1->addTab(buildTab(k), QString());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
}

QWidget* frmVisibleSatellites::buildTab(int k)
{
    static const std::array<QString, kTabs> frames{
        QStringLiteral("fraAll"), QStringLiteral("fraFirst"), QStringLiteral("fraSecond")};
    QWidget* tab = named(new QWidget(this), frames[static_cast<std::size_t>(k)]);
    const auto i = static_cast<std::size_t>(k);
    fra[i] = tab;
    lblDataInizio[i] = named(new QLabel(tab), indexedName("lblDataInizio", k));
    DTPicker1[i] = named(new DateTimeField(tab), indexedName("DTPicker1", k));
    DTPicker1[i]->setDisplayFormat(QStringLiteral(" ddd dd MMM yyyy    HH:mm:ss"));
    lblDurata[i] = named(new QLabel(tab), indexedName("lblDurata", k));
    cmbDurata[i] = named(new QComboBox(tab), indexedName("cmbDurata", k));
    chkAM[i] = named(new QCheckBox(tab), indexedName("chkAM", k));
    chkPM[i] = named(new QCheckBox(tab), indexedName("chkPM", k));
    chkSoloVisibili[i] = named(new QCheckBox(tab), indexedName("chkSoloVisibili", k));
    chkNessunFiltro[i] = named(new QCheckBox(tab), indexedName("chkNessunFiltro", k));

    auto* top = new QGridLayout;
    top->addWidget(lblDataInizio[i], 0, 0);
    top->addWidget(DTPicker1[i], 0, 1);
    top->addWidget(lblDurata[i], 0, 2);
    top->addWidget(cmbDurata[i], 0, 3);
    auto* boxes = new QHBoxLayout;
    for (QCheckBox* box : {chkAM[i], chkPM[i], chkSoloVisibili[i], chkNessunFiltro[i]})
        boxes->addWidget(box);
    if (k == kTabAll) {
        // On a line of its own: beside the four filters it would be cut off.
        chkTransito = named(new QCheckBox(tab), QStringLiteral("chkTransito"));
        top->addWidget(chkTransito, 2, 0, 1, 4);
    } else if (k == kTabSecondary) {
        lblLimitaCalcolo = named(new QLabel(tab), QStringLiteral("lblLimitaCalcolo"));
        cmbLimite = named(new QComboBox(tab), QStringLiteral("cmbLimite"));
        boxes->addWidget(lblLimitaCalcolo);
        boxes->addWidget(cmbLimite);
    }
    boxes->addStretch(1);
    top->addLayout(boxes, 1, 0, 1, 4);
    top->setColumnStretch(1, 1);

    m_models[i] = new PassListModel(this);
    lvwPass[i] = named(new QTreeView(tab), indexedName("lvwPass", k));
    lvwPass[i]->setModel(m_models[i]);
    lvwPass[i]->setRootIsDecorated(false);
    lvwPass[i]->setUniformRowHeights(true); // keeps tens of thousands of rows quick
    lvwPass[i]->setAllColumnsShowFocus(true);
    lvwPass[i]->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwPass[i]->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwPass[i]->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwPass[i]->setFont(listFont());
    lvwPass[i]->setMinimumHeight(pixels(kPassListHeightTwips));
    lvwPass[i]->header()->setSortIndicatorShown(false);
    lvwPass[i]->header()->setSectionsClickable(true);
    // The right mouse button lists every pass of the tab in a listing window.
    lvwPass[i]->setContextMenuPolicy(Qt::CustomContextMenu);
    lvwPass[i]->header()->setStretchLastSection(false);
    for (int c = 0; c < kPassColumnCount; ++c) {
        if (kColumnWidthsTwips[static_cast<std::size_t>(c)] <= 0)
            lvwPass[i]->setColumnHidden(c, true);
    }

    lblLegenda[i] = named(new QLabel(tab), indexedName("lblLegenda", k));
    lblLegenda[i]->setFont(listFont());
    lstPass[i] = named(new QListWidget(tab), indexedName("lstPass", k));
    lstPass[i]->setFont(listFont());
    lstPass[i]->setFixedHeight(kLineListHeightPx);

    cmdDettagli[i] = named(new GraphButton(tab), indexedName("cmdDettagli", k));
    cmdMappa[i] = named(new GraphButton(tab), indexedName("cmdMappa", k));
    cmdOK[i] = named(new GraphButton(tab), indexedName("cmdOK", k));
    cmdCancel[i] = named(new GraphButton(tab), indexedName("cmdCancel", k));
    cmdHelp[i] = named(new GraphButton(tab), indexedName("cmdHelp", k));
    // Enter runs the search and Esc closes the window, wherever the control with the focus
    // leaves the key alone.
    cmdOK[i]->setDefault(true);
    cmdCancel[i]->setCancel(true);
    lvwPass[i]->installEventFilter(this);
    lstPass[i]->installEventFilter(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDettagli[i]);
    buttons->addWidget(cmdMappa[i]);
    if (k == kTabAll) {
        cmdAttiva = named(new GraphButton(tab), QStringLiteral("cmdAttiva"));
        buttons->addWidget(cmdAttiva);
    }
    buttons->addStretch(1);
    buttons->addWidget(cmdOK[i]);
    buttons->addWidget(cmdCancel[i]);
    buttons->addWidget(cmdHelp[i]);

    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addWidget(lvwPass[i], 1);
    layout->addWidget(lblLegenda[i]);
    layout->addWidget(lstPass[i]);
    layout->addLayout(buttons);
    return tab;
}

void frmVisibleSatellites::Applica_lingua()
{
    setWindowTitle(mLang::Testo_lingua(u"frmVisibleSatellites", u"previsionipassaggi"));
    SSTab1->setTabText(kTabAll, mLang::Testo_lingua(u"frmVisibleSatellites", u"tuttisatelliti"));
    SSTab1->setTabText(kTabPrincipal,
                       mLang::Testo_lingua(u"frmVisibleSatellites", u"satelliteprincipale"));
    SSTab1->setTabText(kTabSecondary,
                       mLang::Testo_lingua(u"frmVisibleSatellites", u"satellitisecondari"));
    const std::array<QString, kPassColumnCount> headers{
        mLang::Testo_lingua(u"frmVisibleSatellites", u"dataculmine"),
        mLang::Testo_lingua(u"frmVisibleSatellites", u"nomesatellite"),
        mLang::Testo_lingua(u"Def", u"alt"),
        mLang::Testo_lingua(u"Def", u"az"),
        mLang::Testo_lingua(u"Def", u"stato"),
        mLang::Testo_lingua(u"Def", u"mag"),
        mLang::Testo_lingua(u"frmVisibleSatellites", u"durata1"),
        QStringLiteral("Data culmine (appoggio)"),
        QStringLiteral("Mag. (appoggio)")};
    for (std::size_t i = 0; i < kTabs; ++i) {
        m_models[i]->setHeaders(headers);
        // The columns keep their widths, but never hide their own header text nor cut their
        // widest value, whatever the font and the length of the locale's months.
        QTreeView* list = lvwPass[i];
        QHeaderView* header = list->header();
        for (int c = 0; c < kPassColumnCount; ++c) {
            const double width = kColumnWidthsTwips[static_cast<std::size_t>(c)];
            if (width > 0)
                header->resizeSection(c, std::max({pixels(width), header->sectionSizeHint(c),
                                                   itemSizeFor(list, widestColumnTexts(c)).width()}));
        }
        // The window opens wide enough for every column without sideways scrolling.
        list->setMinimumWidth(header->length() + 2 * list->frameWidth()
                              + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list));
        lblDataInizio[i]->setText(mLang::Testo_lingua(u"frmVisibleSatellites", u"datainizio"));
        lblDurata[i]->setText(mLang::Testo_lingua(u"frmVisibleSatellites", u"durata"));
        chkAM[i]->setText(mLang::Testo_lingua(u"Def", u"am"));
        chkAM[i]->setToolTip(mLang::Testo_lingua(u"frmVisibleSatellites", u"tooltipam"));
        chkPM[i]->setText(mLang::Testo_lingua(u"Def", u"pm"));
        chkPM[i]->setToolTip(mLang::Testo_lingua(u"frmVisibleSatellites", u"tooltippm"));
        chkSoloVisibili[i]->setText(mLang::Testo_lingua(u"frmVisibleSatellites", u"solovisibili"));
        chkSoloVisibili[i]->setToolTip(
            mLang::Testo_lingua(u"frmVisibleSatellites", u"tooltipsolovisibili"));
        chkNessunFiltro[i]->setText(mLang::Testo_lingua(u"frmVisibleSatellites", u"nessunfiltro"));
        chkNessunFiltro[i]->setToolTip(
            mLang::Testo_lingua(u"frmVisibleSatellites", u"tooltipnessunfiltro"));
        cmdDettagli[i]->setCaption(mLang::Testo_lingua(u"frmVisibleSatellites", u"dettagli"));
        cmdMappa[i]->setCaption(mLang::Testo_lingua(u"frmVisibleSatellites", u"mappa"));
        lblLegenda[i]->setText(passLinesHeading(
            mLang::Testo_lingua(u"frmVisibleSatellites", u"intestazioneobs"), QLocale()));
        // The three event lines of a pass in sight, as wide as their heading lays them out.
        QListWidget* lines = lstPass[i];
        const QSize line = itemSizeFor(lines, {lblLegenda[i]->text()});
        lines->setFixedHeight(
            std::max(kLineListHeightPx, kEventLines * line.height() + 2 * lines->frameWidth()));
        lines->setMinimumWidth(line.width() + 2 * lines->frameWidth());
        lstPass[i]->setToolTip(
            mLang::Testo_lingua(u"frmVisibleSatellites", u"doppioclickdettagli"));
        cmdOK[i]->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
        cmdCancel[i]->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
        cmdHelp[i]->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
    }
    chkTransito->setText(mLang::Testo_lingua(u"frmVisibleSatellites", u"transito"));
    chkTransito->setToolTip(mLang::Testo_lingua(u"frmVisibleSatellites", u"tooltiptransito"));
    lblLimitaCalcolo->setText(mLang::Testo_lingua(u"frmVisibleSatellites", u"limitacalcolo"));
    cmdAttiva->setCaption(mLang::Testo_lingua(u"frmVisibleSatellites", u"attiva"));
    fillChoices();
}

void frmVisibleSatellites::fillChoices()
{
    const QString minutes = mLang::Testo_lingua(u"Def", u"minuti");
    const QString hour = mLang::Testo_lingua(u"Def", u"ora");
    const QString hours = mLang::Testo_lingua(u"Def", u"ore");
    const QString day = mLang::Testo_lingua(u"Def", u"giorno");
    const QString days = mLang::Testo_lingua(u"Def", u"giorni");
    for (std::size_t i = 0; i < kTabs; ++i) {
        QComboBox* span = cmbDurata[i];
        const int chosen = span->currentIndex();
        span->clear();
        if (i == kTabAll) {
            span->addItem(QStringLiteral("30 ") + minutes, 30);
            span->addItem(QStringLiteral("1 ") + hour, 60);
            for (int h = 2; h <= kSpanHoursTab0; ++h)
                span->addItem(QString::number(h) + u' ' + hours, h * 60);
        } else {
            span->addItem(QStringLiteral("1 ") + day);
            for (int d = 2; d <= kSpanDays; ++d)
                span->addItem(QString::number(d) + u' ' + days);
        }
        span->setCurrentIndex(std::max(chosen, 0));
    }
    const int limit = cmbLimite->currentIndex();
    cmbLimite->clear();
    const QString satellites = mLang::Testo_lingua(u"frmVisibleSatellites", u"satelliti");
    for (std::size_t n = 0; n + 1 < kLimitSlots.size(); ++n)
        cmbLimite->addItem(QString::number(kLimitSlots[n]) + u' ' + satellites, kLimitSlots[n]);
    cmbLimite->addItem(mLang::Testo_lingua(u"frmVisibleSatellites", u"tutti"), kLimitSlots.back());
    cmbLimite->setCurrentIndex(std::max(limit, 0));
}

void frmVisibleSatellites::loadState()
{
    for (std::size_t i = 0; i < kTabs; ++i) {
        cmdDettagli[i]->setEnabled(false);
        cmdMappa[i]->setEnabled(false);
        DTPicker1[i]->setDateTime(dateTimeOf(Data_attuale));
        cmbDurata[i]->setCurrentIndex(0);
        chkSoloVisibili[i]->setChecked(Impostazioni.Filtro_solo_visibili[i]);
        chkAM[i]->setChecked(Impostazioni.Filtro_am[i]);
        chkPM[i]->setChecked(Impostazioni.Filtro_pm[i]);
        chkNessunFiltro[i]->setChecked(false);
    }
    cmdAttiva->setEnabled(false);
    cmbLimite->setCurrentIndex(0);
    SSTab1->setCurrentIndex(kTabPrincipal);
    chkTransito->setChecked(Impostazioni.Filtro_transito);
    // The window opens ready for typing the start of the span.
    DTPicker1[kTabPrincipal]->setFocus();
}

#include "worldmap/frmTrack.h"

#include "worldmap/TrackRows.h"
#include "worldmap/frmChannel.h"

#include "common/Elemento_satellite.h"
#include "common/options.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/mAstro.h"
#include "services/Help.h"
#include "services/ObjectNames.h"
#include "services/ProgramFolder.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"
#include "tracking/TickTexts.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 190;
// The layout's sizes [pixels]: the least, widened where the font needs more.
constexpr int kRowHeight = 18;
constexpr int kHeadingHeight = 20;
constexpr int kChannelButtonWidth = 56;
constexpr int kStepButtonWidth = 40;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr double kDegToRad = 0.0174532925;

const QColor kBelowHorizon(255, 0, 0);
const QColor kAboveHorizon(0, 0, 255);

QString indexed(const QString& name, int i)
{
    return name + QStringLiteral("(%1)").arg(i);
}

/// The widest text a column shows, so that the table keeps its size while the values change.
QString widestText(const QString& column)
{
    if (column == u"lblName")
        return QStringLiteral("WWWWWWWWWWWWWWWWWWWW");
    if (column == u"lblEcl")
        return QStringLiteral("Not visible__");
    if (column == u"lblDnlink" || column == u"lblUplink" || column == u"lblRicez" ||
        column == u"lblTrasm")
        return QStringLiteral("00000.00000");
    if (column == u"lblPrd")
        return QStringLiteral("000:00:00");
    return QStringLiteral("-000000.00W");
}

QLabel* valueLabel(QWidget* parent, const QString& column, int row)
{
    auto* label = named(new QLabel(parent), indexed(column, row));
    label->setFixedHeight(kRowHeight);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widestText(column)) + 6);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) == colour)
        return;
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

frmTrack::frmTrack(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmTrack"));
    buildControls();
    Form_Load();
    connect(&TrackingModel::instance(), &TrackingModel::ticked, this, &frmTrack::Aggiorna_dati);
}

QFrame* frmTrack::buildTab(const QString& name, const std::vector<Heading>& headings,
                           const std::vector<Rows<QLabel>*>& columns, bool channelColumn)
{
    auto* frame = named(new QFrame(), name);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    for (std::size_t c = 0; c < headings.size(); ++c) {
        auto* heading = named(new QLabel(frame), QString::fromUtf16(headings[c].name));
        heading->setFixedHeight(kHeadingHeight);
        heading->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        heading->setStyleSheet(QStringLiteral("font-weight: bold"));
        grid->addWidget(heading, 0, static_cast<int>(c));
        m_headings.push_back(heading);
    }
    const QString names[] = {QStringLiteral("lblAlt"), QStringLiteral("lblAz"), QStringLiteral("lblRa"),
                             QStringLiteral("lblDec"), QStringLiteral("lblMag"), QStringLiteral("lblEcl"),
                             QStringLiteral("lblLat"), QStringLiteral("lblLon"), QStringLiteral("lblHgtTrack"),
                             QStringLiteral("lblApg"), QStringLiteral("lblPrg"), QStringLiteral("lblPrd"),
                             QStringLiteral("lblVel"), QStringLiteral("lblRev"), QStringLiteral("lblRange"),
                             QStringLiteral("lblRR"), QStringLiteral("lblDnlink"), QStringLiteral("lblUplink"),
                             QStringLiteral("lblRicez"), QStringLiteral("lblTrasm")};
    Rows<QLabel>* all[] = {&lblAlt, &lblAz, &lblRa, &lblDec, &lblMag, &lblEcl, &lblLat,
                           &lblLon, &lblHgtTrack, &lblApg, &lblPrg, &lblPrd, &lblVel, &lblRev,
                           &lblRange, &lblRR, &lblDnlink, &lblUplink, &lblRicez, &lblTrasm};
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const auto at = std::find(std::begin(all), std::end(all), columns[c]) - std::begin(all);
        for (int row = 0; row < kTrackRows; ++row) {
            QLabel* label = valueLabel(frame, names[at], row);
            (*columns[c])[static_cast<std::size_t>(row)] = label;
            grid->addWidget(label, row + 1, static_cast<int>(c));
        }
    }
    if (channelColumn) {
        const int c = static_cast<int>(columns.size());
        for (int row = 0; row < kTrackRows; ++row) {
            auto* button = named(new GraphButton(frame), indexed(QStringLiteral("cmdCanale"), row));
            button->setFixedSize(kChannelButtonWidth, kRowHeight);
            cmdCanale[static_cast<std::size_t>(row)] = button;
            grid->addWidget(button, row + 1, c);
            connect(button, &GraphButton::Click, this, [this, row] { cmdCanale_Click(row); });
        }
    }
    grid->setRowStretch(kTrackRows + 1, 1);
    return frame;
}

void frmTrack::buildControls()
{
    auto* fraSatelliti = named(new QFrame(this), QStringLiteral("fraSatelliti"));
    auto* names = new QVBoxLayout(fraSatelliti);
    names->setContentsMargins(6, 4, 6, 4);
    names->setSpacing(0);
    lblNomeSatellite = named(new QLabel(fraSatelliti), QStringLiteral("lblNomeSatellite"));
    lblNomeSatellite->setFixedHeight(kHeadingHeight);
    lblNomeSatellite->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    lblNomeSatellite->setStyleSheet(QStringLiteral("font-weight: bold"));
    m_headings.push_back(lblNomeSatellite);
    names->addWidget(lblNomeSatellite);
    for (int row = 0; row < kTrackRows; ++row) {
        QLabel* label = valueLabel(fraSatelliti, QStringLiteral("lblName"), row);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        lblName[static_cast<std::size_t>(row)] = label;
        names->addWidget(label);
    }
    names->addStretch();

    SSTab1 = named(new QTabWidget(this), QStringLiteral("SSTab1"));
    fraOsserva = buildTab(QStringLiteral("fraOsserva"),
                          {{u"lblAltezza", u"Def", u"alt"},
                           {u"lblAzimuth", u"Def", u"az"},
                           {u"lblAscensioneRetta", u"Def", u"ar"},
                           {u"lblDeclinazione", u"Def", u"dec"},
                           {u"lblMagnitudine", u"Def", u"mag"},
                           {u"lblStato", u"def", u"stato"}},
                          {&lblAlt, &lblAz, &lblRa, &lblDec, &lblMag, &lblEcl}, false);
    fraOrbita1 = buildTab(QStringLiteral("fraOrbita1"),
                          {{u"lblLatitudine", u"Def", u"lat"},
                           {u"lblLongitudine", u"Def", u"lon"},
                           {u"lblQuota", u"Def", u"hgt"},
                           {u"lblApogeo", u"Def", u"apg"},
                           {u"lblPerigeo", u"Def", u"prg"}},
                          {&lblLat, &lblLon, &lblHgtTrack, &lblApg, &lblPrg}, false);
    fraOrbita2 = buildTab(QStringLiteral("fraOrbita2"),
                          {{u"lblPeriodo", u"Def", u"prd"},
                           {u"lblVelocita", u"Def", u"vel"},
                           {u"lblOrbita", u"Def", u"orb"},
                           {u"lblDistanza", u"Def", u"dist"},
                           {u"lblVarDistanza", u"Def", u"var"}},
                          {&lblPrd, &lblVel, &lblRev, &lblRange, &lblRR}, false);
    fraRadio = buildTab(QStringLiteral("fraRadio"),
                        {{u"lblDownlink", u"frmTrack", u"downlink"},
                         {u"lblUplinkIntest", u"frmTrack", u"uplink"},
                         {u"lblRicezione", u"frmTrack", u"ricezione"},
                         {u"lblTrasmissione", u"frmTrack", u"trasmissione"},
                         {u"lblCanale", u"frmTrack", u"canale"}},
                        {&lblDnlink, &lblUplink, &lblRicez, &lblTrasm}, true);
    for (QFrame* page : {fraOsserva, fraOrbita1, fraOrbita2, fraRadio})
        SSTab1->addTab(page, QString());
    // All four tabs stay in sight: the table is as wide as its tab bar needs.
    SSTab1->setUsesScrollButtons(false);

    auto* frame3 = named(new QFrame(this), QStringLiteral("Frame3"));
    frame3->setFrameShape(QFrame::StyledPanel);
    auto* caption = new QHBoxLayout(frame3);
    caption->setContentsMargins(6, 2, 6, 2);
    lblSatellite = named(new QLabel(frame3), QStringLiteral("lblSatellite"));
    caption->addWidget(lblSatellite);

    auto button = [this](const char16_t* name, const QString& text) {
        auto* b = named(new GraphButton(this), QString::fromUtf16(name));
        b->setCaption(text);
        return b;
    };
    cmdPrimo = button(u"cmdPrimo", QStringLiteral("|<"));
    cmdPrecedente = button(u"cmdPrecedente", QStringLiteral("<"));
    cmdSuccessivo = button(u"cmdSuccessivo", QStringLiteral(">"));
    cmdUltimo = button(u"cmdUltimo", QStringLiteral(">|"));
    cmdOK = button(u"cmdOK", QStringLiteral("OK"));
    cmdHelp = button(u"cmdHelp", QStringLiteral("Help"));
    connect(cmdPrimo, &GraphButton::Click, this, &frmTrack::cmdPrimo_Click);
    connect(cmdPrecedente, &GraphButton::Click, this, &frmTrack::cmdPrecedente_Click);
    connect(cmdSuccessivo, &GraphButton::Click, this, &frmTrack::cmdSuccessivo_Click);
    connect(cmdUltimo, &GraphButton::Click, this, &frmTrack::cmdUltimo_Click);
    connect(cmdOK, &GraphButton::Click, this, [this] { WindowRegistry::instance().unload(this); });
    connect(cmdHelp, &GraphButton::Click, this, &frmTrack::cmdHelp_Click);

    auto* table = new QHBoxLayout();
    auto* nameColumn = new QVBoxLayout();
    // The names line up with the rows of the tabs: the tab bar's height above them.
    nameColumn->addSpacing(SSTab1->tabBar()->sizeHint().height() + 2);
    nameColumn->addWidget(fraSatelliti);
    table->addLayout(nameColumn);
    table->addWidget(SSTab1, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(frame3, 1);
    for (GraphButton* b : {cmdPrimo, cmdPrecedente, cmdSuccessivo, cmdUltimo})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(table);
    layout->addLayout(buttons);
}

void frmTrack::Imposta_lingua()
{
    using mLang::Testo_lingua;
    setWindowTitle(Testo_lingua(u"frmTrack", u"effemeridisatelliti"));
    const char16_t* tabs[] = {u"tabparametriosservativi", u"tabparametriorbitali1",
                              u"tabparametriorbitali2", u"tabfrequenzeradio"};
    for (int t = 0; t < 4; ++t)
        SSTab1->setTabText(t, Testo_lingua(u"frmTrack", tabs[t]));
    struct Text
    {
        const char16_t* label;
        const char16_t* section;
        const char16_t* key;
    };
    static const Text texts[] = {
        {u"lblNomeSatellite", u"frmTrack", u"nomesatellite"},
        {u"lblAltezza", u"Def", u"alt"},           {u"lblAzimuth", u"Def", u"az"},
        {u"lblAscensioneRetta", u"Def", u"ar"},    {u"lblDeclinazione", u"Def", u"dec"},
        {u"lblMagnitudine", u"Def", u"mag"},       {u"lblStato", u"def", u"stato"},
        {u"lblLatitudine", u"Def", u"lat"},        {u"lblLongitudine", u"Def", u"lon"},
        {u"lblQuota", u"Def", u"hgt"},             {u"lblApogeo", u"Def", u"apg"},
        {u"lblPerigeo", u"Def", u"prg"},           {u"lblPeriodo", u"Def", u"prd"},
        {u"lblVelocita", u"Def", u"vel"},          {u"lblOrbita", u"Def", u"orb"},
        {u"lblDistanza", u"Def", u"dist"},         {u"lblVarDistanza", u"Def", u"var"},
        {u"lblDownlink", u"frmTrack", u"downlink"}, {u"lblUplinkIntest", u"frmTrack", u"uplink"},
        {u"lblRicezione", u"frmTrack", u"ricezione"},
        {u"lblTrasmissione", u"frmTrack", u"trasmissione"},
        {u"lblCanale", u"frmTrack", u"canale"},
    };
    for (const Text& text : texts) {
        auto* label = findChild<QLabel*>(QString::fromUtf16(text.label));
        if (label == nullptr)
            continue;
        label->setText(Testo_lingua(text.section, text.key));
        if (text.key != std::u16string_view(u"nomesatellite"))
            label->setToolTip(Testo_lingua(u"ToolTips", text.key));
    }
    cmdPrimo->setToolTip(Testo_lingua(u"frmTrack", u"primo"));
    cmdPrecedente->setToolTip(Testo_lingua(u"frmTrack", u"precedente"));
    cmdSuccessivo->setToolTip(Testo_lingua(u"frmTrack", u"successivo"));
    cmdUltimo->setToolTip(Testo_lingua(u"frmTrack", u"ultimo"));
    cmdOK->setCaption(Testo_lingua(u"Buttons", u"ok"));
    cmdHelp->setCaption(Testo_lingua(u"Buttons", u"help"));
    fitToFont();
}

void frmTrack::fitToFont()
{
    // A caption such as "|<" is not wrapped at its bar, nor "Ch. 10" at its blank.
    for (GraphButton* b : {cmdPrimo, cmdPrecedente, cmdSuccessivo, cmdUltimo})
        fixButtonSize(*b, {kStepButtonWidth, kButtonHeight});
    for (GraphButton* b : {cmdOK, cmdHelp})
        fixButtonSize(*b, {kButtonWidth, kButtonHeight});
    const QString widestChannel = QStringLiteral("Ch. ") + QString::number(kRadioChannels);
    for (GraphButton* b : cmdCanale)
        fixButtonSize(*b, {kChannelButtonWidth, kRowHeight}, widestChannel);
    // Every row of the names and the tabs has one height, so that the rows line up.
    const int row = std::max(cmdCanale[0]->height(), lblName[0]->fontMetrics().height());
    for (GraphButton* b : cmdCanale)
        b->setFixedHeight(row);
    for (QLabel* name : lblName)
        name->setFixedHeight(row);
    for (QFrame* page : {fraOsserva, fraOrbita1, fraOrbita2, fraRadio}) {
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (std::find(m_headings.begin(), m_headings.end(), label) == m_headings.end())
                label->setFixedHeight(row);
        }
    }
    for (QLabel* heading : m_headings)
        heading->setFixedHeight(std::max(kHeadingHeight, heading->fontMetrics().height()));
}

void frmTrack::Form_Load()
{
    Imposta_lingua();
    mintPrimaRiga = trackPaging::first();
    for (int row = 0; row < kTrackRows; ++row) {
        const QString channel =
            QString::number(Impostazioni.Canale_selezionato[static_cast<std::size_t>(row)]);
        GraphButton* button = cmdCanale[static_cast<std::size_t>(row)];
        button->setProperty("Tag", channel);
        button->setCaption(QStringLiteral("Ch. ") + channel);
    }
    Aggiorna_dati();
    SSTab1->setCurrentIndex(0);
    // The table keeps the size its columns need, whatever the values show.
    adjustSize();
    setFixedSize(sizeHint());
}

int frmTrack::rowChannel(int row) const
{
    const int channel =
        cmdCanale[static_cast<std::size_t>(row)]->property("Tag").toString().trimmed().toInt();
    return channel == 0 ? 1 : channel;
}

void frmTrack::Aggiorna_dati()
{
    if (mintPrimaRiga == 0)
        mintPrimaRiga = 1;
    const TickSnapshot& snapshot = TrackingModel::instance().snapshot();
    static const Posizione_satellite cleared{};
    static const Elemento_satellite noElements{};
    for (int row = 0; row < kTrackRows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        const int slot = mintPrimaRiga + row;
        const TrackedSatellite* satellite = trackedSatellite(snapshot, slot);
        const Posizione_satellite& valori = satellite != nullptr ? satellite->state : cleared;
        // The channels come with the element set: only those of the satellite the tick saw.
        const Elemento_satellite& elements =
            satellite != nullptr && slot <= kLastActiveSlot &&
                    Satelement[slot].Numero_catalogo == satellite->catalogueNumber
                ? Satelement[slot]
                : noElements;
        const std::string& name = satellite != nullptr ? satellite->name : noElements.Nome_satellite;
        const mAstro::SexagesimalEquatorial equatorial = mAstro::horizontalToEquatorial(
            valori.Azimut * kDegToRad, valori.Elevazione * kDegToRad,
            Osservatore.Latitudine_osservatore, snapshot.time.Tempo_siderale_locale);
        const TrackRowTexts texts = trackRowTexts(name, valori, elements, rowChannel(row),
                                                  equatorial, statusName(valori.Stato));
        lblName[r]->setText(texts.name);
        setTextColour(lblName[r], texts.belowHorizon ? kBelowHorizon : kAboveHorizon);
        lblAlt[r]->setText(texts.elevation);
        lblAz[r]->setText(texts.azimuth);
        lblRa[r]->setText(texts.rightAscension);
        lblDec[r]->setText(texts.declination);
        lblMag[r]->setText(texts.magnitude);
        lblEcl[r]->setText(texts.state);
        lblLat[r]->setText(texts.latitude);
        lblLon[r]->setText(texts.longitude);
        lblHgtTrack[r]->setText(texts.height);
        lblApg[r]->setText(texts.apogee);
        lblPrg[r]->setText(texts.perigee);
        lblPrd[r]->setText(texts.period);
        lblVel[r]->setText(texts.speed);
        lblRev[r]->setText(texts.orbit);
        lblRange[r]->setText(texts.range);
        lblRR[r]->setText(texts.rangeRate);
        lblDnlink[r]->setText(texts.downlink);
        lblUplink[r]->setText(texts.uplink);
        lblRicez[r]->setText(texts.reception);
        lblTrasm[r]->setText(texts.transmission);
    }
    lblSatellite->setText(mLang::Testo_lingua(u"frmTrack", u"satelliti") + QStringLiteral(":  ") +
                          QString::number(mintPrimaRiga) + QStringLiteral(" - ") +
                          QString::number(mintPrimaRiga + kTrackRows - 1));
}

void frmTrack::showPage(int firstRow)
{
    mintPrimaRiga = firstRow;
    Aggiorna_dati();
}

void frmTrack::cmdPrimo_Click()
{
    showPage(trackPaging::first());
}

void frmTrack::cmdPrecedente_Click()
{
    if (const std::optional<int> row = trackPaging::previous(mintPrimaRiga))
        showPage(*row);
}

void frmTrack::cmdSuccessivo_Click()
{
    if (const std::optional<int> row = trackPaging::next(mintPrimaRiga))
        showPage(*row);
}

void frmTrack::cmdUltimo_Click()
{
    showPage(trackPaging::last(Numero_satelliti));
}

void frmTrack::cmdCanale_Click(int index)
{
    auto* chooser = WindowRegistry::instance().form<frmChannel>(QStringLiteral("frmChannel"));
    if (chooser == nullptr)
        return;
    chooser->chooseFor(index, mintPrimaRiga + index, rowChannel(index));
}

void frmTrack::setRowChannel(int row, int channel)
{
    if (row < 0 || row >= kTrackRows)
        return;
    const QString tag = QStringLiteral(" ") + QString::number(channel);
    GraphButton* button = cmdCanale[static_cast<std::size_t>(row)];
    button->setProperty("Tag", tag);
    button->setCaption(QStringLiteral("Ch.") + tag);
    Aggiorna_dati();
}

void frmTrack::cmdHelp_Click()
{
    showHelp(this, QDir(MyPath).filePath(mLang::Testo_lingua(u"Help", u"file")),
             HelpCommand::Context, kHelpContext, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

#include "worldmap/frmSatellite.h"

#include "worldmap/ElementTexts.h"

#include "tracking/TrackingModel.h"

#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/mAstro.h"
#include "services/Help.h"
#include "services/ProgramFolder.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 90;
constexpr int kStepButtonWidth = 40;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;

enum Frame { General, Elements, Derived };

/// One heading and value pair of the window, in the order the frames list them.
struct Item
{
    Frame frame;
    const char16_t* heading;
    const char16_t* key; ///< section "frmSatellite"
    const char16_t* value;
    QLabel* frmSatellite::*label;
    QString ElementTexts::*text;
};

const Item kItems[] = {
    {General, u"lblNumeroNorad", u"numeronorad", u"lblNoradNumber", &frmSatellite::lblNoradNumber,
     &ElementTexts::noradNumber},
    {General, u"lblNumeroIntern", u"numerointern", u"lblInternational",
     &frmSatellite::lblInternational, &ElementTexts::international},
    {General, u"lblAnnoLancio", u"annolancio", u"lblLaunchYear", &frmSatellite::lblLaunchYear,
     &ElementTexts::launchYear},
    {General, u"lblNumeroLancio", u"numerolancio", u"lblLaunchNumber",
     &frmSatellite::lblLaunchNumber, &ElementTexts::launchNumber},
    {General, u"lblEtaElementi", u"etaelementi", u"lblAge", &frmSatellite::lblAge,
     &ElementTexts::age},
    {General, u"lblSetElementi", u"setelementi", u"lblSet", &frmSatellite::lblSet,
     &ElementTexts::set},
    {General, u"lblMagnitudineStd", u"magnitudinestd", u"lblMagStd", &frmSatellite::lblMagStd,
     &ElementTexts::magStd},
    {General, u"lblEpocaUTC", u"epocautc", u"lblEpochTime", &frmSatellite::lblEpochTime,
     &ElementTexts::epochTime},
    {General, u"lblEpocaCivile", u"epocacivile", u"lblDate", &frmSatellite::lblDate,
     &ElementTexts::date},
    {Elements, u"lblInclinazione", u"inclinazione", u"lblInclination",
     &frmSatellite::lblInclination, &ElementTexts::inclination},
    {Elements, u"lblRAANIntesta", u"raan", u"lblRaan", &frmSatellite::lblRaan,
     &ElementTexts::raan},
    {Elements, u"lblEccentricita", u"eccentricita", u"lblEccentricity",
     &frmSatellite::lblEccentricity, &ElementTexts::eccentricity},
    {Elements, u"lblArgomentoPerigeo", u"argomentoperigeo", u"lblArgumentPerigee",
     &frmSatellite::lblArgumentPerigee, &ElementTexts::argumentPerigee},
    {Elements, u"lblAnomaliaMedia", u"anomaliamedia", u"lblMeanAnomaly",
     &frmSatellite::lblMeanAnomaly, &ElementTexts::meanAnomaly},
    {Elements, u"lblMotoMedio", u"motomedio", u"lblMeanMotion", &frmSatellite::lblMeanMotion,
     &ElementTexts::meanMotion},
    {Elements, u"lblDeriv1", u"deriv1", u"lblDev1", &frmSatellite::lblDev1, &ElementTexts::dev1},
    {Elements, u"lblDeriv2", u"deriv2", u"lblDev2", &frmSatellite::lblDev2, &ElementTexts::dev2},
    {Elements, u"lblBStarIntesta", u"bstar", u"lblBStar", &frmSatellite::lblBStar,
     &ElementTexts::bStar},
    {Elements, u"lblNumeroOrbita", u"numeroorbita", u"lblOrbitNumberEpoch",
     &frmSatellite::lblOrbitNumberEpoch, &ElementTexts::orbitNumberEpoch},
    {Derived, u"lblApogeo", u"apogeo", u"lblApogee", &frmSatellite::lblApogee,
     &ElementTexts::apogee},
    {Derived, u"lblPerigeo", u"perigeo", u"lblPerigee", &frmSatellite::lblPerigee,
     &ElementTexts::perigee},
    {Derived, u"lblPeriodoOrbitale", u"periodoorbitale", u"lblOrbitalPeriod",
     &frmSatellite::lblOrbitalPeriod, &ElementTexts::orbitalPeriod},
    {Derived, u"lblSemiasseMax", u"semiassemax", u"lblSemiMaj", &frmSatellite::lblSemiMaj,
     &ElementTexts::semiMaj},
    {Derived, u"lblSemiasseMin", u"semiassemin", u"lblSemiMin", &frmSatellite::lblSemiMin,
     &ElementTexts::semiMin},
};

struct Line
{
    const char16_t* value;
    QLabel* frmSatellite::*label;
    QString ElementTexts::*text;
};

const Line kLines[] = {
    {u"lblZeroLine", &frmSatellite::lblZeroLine, &ElementTexts::zeroLine},
    {u"lblFirstLine", &frmSatellite::lblFirstLine, &ElementTexts::firstLine},
    {u"lblSecondLine", &frmSatellite::lblSecondLine, &ElementTexts::secondLine},
};

/// The instant the element set's age counts to: that of the last tick, which the window shares
/// with every live window; the program clock's before the first tick.
double julianNow()
{
    const TickSnapshot& tick = TrackingModel::instance().snapshot();
    return tick.serial > 0 ? tick.time.Data_giuliana : mAstro::Data_giuliana;
}

QLabel* newLabel(QWidget* parent, const char16_t* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf16(name));
    return label;
}

} // namespace

frmSatellite::frmSatellite(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSatellite"));
    buildControls();
    Imposta_lingua();
    // Filled before the first show too, so that the window is never seen with empty labels.
    Mostra_elementi(kPrincipalSlot);
}

void frmSatellite::buildControls()
{
    fraInformazioniGenerali = new QGroupBox(this);
    fraInformazioniGenerali->setObjectName(QStringLiteral("fraInformazioniGenerali"));
    fraParametriOrbitali = new QGroupBox(this);
    fraParametriOrbitali->setObjectName(QStringLiteral("fraParametriOrbitali"));
    fraParametriDerivati = new QGroupBox(this);
    fraParametriDerivati->setObjectName(QStringLiteral("fraParametriDerivati"));
    fraElementi2Righe = new QGroupBox(this);
    fraElementi2Righe->setObjectName(QStringLiteral("fraElementi2Righe"));

    QGroupBox* frames[] = {fraInformazioniGenerali, fraParametriOrbitali, fraParametriDerivati};
    QGridLayout* grids[3];
    for (int f = 0; f < 3; ++f) {
        grids[f] = new QGridLayout(frames[f]);
        grids[f]->setHorizontalSpacing(12);
        grids[f]->setVerticalSpacing(2);
        grids[f]->setColumnStretch(1, 1);
    }
    int rows[3] = {0, 0, 0};
    for (const Item& item : kItems) {
        QGroupBox* frame = frames[item.frame];
        QLabel* heading = newLabel(frame, item.heading);
        QLabel* value = newLabel(frame, item.value);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        this->*item.label = value;
        const int row = rows[item.frame]++;
        grids[item.frame]->addWidget(heading, row, 0);
        grids[item.frame]->addWidget(value, row, 1);
        m_headings.emplace_back(heading, item.key);
    }
    for (QGridLayout* grid : grids)
        grid->setRowStretch(grid->rowCount(), 1);

    // The raw lines in their fixed columns, selectable for copying.
    auto* lines = new QVBoxLayout(fraElementi2Righe);
    lines->setSpacing(0);
    QFont fixed = font();
    fixed.setFamily(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    for (const Line& line : kLines) {
        QLabel* label = newLabel(fraElementi2Righe, line.value);
        label->setFont(fixed);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(70, u'0')));
        this->*line.label = label;
        lines->addWidget(label);
    }

    lblSatellite = newLabel(this, u"lblSatellite");
    auto button = [this](const char16_t* name, const QString& text) {
        auto* b = new GraphButton(this);
        b->setObjectName(QString::fromUtf16(name));
        b->setCaption(text);
        return b;
    };
    cmdPrimo = button(u"cmdPrimo", QStringLiteral("|<"));
    cmdPrecedente = button(u"cmdPrecedente", QStringLiteral("<"));
    cmdSuccessivo = button(u"cmdSuccessivo", QStringLiteral(">"));
    cmdUltimo = button(u"cmdUltimo", QStringLiteral(">|"));
    cmdOK = button(u"cmdOK", QString());
    cmdOK->setDefault(true);
    cmdHelp = button(u"cmdHelp", QString());
    connect(cmdPrimo, &GraphButton::Click, this, &frmSatellite::cmdPrimo_Click);
    connect(cmdPrecedente, &GraphButton::Click, this, &frmSatellite::cmdPrecedente_Click);
    connect(cmdSuccessivo, &GraphButton::Click, this, &frmSatellite::cmdSuccessivo_Click);
    connect(cmdUltimo, &GraphButton::Click, this, &frmSatellite::cmdUltimo_Click);
    connect(cmdOK, &GraphButton::Click, this, [this] {
        accept();
        WindowRegistry::instance().unload(this);
    });
    connect(cmdHelp, &GraphButton::Click, this, &frmSatellite::cmdHelp_Click);

    auto* top = new QHBoxLayout();
    top->addWidget(fraInformazioniGenerali, 1);
    top->addWidget(fraParametriOrbitali, 1);
    top->addWidget(fraParametriDerivati, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(lblSatellite, 1);
    for (GraphButton* b : {cmdPrimo, cmdPrecedente, cmdSuccessivo, cmdUltimo})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(fraElementi2Righe);
    layout->addLayout(buttons);
}

void frmSatellite::Imposta_lingua()
{
    using mLang::Testo_lingua;
    m_title = Testo_lingua(u"frmSatellite", u"elementiorbitali");
    for (const auto& [heading, key] : m_headings)
        heading->setText(Testo_lingua(u"frmSatellite", key));
    fraInformazioniGenerali->setTitle(Testo_lingua(u"frmSatellite", u"informazionigenerali"));
    fraParametriDerivati->setTitle(Testo_lingua(u"frmSatellite", u"parametriderivati"));
    fraParametriOrbitali->setTitle(Testo_lingua(u"frmSatellite", u"parametriorbitali"));
    fraElementi2Righe->setTitle(Testo_lingua(u"frmSatellite", u"elementi2righe"));
    cmdPrimo->setToolTip(Testo_lingua(u"frmSatellite", u"primo"));
    cmdPrecedente->setToolTip(Testo_lingua(u"frmSatellite", u"precedente"));
    cmdSuccessivo->setToolTip(Testo_lingua(u"frmSatellite", u"successivo"));
    cmdUltimo->setToolTip(Testo_lingua(u"frmSatellite", u"ultimo"));
    cmdOK->setCaption(Testo_lingua(u"Buttons", u"ok"));
    cmdHelp->setCaption(Testo_lingua(u"Buttons", u"help"));
    // The layout's sizes, or what the captions need in the font.
    for (GraphButton* b : {cmdPrimo, cmdPrecedente, cmdSuccessivo, cmdUltimo})
        fixButtonSize(*b, {kStepButtonWidth, kButtonHeight});
    for (GraphButton* b : {cmdOK, cmdHelp})
        fixButtonSize(*b, {kButtonWidth, kButtonHeight});
}

void frmSatellite::showEvent(QShowEvent* event)
{
    // The opener presets gintIndice between making the window and showing it.
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void frmSatellite::Form_Load()
{
    if (gintIndice == 0)
        gintIndice = kPrincipalSlot;
    const bool paging = gintIndice < kFirstScratchSlot;
    for (GraphButton* b : {cmdPrimo, cmdPrecedente, cmdSuccessivo, cmdUltimo})
        b->setEnabled(paging);
    setSlotCaption();
    Mostra_elementi(gintIndice);
}

void frmSatellite::setSlotCaption()
{
    if (gintIndice < kFirstScratchSlot)
        lblSatellite->setText(mLang::Testo_lingua(u"frmSatellite", u"satellite") +
                              QStringLiteral(" #") + QString::number(gintIndice));
    else
        lblSatellite->clear();
}

void frmSatellite::Mostra_elementi(const int& slot)
{
    const bool shown =
        SlotArray<int>::isSlot(slot) && (slot <= Numero_satelliti || slot >= kFirstScratchSlot);
    if (shown) {
        // Copies: the texts are made from the record as it is now, whatever changes it later.
        const Elemento_satellite elements = Satelement[slot];
        const Record_TLE lines = RigaDati[slot];
        if (const std::optional<ElementTexts> texts = elementTexts(elements, lines, julianNow())) {
            showTexts(*texts);
            setWindowTitle(m_title + QStringLiteral(" - ") +
                           QString::fromStdString(elements.Nome_satellite));
            return;
        }
    }
    // A free slot, or a set without an orbit (mean motion 0, eccentricity 1 or more).
    showTexts(emptyElementTexts());
    setWindowTitle(m_title);
}

void frmSatellite::showTexts(const ElementTexts& texts)
{
    for (const Item& item : kItems)
        (this->*item.label)->setText(texts.*item.text);
    for (const Line& line : kLines)
        (this->*line.label)->setText(texts.*line.text);
}

void frmSatellite::showPage(int slot)
{
    gintIndice = slot;
    Mostra_elementi(gintIndice);
    setSlotCaption();
}

void frmSatellite::cmdPrimo_Click()
{
    showPage(kPrincipalSlot);
}

void frmSatellite::cmdPrecedente_Click()
{
    if (gintIndice > kPrincipalSlot)
        showPage(gintIndice - 1);
}

void frmSatellite::cmdSuccessivo_Click()
{
    if (gintIndice < kLastActiveSlot)
        showPage(gintIndice + 1);
}

void frmSatellite::cmdUltimo_Click()
{
    showPage(Numero_satelliti > 0 ? Numero_satelliti : kLastActiveSlot);
}

void frmSatellite::cmdHelp_Click()
{
    showHelp(this, QDir(MyPath).filePath(mLang::Testo_lingua(u"Help", u"file")),
             HelpCommand::Context, kHelpContext, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

#include "mainwindow/frmTime.h"

#include "mainwindow/MDIForm1.h"
#include "tracking/ProgramClock.h"

#include "common/gates.h"
#include "common/program_time.h"
#include "controls/AnalogClock/AnalogClock.h"
#include "controls/DateTimeField/DateTimeField.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "services/DisplayFormat.h"
#include "services/Help.h"
#include "services/WindowRegistry.h"
#include "services/WindowTexts.h"
#include "services/mLang.h"
#include "tracking/TrackingModel.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

const WindowTexts texts(u"frmTime");

constexpr int kHelpContext = 70;
constexpr int kClockSize = 110;

QLabel* valueLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(110);
    return label;
}

QLabel* captionLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QTime clockTime(double dateValue)
{
    const DateValue::Parts parts = DateValue::split(dateValue);
    return QTime(parts.hour, parts.minute, parts.second);
}

} // namespace

frmTime::frmTime(const ProgramClock& clock, std::function<void()> runTick, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_clock(clock), m_runTick(std::move(runTick))
{
    // A dialog window is kept above the main window that owns it; a plain window would go
    // behind it at the first click on the main window.
    setObjectName(QStringLiteral("frmTime"));
    buildControls();
    connectControls();
    Form_Load();
}

frmTime::~frmTime() = default;

void frmTime::buildControls()
{
    fraTempo1 = buildTimeFrame();
    fraTempo2 = buildDateFrame();
    fraImpostazioni = buildSettingsFrame();

    AnalogClock1_0 = new AnalogClock(this);
    AnalogClock1_0->setObjectName(QStringLiteral("AnalogClock1_0"));
    AnalogClock1_1 = new AnalogClock(this);
    AnalogClock1_1->setObjectName(QStringLiteral("AnalogClock1_1"));
    for (AnalogClock* clock : {AnalogClock1_0, AnalogClock1_1}) {
        const int side = std::max(kClockSize, clock->leastSideForNumbers());
        clock->setFixedSize(side, side);
    }

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdHelp = new QPushButton(this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));

    auto* clocks = new QHBoxLayout;
    clocks->addWidget(AnalogClock1_0);
    clocks->addWidget(AnalogClock1_1);
    auto* frames = new QHBoxLayout;
    frames->addWidget(fraTempo1);
    frames->addWidget(fraTempo2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(clocks);
    layout->addLayout(frames);
    layout->addWidget(fraImpostazioni);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {

/// Lays captions and their values out as rows of two columns.
void addCaptionedRows(QGroupBox* frame, std::initializer_list<std::pair<QLabel*, QLabel*>> rows)
{
    auto* grid = new QGridLayout(frame);
    int row = 0;
    for (const auto& [caption, value] : rows) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row++, 1);
    }
}

} // namespace

QGroupBox* frmTime::buildTimeFrame()
{
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("fraTempo1"));
    lblOraLocale = captionLabel(QStringLiteral("lblOraLocale"), frame);
    lblOraGreenwich = captionLabel(QStringLiteral("lblOraGreenwich"), frame);
    lblOraSideraleLocale = captionLabel(QStringLiteral("lblOraSideraleLocale"), frame);
    lblOraSideraleGreenwich = captionLabel(QStringLiteral("lblOraSideraleGreenwich"), frame);
    lblLOCALTIME = valueLabel(QStringLiteral("lblLOCALTIME"), frame);
    lblUTTIME = valueLabel(QStringLiteral("lblUTTIME"), frame);
    lblLST = valueLabel(QStringLiteral("lblLST"), frame);
    lblGST = valueLabel(QStringLiteral("lblGST"), frame);
    addCaptionedRows(frame, {{lblOraLocale, lblLOCALTIME},
                             {lblOraGreenwich, lblUTTIME},
                             {lblOraSideraleLocale, lblLST},
                             {lblOraSideraleGreenwich, lblGST}});
    return frame;
}

QGroupBox* frmTime::buildDateFrame()
{
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("fraTempo2"));
    lblDataLocale = captionLabel(QStringLiteral("lblDataLocale"), frame);
    lblDataGreenwich = captionLabel(QStringLiteral("lblDataGreenwich"), frame);
    lblGiornoGiuliano = captionLabel(QStringLiteral("lblGiornoGiuliano"), frame);
    lblGiornoAnno1 = captionLabel(QStringLiteral("lblGiornoAnno1"), frame);
    lblGiornoAnno2 = captionLabel(QStringLiteral("lblGiornoAnno2"), frame);
    lblLOCALDATE = valueLabel(QStringLiteral("lblLOCALDATE"), frame);
    lblUTDATE = valueLabel(QStringLiteral("lblUTDATE"), frame);
    lblJD = valueLabel(QStringLiteral("lblJD"), frame);
    lblLOCALYear = valueLabel(QStringLiteral("lblLOCALYear"), frame);
    lblUTCYear = valueLabel(QStringLiteral("lblUTCYear"), frame);
    addCaptionedRows(frame, {{lblDataLocale, lblLOCALDATE},
                             {lblGiornoAnno1, lblLOCALYear},
                             {lblDataGreenwich, lblUTDATE},
                             {lblGiornoAnno2, lblUTCYear},
                             {lblGiornoGiuliano, lblJD}});
    return frame;
}

QGroupBox* frmTime::buildSettingsFrame()
{
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("fraImpostazioni"));
    chkUsaOraPc = new QCheckBox(frame);
    chkUsaOraPc->setObjectName(QStringLiteral("chkUsaOraPc"));
    lblOraInizioSimulazione = captionLabel(QStringLiteral("lblOraInizioSimulazione"), frame);
    DTPicker1 = new DateTimeField(frame);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    // Wall-clock values of the observer's time: no time-zone rule of the computer applies.
    DTPicker1->setTimeSpec(Qt::UTC);
    DTPicker1->setDisplayFormat(QStringLiteral("dd MMM yyyy  HH:mm:ss"));
    lblOraInizioSimulazione->setBuddy(DTPicker1);
    cmdPlay = new QPushButton(frame);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdStop = new QPushButton(frame);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    lblStato = new QLabel(frame);
    lblStato->setObjectName(QStringLiteral("lblStato"));
    lblStato->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblStato->setAlignment(Qt::AlignCenter);
    cmdSincronizza = new QPushButton(frame);
    cmdSincronizza->setObjectName(QStringLiteral("cmdSincronizza"));

    auto* grid = new QGridLayout(frame);
    grid->addWidget(chkUsaOraPc, 0, 0, 1, 2);
    grid->addWidget(lblStato, 0, 2, 1, 2);
    grid->addWidget(lblOraInizioSimulazione, 1, 0);
    grid->addWidget(DTPicker1, 1, 1);
    grid->addWidget(cmdPlay, 1, 2);
    grid->addWidget(cmdStop, 1, 3);
    grid->addWidget(cmdSincronizza, 2, 2, 1, 2);
    return frame;
}

void frmTime::connectControls()
{
    connect(chkUsaOraPc, &QCheckBox::toggled, this, &frmTime::chkUsaOraPc_Click);
    connect(cmdPlay, &QPushButton::clicked, this, &frmTime::cmdPlay_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmTime::cmdStop_Click);
    connect(DTPicker1, &QDateTimeEdit::dateTimeChanged, this, &frmTime::DTPicker1_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmTime::cmdOK_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmTime::cmdHelp_Click);
    connect(cmdSincronizza, &QPushButton::clicked, this, &frmTime::cmdSincronizza_Click);
    TrackingModel& model = TrackingModel::instance();
    connect(&model, &TrackingModel::ticked, this, &frmTime::Aggiorna_dati);
    connect(&model, &TrackingModel::clockModeChanged, this,
            [this](ClockMode mode) { chkUsaOraPc->setChecked(mode == ClockMode::Real); });
}

void frmTime::Form_Load()
{
    setWindowTitle(texts(u"datatempo"));
    fraTempo1->setTitle(texts(u"tempo"));
    fraTempo2->setTitle(texts(u"data"));
    fraImpostazioni->setTitle(texts(u"impostazioni"));
    lblOraLocale->setText(texts(u"oralocale"));
    lblOraGreenwich->setText(texts(u"oragreenwich"));
    lblOraSideraleLocale->setText(texts(u"orasidlocale"));
    lblOraSideraleGreenwich->setText(texts(u"orasidgreenwich"));
    lblGiornoGiuliano->setText(texts(u"giornogiuliano"));
    lblDataLocale->setText(texts(u"datalocale"));
    lblDataGreenwich->setText(texts(u"datagreenwich"));
    lblGiornoAnno1->setText(texts(u"giornoanno"));
    lblGiornoAnno2->setText(texts(u"giornoanno"));
    lblOraInizioSimulazione->setText(texts(u"orainiziosimulazione"));
    AnalogClock1_0->setToolTip(texts(u"oralocale"));
    AnalogClock1_1->setToolTip(texts(u"oragreenwich"));
    chkUsaOraPc->setText(texts(u"usaorapc"));
    cmdStop->setText(texts(u"stop"));
    cmdStop->setToolTip(texts(u"arrestasimulazione"));
    cmdPlay->setText(texts(u"play"));
    cmdPlay->setToolTip(texts(u"attivasimulazione"));
    cmdSincronizza->setText(mLang::Testo_lingua(u"Buttons", u"sincronizza"));
    cmdOK->setText(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdHelp->setText(mLang::Testo_lingua(u"Buttons", u"help"));

    showClockState();
    Aggiorna_dati();
}

void frmTime::showClockState()
{
    // Windows > Close all unloads this window and the next tick (or the time command) makes it
    // again: the clock the user set goes on as it was, so the new window shows that clock
    // instead of going back to the computer's.
    const TrackingModel& model = TrackingModel::instance();
    const bool realTimeNow = model.clockMode() == ClockMode::Real;
    {
        const QSignalBlocker quiet(chkUsaOraPc);
        chkUsaOraPc->setChecked(realTimeNow);
    }
    if (realTimeNow) {
        pflgCentrale.setEnabled(true);
        setPicker(observerNow(m_clock));
        showControls(ClockState::RealTime);
    } else {
        setPicker(model.simulationStart() != 0 ? model.simulationStart() : Data_attuale);
        showControls(pflgCentrale.isEnabled() ? ClockState::Running : ClockState::Stopped);
    }
}

void frmTime::showControls(ClockState state)
{
    switch (state) {
    case ClockState::RealTime:
        lblStato->setText(texts(u"temporeale"));
        break;
    case ClockState::Running:
        lblStato->setText(texts(u"simulazione"));
        break;
    case ClockState::Stopped:
        lblStato->setText(texts(u"arresto"));
        break;
    }
    cmdStop->setEnabled(state == ClockState::Running);
    cmdPlay->setEnabled(state == ClockState::Stopped);
    lblOraInizioSimulazione->setEnabled(state == ClockState::Stopped);
    DTPicker1->setEnabled(state == ClockState::Stopped);
}

void frmTime::setPicker(double dateValue)
{
    const QSignalBlocker quiet(DTPicker1);
    DTPicker1->setDateTime(wallClockOf(dateValue));
}

bool frmTime::realTime() const
{
    return chkUsaOraPc->isChecked();
}

void frmTime::chkUsaOraPc_Click()
{
    const bool realTimeNow = chkUsaOraPc->isChecked();
    TrackingModel& model = TrackingModel::instance();
    model.setClockMode(realTimeNow ? ClockMode::Real : ClockMode::Simulated);
    if (!realTimeNow)
        model.setSimulationStart(Data_attuale);
    setPicker(realTimeNow ? observerNow(m_clock) : Data_attuale);
    pflgCentrale.setEnabled(realTimeNow);
    showControls(realTimeNow ? ClockState::RealTime : ClockState::Stopped);
    if (!realTimeNow)
        cmdPlay->setFocus();
    model.notifyClockJumped();
}

void frmTime::cmdPlay_Click()
{
    Data_attuale = DateValue::addSeconds(dateValueOf(DTPicker1->dateTime()), -1.0);
    showControls(ClockState::Running);
    // The gate is still closed, so this run does nothing; the next regular tick adds one
    // second and shows exactly the chosen instant.
    m_runTick();
    pflgCentrale.setEnabled(true);
    // The maps and charts redraw for the chosen instant with that tick, not a minute later.
    TrackingModel::instance().notifyClockJumped();
}

void frmTime::cmdStop_Click()
{
    showControls(ClockState::Stopped);
    pflgCentrale.setEnabled(false);
    // The charts' backgrounds are up to a minute old; a stopped clock would keep them so.
    TrackingModel::instance().notifyClockJumped();
}

void frmTime::DTPicker1_Change()
{
    Data_attuale = dateValueOf(DTPicker1->dateTime());
    TrackingModel::instance().setSimulationStart(Data_attuale);
    mAstro::Calcola_tempi(Data_attuale);
    Aggiorna_dati();
    // The picker is open on a stopped clock only, which no tick moves on: the satellites, the
    // Sun and the charts are computed for the picked instant now, as after any clock jump,
    // so that no window shows the instant the clock stood at before.
    TrackingModel::instance().notifyClockJumped();
}

void frmTime::cmdOK_Click()
{
    close();
}

void frmTime::cmdHelp_Click()
{
    showHelp(this, MDIForm1::applicationHelpFile(), HelpCommand::Context, kHelpContext,
             mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

void frmTime::cmdSincronizza_Click()
{
    if (auto* synchronisation =
            qobject_cast<QDialog*>(WindowRegistry::instance().form(QStringLiteral("frmSyncro"))))
        synchronisation->exec();
}

void frmTime::Aggiorna_dati()
{
    const QLocale locale;
    lblJD->setText(formatNumber(mAstro::Data_giuliana, u"######0.00000", locale));
    lblUTTIME->setText(formatDate(DateValue::split(mAstro::Data_greenwich), u"hh:mm:ss", locale));
    lblUTDATE->setText(
        formatDate(DateValue::split(mAstro::Data_greenwich), u"dd mmm yyyy", locale));
    lblLOCALTIME->setText(formatDate(DateValue::split(Data_attuale), u"hh:mm:ss", locale));
    lblLOCALDATE->setText(formatDate(DateValue::split(Data_attuale), u"dd mmm yyyy", locale));
    lblGST->setText(siderealText(mAstro::Tempo_siderale));
    lblLST->setText(siderealText(mAstro::Tempo_siderale_locale));
    lblUTCYear->setText(QString::number(mAstro::Giorno_anno));
    lblLOCALYear->setText(QString::number(mAstro::Giorno_anno_locale));
    AnalogClock1_0->setValue(clockTime(Data_attuale));
    AnalogClock1_1->setValue(clockTime(mAstro::Data_greenwich));
}

QString frmTime::siderealText(double hours)
{
    const double h = std::floor(hours);
    const double m = std::floor((hours - h) * 60.0);
    const double s = std::floor(((hours - h) * 60.0 - m) * 60.0);
    const QString twoDigits = QStringLiteral("00");
    const QLocale c = QLocale::c();
    return formatNumber(h, twoDigits, c) + u'.' + formatNumber(m, twoDigits, c) + u'.' +
           formatNumber(s, twoDigits, c);
}

void frmTime::keyPressEvent(QKeyEvent* event)
{
    // The window is no dialog, so Enter that the control with the focus left alone is handled
    // here as a dialog does: a focused push button is pressed, otherwise the default button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier
                       || (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (enter && plain) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* pressed = focused != nullptr && focused->isEnabled() ? focused : cmdOK;
        if (pressed->isVisible() && pressed->isEnabled())
            pressed->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmTime::showEvent(QShowEvent* event)
{
    Aggiorna_dati();
    QWidget::showEvent(event);
}

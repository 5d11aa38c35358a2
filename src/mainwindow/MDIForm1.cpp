#include "mainwindow/MDIForm1.h"

#include "database/WorkingSet.h"
#include "mainwindow/frmTime.h"
#include "services/BusyCursor.h"
#include "tracking/MapWindowGeometry.h"
#include "tracking/OptionsStore.h"
#include "tracking/ProgramClock.h"
#include "tracking/ReferenceData.h"

#include "common/gates.h"
#include "common/options.h"
#include "common/program_time.h"
#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "core/mAstro.h"
#include "mainwindow/MdiArrangement.h"
#include "mainwindow/ToolbarIcons.h"
#include "mainwindow/MenuBindings.h"
#include "services/ProgramFolder.h"
#include "services/Twips.h"
#include "services/WindowRegistry.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "services/mNight.h"
#include "services/mReg.h"
#include "tracking/PassChartControl.h"
#include "tracking/TrackingModel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QFontMetricsF>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVersionNumber>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

MDIForm1* g_instance = nullptr;

// The help file, set by Lingua and read by every window.
QString g_helpFile;

// The main window's design size [twips].
constexpr double kDesignWidthTwips = 11150;
constexpr double kDesignHeightTwips = 8200;
constexpr std::chrono::milliseconds kTickInterval{1000};
// Size [pixels] that holds the database window in the document area between the toolbar and
// the status bar, at Qt's own font (kDesignFontPoints); a larger desktop font widens the window's
// texts, and this size with them.
constexpr QSize kMinimumStartSize(1000, 720);
constexpr int kDesignFontPoints = 9;
// Room kept on the screen for what the desktop adds around and beside the window: its title
// bar and borders, known only once the window is shown, and on Wayland a panel the platform
// does not tell of [pixels].
constexpr QMargins kFrameAllowance(8, 64, 8, 8);

/// How much wider and taller than Qt's own font the texts of `font` are.
QSizeF fontScale(const QFont& font)
{
    const QFont design(QStringLiteral("Sans Serif"), kDesignFontPoints);
    const QString sample = QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789");
    const QFontMetricsF ours(font);
    const QFontMetricsF theirs(design);
    return QSizeF(std::max(1.0, ours.horizontalAdvance(sample) / theirs.horizontalAdvance(sample)),
                  std::max(1.0, ours.height() / theirs.height()));
}

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"MDIForm1", key);
}

QString applicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

/// One warning for a whole list: the message with the first lines of the list (and `closing`
/// after them, when given), and the whole list in the box's scrollable details.
void tellInOneBox(QWidget* parent, const QString& message, const QStringList& items,
                  const QString& closing = {})
{
    constexpr qsizetype kLinesInText = 10;
    QString shown = message + u'\n' + items.mid(0, kLinesInText).join(u'\n');
    if (items.size() > kLinesInText)
        shown += QStringLiteral("\n...");
    if (!closing.isEmpty())
        shown += u'\n' + closing;
    QMessageBox box(QMessageBox::Warning, applicationTitle(), shown, QMessageBox::Ok, parent);
    box.setDetailedText(items.join(u'\n'));
    box.exec();
}

/// Lines of the working set left out, as the user is told them: where they are and what they
/// hold.
QString leftOutText(const LeftOutLines& lines)
{
    const QString excerpt = lines.excerpt.isEmpty() ? text(u"insiemerigavuota") : lines.excerpt;
    if (lines.firstLine == lines.lastLine)
        return text(u"insiemeriga").arg(QString::number(lines.firstLine), excerpt);
    return text(u"insiemerighe")
        .arg(QString::number(lines.firstLine), QString::number(lines.lastLine), excerpt);
}

QString openElementFile(QWidget* parent, const QString& title, const QString& file,
                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, file, filter);
}

} // namespace

MDIForm1::MDIForm1(const ProgramClock& clock, QWidget* parent)
    : QMainWindow(parent), m_clock(clock), m_tick(*this, clock), m_mapMenus(*this),
      m_failures(QStringLiteral("MDIForm1"), [this](const QString& text) {
          // Told after the handler, so the message does not hold a tick or a command half done.
          QMetaObject::invokeMethod(
              this, [this, text] { QMessageBox::warning(this, applicationTitle(), text); },
              Qt::QueuedConnection);
      })
{
    setObjectName(QStringLiteral("MDIForm1"));
    g_instance = this;
    // Every window of the program, message boxes included, takes its icon from here.
    QApplication::setWindowIcon(programIcon());
    m_chooseFile = [this](const QString& title, const QString& file, const QString& filter) {
        return openElementFile(this, title, file, filter);
    };
    buildWindow();
    defineOwnWindows();
    connectControls();
    applyCommandStates();
    // The main window is the first loaded window; its lifetime is its owner's, so the
    // registry must not delete it when it closes.
    WindowRegistry::instance().adopt(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

MDIForm1::~MDIForm1()
{
    tmrCentrale->stop();
    if (g_instance == this)
        g_instance = nullptr;
}

MDIForm1* MDIForm1::instance()
{
    return g_instance;
}

void MDIForm1::buildWindow()
{
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIArea"));
    // A child window larger than the area can still be reached.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    keepNewSubWindowsInside(*m_mdiArea);
    m_menus = buildMainMenus(menuBar(), this);
    m_bars = buildMainBars(this);
    tmrCentrale = new QTimer(this);
    tmrCentrale->setObjectName(QStringLiteral("tmrCentrale"));
    tmrCentrale->setTimerType(Qt::PreciseTimer);
    tmrCentrale->setInterval(kTickInterval);
}

void MDIForm1::defineOwnWindows()
{
    WindowRegistry::instance().define(windowNames::kTime, WindowLifetime::HideOnClose, [this] {
        return new frmTime(
            m_clock, [this] { tmrCentrale_Timer(); }, this);
    }, this);
}

void MDIForm1::connectControls()
{
    for (const Command& command : commandTable())
        connectCommand(command);
    connect(menu(mnu(u"mnuFile")), &QMenu::aboutToShow, this, &MDIForm1::mnuFile_Click);
    connect(menu(mnu(u"mnuModifica")), &QMenu::aboutToShow, this, &MDIForm1::mnuModifica_Click);
    for (QAction* button : std::as_const(m_bars.buttons)) {
        connect(button, &QAction::triggered, this,
                [this, button] { Toolbar1_ButtonClick(button->data().toString()); });
    }
    for (QAction* entry : std::as_const(m_bars.openItems)) {
        connect(entry, &QAction::triggered, this,
                [this, entry] { Toolbar1_ButtonMenuClick(entry->data().toString()); });
    }
    for (int i = 0; i < kStatusPanelCount; ++i) {
        connect(m_bars.panels[static_cast<std::size_t>(i)], &StatusPanel::clicked, this,
                [this, i] { StatusBar1_PanelClick(i + 1); });
    }
    for (auto pressed = pressedButtons().begin(); pressed != pressedButtons().end(); ++pressed) {
        QAction* button = toolbarButton(pressed.key());
        connect(menuItem(pressed.value()), &QAction::toggled, button, &QAction::setChecked);
    }
    connect(tmrCentrale, &QTimer::timeout, this, &MDIForm1::tmrCentrale_Timer);
    connectModel();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &MDIForm1::updatePrintCommand);
}

void MDIForm1::connectModel()
{
    const TrackingModel& model = TrackingModel::instance();
    connect(&model, &TrackingModel::ticked, this, &MDIForm1::trackingModel_ticked);
    connect(&model, &TrackingModel::clockJumped, this, [this] {
        m_failures.contain(QStringLiteral("erroreaggiornamento"), [this] { m_tick.clockJumped(); });
    });
    // Connected before any window, so that a window hearing of the change reads a snapshot
    // that already shows it when the clock stands still.
    const auto stateChanged = [this] {
        m_failures.contain(QStringLiteral("erroreaggiornamento"), [this] { m_tick.stateChanged(); });
    };
    connect(&model, &TrackingModel::principalChanged, this, stateChanged);
    connect(&model, &TrackingModel::activeSetChanged, this, stateChanged);
    connect(&model, &TrackingModel::observerChanged, this, stateChanged);
    connect(&model, &TrackingModel::principalChannelChanged, this, stateChanged);
    connect(&model, &TrackingModel::activeSetChanged, this, &MDIForm1::showPrincipalName);
    connect(&model, &TrackingModel::observerChanged, this, &MDIForm1::showLocationName);
    connect(&model, &TrackingModel::principalChanged, this,
            [this] { m_mapMenus.principalChanged(); });
    connectMenuBindings();
}

namespace {

template <class Record>
void showMarks(const MDIForm1& window, std::span<const MarkBinding<Record>> marks,
               const Record& record)
{
    for (const MarkBinding<Record>& mark : marks)
        window.menuItem(mark.item)->setChecked(mark.ticked(record));
}

} // namespace

void MDIForm1::connectMenuBindings()
{
    const TrackingModel& model = TrackingModel::instance();
    connect(&model, &TrackingModel::worldMapChanged, this, &MDIForm1::showDisplayMarks);
    connect(&model, &TrackingModel::localSkyChanged, this, &MDIForm1::showDisplayMarks);
    connect(&model, &TrackingModel::generalSkyChanged, this, &MDIForm1::showDisplayMarks);
    connect(&model, &TrackingModel::worldMapPickChanged, this, &MDIForm1::showDisplayMarks);
    connect(menu(mnu(u"mnuSkySat")), &QMenu::aboutToShow, this, [this] {
        if (const PassChartControl* chart = m_mapMenus.activePassChart())
            showPassChartMarks(chart->passChartDisplay());
    });
    showDisplayMarks();
}

void MDIForm1::showDisplayMarks()
{
    const TrackingModel& model = TrackingModel::instance();
    showMarks(*this, worldMapMarks(), model.worldMap());
    showMarks(*this, localSkyMarks(), model.localSky());
    showMarks(*this, generalSkyMarks(), model.generalSky());
    // The restore items are offered from the zoom mode on until the next restore; the remove
    // item while a satellite is picked on the world map.
    menuItem(mnu(u"mnuLocalSkyRipristina"))->setEnabled(model.localSky().zoomed);
    menuItem(mnu(u"mnuGeneralSkyRipristina"))->setEnabled(model.generalSky().zoomed);
    menuItem(mnu(u"mnuWorldmapRimuovi"))->setEnabled(model.worldMapPick() > 0);
}

void MDIForm1::showPassChartMarks(const PassChartDisplay& options)
{
    showMarks(*this, passChartMarks(), options);
}

void MDIForm1::connectCommand(const Command& command)
{
    QAction* action = menuItem(command.item);
    if (action == nullptr)
        return;
    connect(action, &QAction::triggered, this, [this, action, item = command.item] {
        // The command owns the check mark: undo the toggle the menu made before it ran, so a
        // command refused by its own test leaves the mark as it was.
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        runCommand(item);
    });
}

void MDIForm1::applyCommandStates()
{
    // A toolbar button is available exactly when the command it runs is; one that runs an item
    // of a map's pop-up menu acts on that map, so it also waits for the map to be open.
    for (const ToolbarPosition& position : toolbarPositions()) {
        const QString key = QString::fromUtf16(position.key);
        if (key.isEmpty())
            continue;
        QAction* button = toolbarButton(key);
        const QString command = QString::fromUtf16(position.command);
        QAction* item = menuItem(command);
        const QString target = popupCommandWindow(command);
        const auto follow = [button, item, target] {
            button->setEnabled(item->isEnabled() &&
                               (target.isEmpty() || mGlobal::Form_caricato(target)));
        };
        follow();
        connect(item, &QAction::changed, button, follow);
        if (!target.isEmpty())
            connect(&WindowRegistry::instance(), &WindowRegistry::loadedWindowsChanged, button,
                    follow);
    }
    for (const OpenMenuItem& entry : openMenuItems()) {
        QAction* action = m_bars.openItems.value(QString::fromUtf16(entry.key));
        QAction* item = menuItem(QString::fromUtf16(entry.command));
        action->setEnabled(item->isEnabled());
    }
    updatePrintCommand();
    syncPressedButtons();
}

QString MDIForm1::popupCommandWindow(const QString& item)
{
    // The items of the four pop-up menus carry their menu's name in front of their own.
    static const QStringList popupMenus{
        QStringLiteral("mnuWorldmap"), QStringLiteral("mnuLocalSky"),
        QStringLiteral("mnuGeneralSky"), QStringLiteral("mnuSkySat")};
    if (std::none_of(popupMenus.begin(), popupMenus.end(),
                     [&item](const QString& menu) { return item.startsWith(menu); }))
        return {};
    for (const Command& command : commandTable()) {
        if (command.item == item)
            return command.window;
    }
    return {};
}

void MDIForm1::syncPressedButtons()
{
    for (auto pressed = pressedButtons().begin(); pressed != pressedButtons().end(); ++pressed)
        toolbarButton(pressed.key())->setChecked(menuItem(pressed.value())->isChecked());
}

QAction* MDIForm1::menuItem(const QString& name) const
{
    return m_menus.items.value(name);
}

QMenu* MDIForm1::menu(const QString& name) const
{
    return m_menus.menus.value(name);
}

QAction* MDIForm1::toolbarButton(const QString& key) const
{
    return m_bars.buttons.value(key);
}

bool MDIForm1::runCommand(const QString& item)
{
    const QAction* action = menuItem(item);
    if (action == nullptr || !action->isEnabled())
        return false;
    for (const Command& command : commandTable()) {
        if (command.item != item)
            continue;
        // No exception may leave an event handler: a failing command ends and is told once; the
        // program goes on.
        return m_failures.contain(QStringLiteral("errorecomando"),
                                  [this, &command, &item] { command.handler(*this, item); });
    }
    return false;
}

void MDIForm1::setFileChooser(FileChooser chooser)
{
    m_chooseFile = std::move(chooser);
}

// --- start-up and shutdown ---------------------------------------------------------------------

bool MDIForm1::MDIForm_Load()
{
    // A stuck lock on the options file is waited for once in the whole load.
    const mReg::OneLockWait oneLockWait;
    resize(startSize());
    const QVersionNumber version = QVersionNumber::fromString(QApplication::applicationVersion());
    setWindowTitle(applicationTitle() + u' ' +
                   QStringLiteral("%1.%2.%3")
                       .arg(version.majorVersion())
                       .arg(version.minorVersion())
                       .arg(version.microVersion()));
    QStringList resetOptions;
    const mReg::RegistryStatus options = Carica_impostazioni(&resetOptions);
    const mReg::RegistryStatus geometry =
        options.ok() ? resetUnusableWindowGeometry(&resetOptions) : mReg::RegistryStatus();
    Lingua();
    if (!options.ok()) {
        QMessageBox::warning(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"impostazioninonlette") + u'\n' +
                                 options.description);
    } else if (!resetOptions.isEmpty()) {
        // The map windows read their size and place from the store themselves: one that could
        // not be written back is still the stored value for them, not the default listed. Why
        // it could not is said once, whatever the number of values.
        QString message = text(u"impostazionireimpostate");
        if (!geometry.ok()) {
            const QString reason = optionsStoreFailureReason(geometry);
            message = text(u"finestrenonsalvate") + u'\n' +
                      (reason.isEmpty() ? QString() : reason + u'\n') + message;
        }
        tellInOneBox(this, message, resetOptions);
    }

    QWidget* splash = WindowRegistry::instance().form(windowNames::kAbout);
    if (splash != nullptr) {
        splash->show();
        splash->setWindowTitle(mLang::Testo_lingua(u"frmAbout", u"letturadati"));
        splash->repaint();
        yieldToEvents();
    }
    if (!Carica_archivi().ok()) {
        WindowRegistry::instance().unload(splash);
        QMessageBox::warning(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"erroredb"));
        return false;
    }
    loadWorkingSet();
    pflgCentrale.setEnabled(true);
    pflgSatellite.setEnabled(true);
    tmrCentrale_Timer();
    WindowRegistry::instance().unload(splash);

    for (const char16_t* item : {mnu(u"mnuFileSalva").text, mnu(u"mnuModificaTaglia").text,
                                 mnu(u"mnuModificaCopia").text, mnu(u"mnuModificaCancella").text,
                                 mnu(u"mnuModificaAnnulla").text, mnu(u"mnuModificaIncolla").text})
        menuItem(QString::fromUtf16(item))->setEnabled(false);
    showLocationName();
    showPrincipalName();
    m_bars.Toolbar1->setVisible(Impostazioni.Barra_pulsanti);
    m_bars.StatusBar1->setVisible(Impostazioni.Barra_stato);
    menuItem(mnu(u"mnuVisualizzaBarraPulsanti"))->setChecked(Impostazioni.Barra_pulsanti);
    menuItem(mnu(u"mnuVisualizzaBarraStato"))->setChecked(Impostazioni.Barra_stato);
    show();
    yieldToEvents();
    askDaylightSaving();
    tmrCentrale->start();
    return true;
}

QSize MDIForm1::startSize() const
{
    const QScreen* display = screen();
    return display != nullptr ? firstSize(display->availableSize()) : firstSize({});
}

QSize MDIForm1::firstSize(QSize available) const
{
    // The design size, made large enough for the whole toolbar and for the child windows,
    // whose widgets take more room than the design's; never beyond the screen.
    const QSizeF scale = fontScale(QApplication::font()); // the child windows' font
    const QSize childWindows(static_cast<int>(std::ceil(kMinimumStartSize.width() * scale.width())),
                             static_cast<int>(std::ceil(kMinimumStartSize.height() * scale.height())));
    QSize size = QSize(static_cast<int>(twips::toPixels(kDesignWidthTwips)),
                       static_cast<int>(twips::toPixels(kDesignHeightTwips)))
                     .expandedTo(childWindows)
                     .expandedTo(QSize(m_bars.Toolbar1->sizeHint().width(), 0));
    // The frame comes on top of this size: window and frame together stay on the screen.
    if (available.isValid()) {
        const QMargins frame = windowHandle() != nullptr && !windowHandle()->frameMargins().isNull()
                                   ? windowHandle()->frameMargins()
                                   : kFrameAllowance;
        size = size.boundedTo(available.shrunkBy(frame));
    }
    return size;
}

void MDIForm1::loadWorkingSet()
{
    // The working set is read before the slots are parsed, so the satellites of the last run
    // are back in their slots. Sets that cannot be parsed and lines that hold no set are left
    // out and told in one message.
    const WorkingSetLoad load = loadWorkingSetSlots();
    const QString file = QDir::toNativeSeparators(dataFilePath(kWorkingSetFileName));
    if (load.held && !load.read) {
        QMessageBox::warning(this, applicationTitle(), text(u"insiemetrattenuto") + u' ' + file);
    } else if (!load.read) {
        QMessageBox::warning(this, applicationTitle(), text(u"insiemenonletto"));
    } else if (!load.unusable.isEmpty()) {
        // The lines come right after the heading that introduces them; then where the file as
        // it was is kept, or that no copy could be made and the file itself is kept as it is.
        const QString kept =
            load.damagedCopy.isEmpty()
                ? text(u"insiemenoncopiato") + u' ' + file
                : text(u"insiemecopiato") + u' ' + QDir::toNativeSeparators(load.damagedCopy);
        QStringList leftOut;
        for (const LeftOutLines& lines : load.unusable)
            leftOut.append(leftOutText(lines));
        tellInOneBox(this, text(u"insiemedanneggiato"), leftOut, kept);
    }
}

void MDIForm1::askDaylightSaving()
{
    float bias = 0;
    bool inDaylightSaving = false;
    if (!Impostazioni.Verifica_ora_legale || !mGlobal::Leggi_fuso_orario(bias, inDaylightSaving))
        return;
    const std::uint8_t computer = inDaylightSaving ? 1 : 0;
    if (computer == Osservatore.Ora_legale)
        return;
    const auto answer =
        QMessageBox::question(this, applicationTitle(),
                              mLang::Testo_lingua(u"MDIForm1", u"cambiareoralegale1") + u'\n' +
                                  mLang::Testo_lingua(u"MDIForm1", u"cambiareoralegale2"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    Osservatore.Ora_legale = computer;
    // Stored at once. A write that fails leaves the answer an unsaved change, which the exit
    // question offers to save.
    (void)saveSingleOption(u"Osservatore", u"Ora legale");
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    if (m_closing || MDIForm_QueryUnload()) {
        event->accept();
        MDIForm_Unload();
        return;
    }
    event->ignore();
}

bool MDIForm1::MDIForm_QueryUnload()
{
    // The options saved on the way out, and the size and place each map window writes as it
    // closes, wait for a stuck lock on the options file once.
    const mReg::OneLockWait oneLockWait;
    if (Impostazioni.Conferma_uscita &&
        QMessageBox::question(
            this, applicationTitle(), mLang::Testo_lingua(u"MDIForm1", u"sicuridiuscire"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    if (!keepChangedOptions())
        return false;
    // Guard: a text window whose user keeps it open (Cancel, or a save that did not happen)
    // keeps the program running instead of losing the text.
    if (!closeTextWindows(true))
        return false;
    m_closing = true;
    if (mNight::Colori_notte_flag())
        mNight::Ripristina_colori_sistema();
    WindowRegistry& windows = WindowRegistry::instance();
    const QList<QWidget*> loaded = windows.loadedWindows();
    for (qsizetype i = loaded.size() - 1; i >= 0; --i) {
        // The text windows closed above have asked their question already.
        if (loaded[i] != this && loaded[i]->objectName() != windowNames::kFile)
            windows.unload(loaded[i]);
    }
    return true;
}

bool MDIForm1::keepChangedOptions()
{
    if (!Impostazioni.Verifica_opzioni) {
        keepExitQuestionOff();
        return true;
    }
    if (!Impostazioni_modificate())
        return true;
    const auto answer = QMessageBox::question(
        this, applicationTitle(),
        mLang::Testo_lingua(u"MDIForm1", u"opzionimodificate1") + u'\n' +
            mLang::Testo_lingua(u"MDIForm1", u"opzionimodificate2"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::No)
        return true;
    if (answer != QMessageBox::Yes)
        return false;
    const mReg::RegistryStatus saved = Salva_impostazioni();
    if (saved.ok())
        return true;
    // Guard: options that could not be written keep the program running, so the user learns
    // of it and can try again or leave with No; the box says both.
    QMessageBox::warning(this, applicationTitle(),
                         optionsNotSavedText(saved) + u'\n' + text(u"programmaaperto"));
    return false;
}

void MDIForm1::keepExitQuestionOff()
{
    // Turning the question off is itself a change of the options: unsaved, it would be lost
    // with the question that was to offer saving it.
    if (!Impostazioni_salvate.Verifica_opzioni)
        return;
    const mReg::RegistryStatus saved = saveSingleOption(u"Generali", u"Verifica opzioni");
    if (!saved.ok())
        QMessageBox::warning(this, applicationTitle(), optionsNotSavedText(saved));
}

void MDIForm1::MDIForm_Unload()
{
    tmrCentrale->stop();
    pflgCentrale.setEnabled(false);
    if (!saveWorkingSet())
        QMessageBox::warning(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"insiemenonsalvato"));
    QCoreApplication::quit();
}

void MDIForm1::activeListChanged()
{
    if (!saveWorkingSet())
        QMessageBox::warning(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"insiemenonsalvato"));
    showPrincipalName();
}

// --- texts -------------------------------------------------------------------------------------

void MDIForm1::Lingua()
{
    readStatusNames();
    g_helpFile = QDir(MyPath).filePath(mLang::Testo_lingua(u"Help", u"file"));

    for (const QString& name : std::as_const(m_menus.captioned)) {
        // The data-bar item shares the caption of the local sky's data-box item.
        const QString key =
            name == u"mnuVisualizzaBarraDati" ? mnu(u"mnuLocalSkyRiquadroDati") : name;
        menuItem(name)->setText(text(key));
    }
    for (const ToolbarPosition& position : toolbarPositions()) {
        if (QAction* button = toolbarButton(QString::fromUtf16(position.key)))
            button->setToolTip(text(position.tooltipKey));
    }
    const char16_t* panelKeys[kStatusPanelCount] = {u"data", u"satellite", u"localita"};
    for (std::size_t i = 0; i < m_bars.panels.size(); ++i)
        m_bars.panels[i]->setToolTip(text(panelKeys[i]));
    for (const OpenMenuItem& entry : openMenuItems())
        m_bars.openItems.value(QString::fromUtf16(entry.key))->setText(text(entry.command));
}

void MDIForm1::languageChanged()
{
    Lingua();
    m_failures.contain(QStringLiteral("erroreaggiornamento"), [this] { m_tick.stateChanged(); });
}

QString MDIForm1::Stato2Stringa(int enuStato)
{
    return statusName(enuStato);
}

QString MDIForm1::applicationHelpFile()
{
    return g_helpFile;
}

// --- status bar --------------------------------------------------------------------------------

void MDIForm1::showPrincipalName()
{
    const QString name = Numero_satelliti > 0
                             ? QString::fromStdString(Satelement[kPrincipalSlot].Nome_satellite)
                             : QString();
    m_bars.panels[1]->setText(name.trimmed());
}

void MDIForm1::showLocationName()
{
    m_bars.panels[2]->setText(QString::fromStdString(Osservatore.Nome_localita));
}

QString MDIForm1::statusPanelText(int panel) const
{
    if (panel < 1 || panel > kStatusPanelCount)
        return {};
    return m_bars.panels[static_cast<std::size_t>(panel - 1)]->text();
}

// --- tick --------------------------------------------------------------------------------------

void MDIForm1::tmrCentrale_Timer()
{
    // No exception may leave the timer's handler: the failure is told once, and the next
    // tick tries again.
    m_failures.contain(QStringLiteral("erroreaggiornamento"), [this] { m_tick.run(); });
}

frmTime* MDIForm1::timeWindow()
{
    return qobject_cast<frmTime*>(WindowRegistry::instance().form(windowNames::kTime));
}

void MDIForm1::trackingModel_ticked()
{
    if (!mGlobal::Form_caricato(windowNames::kTime))
        timeWindow();
    const std::optional<QString> clockText =
        statusClockText(Impostazioni.Formato_ora, TrackingModel::instance().snapshot().time,
                        Osservatore.Ora_legale);
    if (clockText)
        m_bars.panels[0]->setText(*clockText);
}

void MDIForm1::removeDecayedSatellite(int slot)
{
    Azzera(slot);
}

void MDIForm1::reportUncomputableSatellite(int slot, mSat::Status)
{
    const Record_TLE& lines = RigaDati[slot];
    const QString key =
        QString::fromStdString(lines.Riga0 + '\n' + lines.Riga1 + '\n' + lines.Riga2);
    if (m_reportedSatellites.contains(key))
        return;
    m_reportedSatellites.insert(key);
    const QString name = QString::fromStdString(Satelement[slot].Nome_satellite).trimmed();
    // Told after the tick, so the message does not hold the tick half done.
    QMetaObject::invokeMethod(
        this, [this, name] { tellUncomputableSatellite(name); }, Qt::QueuedConnection);
}

void MDIForm1::tellUncomputableSatellite(const QString& name)
{
    QMessageBox::warning(this, name,
                         mLang::Testo_lingua(u"MDIForm1", u"satelliteerrato1") + u'\n' +
                             mLang::Testo_lingua(u"MDIForm1", u"satelliteerrato2"));
}

void MDIForm1::Azzera(int intIndice)
{
    if (intIndice < kPrincipalSlot || intIndice > Numero_satelliti)
        return;
    if (m_database.removeDecayed)
        m_database.removeDecayed(intIndice);
}

void MDIForm1::removeActiveSatellite(int slot)
{
    if (m_database.removeActive && !m_database.removeActive(slot))
        QMessageBox::warning(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"insiemenonsalvato"));
    TrackingModel& model = TrackingModel::instance();
    if (slot == kPrincipalSlot) {
        // The former second satellite is principal now, computed at once for the maps; one
        // that cannot be computed keeps its previous state and the user hears of it once (a
        // decayed one is the tick's to remove).
        if (Numero_satelliti > 0) {
            const mSat::Status status =
                mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
            if (status != mSat::Status::Ok && status != mSat::Status::Decayed)
                reportUncomputableSatellite(kPrincipalSlot, status);
        }
        model.notifyPrincipalChanged();
    }
    model.notifyActiveSetChanged();
}

void MDIForm1::setDatabaseAccess(DatabaseAccess access)
{
    m_database = std::move(access);
}

// --- toolbar and status bar ----------------------------------------------------------------------

void MDIForm1::Toolbar1_ButtonClick(const QString& key)
{
    for (const ToolbarPosition& position : toolbarPositions()) {
        if (key != QString::fromUtf16(position.key))
            continue;
        // The pass track needs the local sky: without it the button does nothing at all.
        if (key == u"Transit" && !mGlobal::Form_caricato(windowNames::kLocalSky))
            break;
        runCommand(QString::fromUtf16(position.command));
        break;
    }
    syncPressedButtons();
}

void MDIForm1::Toolbar1_ButtonMenuClick(const QString& key)
{
    for (const OpenMenuItem& entry : openMenuItems()) {
        if (key == QString::fromUtf16(entry.key)) {
            runCommand(QString::fromUtf16(entry.command));
            return;
        }
    }
}

void MDIForm1::StatusBar1_PanelClick(int panel)
{
    static const char16_t* const commands[kStatusPanelCount] = {mnu(u"mnuOpzioniData").text,
                                                                mnu(u"mnuSatellitiDatabase").text,
                                                                mnu(u"mnuOpzioniLocalita").text};
    if (panel >= 1 && panel <= kStatusPanelCount)
        runCommand(QString::fromUtf16(commands[panel - 1]));
}

// --- public commands of the map menus ------------------------------------------------------------

void MDIForm1::mnuWorldmapRidisegnaMappa_Click()
{
    m_mapMenus.mnuWorldmapRidisegnaMappa_Click();
}

void MDIForm1::mnuLocalSkyRidisegnaMappa_Click()
{
    m_mapMenus.mnuLocalSkyRidisegnaMappa_Click();
}

void MDIForm1::mnuLocalSkyZoom_Click()
{
    m_mapMenus.mnuLocalSkyZoom_Click();
}

void MDIForm1::mnuLocalSkyTempi_Click()
{
    m_mapMenus.mnuLocalSkyTempi_Click();
}

void MDIForm1::mnuGeneralSkyZoom_Click()
{
    m_mapMenus.mnuGeneralSkyZoom_Click();
}

void MDIForm1::mnuLocalSkyTransitoPrincipale_Click()
{
    m_mapMenus.mnuLocalSkyTransitoPrincipale_Click();
}

// The commands of the main window's menu bar: File, Edit, View, Earth, Sky, Satellites,
// Ephemerides, Tools, Options, Windows and Help.

#include "mainwindow/MDIForm1.h"

#include "database/LineEndRepair.h"
#include "mainwindow/MdiArrangement.h"
#include "tracking/OptionsStore.h"
#include "services/BusyCursor.h"

#include "common/gates.h"
#include "common/options.h"
#include "common/satellite_slots.h"
#include "core/mAstro.h"
#include "core/mSat.h"
#include "services/Help.h"
#include "services/Printing.h"
#include "services/WindowPlacement.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"
#include "services/mNight.h"
#include "tracking/TrackingModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileInfo>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>

namespace {

QString dialogText(QStringView key)
{
    return mLang::Testo_lingua(u"Dialogs", key);
}

QString applicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}

/// The control with the keyboard focus is a list or a text the open window can save or print.
bool focusOnListOrText()
{
    QWidget* focus = QApplication::focusWidget();
    return qobject_cast<QListView*>(focus) != nullptr || qobject_cast<QTextEdit*>(focus) != nullptr;
}

QTextEdit* focusedText()
{
    return qobject_cast<QTextEdit*>(QApplication::focusWidget());
}

// Calculators of the Linux desktops, tried in this order.
const QStringList kCalculators{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                               QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
                               QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};

} // namespace

// --- windows by name -----------------------------------------------------------------------------

void MDIForm1::showWindow(const QString& name)
{
    presentWindow(WindowRegistry::instance().form(name));
}

void MDIForm1::presentWindow(QWidget* window)
{
    if (window == nullptr)
        return;
    window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->showNormal();
        m_mdiArea->setActiveSubWindow(frame);
    } else {
        placeOverOwner(*window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MDIForm1::showWindowBusy(const QString& name)
{
    yieldToEvents();
    const BusyCursor busy;
    showWindow(name);
}

QString MDIForm1::chooseElementFile(QStringView titleKey)
{
    const QString path =
        m_chooseFile(dialogText(titleKey), QString::fromStdString(Impostazioni.File_database),
                     mLang::Testo_lingua(u"Dialogs", u"filtrotle"));
    if (path.isEmpty() || QFileInfo(path).size() == 0)
        return {};
    return path;
}

bool MDIForm1::activeChildIsTextWindow() const
{
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    return active != nullptr && active->widget() != nullptr &&
           active->widget()->objectName() == windowNames::kFile;
}

QTextEdit* MDIForm1::editedText() const
{
    if (QTextEdit* edit = focusedText())
        return edit;
    if (!activeChildIsTextWindow())
        return nullptr;
    return m_mdiArea->activeSubWindow()->widget()->findChild<QTextEdit*>(QStringLiteral("txtFile"));
}

bool MDIForm1::closeTextWindows(bool stopWhenOneStays)
{
    bool allClosed = true;
    const QList<QWidget*> loaded = WindowRegistry::instance().loadedWindows();
    for (QWidget* window : loaded) {
        if (window->objectName() != windowNames::kFile)
            continue;
        // The frame closes its window first and stays when the window refuses.
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        if (!(frame != nullptr ? frame->close() : window->close())) {
            allClosed = false;
            if (stopWhenOneStays)
                break;
        }
    }
    return allClosed;
}

void MDIForm1::callActiveChild(const char* procedure)
{
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    // A window without the procedure is left alone, as the command promises.
    if (active != nullptr && active->widget() != nullptr)
        QMetaObject::invokeMethod(active->widget(), procedure);
}

// --- File menu -----------------------------------------------------------------------------------

void MDIForm1::Apertura_database(int intIndice)
{
    if (m_database.open)
        m_database.open(intIndice);
}

bool MDIForm1::activeChildHas(const char* procedure) const
{
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    return active != nullptr && active->widget() != nullptr &&
           active->widget()->metaObject()->indexOfMethod(procedure) >= 0;
}

void MDIForm1::updatePrintCommand()
{
    // Guard: Print is offered only over a window that prints, instead of doing nothing.
    menuItem(mnu(u"mnuFileStampa"))->setEnabled(activeChildHas("Stampa()"));
}

void MDIForm1::mnuFile_Click()
{
    menuItem(mnu(u"mnuFileSalva"))->setEnabled(focusOnListOrText() || activeChildIsTextWindow());
    updatePrintCommand();
}

void MDIForm1::mnuFileApri_Click()
{
    Apertura_database(0);
}

void MDIForm1::mnuFileVisualizza_Click()
{
    const QString path = chooseElementFile(u"visualizzatle");
    if (path.isEmpty())
        return;
    yieldToEvents();
    const BusyCursor busy;
    if (QWidget* listing = WindowRegistry::instance().form(windowNames::kDetails))
        QMetaObject::invokeMethod(listing, "LeggiDiretto", Q_ARG(QString, path));
}

void MDIForm1::mnuFileNuovo_Click()
{
    ++m_newDocuments;
    QWidget* editor = WindowRegistry::instance().form(windowNames::kFile);
    if (editor == nullptr)
        return;
    const QString caption =
        mLang::Testo_lingua(u"MDIForm1", u"nuovo") + QString::number(m_newDocuments);
    editor->setWindowTitle(caption);
    editor->setProperty("Tag", caption);
    editor->setProperty("gblnDialog", true);
    presentWindow(editor);
}

void MDIForm1::mnuFileModifica_Click()
{
    const QString path = chooseElementFile(u"modificatle");
    if (path.isEmpty())
        return;
    yieldToEvents();
    if (QWidget* editor = WindowRegistry::instance().form(windowNames::kFile)) {
        editor->setProperty("gblnDialog", false);
        QMetaObject::invokeMethod(editor, "Leggi", Q_ARG(QString, path));
    }
}

void MDIForm1::mnuFileSalva_Click()
{
    if (focusOnListOrText() || activeChildIsTextWindow())
        callActiveChild("Salva");
}

void MDIForm1::mnuFileImpostaStampante_Click()
{
    yieldToEvents();
    showPrinterSetupDialog(this);
}

void MDIForm1::mnuFileStampa_Click()
{
    // Print reaches the active window on the terms it is offered (updatePrintCommand),
    // whatever control of the window has the focus (a pass list or a summary table as much as
    // a list box): a command left enabled must not end in nothing.
    if (activeChildHas("Stampa()"))
        callActiveChild("Stampa");
}

void MDIForm1::mnuFileRipristinaImpostazioni_Click()
{
    if (QMessageBox::question(this, applicationTitle(),
                              mLang::Testo_lingua(u"MDIForm1", u"ripristinoopzioni1") + u'\n' +
                                  mLang::Testo_lingua(u"MDIForm1", u"ripristinoopzioni2"),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes)
        Impostazioni_default();
}

void MDIForm1::mnuFileSalvaImpostazioni_Click()
{
    // Guard: the user is told when the options were not written, instead of believing them
    // saved.
    const mReg::RegistryStatus saved = Salva_impostazioni();
    if (!saved.ok())
        QMessageBox::warning(this, applicationTitle(), optionsNotSavedText(saved));
}

void MDIForm1::mnuFileEsci_Click()
{
    close();
}

// --- Edit menu -----------------------------------------------------------------------------------

void MDIForm1::mnuModifica_Click()
{
    const QTextEdit* edit = editedText();
    const bool selection = edit != nullptr && edit->textCursor().hasSelection();
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    menuItem(mnu(u"mnuModificaAnnulla"))
        ->setEnabled(edit != nullptr && edit->document()->isUndoAvailable());
    menuItem(mnu(u"mnuModificaTaglia"))->setEnabled(selection);
    menuItem(mnu(u"mnuModificaCopia"))->setEnabled(selection);
    menuItem(mnu(u"mnuModificaCancella"))->setEnabled(selection);
    menuItem(mnu(u"mnuModificaIncolla"))
        ->setEnabled(edit != nullptr && clipboard != nullptr && clipboard->hasText());
}

void MDIForm1::applyTextCommand(const std::function<void(QTextEdit*)>& action)
{
    if (QTextEdit* edit = editedText())
        action(edit);
}

void MDIForm1::mnuModificaAnnulla_Click()
{
    applyTextCommand([](QTextEdit* edit) { edit->undo(); });
}

void MDIForm1::mnuModificaTaglia_Click()
{
    applyTextCommand([](QTextEdit* edit) { edit->cut(); });
}

void MDIForm1::mnuModificaCopia_Click()
{
    applyTextCommand([](QTextEdit* edit) { edit->copy(); });
}

void MDIForm1::mnuModificaIncolla_Click()
{
    applyTextCommand(
        [](QTextEdit* edit) { edit->textCursor().insertText(QApplication::clipboard()->text()); });
}

void MDIForm1::mnuModificaCancella_Click()
{
    applyTextCommand([](QTextEdit* edit) {
        QTextCursor cursor = edit->textCursor();
        if (cursor.hasSelection())
            cursor.removeSelectedText();
        else
            cursor.deleteChar();
        edit->setTextCursor(cursor);
    });
}

// --- View menu -----------------------------------------------------------------------------------

void MDIForm1::mnuVisualizzaBarraPulsanti_Click()
{
    QAction* item = menuItem(mnu(u"mnuVisualizzaBarraPulsanti"));
    item->setChecked(!item->isChecked());
    m_bars.Toolbar1->setVisible(!m_bars.Toolbar1->isVisibleTo(this));
}

void MDIForm1::mnuVisualizzaBarraStato_Click()
{
    QAction* item = menuItem(mnu(u"mnuVisualizzaBarraStato"));
    item->setChecked(!item->isChecked());
    m_bars.StatusBar1->setVisible(!m_bars.StatusBar1->isVisibleTo(this));
}

void MDIForm1::mnuVisualizzaBarraDati_Click()
{
    QAction* item = menuItem(mnu(u"mnuVisualizzaBarraDati"));
    item->setChecked(!item->isChecked());
    if (QWidget* dataBar = WindowRegistry::instance().form(windowNames::kFloating))
        dataBar->setVisible(!dataBar->isVisible());
}

void MDIForm1::mnuVisualizzaColoriNotte_Click()
{
    QAction* item = menuItem(mnu(u"mnuVisualizzaColoriNotte"));
    item->setChecked(!item->isChecked());
    if (item->isChecked()) {
        mNight::Salva_colori_sistema();
        mNight::Applica_colori_notte();
    } else {
        mNight::Ripristina_colori_sistema();
    }
}

// --- Earth and Sky menus -------------------------------------------------------------------------

void MDIForm1::openWorldMap(WorldMapProjection projection)
{
    const auto principalLoaded = [] { return !Satelement[kPrincipalSlot].Nome_satellite.empty(); };
    // Without a principal the primary database is read again, which re-links the active
    // satellites into their slots.
    if (!principalLoaded() && m_database.readPrimary)
        m_database.readPrimary(QString::fromStdString(Impostazioni.File_database));
    if (!principalLoaded())
        return;
    if (WindowRegistry::instance().form(windowNames::kWorldMap) == nullptr)
        return;
    TrackingModel& model = TrackingModel::instance();
    WorldMapDisplay options = model.worldMap();
    options.projection = projection;
    model.setWorldMap(options);
    (void)mSat::Calcola_satellite(kPrincipalSlot, mAstro::Data_giuliana);
    yieldToEvents();
    model.requestChartCommand(ChartKind::WorldMap, ChartCommand::Redraw);
    showWindow(windowNames::kWorldMap);
}

void MDIForm1::mnuTerraMappaRettangolare_Click()
{
    openWorldMap(WorldMapProjection::Rectangular);
}

void MDIForm1::mnuTerraMappaOrtografica_Click()
{
    openWorldMap(WorldMapProjection::Orthographic);
}

void MDIForm1::mnuCieloMappaLocale_Click()
{
    showWindowBusy(windowNames::kLocalSky);
}

void MDIForm1::mnuCieloMappaGenerale_Click()
{
    showWindowBusy(windowNames::kGeneralSky);
}

// --- Satellites and Ephemerides menus ------------------------------------------------------------

void MDIForm1::mnuSatellitiDatabase_Click()
{
    yieldToEvents();
    if (!m_database.show)
        return;
    // A database window with nothing listed yet reads the primary database of the options.
    if (m_database.primaryCount() == 0)
        m_database.readPrimary(QString::fromStdString(Impostazioni.File_database));
    m_database.show();
}

void MDIForm1::mnuSatellitiElementiOrbitali_Click()
{
    yieldToEvents();
    if (auto* dialog =
            qobject_cast<QDialog*>(WindowRegistry::instance().form(windowNames::kSatellite)))
        dialog->exec();
}

void MDIForm1::requestNeedingDatabase(const QString& window)
{
    yieldToEvents();
    if (!m_database.primaryCount)
        return;
    if (m_database.primaryCount() == 0) {
        if (QMessageBox(QMessageBox::NoIcon, applicationTitle(),
                        mLang::Testo_lingua(u"MDIForm1", u"necessariodb"),
                        QMessageBox::Ok | QMessageBox::Cancel, this)
                .exec() != QMessageBox::Ok)
            return;
        if (!Impostazioni.File_database.empty())
            m_database.readPrimary(QString::fromStdString(Impostazioni.File_database));
        else
            mnuFileApri_Click();
        if (m_database.primaryCount() == 0)
            return;
        m_database.hide();
    }
    showWindow(window);
}

void MDIForm1::mnuSatellitiMotoRelativo_Click()
{
    requestNeedingDatabase(windowNames::kRelative);
}

void MDIForm1::mnuSatellitiCalcoloEffemeridi_Click()
{
    requestNeedingDatabase(windowNames::kCalc);
}

void MDIForm1::mnuSatellitiPrevisioniPassaggi_Click()
{
    yieldToEvents();
    showWindow(windowNames::kVisibleSatellites);
}

void MDIForm1::mnuEffemeridiPianeti_Click()
{
    showWindow(windowNames::kPlanets);
}

void MDIForm1::mnuEffemeridiSatelliti_Click()
{
    yieldToEvents();
    showWindow(windowNames::kTrack);
}

void MDIForm1::mnuEffemeridiAlmanacco_Click()
{
    showWindow(windowNames::kRiseSet);
}

// --- Tools menu ----------------------------------------------------------------------------------

void MDIForm1::mnuStrumentiCalendario_Click()
{
    showWindow(windowNames::kCalendar);
}

void MDIForm1::mnuStrumentiCalcolatrice_Click()
{
    for (const QString& calculator : kCalculators) {
        const QString program = QStandardPaths::findExecutable(calculator);
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    QMessageBox::information(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"nocalcolatrice"));
}

void MDIForm1::mnuStrumentiProgramma_Click()
{
    const QString program = QString::fromStdString(Impostazioni.Programma_esterno).trimmed();
    if (program.isEmpty())
        return;
    const QString commandLine = QString::fromStdString(Impostazioni.Programma_esterno + ' ' +
                                                       Impostazioni.Parametri_esterni);
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return;
    QProcess process;
    process.setProgram(arguments.takeFirst());
    process.setArguments(arguments);
    if (!process.startDetached())
        QMessageBox::warning(this, applicationTitle(), process.errorString());
}

void MDIForm1::mnuStrumentiDownload_Click()
{
    if (auto* dialog =
            qobject_cast<QDialog*>(WindowRegistry::instance().form(windowNames::kDownload)))
        dialog->exec();
    if (!pflgSostituzione)
        return;
    // Without the database window no primary database is held in memory: nothing to reload.
    if (!m_database.readPrimary) {
        pflgSostituzione = false;
        return;
    }
    const auto answer =
        QMessageBox::question(this, applicationTitle(),
                              mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti1") + u'\n' +
                                  mLang::Testo_lingua(u"frmDownload", u"aggiornasatelliti2"),
                              QMessageBox::Yes | QMessageBox::No);
    pflgSostituzione = false;
    if (answer != QMessageBox::Yes)
        return;
    m_database.readPrimary(QString::fromStdString(Impostazioni.File_database));
}

void MDIForm1::mnuStrumentiFormattazione_Click()
{
    QMessageBox::information(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"funzioneconversione1") + u'\n' +
                                 mLang::Testo_lingua(u"MDIForm1", u"funzioneconversione2"));
    yieldToEvents();
    const QString path = chooseElementFile(u"formattatle");
    if (path.isEmpty())
        return;
    yieldToEvents();
    LineEndRepairResult result;
    {
        const BusyCursor busy;
        result = repairLineEnds(path);
    }
    switch (result.status) {
    case LineEndRepairStatus::Repaired:
        QMessageBox::information(
            this, applicationTitle(),
            mLang::Testo_lingua(u"MDIForm1", u"conversioneterminata") + u'\n'
                + mLang::Testo_lingua(u"MDIForm1", u"terminirigaconvertiti") + u' '
                + QString::number(result.lineEndsChanged) + u'\n'
                + mLang::Testo_lingua(u"MDIForm1", u"righeripulite") + u' '
                + QString::number(result.linesTrimmed));
        break;
    case LineEndRepairStatus::NothingToRepair:
        QMessageBox::information(this, applicationTitle(),
                                 mLang::Testo_lingua(u"MDIForm1", u"conversionenonnecessaria"));
        break;
    case LineEndRepairStatus::EmptyFile:
        break;
    case LineEndRepairStatus::ReadFailed:
    case LineEndRepairStatus::WriteFailed:
        QMessageBox::warning(this, applicationTitle(),
                             mLang::Testo_lingua(u"MDIForm1", u"conversionefallita"));
        break;
    }
}

void MDIForm1::mnuStrumentiSincronizzazione_Click()
{
    if (auto* dialog =
            qobject_cast<QDialog*>(WindowRegistry::instance().form(windowNames::kSyncro)))
        dialog->exec();
}

// --- Options menu --------------------------------------------------------------------------------

void MDIForm1::mnuOpzioniData_Click()
{
    showWindow(windowNames::kTime);
}

void MDIForm1::mnuOpzioniLocalita_Click()
{
    showWindowBusy(windowNames::kLocation);
}

void MDIForm1::openSettingsPage(int page)
{
    yieldToEvents();
    const BusyCursor busy;
    QWidget* settings = WindowRegistry::instance().form(windowNames::kSettings);
    if (settings == nullptr)
        return;
    QMetaObject::invokeMethod(settings, "setCurrentPage", Q_ARG(int, page));
    showWindow(windowNames::kSettings);
}

void MDIForm1::mnuOpzioniLingua_Click()
{
    auto* chooser = qobject_cast<QDialog*>(WindowRegistry::instance().form(windowNames::kLanguage));
    if (chooser == nullptr)
        return;
    // The chooser of the first start, made before this window, may not be unloaded yet: the
    // one this menu shows belongs to the main window all the same.
    if (chooser->parentWidget() != this)
        chooser->setParent(this, chooser->windowFlags());
    chooser->exec();
}

// --- Windows menu --------------------------------------------------------------------------------

void MDIForm1::mnuFinestreDiscesa_Click()
{
    m_mdiArea->cascadeSubWindows();
}

void MDIForm1::mnuFinestreDisponiOrizzontale_Click()
{
    tileSubWindows(*m_mdiArea, Qt::Vertical);
}

void MDIForm1::mnuFinestreDisponiVerticale_Click()
{
    tileSubWindows(*m_mdiArea, Qt::Horizontal);
}

void MDIForm1::mnuFinestreDisponiTutto_Click()
{
    arrangeMinimisedSubWindows(*m_mdiArea);
}

void MDIForm1::mnuFinestreChiudiTutto_Click()
{
    // A text window whose user keeps it open (Cancel, or a save that did not happen) stays
    // with its text; the other windows close.
    closeTextWindows(false);
    WindowRegistry& windows = WindowRegistry::instance();
    const QList<QWidget*> loaded = windows.loadedWindows();
    for (qsizetype i = loaded.size() - 1; i >= 0; --i) {
        if (loaded[i] != this && loaded[i]->objectName() != windowNames::kFile)
            windows.unload(loaded[i]);
    }
}

// --- Help menu -----------------------------------------------------------------------------------

void MDIForm1::mnuAiutoSommario_Click()
{
    showHelp(this, applicationHelpFile(), HelpCommand::Contents, 0,
             mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

void MDIForm1::mnuAiutoCerca_Click()
{
    showHelp(this, applicationHelpFile(), HelpCommand::Index, 0,
             mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

void MDIForm1::mnuAiutoInformazioni_Click()
{
    if (auto* about = qobject_cast<QDialog*>(WindowRegistry::instance().form(windowNames::kAbout)))
        about->exec();
}

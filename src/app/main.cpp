// Quorvanel: tracking artificial satellites from element sets.

#include "app/WindowCatalogue.h"

#include "common/options.h"

#include "mainwindow/MDIForm1.h"
#include "tracking/ProgramClock.h"
#include "mainwindow/SingleInstanceLock.h"
#include "mainwindow/StartupChecks.h"
#include "database/WorkingSet.h"

#include "database/DatabaseSession.h"

#include "services/MessageBoxes.h"
#include "services/ProgramFolder.h"
#include "services/mReg.h"
#include "services/WindowRegistry.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <memory>

namespace {

StartupUi startupUi()
{
    StartupUi ui;
    ui.critical = [](const QString& text) {
        QMessageBox::critical(nullptr, QGuiApplication::applicationDisplayName(), text);
    };
    ui.information = [](const QString& text) {
        QMessageBox::information(nullptr, QGuiApplication::applicationDisplayName(), text);
    };
    ui.chooseLanguage = [] {
        auto* chooser =
            qobject_cast<QDialog*>(WindowRegistry::instance().form(QStringLiteral("frmLanguage")));
        if (chooser == nullptr || chooser->exec() != QDialog::Accepted)
            return QString();
        return QString::fromStdString(Impostazioni.File_lingua);
    };
    ui.yield = [] { QCoreApplication::processEvents(); };
    return ui;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvanel"));
    QApplication::setOrganizationName(QStringLiteral("Quorvanel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANEL_VERSION));
    fitEveryMessageToTitle();

    MyPath = programFolder();
    SingleInstanceLock lock(MyPath);
    defineStartupWindows();
    const SystemProgramClock clock;
    DatabaseSession databases(&saveWorkingSet);
    std::unique_ptr<MDIForm1> mainWindow;
    {
        // The whole start waits for a stuck lock on the options file once at most.
        const mReg::OneLockWait oneLockWait;
        if (!MDIForm_Initialize(startupUi(), lock))
            return 0;
        mainWindow = std::make_unique<MDIForm1>(clock);
        defineWindows(*mainWindow);
        connectElementDatabase(*mainWindow, databases);
        if (!mainWindow->MDIForm_Load())
            return 1;
    }
    return QApplication::exec();
}

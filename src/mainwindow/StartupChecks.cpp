#include "mainwindow/StartupChecks.h"

#include "tracking/OptionsStore.h"
#include "mainwindow/SingleInstanceLock.h"
#include "database/WorkingSet.h"

#include "common/options.h"
#include "services/InterruptedSaves.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <QDir>
#include <QFile>

namespace {

QString recordedLanguageFile()
{
    return mReg::Leggi_registro(kStoreApplication, u"Generali", u"Lingua", u"");
}

/// The language file recorded in the store, or the one the user chooses now; empty when none
/// is usable (the user has been told when there was nothing to choose from).
QString settleLanguageFile(const StartupUi& ui)
{
    QString file = recordedLanguageFile();
    Impostazioni.File_lingua = file.toStdString();
    if (languageFileUsable(MyPath, file))
        return file;

    Impostazioni.File_lingua.clear();
    mReg::Scrivi_registro(kStoreApplication, u"Generali", u"Lingua", u"");
    // Guard: every "*.ini" but the working-set file is a candidate, in any letter case and in
    // any order on disk; only when there is none at all is there nothing to choose from.
    if (!languageFileAvailable(MyPath)) {
        ui.critical(noLanguageFileText());
        return {};
    }
    // The choice holds for this run even when the store could not keep it (the chooser says
    // so): read back from the store, it would end the start.
    file = ui.chooseLanguage();
    Impostazioni.File_lingua = file.toStdString();
    return languageFileUsable(MyPath, file) ? file : QString();
}

/// A second start only reads: it says that the program runs already in the recorded language,
/// or else in the first language of the program folder, and writes nothing.
void tellAlreadyRunning(const StartupUi& ui)
{
    QString file = recordedLanguageFile();
    if (!languageFileUsable(MyPath, file))
        file = firstLanguageFile(MyPath);
    Impostazioni.File_lingua = file.toStdString();
    mLang::Lingua_caricata = false;
    if (file.isEmpty())
        ui.critical(noLanguageFileText());
    else
        ui.information(mLang::Testo_lingua(u"MDIForm1", u"programmainesecuzione"));
}

/// The files the program itself writes by replacing them whole: the working set, the copies
/// kept of damaged ones (written under the first copy's name, then numbered) and the city list
/// in the program folder, and the options file. The caller holds the program folder's
/// single-instance lock, so no save of those files is under way.
void removeLeftoversOfInterruptedSaves()
{
    const QDir folder(MyPath);
    for (const QString& name : {kWorkingSetFileName, kWorkingSetFileName + kDamagedFileSuffix,
                                QStringLiteral("cities.dat")})
        removeInterruptedSaves(folder.filePath(name));
    removeInterruptedSaves(mReg::storeFile(kStoreApplication));
}

QString installationText()
{
    return mLang::Testo_lingua(u"MDIForm1", u"verificainstallazione1") + u'\n' +
           mLang::Testo_lingua(u"MDIForm1", u"verificainstallazione2");
}

} // namespace

const QStringList& requiredInstallationFiles()
{
    static const QStringList files{
        QStringLiteral("MapEarth.dat"),  QStringLiteral("Map0.dat"),
        QStringLiteral("Map0N45.dat"),   QStringLiteral("Map0S45.dat"),
        QStringLiteral("Map90.dat"),     QStringLiteral("Map90N45.dat"),
        QStringLiteral("Map90S45.dat"),  QStringLiteral("Map180.dat"),
        QStringLiteral("Map180N45.dat"), QStringLiteral("Map180S45.dat"),
        QStringLiteral("Map270.dat"),    QStringLiteral("Map270N45.dat"),
        QStringLiteral("Map270S45.dat"), QStringLiteral("MapNorth.dat"),
        QStringLiteral("MapSouth.dat"),  QStringLiteral("stars.bin"),
        QStringLiteral("cities.dat"),    QStringLiteral("clines.dat"),
        QStringLiteral("cnames.dat"),    QStringLiteral("planets.dat"),
        QStringLiteral("frequen.dat"),
    };
    return files;
}

QString firstMissingInstallationFile(const QString& folder)
{
    for (const QString& file : requiredInstallationFiles()) {
        if (findFileIgnoringCase(folder, file).isEmpty())
            return file;
    }
    return {};
}

bool languageFileUsable(const QString& folder, const QString& name)
{
    return !name.isEmpty() && !findFileIgnoringCase(folder, name).isEmpty();
}

QString firstLanguageFile(const QString& folder)
{
    const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (file.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive) &&
            file.compare(kWorkingSetFileName, Qt::CaseInsensitive) != 0)
            return file;
    }
    return {};
}

bool languageFileAvailable(const QString& folder)
{
    return !firstLanguageFile(folder).isEmpty();
}

bool ensureWorkingSetFile(const QString& folder)
{
    if (!findFileIgnoringCase(folder, kWorkingSetFileName).isEmpty())
        return true;
    QFile file(QDir(folder).filePath(kWorkingSetFileName));
    return file.open(QIODevice::WriteOnly);
}

QString noLanguageFileText()
{
    return QStringLiteral("No language file available!\nPlease, check the installation");
}

bool MDIForm_Initialize(const StartupUi& ui, SingleInstanceLock& lock)
{
    // The instance lock comes first: a second start must neither move the running program's
    // options file aside nor clear away a save that program is making. The second start is
    // told so once its language is known.
    const bool alone = lock.tryLock() != SingleInstanceLock::Result::HeldByAnother;
    QString unreadableOptions;
    bool unreadableKeptInPlace = false;
    if (alone) {
        removeLeftoversOfInterruptedSaves();
        // Guard: an options file that cannot be read is moved aside before anything reads or
        // writes the store, so it is neither taken for a first start nor overwritten unseen.
        if (mReg::storeFileUnreadable(kStoreApplication)) {
            unreadableOptions = mReg::setAsideStoreFile(kStoreApplication);
            unreadableKeptInPlace = unreadableOptions.isEmpty();
        }
    }
    if (!alone) {
        tellAlreadyRunning(ui);
        return false;
    }
    if (settleLanguageFile(ui).isEmpty())
        return false;
    mLang::Lingua_caricata = false;
    if (!unreadableOptions.isEmpty())
        ui.information(mLang::Testo_lingua(u"MDIForm1", u"impostazionidanneggiate") + u' ' +
                       QDir::toNativeSeparators(unreadableOptions));
    if (unreadableKeptInPlace)
        ui.information(mLang::Testo_lingua(u"MDIForm1", u"impostazioninonspostate")
                           .replace(QStringLiteral("%1"),
                                    QDir::toNativeSeparators(mReg::storeFile(kStoreApplication))));

    ui.yield();
    ensureWorkingSetFile(MyPath);

    const QString missing = firstMissingInstallationFile(MyPath);
    if (!missing.isEmpty()) {
        ui.critical(installationText() + QStringLiteral("\n\n") + missing);
        return false;
    }
    return true;
}

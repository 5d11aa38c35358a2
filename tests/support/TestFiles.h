#pragma once
// Small helpers of the Qt test programs: files written into a temporary folder, and the
// shared program state (program folder, option store, options) restored after each test.

#include "common/options.h"
#include "services/ProgramFolder.h"
#include "services/mGlobal.h"
#include "services/mLang.h"
#include "services/mReg.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <ostream>

/// Lets GoogleTest print QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void writeTestFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readTestFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

/// A temporary program folder and option store, and the computer's time zone pinned to UTC
/// (a test of daylight saving pins its own zone and instant); the program folder, the store,
/// the options, the observer, the language state and the zone are put back when the test ends.
class ProgramStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        MyPath = m_folder.path();
        mReg::setStoreFile(m_folder.filePath(QStringLiteral("store/options.ini")));
        // A lock that cannot be taken fails at once rather than after the user's wait.
        mReg::setLockWait(std::chrono::milliseconds(100));
        mLang::Lingua_caricata = false;
        mGlobal::setComputerZone(QTimeZone::utc(), QDateTime());
    }

    void TearDown() override
    {
        MyPath = m_savedPath;
        mReg::setStoreFile(QString());
        if (m_configurationFolderMoved)
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                               QStandardPaths::writableLocation(
                                   QStandardPaths::GenericConfigLocation));
        mReg::setLockWait(mReg::kLockWait);
        Impostazioni = m_savedOptions;
        Impostazioni_salvate = m_savedOptionsSnapshot;
        Osservatore = m_savedObserver;
        Osservatore_salvato = m_savedObserverSnapshot;
        mLang::Lingua_caricata = false;
        mGlobal::useComputerZone();
    }

    QString folderFile(const QString& name) const { return m_folder.filePath(name); }
    QString storePath() const { return m_folder.filePath(QStringLiteral("store/options.ini")); }

    /// Keeps the options where the program itself keeps them, in the user's configuration
    /// folder (moved into the test's folder), with no store file set. Returns the store file.
    QString useConfigurationFolder()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           m_folder.filePath(QStringLiteral("config")));
        m_configurationFolderMoved = true;
        mReg::setStoreFile(QString());
        return mReg::storeFile(u"Quorvanel");
    }

    QTemporaryDir m_folder;

private:
    bool m_configurationFolderMoved = false;
    QString m_savedPath = MyPath;
    Opzioni m_savedOptions = Impostazioni;
    Opzioni m_savedOptionsSnapshot = Impostazioni_salvate;
    Dati_osservatore m_savedObserver = Osservatore;
    Dati_osservatore m_savedObserverSnapshot = Osservatore_salvato;
};

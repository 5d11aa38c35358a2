// The options file as read at start: the unreadable-file check and a few values read from the
// store; and, for one input in sixty-four (by its size: reading every option opens the store 151
// times), every option read and converted into its field, then written to another file and
// read back, which must give the same options.

#include "FuzzFolder.h"
#include "FuzzSupport.h"

#include "tracking/OptionsStore.h"

#include <cstdlib>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A new name for every input: the option store keeps files it has read by name, size and
    // time of change, and two inputs of one size may be written within one clock tick.
    static unsigned long long run = 0;
    ++run;
    const QString name = QStringLiteral("options-%1.ini").arg(run);
    const QString saved = QStringLiteral("saved-%1.ini").arg(run);
    const QString path =
        writeFuzzFile(name, reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    mReg::setStoreFile(path);
    (void)mReg::storeFileUnreadable(kStoreApplication);
    if (size % 64 != 0) {
        for (const auto& [section, key] : {std::pair{u"Osservatore", u"Fuso"},
                                          std::pair{u"Osservatore", u"Ora legale"},
                                          std::pair{u" Cielo locale ", u"Stelle"},
                                          std::pair{u"Filtri", u"AM tutti"},
                                          std::pair{u"General", u"x"}}) {
            mReg::RegistryStatus status;
            (void)mReg::Leggi_registro(kStoreApplication, section, key, u"default", &status);
        }
        QFile::remove(path);
        mReg::setStoreFile(QString());
        return 0;
    }
    QStringList reset;
    Impostazioni = Opzioni{};
    Osservatore = Dati_osservatore{};
    const mReg::RegistryStatus loaded = Carica_impostazioni(&reset);
    if (loaded.ok()) {
        const Opzioni options = Impostazioni;
        const Dati_osservatore observer = Osservatore;
        const QString savedPath = fuzzFolder().filePath(saved);
        mReg::setStoreFile(savedPath);
        if (Salva_impostazioni().ok()) {
            Impostazioni = Opzioni{};
            Osservatore = Dati_osservatore{};
            QStringList resetAgain;
            if (!Carica_impostazioni(&resetAgain).ok() || !resetAgain.isEmpty() ||
                !(Impostazioni == options) || !(Osservatore == observer))
                std::abort();
        }
        QFile::remove(savedPath);
    }
    QFile::remove(path);
    mReg::setStoreFile(QString());
    return 0;
}

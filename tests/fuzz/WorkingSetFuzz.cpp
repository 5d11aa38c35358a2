// The working-set file as read at start, each set then parsed into its slot as the main window
// does, and written back.

#include "FuzzSupport.h"

#include "common/satellite_slots.h"
#include "core/ElementSet.h"
#include "database/WorkingSet.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const std::optional<WorkingSetRead> read = readWorkingSet(buffer);
    if (!read)
        return 0;
    int slot = 0;
    for (const Record_TLE& set : read->sets) {
        RigaDati[++slot] = set;
        // The slot's own lines, as the start-up parse passes them.
        (void)mSat::Estrai_Dati_Satellite(slot, RigaDati[slot].Riga0, RigaDati[slot].Riga1,
                                          RigaDati[slot].Riga2);
    }
    for (int k = 1; k <= slot; ++k) {
        mSat::Azzera_Satelement(k);
        mSat::Azzera_RigaDati(k);
    }
    return 0;
}

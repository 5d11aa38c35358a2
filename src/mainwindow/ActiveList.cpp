#include "mainwindow/ActiveList.h"

#include "common/satellite_slots.h"
#include "core/ElementSet.h"

bool removeActiveSlot(int slot)
{
    const int last = Numero_satelliti;
    if (slot < kPrincipalSlot || slot > last || last > kLastActiveSlot)
        return false;
    for (int i = slot + 1; i <= last; ++i) {
        Satelement[i - 1] = Satelement[i];
        RigaDati[i - 1] = RigaDati[i];
    }
    mSat::Azzera_Satelement(last);
    mSat::Azzera_RigaDati(last);
    mSat::Azzera_Valori(last);
    Numero_satelliti = static_cast<std::int16_t>(last - 1);
    return true;
}

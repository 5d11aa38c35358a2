// The city list file as the location dialog reads it, each place written back as a line and
// read again.

#include "FuzzSupport.h"

#include "dialogs/CityList.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CityReading reading = parseCityList(text);
    CityTable table;
    table.assign(reading.cities);
    for (const City& city : reading.cities) {
        if (!isValidCityName(city.name))
            continue;
        // A place written by the program reads back as the same place.
        const CityReading again = parseCityList(cityLine(city));
        if (again.cities.size() != 1 || again.cities.front().name != city.name)
            std::abort();
        (void)table.firstRowNamed(city.name);
    }
    return 0;
}

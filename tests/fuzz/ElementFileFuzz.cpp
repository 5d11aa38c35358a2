// A whole element file as the database window reads it; every set it accepts is parsed and
// propagated with the four models, and the listing texts are made under every sort key.

#include "FuzzSupport.h"

#include "core/ElementSet.h"
#include "database/ElementColumns.h"
#include "database/ElementFile.h"
#include "database/ElementListing.h"

#include <QBuffer>
#include <QString>

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    int asked = 0;
    const ElementFileRead read =
        readElementSets(buffer, ReadHooks{[](qint64) {}, [&asked] { return ++asked > 1000; }});

    static const std::vector<std::string> magnitudes(100, "3.5");
    static const std::vector<Record_TLE> noFrequencies(1);
    const QString point = QStringLiteral(".");
    // Propagating is the slow part: a few sets of each file are enough to reach it.
    constexpr std::size_t kSetsPropagated = 2;
    std::size_t propagated = 0;
    for (const Record_TLE& set : read.sets) {
        for (int key = 0; key <= 9; ++key) {
            if (const std::optional<SortKey> sortKey = sortKeyFromIndex(key))
                (void)listText(set, *sortKey, magnitudes, point);
        }
        (void)elementColumns::epochJulianDate(set.Riga1);
        const mSat::ParsedElementSet parsed =
            mSat::parseElementSet(set.Riga0, set.Riga1, set.Riga2, magnitudes, noFrequencies);
        if (parsed.status == mSat::Status::Ok && propagated++ < kSetsPropagated)
            propagateWithEveryModel(parsed.elements);
    }
    if (!read.sets.empty())
        (void)databaseStatistics(read.sets, magnitudes, 2460000.5);
    return 0;
}

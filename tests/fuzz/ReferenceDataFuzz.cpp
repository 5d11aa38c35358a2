// One reference data file per input, read as at start: the first byte chooses which file, the
// rest is its contents. A star catalogue shorter than the whole is refused at once, so its
// front is also decoded as one record (padded with zero bytes).

#include "FuzzSupport.h"

#include "tracking/ReferenceData.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto file = static_cast<ReferenceFile>(input.byte() % kReferenceFileCount);
    const std::string_view bytes = input.rest();
    const QByteArrayView contents(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (file == ReferenceFile::Stars) {
        QByteArray record =
            contents.first(std::min<qsizetype>(contents.size(), kStarRecordSize)).toByteArray();
        record.resize(kStarRecordSize, '\0');
        (void)decodeStarRecord(record);
    }
    ReferenceDataTables tables;
    (void)readReferenceFile(file, contents, tables);
    return 0;
}

// Three element-set lines, as the slot parser and the database readers take them, parsed and
// then, when accepted, propagated with the four models.

#include "FuzzSupport.h"

#include "core/ElementSet.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::string_view line0 = input.text();
    const std::string_view line1 = input.text();
    const std::string_view line2 = input.text();
    static const std::vector<std::string> magnitudes{"", "4.5", "-1.2", "x", "1e999"};
    static const std::vector<Record_TLE> frequencies{
        {}, {"00001", "145.800", "437.800"}, {"    1", "", "x"}, {"A0001", "1e308", "-0"}};

    const mSat::ParsedElementSet parsed =
        mSat::parseElementSet(line0, line1, line2, magnitudes, frequencies);
    (void)mSat::checksumMatches(line1);
    (void)mSat::checksumMatches(line2);
    (void)mSat::catalogueNumber(line1.substr(0, std::min<std::size_t>(line1.size(), 7)));
    if (parsed.status == mSat::Status::Ok)
        propagateWithEveryModel(parsed.elements);
    return 0;
}

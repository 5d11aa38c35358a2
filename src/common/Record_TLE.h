#pragma once
// One element set as its three text lines. The same record carries one row of the radio
// frequency table (Riga0 the catalogue number text, Riga1 uplink, Riga2 downlink).

#include <string>

struct Record_TLE
{
    std::string Riga0; ///< name line (or catalogue number text of a frequency row)
    std::string Riga1; ///< element line 1 (or uplink frequency text)
    std::string Riga2; ///< element line 2 (or downlink frequency text)
};

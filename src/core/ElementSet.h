#pragma once
// Element sets: the three-line text form, the satellite slots that hold them, and
// catalogue numbers.
//
// Columns of the two element lines (1-based, as in the standard two-line format): line 1
// catalogue number 3-7, launch year 10-11, launch number 12-14, piece 15-17, epoch year
// 19-20, epoch day 21-32, first derivative 34-43, second derivative mantissa 45-50 and
// exponent 51-52, B* mantissa 54-59 and exponent 60-61; line 2 inclination 9-16, node
// 18-25, eccentricity 27-33, argument of perigee 35-42, mean anomaly 44-51, mean motion
// 53-63, revolution number 64-68. Line numbers, classification, element-set number and
// checksums are not read.

#include "common/Elemento_satellite.h"
#include "common/Record_TLE.h"
#include "core/mSat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mSat {

/// A catalogue number text read as a number: blanks are skipped; five digits or fewer
/// (up to nine) read as they stand; the Alpha-5 form, a capital letter other than I and O
/// standing for 10 to 33 followed by four digits, reads as letter x 10000 + digits
/// ("A0000" is 100000, "Z9999" is 339999). Anything else is no number.
[[nodiscard]] std::optional<std::int32_t> catalogueNumber(std::string_view text);

/// Whether the element lines hold numbers where the parser reads them: both lines reach their
/// last element column, every column read as a number holds blanks, an optional sign, digits
/// and at most one decimal point (no letters, no exponent), and the epoch day, the angles, the
/// eccentricity and the mean motion are not blank. Ok, LineTooShort or FieldNotNumber.
[[nodiscard]] Status checkElementColumns(std::string_view line1, std::string_view line2);

/// Whether the checksum of an element line (column 69: the sum of its digits, minus signs
/// counting 1, modulo 10) matches. A line without column 69 carries no checksum and matches.
[[nodiscard]] bool checksumMatches(std::string_view line);

/// One parsed element set and what is wrong with it, if anything. The elements are filled
/// whatever the status (a malformed column reads as 0, a missing one as empty).
struct ParsedElementSet
{
    Elemento_satellite elements;
    /// LineTooShort, FieldNotNumber, a validateElements refusal, or NameMissing
    Status status = Status::Ok;
};

/// Parses a name line and two element lines. `magnitudes` is the standard-magnitude table
/// by catalogue number, `frequencies` the radio channel rows from index 1 (catalogue
/// number, uplink, downlink). A satellite gets a standard magnitude only when its
/// catalogue number is a number within the table and the entry is not empty; it gets the
/// channels of the rows whose catalogue number is the same number, at most ten, in order.
[[nodiscard]] ParsedElementSet parseElementSet(std::string_view line0, std::string_view line1,
                                               std::string_view line2,
                                               const std::vector<std::string>& magnitudes,
                                               const std::vector<Record_TLE>& frequencies);

/// Stores the three lines in RigaDati(i) and their parsed elements (with the magnitude
/// of Tabella_magnitudini and the channels of Tabella_frequenze) in Satelement(i). The
/// slot is filled even when the set is malformed; the status says what is wrong with it.
/// A slot number outside 1..202 changes nothing and returns NoSuchSlot.
Status Estrai_Dati_Satellite(int i, std::string_view strLine0, std::string_view strLine1,
                             std::string_view strLine2);

/// Empty the slot's elements, lines or computed state; false (nothing done) for a slot
/// number outside 1..202.
bool Azzera_Satelement(int intNumero);
bool Azzera_RigaDati(int intNumero);
bool Azzera_Valori(int intNumero);

} // namespace mSat

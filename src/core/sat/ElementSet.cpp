// Element-set parsing, catalogue numbers and the slot operations.

#include "core/ElementSet.h"

#include "common/catalogues.h"
#include "common/satellite_slots.h"
#include "core/LeadingNumber.h"
#include "core/mAstro.h"

#include <charconv>
#include <cstddef>

namespace mSat {
namespace {

constexpr std::size_t kNameLength = 24; ///< characters of the name line kept
/// Last element column of each line: the B* exponent, and the mean motion.
constexpr std::size_t kLine1LastColumn = 61;
constexpr std::size_t kLine2LastColumn = 63;
/// Two-digit years below this are of the 2000s.
constexpr double kCenturyPivot = 57;
constexpr double kMantissaScale = 1e-5;     ///< five stored digits, decimal point assumed
constexpr double kEccentricityScale = 1e-7; ///< seven stored digits
/// Alpha-5: the letter (I and O excluded) stands for 10..33 ten-thousands.
constexpr std::string_view kAlpha5Letters = "ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr std::int32_t kAlpha5FirstValue = 10;
constexpr std::size_t kMaxCatalogueDigits = 9; ///< fits a 32-bit number

/// The text of columns first..first+count-1 (1-based); shorter where the line ends.
std::string_view columns(std::string_view line, std::size_t first, std::size_t count)
{
    if (first - 1 >= line.size())
        return {};
    return line.substr(first - 1, count);
}

double number(std::string_view line, std::size_t first, std::size_t count)
{
    return mMate::leadingNumber(columns(line, first, count));
}

double fourDigitYear(double twoDigits)
{
    return twoDigits + (twoDigits < kCenturyPivot ? 2000.0 : 1900.0);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

/// The first `count` characters of UTF-8 text, never cutting a character in two.
std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == count)
            return text.substr(0, i);
    }
    return text;
}

/// Proper case: a letter at the start or after a blank, tab or line break upper case,
/// every other letter lower case; then blanks trimmed at both ends.
std::string satelliteName(std::string_view line0)
{
    std::string name(firstCharacters(line0, kNameLength));
    bool wordStart = true;
    for (char& c : name) {
        if (isAsciiLetter(c)) {
            c = wordStart ? static_cast<char>(c & ~0x20) : static_cast<char>(c | 0x20);
        }
        wordStart = isBlank(c);
    }
    const std::size_t first = name.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const std::size_t last = name.find_last_not_of(" \t\r\n");
    return name.substr(first, last - first + 1);
}

std::string rightTrimmed(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

/// A magnitude-table entry as a number in its shortest decimal form ("4.50" gives "4.5").
std::string standardMagnitude(const std::vector<std::string>& magnitudes,
                              std::optional<std::int32_t> catalogue)
{
    if (!catalogue || *catalogue < 0 || static_cast<std::size_t>(*catalogue) >= magnitudes.size())
        return {};
    const std::string& entry = magnitudes[static_cast<std::size_t>(*catalogue)];
    if (entry.empty())
        return {};
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, mMate::leadingNumber(entry));
    return std::string(buffer, written.ptr);
}

void assignChannels(Elemento_satellite& el, const std::vector<Record_TLE>& frequencies,
                    std::optional<std::int32_t> catalogue)
{
    if (!catalogue)
        return;
    for (std::size_t k = 1; k < frequencies.size(); ++k) {
        if (catalogueNumber(frequencies[k].Riga0) != catalogue)
            continue;
        for (std::size_t j = 1; j <= kRadioChannels; ++j) {
            if (el.Frequenze_uplink[j].empty() && el.Frequenze_downlink[j].empty()) {
                el.Frequenze_uplink[j] = frequencies[k].Riga1;
                el.Frequenze_downlink[j] = frequencies[k].Riga2;
                break;
            }
        }
    }
}

/// One column range read as a number; `required` ranges may not be blank.
struct NumberColumns
{
    std::size_t first;
    std::size_t count;
    bool required;
};

constexpr NumberColumns kLine1Numbers[] = {
    {10, 2, false}, {12, 3, false}, {19, 2, true},  {21, 12, true}, {34, 10, false},
    {45, 6, false}, {51, 2, false}, {54, 6, false}, {60, 2, false},
};
constexpr NumberColumns kLine2Numbers[] = {
    {9, 8, true},   {18, 8, true},  {27, 7, true},  {35, 8, true},
    {44, 8, true},  {53, 11, true}, {64, 5, false},
};
constexpr std::size_t kChecksumColumn = 69;
constexpr int kChecksumModulus = 10;

/// Blanks, then an optional sign, digits with at most one decimal point, and at least one digit;
/// blanks between the characters are skipped as the leading-number reading skips them.
bool holdsPlainNumber(std::string_view text, bool required)
{
    bool seenPoint = false;
    bool seenDigit = false;
    bool seenAnything = false;
    for (char c : text) {
        if (c == ' ')
            continue;
        if ((c == '+' || c == '-') && !seenAnything) {
            // a sign only before the first digit or point
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            seenDigit = true;
        } else {
            return false;
        }
        seenAnything = true;
    }
    return seenDigit || (!seenAnything && !required);
}

template <std::size_t N>
bool columnsHoldNumbers(std::string_view line, const NumberColumns (&fields)[N])
{
    for (const NumberColumns& field : fields) {
        if (!holdsPlainNumber(columns(line, field.first, field.count), field.required))
            return false;
    }
    return true;
}

void readLine1(std::string_view line1, Elemento_satellite& el)
{
    el.Anno_epoca = fourDigitYear(number(line1, 19, 2));
    el.Giorno_epoca = number(line1, 21, 12);
    el.Derivata_prima = number(line1, 34, 10);
    el.Numero_catalogo = std::string(columns(line1, 3, 5));
    el.Anno_lancio = fourDigitYear(number(line1, 10, 2));
    el.Numero_lancio = number(line1, 12, 3);
    el.Pezzo_lancio = rightTrimmed(columns(line1, 15, 3));
    el.Derivata_seconda = number(line1, 45, 6) * kMantissaScale;
    el.Esponente_derivata_seconda = number(line1, 51, 2);
    el.Bstar = number(line1, 54, 6) * kMantissaScale;
    el.Esponente_bstar = number(line1, 60, 2);
}

void readLine2(std::string_view line2, Elemento_satellite& el)
{
    el.Inclinazione = number(line2, 9, 8);
    el.Raan = number(line2, 18, 8);
    el.Eccentricita = number(line2, 27, 7) * kEccentricityScale;
    el.Argomento_perigeo = number(line2, 35, 8);
    el.Anomalia_media = number(line2, 44, 8);
    el.Moto_medio = number(line2, 53, 11);
    el.Numero_rivoluzione = number(line2, 64, 5);
}

} // namespace

std::optional<std::int32_t> catalogueNumber(std::string_view text)
{
    std::string compact;
    for (char c : text) {
        if (!isBlank(c))
            compact.push_back(c);
    }
    if (compact.empty())
        return std::nullopt;
    std::int32_t thousands = 0;
    std::string_view digits = compact;
    if (!(compact[0] >= '0' && compact[0] <= '9')) {
        const std::size_t letter = kAlpha5Letters.find(compact[0]);
        if (letter == std::string_view::npos || compact.size() != 5)
            return std::nullopt;
        thousands = (kAlpha5FirstValue + static_cast<std::int32_t>(letter)) * 10000;
        digits.remove_prefix(1);
    }
    if (digits.size() > kMaxCatalogueDigits)
        return std::nullopt;
    std::int32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (ec != std::errc() || ptr != end || digits.front() == '-' || digits.front() == '+')
        return std::nullopt;
    return thousands + value;
}

Status checkElementColumns(std::string_view line1, std::string_view line2)
{
    if (line1.size() < kLine1LastColumn || line2.size() < kLine2LastColumn)
        return Status::LineTooShort;
    if (!columnsHoldNumbers(line1, kLine1Numbers) || !columnsHoldNumbers(line2, kLine2Numbers))
        return Status::FieldNotNumber;
    return Status::Ok;
}

bool checksumMatches(std::string_view line)
{
    if (line.size() < kChecksumColumn)
        return true;
    int sum = 0;
    for (char c : line.substr(0, kChecksumColumn - 1)) {
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            sum += 1;
    }
    return line[kChecksumColumn - 1] == static_cast<char>('0' + sum % kChecksumModulus);
}

ParsedElementSet parseElementSet(std::string_view line0, std::string_view line1,
                                 std::string_view line2, const std::vector<std::string>& magnitudes,
                                 const std::vector<Record_TLE>& frequencies)
{
    ParsedElementSet parsed;
    Elemento_satellite& el = parsed.elements;
    readLine1(line1, el);
    readLine2(line2, el);
    el.Nome_satellite = satelliteName(line0);
    const std::optional<std::int32_t> catalogue = catalogueNumber(el.Numero_catalogo);
    el.Magnitudine_standard = standardMagnitude(magnitudes, catalogue);
    // Julian day of 0 January of the epoch year, plus the day of the year.
    el.Epoca_giuliana = mAstro::Calcola_giorno_giuliano(el.Anno_epoca, 1, 0) + el.Giorno_epoca;
    assignChannels(el, frequencies, catalogue);

    if (const Status format = checkElementColumns(line1, line2); format != Status::Ok)
        parsed.status = format;
    else if (const Status refused = validateElements(el); refused != Status::Ok)
        parsed.status = refused;
    else if (el.Nome_satellite.empty())
        parsed.status = Status::NameMissing;
    return parsed;
}

Status Estrai_Dati_Satellite(int i, std::string_view strLine0, std::string_view strLine1,
                             std::string_view strLine2)
{
    if (!SlotArray<Elemento_satellite>::isSlot(i))
        return Status::NoSuchSlot;
    // Guard: the lines are copied before the slot is written, so a caller may pass the slot's
    // own lines (RigaDati(i).Riga0 ...) without the parser reading what the copy replaced.
    Record_TLE lines{std::string(strLine0), std::string(strLine1), std::string(strLine2)};
    ParsedElementSet parsed =
        parseElementSet(lines.Riga0, lines.Riga1, lines.Riga2, Tabella_magnitudini, Tabella_frequenze);
    RigaDati[i] = std::move(lines);
    Satelement[i] = std::move(parsed.elements);
    return parsed.status;
}

bool Azzera_Satelement(int intNumero)
{
    if (!SlotArray<Elemento_satellite>::isSlot(intNumero))
        return false;
    Satelement[intNumero] = Elemento_satellite{};
    return true;
}

bool Azzera_RigaDati(int intNumero)
{
    if (!SlotArray<Record_TLE>::isSlot(intNumero))
        return false;
    RigaDati[intNumero] = Record_TLE{};
    return true;
}

bool Azzera_Valori(int intNumero)
{
    if (!SlotArray<Posizione_satellite>::isSlot(intNumero))
        return false;
    Valori[intNumero] = Posizione_satellite{};
    return true;
}

} // namespace mSat

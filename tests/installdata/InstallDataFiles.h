#pragma once
// Readers the installation-data tests use to look at the files in data/ on their own, in the
// formats the program reads: comma-separated records, blanks before a field skipped, a text
// field optionally in double quotes, CR LF or LF line ends; stars.bin as 35-byte records.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace installdata {

/// Full path of a file of the installation data folder.
QString dataPath(const QString& fileName);

/// The whole file, empty when it cannot be read.
QByteArray readBytes(const QString& fileName);

/// Records of a text data file, one per non-empty line, fields without their quotes.
std::vector<QStringList> readRecords(const QString& fileName);

/// A number field written with a decimal point; ok is false for anything else.
double number(const QString& field, bool* ok);

/// One record of stars.bin.
struct StarRecord
{
    float rightAscensionHours = 0;
    float declinationDegrees = 0;
    std::int16_t centimagnitude = 0;
    QByteArray spectralClass; // 2 characters
    QByteArray bayerLetter;   // 2 characters
    QByteArray constellation; // 3 characters
    QByteArray name;          // 16 characters, blank padded
};

inline constexpr int kStarRecordSize = 35;

/// All records of stars.bin; a trailing partial record is ignored.
std::vector<StarRecord> readStars();

} // namespace installdata

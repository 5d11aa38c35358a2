#pragma once
// The small pictures of the world map: one icon per kind of satellite and the Sun symbol,
// drawn once and kept.

#include <QImage>

#include <string>

namespace worldmap {

/// Kinds of satellite icon, numbered as the main window's image list numbers them.
enum class SatelliteIcon {
    Ordinary = 11,
    Hubble = 13,     ///< catalogue number 20580
    Station = 14,    ///< catalogue number 25544
    Principal = 15,  ///< slot 1
    RocketBody = 28, ///< a name with "R/B" or "TANK" in any letter case
};

/// The icon of a satellite: catalogue numbers first, then rocket bodies and tanks, then the
/// principal's icon for slot 1.
[[nodiscard]] SatelliteIcon iconFor(int slot, const std::string& catalogueNumber,
                                    const std::string& name);

/// The picture of an icon kind (made on first use).
[[nodiscard]] const QImage& iconPicture(SatelliteIcon icon);

/// The Sun symbol.
[[nodiscard]] const QImage& sunPicture();

} // namespace worldmap

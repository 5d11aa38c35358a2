"""planets.dat: elements of the seven planets, the Sun, the Moon and the Earth.

Rows in the program's body order, each a name (the body's key in the language file's
Planets section) and nine numbers:
  planets and Earth: period (tropical years), mean longitude at J2000, longitude of the
      perihelion, eccentricity, semi-major axis (AU), inclination, longitude of the
      ascending node (degrees), apparent diameter at 1 AU (arcseconds), V(1,0) magnitude;
  Sun: apparent diameter at 1 AU in degrees as eighth number, the rest unused (0);
  Moon: mean longitude, mean longitude of the perigee, eccentricity, inclination and
      longitude of the node at 1990 January 0.0, in the second, third, fourth, sixth and
      seventh places, the rest unused (0).
"""

import math

from textfiles import plain_number, quoted, write_records

AU_KM = 149597870.7                 # IAU 2012
TROPICAL_YEAR_DAYS = 365.242191     # the year of the period column
JULIAN_CENTURY_DAYS = 36525.0
ARCSEC_PER_RADIAN = 180 / math.pi * 3600

# Standish, "Keplerian Elements for Approximate Positions of the Major Planets" (JPL),
# table for 1800-2050, mean ecliptic and equinox of J2000: a (AU), e, I, L, long. peri.,
# long. node (degrees) at J2000, and the rate of L (degrees per Julian century).
J2000_ELEMENTS = {
    "mercurio": (0.38709927, 0.20563593, 7.00497902, 252.25032350, 77.45779628,
                 48.33076593, 149472.67411175),
    "venere": (0.72333566, 0.00677672, 3.39467605, 181.97909950, 131.60246718,
               76.67984255, 58517.81538729),
    "terra": (1.00000261, 0.01671123, -0.00001531, 100.46457166, 102.93768193,
              0.0, 35999.37244981),
    "marte": (1.52371034, 0.09339410, 1.84969142, -4.55343205, -23.94362959,
              49.55953891, 19140.30268499),
    "giove": (5.20288700, 0.04838624, 1.30439695, 34.39644051, 14.72847983,
              100.47390909, 3034.74612775),
    "saturno": (9.53667594, 0.05386179, 2.48599187, 49.95424423, 92.59887831,
                113.66242448, 1222.49362201),
    "urano": (19.18916464, 0.04725744, 0.77263783, 313.23810451, 170.95427630,
              74.01692503, 428.48202785),
    "nettuno": (30.06992276, 0.00859048, 1.77004347, -55.12002969, 44.96476227,
                131.78422574, 218.45945325),
}

# Equatorial radii (km), IAU Working Group on Cartographic Coordinates and Rotational
# Elements; the Sun's is the IAU 2015 nominal radius.
EQUATORIAL_RADIUS_KM = {
    "mercurio": 2439.7, "venere": 6051.8, "marte": 3396.19, "giove": 71492.0,
    "saturno": 60268.0, "urano": 25559.0, "nettuno": 24764.0, "sole": 695700.0,
}

# V(1,0): visual magnitude at 1 AU from the Sun and the observer at zero phase,
# Explanatory Supplement to the Astronomical Almanac (1992), table 7.4.
V10_MAGNITUDE = {
    "mercurio": -0.42, "venere": -4.40, "marte": -1.52, "giove": -9.40,
    "saturno": -8.88, "urano": -7.19, "nettuno": -6.87,
}

PLANET_ORDER = ("mercurio", "venere", "marte", "giove", "saturno", "urano", "nettuno")

MOON_EPOCH_JD = 2447891.5           # 1990 January 0.0
J2000_JD = 2451545.0
MOON_INCLINATION_DEG = 5.145396     # mean inclination of the lunar orbit to the ecliptic
MOON_ECCENTRICITY = 0.0549          # mean eccentricity of the lunar orbit


def period_tropical_years(rate_degrees_per_century):
    """Sidereal period from the mean motion in longitude, in tropical years."""
    days = 360.0 / rate_degrees_per_century * JULIAN_CENTURY_DAYS
    return days / TROPICAL_YEAR_DAYS


def diameter_at_1au_arcsec(name):
    return 2 * math.atan(EQUATORIAL_RADIUS_KM[name] / AU_KM) * ARCSEC_PER_RADIAN


def moon_mean_elements(jd):
    """Mean longitude, mean longitude of the perigee and longitude of the ascending node of
    the Moon (degrees, mean equinox of date). Meeus, Astronomical Algorithms, ch. 47."""
    t = (jd - J2000_JD) / JULIAN_CENTURY_DAYS
    longitude = (218.3164477 + 481267.88123421 * t - 0.0015786 * t ** 2
                 + t ** 3 / 538841 - t ** 4 / 65194000)
    anomaly = (134.9633964 + 477198.8675055 * t + 0.0087414 * t ** 2
               + t ** 3 / 69699 - t ** 4 / 14712000)
    node = (125.0445479 - 1934.1362891 * t + 0.0020754 * t ** 2
            + t ** 3 / 467441 - t ** 4 / 60616000)
    return longitude % 360, (longitude - anomaly) % 360, node % 360


def planet_row(name):
    a, e, i, l0, perihelion, node, rate = J2000_ELEMENTS[name]
    return [period_tropical_years(rate), l0 % 360, perihelion % 360, e, a, i, node % 360,
            diameter_at_1au_arcsec(name), V10_MAGNITUDE[name]]


def rows():
    table = [(name, planet_row(name)) for name in PLANET_ORDER]
    sun_diameter_deg = diameter_at_1au_arcsec("sole") / 3600
    table.append(("sole", [0, 0, 0, 0, 0, 0, 0, sun_diameter_deg, 0]))
    l0, perigee, node = moon_mean_elements(MOON_EPOCH_JD)
    table.append(("luna", [0, l0, perigee, MOON_ECCENTRICITY, 0, MOON_INCLINATION_DEG,
                           node, 0, 0]))
    a, e, _i, l0, perihelion, _node, rate = J2000_ELEMENTS["terra"]
    # The Earth's orbit defines the ecliptic: inclination and node are zero, a is taken as 1.
    table.append(("terra", [period_tropical_years(rate), l0 % 360, perihelion % 360, e, a,
                            0, 0, 0, 0]))
    return table


def generate(output_dir):
    table = rows()
    write_records(f"{output_dir}/planets.dat",
                  [[quoted(name)] + [plain_number(v, 8) for v in values]
                   for name, values in table])
    return {"rows": len(table)}

"""stars.bin: the brightest stars of the Yale Bright Star Catalogue, brightest first.

Positions (J2000) and V magnitudes come from the catalogue as xplanet ships it; the spectral
class and the proper name from the KStars star catalogue, matched by position; the
constellation from the catalogue designation, otherwise from the IAU boundaries.
"""

import math
import re
import struct

from textfiles import ascii_fold

BSC_PATH = "/usr/share/xplanet/stars/BSC"
KSTARS_STARS_PATH = "/usr/share/kstars/stars.dat"

STAR_COUNT = 9010
RECORD_SIZE = 35
NAME_SIZE = 16

# Greek letters of the catalogue's three-letter designations, written as the Latin letter
# that stands for them in the Symbol font (a = alpha, b = beta, q = theta, w = omega ...).
GREEK_LETTER = {
    "Alp": "a", "Bet": "b", "Gam": "g", "Del": "d", "Eps": "e", "Zet": "z", "Eta": "h",
    "The": "q", "Iot": "i", "Kap": "k", "Lam": "l", "Mu": "m", "Nu": "n", "Xi": "x",
    "Omi": "o", "Pi": "p", "Rho": "r", "Sig": "s", "Tau": "t", "Ups": "u", "Phi": "f",
    "Chi": "c", "Psi": "y", "Ome": "w",
}

# A KStars star is the same star when it lies this close and has a similar magnitude.
MATCH_RADIUS_ARCSEC = 60.0
MATCH_MAGNITUDE_DIFFERENCE = 0.8
# A leftover star takes the spectral class of a KStars star this close.
CLOSE_PAIR_ARCSEC = 30.0

_BSC_LINE = re.compile(
    r'^\s*(-?\d+\.\d+)\s+(\d+\.\d+)\s+(-?\d+\.\d+)\s+"(.{10})"\s+(\d+)\s+(\d+)\s+(\d+)\s*$')


class Star:
    def __init__(self, hr, ra_hours, dec_degrees, magnitude, designation):
        self.hr = hr
        self.ra_hours = ra_hours
        self.dec_degrees = dec_degrees
        self.magnitude = magnitude
        # Designation field: Flamsteed number (3), Bayer letter (3), superscript (1),
        # constellation (3).
        self.bayer = designation[3:6].strip()
        self.superscript = designation[6].strip()
        self.constellation = designation[7:10].strip()
        self.spectral_class = ""
        self.name = ""

    @property
    def centimagnitude(self):
        return int(round(self.magnitude * 100))


def read_bright_star_catalogue(path=BSC_PATH):
    stars = []
    with open(path, encoding="ascii") as source:
        for line in source:
            if line.startswith("#") or not line.strip():
                continue
            match = _BSC_LINE.match(line)
            if not match:
                raise ValueError(f"unexpected catalogue line: {line!r}")
            dec, ra, mag, designation, hr, _hd, _sao = match.groups()
            stars.append(Star(int(hr), float(ra), float(dec), float(mag), designation))
    return stars


def read_kstars_catalogue(path=KSTARS_STARS_PATH, faintest=8.0):
    """(ra hours, dec degrees, magnitude, spectral class, proper name) of KStars' stars."""
    entries = []
    with open(path, encoding="ascii") as source:
        for line in source:
            if line.startswith("#") or len(line) < 58:
                continue
            magnitude = float(line[46:51])
            if magnitude > faintest:
                continue
            ra = int(line[0:2]) + int(line[2:4]) / 60 + float(line[4:9]) / 3600
            sign = -1 if line[10] == "-" else 1
            dec = sign * (int(line[11:13]) + int(line[13:15]) / 60 + float(line[15:19]) / 3600)
            parts = line.rstrip("\n").split(",")
            name = parts[2].strip() if len(parts) > 2 else ""
            entries.append((ra, dec, magnitude, line[56:58].strip(), name))
    return entries


def angular_separation_arcsec(ra1, dec1, ra2, dec2):
    a1, d1, a2, d2 = (math.radians(v) for v in (ra1 * 15, dec1, ra2 * 15, dec2))
    cos_sep = math.sin(d1) * math.sin(d2) + math.cos(d1) * math.cos(d2) * math.cos(a1 - a2)
    return math.degrees(math.acos(max(-1.0, min(1.0, cos_sep)))) * 3600


def _nearest(star, bands, radius_arcsec, magnitude_difference):
    best, best_sep = None, radius_arcsec
    band = int(math.floor(star.dec_degrees))
    for candidate in bands.get(band - 1, []) + bands.get(band, []) + bands.get(band + 1, []):
        if abs(candidate[2] - star.magnitude) > magnitude_difference:
            continue
        sep = angular_separation_arcsec(star.ra_hours, star.dec_degrees,
                                         candidate[0], candidate[1])
        if sep < best_sep:
            best, best_sep = candidate, sep
    return best


def match_kstars(stars, entries):
    """Copies spectral class and proper name of the same KStars star onto each star.

    First by position and magnitude. A star left over (a component that KStars lists with
    the pair's combined light, or a variable) then takes the spectral class of the nearest
    KStars star close by, and its name only when no other star has taken that name.
    """
    bands = {}
    for entry in entries:
        bands.setdefault(int(math.floor(entry[1])), []).append(entry)
    taken = set()
    for star in stars:
        found = _nearest(star, bands, MATCH_RADIUS_ARCSEC, MATCH_MAGNITUDE_DIFFERENCE)
        if found is not None:
            star.spectral_class, star.name = found[3], found[4]
            taken.add(id(found))
    unmatched = 0
    for star in stars:
        if star.spectral_class:
            continue
        found = _nearest(star, bands, CLOSE_PAIR_ARCSEC, math.inf)
        if found is None:
            unmatched += 1
            continue
        star.spectral_class = found[3]
        if id(found) not in taken:
            star.name = found[4]
            taken.add(id(found))
    return unmatched


def fit_name(name):
    """A proper name in the 16-character field; a longer one has its last word shortened."""
    name = ascii_fold(name)
    if len(name) <= NAME_SIZE:
        return name
    head, _, last = name.rpartition(" ")
    room = NAME_SIZE - len(head) - 2  # blank and full stop
    if not head or room < 3:
        raise ValueError(f"star name {name!r} does not fit")
    return f"{head} {last[:room]}."


def fill_constellations(stars):
    """Stars without a designation get the constellation whose IAU boundaries hold them."""
    from astropy.coordinates import SkyCoord, get_constellation
    import astropy.units as u

    missing = [s for s in stars if not s.constellation]
    coords = SkyCoord(ra=[s.ra_hours * 15 for s in missing] * u.deg,
                      dec=[s.dec_degrees for s in missing] * u.deg, frame="icrs")
    for star, code in zip(missing, get_constellation(coords, short_name=True)):
        star.constellation = str(code)


def pack_record(star):
    letter = ""
    if star.bayer:
        letter = GREEK_LETTER[star.bayer] + star.superscript
    fields = (
        b"  ",  # not used by the program
        star.spectral_class.encode("ascii").ljust(2)[:2],
        letter.encode("ascii").ljust(2),
        star.constellation.encode("ascii").ljust(3),
        fit_name(star.name).encode("ascii").ljust(NAME_SIZE),
    )
    record = struct.pack("<ffh", star.ra_hours, star.dec_degrees, star.centimagnitude)
    record += b"".join(fields)
    assert len(record) == RECORD_SIZE
    return record


def brightest(stars, count=STAR_COUNT):
    """The count brightest stars, brightest first; equal magnitudes in catalogue order."""
    return sorted(stars, key=lambda s: (s.centimagnitude, s.hr))[:count]


def generate(output_dir):
    stars = read_bright_star_catalogue()
    chosen = brightest(stars)
    unmatched = match_kstars(chosen, read_kstars_catalogue())
    fill_constellations(chosen)
    with open(f"{output_dir}/stars.bin", "wb") as out:
        for star in chosen:
            out.write(pack_record(star))
    return {"catalogue": len(stars), "written": len(chosen), "unmatched": unmatched,
            "named": sum(1 for s in chosen if s.name),
            "faintest": chosen[-1].magnitude}

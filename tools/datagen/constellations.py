"""clines.dat and cnames.dat: the Western constellation figures and labels of KStars.

KStars draws its figures star to star by Henry Draper number; the ends are placed at the
positions of those stars in the Bright Star Catalogue. KStars' figures have a few segments
more than the program's table holds: the surplus is taken from the leaf segments (one end
used by no other segment, the other joined to the figure) whose free end is faintest, at
most one per figure.
"""

import re

from stars import BSC_PATH, angular_separation_arcsec
from textfiles import plain_number, quoted, write_records

KSTARS_LINES_PATH = "/usr/share/kstars/clines.dat"
KSTARS_NAMES_PATH = "/usr/share/kstars/cnames.dat"
SKY_CULTURE = "Western"

SEGMENT_COUNT = 646
LABEL_COUNT = 89

# Serpens is one constellation in two parts; both labels carry its code.
SERPENS_PARTS = {"SCp": "Ser", "SCd": "Ser"}
SERPENS_SECOND_PART = "SCd"

# A companion this close is seen as one star with its brighter neighbour.
COMPANION_ARCSEC = 60.0


def _culture_block(path):
    """Lines of the Western block of a KStars sky-culture file."""
    lines, inside = [], False
    with open(path, encoding="utf-8") as source:
        for line in source:
            line = line.rstrip("\n")
            if line.startswith("C "):
                inside = line[2:].strip() == SKY_CULTURE
                continue
            if inside:
                lines.append(line)
    return lines


def read_figures():
    """[(figure name, [(hd1, hd2), ...]), ...] in file order."""
    figures = []
    previous = None
    for line in _culture_block(KSTARS_LINES_PATH):
        if line.startswith("# ") and line[2:].strip():
            figures.append((line[2:].strip(), []))
        elif line.startswith("M "):
            previous = int(line[2:])
        elif line.startswith("D "):
            star = int(line[2:])
            figures[-1][1].append((previous, star))
            previous = star
    return figures


def read_hd_positions(path=BSC_PATH):
    """HD number -> (ra hours, dec degrees, V magnitude) from the Bright Star Catalogue."""
    positions = {}
    pattern = re.compile(r'^\s*(-?\d+\.\d+)\s+(\d+\.\d+)\s+(-?\d+\.\d+)\s+".{10}"\s+\d+\s+(\d+)')
    with open(path, encoding="ascii") as source:
        for line in source:
            match = pattern.match(line)
            if match:
                dec, ra, mag, hd = match.groups()
                positions[int(hd)] = (float(ra), float(dec), float(mag))
    return positions


def seen_magnitudes(figures, stars):
    """Magnitude of each figure star as the eye sees it: a star with a brighter companion
    within one arcminute (Albireo B beside Albireo A) counts as bright as the pair's
    brighter star."""
    magnitudes = {}
    all_stars = list(stars.values())
    for _, segments in figures:
        for hd in {end for segment in segments for end in segment}:
            ra, dec, mag = stars[hd]
            for other_ra, other_dec, other_mag in all_stars:
                if other_mag < mag and abs(other_dec - dec) < COMPANION_ARCSEC / 3600 and \
                        angular_separation_arcsec(ra, dec, other_ra, other_dec) < COMPANION_ARCSEC:
                    mag = other_mag
            magnitudes[hd] = mag
    return magnitudes


def choose_dropped(figures, magnitudes, surplus):
    """The surplus segments to leave out: per figure its leaf segment with the faintest
    free end, then the faintest of those across figures. Returns [(figure, segment)]."""
    uses = {}
    for _, segments in figures:
        for a, b in segments:
            uses[a] = uses.get(a, 0) + 1
            uses[b] = uses.get(b, 0) + 1
    candidates = []
    for order, (figure, segments) in enumerate(figures):
        leaves = []
        for segment in segments:
            # A leaf hangs from the rest of the figure by its other end; a segment free at
            # both ends is a figure or a piece of its own and stays.
            free_ends = [end for end in segment if uses[end] == 1]
            if len(free_ends) == 1:
                leaves.append((magnitudes[free_ends[0]], segment))
        if leaves:
            magnitude, segment = max(leaves, key=lambda leaf: leaf[0])
            candidates.append((-magnitude, order, figure, segment))
    candidates.sort()
    if len(candidates) < surplus:
        raise ValueError("not enough leaf segments to drop")
    return [(figure, segment) for _, _, figure, segment in candidates[:surplus]]


def _figure_key(name):
    return name.replace(" ", "").lower()


def read_labels():
    """[(ra hours, dec degrees, name, code), ...] of the Western labels, file order."""
    labels = []
    pattern = re.compile(r"^(\d\d)(\d\d)(\d\d)([+-])(\d\d)(\d\d)(\d\d)(\S{3}) (.+)$")
    for line in _culture_block(KSTARS_NAMES_PATH):
        match = pattern.match(line.strip())
        if not match:
            continue
        rh, rm, rs, sign, dd, dm, ds, code, name = match.groups()
        ra = int(rh) + int(rm) / 60 + int(rs) / 3600
        dec = (1 if sign == "+" else -1) * (int(dd) + int(dm) / 60 + int(ds) / 3600)
        labels.append((ra, dec, name.title(), code))
    return labels


def ordered_labels(labels):
    """Serpens' second part goes last, so that the first 88 labels are the 88 constellations;
    both parts carry the code Ser."""
    first = [label for label in labels if label[3] != SERPENS_SECOND_PART]
    second = [label for label in labels if label[3] == SERPENS_SECOND_PART]
    return [(ra, dec, name, SERPENS_PARTS.get(code, code)) for ra, dec, name, code in first + second]


def generate(output_dir):
    figures = read_figures()
    stars = read_hd_positions()
    labels = read_labels()
    code_of = {_figure_key(name): SERPENS_PARTS.get(code, code) for _, _, name, code in labels}
    total = sum(len(segments) for _, segments in figures)
    dropped = choose_dropped(figures, seen_magnitudes(figures, stars), total - SEGMENT_COUNT)
    records = []
    for figure, segments in figures:
        for segment in segments:
            if (figure, segment) in dropped:
                continue
            ends = [stars[hd] for hd in segment]
            records.append([quoted(code_of[_figure_key(figure)])]
                           + [plain_number(v, 0) for end in ends
                              for v in (end[0] * 1000, end[1] * 100)])
    assert len(records) == SEGMENT_COUNT, len(records)
    write_records(f"{output_dir}/clines.dat", records)

    ordered = ordered_labels(labels)
    assert len(ordered) == LABEL_COUNT, len(ordered)
    write_records(f"{output_dir}/cnames.dat",
                  [[plain_number(ra * 1000, 0), plain_number(dec * 100, 0), quoted(name),
                    quoted(code)] for ra, dec, name, code in ordered])
    return {"figures": len(figures), "segments in KStars": total, "dropped": dropped}

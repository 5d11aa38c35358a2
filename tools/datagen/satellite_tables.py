"""frequen.dat and magnitud.dat: radio channels and standard magnitudes by catalogue number.

No Debian package carries these tables. The frequencies below are published facts: the
operators' and AMSAT's frequency lists for well-known amateur and weather satellites, in MHz,
uplink first; 0 stands for no uplink (a beacon or a downlink-only service). For a linear
transponder the centre of its passband is given.

The standard magnitudes come from Mike McCants' quicksat magnitude file qs.mag, read from
../shared/data/qs.mag beside the project (or the file named by QUORVANEL_QSMAG). Its
magnitude is the visual magnitude at 1000 km range with half the satellite illuminated,
the convention of the program's magnitude formula, so the values are taken as they stand.
"""

import os

from textfiles import plain_number, quoted, write_records

# (catalogue number, uplink MHz, downlink MHz, service)
FREQUENCIES = [
    (7530, 145.9, 29.45, "AO-7 mode A transponder"),
    (7530, 432.15, 145.95, "AO-7 mode B transponder, inverting"),
    (7530, 0, 145.9775, "AO-7 mode B beacon"),
    (14781, 0, 145.826, "UO-11 beacon"),
    (22825, 145.85, 436.795, "AO-27 FM repeater"),
    (24278, 145.95, 435.85, "FO-29 transponder, inverting"),
    (24278, 0, 435.795, "FO-29 CW beacon"),
    (25338, 0, 137.62, "NOAA 15 APT"),
    (25338, 0, 1702.5, "NOAA 15 HRPT"),
    (25544, 145.2, 145.8, "ISS FM voice, region 1 uplink"),
    (25544, 144.49, 145.8, "ISS FM voice, regions 2 and 3 uplink"),
    (25544, 145.825, 145.825, "ISS APRS digipeater"),
    (25544, 145.99, 437.8, "ISS cross-band FM repeater"),
    (27607, 145.85, 436.795, "SO-50 FM repeater"),
    (28654, 0, 137.9125, "NOAA 18 APT"),
    (28654, 0, 1707, "NOAA 18 HRPT"),
    (33591, 0, 137.1, "NOAA 19 APT"),
    (33591, 0, 1698, "NOAA 19 HRPT"),
    (38771, 0, 1701.3, "Metop-B AHRPT"),
    (39444, 435.14, 145.96, "AO-73 transponder, inverting"),
    (39444, 0, 145.935, "AO-73 telemetry"),
    (40069, 0, 137.1, "Meteor-M 2 LRPT"),
    (40908, 144.35, 437.2, "LilacSat-2 FM repeater"),
    (40931, 435.88, 145.88, "IO-86 FM repeater"),
    (41866, 0, 1694.1, "GOES-16 HRIT/EMWIN"),
    (41866, 0, 1686.6, "GOES-16 GRB"),
    (42017, 435.03, 145.975, "EO-88 transponder, inverting"),
    (42017, 0, 145.94, "EO-88 telemetry"),
    (43017, 435.25, 145.96, "AO-91 FM repeater"),
    (43137, 435.35, 145.88, "AO-92 FM repeater"),
    (43678, 437.5, 145.9, "PO-101 FM repeater"),
    (43689, 0, 1701.3, "Metop-C AHRPT"),
    (43700, 2400.175, 10489.675, "QO-100 narrowband transponder"),
    (44909, 145.965, 435.64, "RS-44 transponder, inverting"),
    (44909, 0, 435.605, "RS-44 beacon"),
    (51850, 0, 1694.1, "GOES-18 HRIT/EMWIN"),
    (57166, 0, 137.9, "Meteor-M 2-3 LRPT"),
]

# qs.mag: fixed columns, 1-based: catalogue number 1-5, name 19-33, standard magnitude 34-37
# (blank when unknown). Its first and last lines are column headers.
_QSMAG_NUMBER = slice(0, 5)
_QSMAG_MAGNITUDE = slice(33, 37)
_QSMAG_DEFAULT = os.path.join(os.path.dirname(__file__), "..", "..", "..", "shared", "data",
                              "qs.mag")


def quicksat_path():
    return os.environ.get("QUORVANEL_QSMAG") or os.path.normpath(_QSMAG_DEFAULT)


def read_standard_magnitudes(path):
    """(catalogue number, magnitude text "0.0") of every qs.mag line that gives a magnitude."""
    magnitudes = {}
    with open(path, encoding="ascii", newline=None) as source:
        for line in source:
            line = line.rstrip("\n")
            number_text = line[_QSMAG_NUMBER]
            magnitude_text = line[_QSMAG_MAGNITUDE].strip()
            if not number_text.isdigit() or not magnitude_text:
                continue
            try:
                magnitude = float(magnitude_text)
            except ValueError:
                continue  # the header lines carry "Mag." in this column
            number = int(number_text)
            if number in magnitudes:
                raise ValueError(f"{path}: catalogue number {number} given twice")
            magnitudes[number] = f"{magnitude:.1f}"
    if not magnitudes:
        raise ValueError(f"{path}: no standard magnitude read")
    return sorted(magnitudes.items())


def catalogue_text(number):
    """Catalogue number as it stands in columns 3-7 of an element set's line 1."""
    return f"{number:05d}"


def generate(output_dir):
    write_records(f"{output_dir}/frequen.dat",
                  [[quoted(catalogue_text(number)), plain_number(up, 4), plain_number(down, 4),
                    quoted(service)] for number, up, down, service in FREQUENCIES])
    rows = read_standard_magnitudes(quicksat_path())
    write_records(f"{output_dir}/magnitud.dat",
                  [[quoted(catalogue_text(number)), quoted(magnitude)]
                   for number, magnitude in rows])
    return {"frequency rows": len(FREQUENCIES), "magnitude rows": len(rows)}

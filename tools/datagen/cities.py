"""cities.dat: the cities of GNOME's weather location list, "Country: Town".

Coordinates come from libgweather's Locations.xml, the time zone of each city (its own hint,
else its state's, else its country's) is turned into the standard (winter) offset from UT
with the tz database. Names are folded to ASCII; a town name that occurs in several states
of one country carries its state; entries of the same name are merged (the first is kept).
The program's default observer, Milano, is included under the name the options use.
"""

import datetime
import xml.etree.ElementTree as ElementTree
import zoneinfo

from textfiles import ascii_fold, plain_number, quoted, write_records

LOCATIONS_PATH = "/usr/share/libgweather-4/Locations.xml"

# The program's default observer (options: "Italy: Milano", 45.47 N, 9.19 E, zone 1); it
# replaces the list's own entry for the same city under its English name.
DEFAULT_OBSERVER = ("Italy: Milano", 45.47, 9.19, 1.0)
DEFAULT_OBSERVER_REPLACES = "Italy: Milan"

# Reference dates for the standard offset: one in each hemisphere's winter.
OFFSET_DATES = (datetime.datetime(2025, 1, 15, 12), datetime.datetime(2025, 7, 15, 12))

COORDINATE_DECIMALS = 4   # about 10 m


def _name(element):
    node = element.find("_name")
    if node is None:
        node = element.find("name")
    return node.text.strip()


def standard_offset_hours(zone_name):
    """Offset of the zone from UT without daylight saving, hours east positive."""
    zone = zoneinfo.ZoneInfo(zone_name)
    offsets = [zone.utcoffset(moment).total_seconds() / 3600 for moment in OFFSET_DATES]
    return min(offsets)


def coordinates_possible(latitude, longitude):
    return -90 <= latitude <= 90 and -180 <= longitude <= 180


def read_cities(path=LOCATIONS_PATH):
    """[(country, state or None, town, lat, lon, zone name)] in file order, with the
    cities whose coordinates are missing or impossible left out (returned separately)."""
    cities, dropped = [], []
    root = ElementTree.parse(path).getroot()
    for region in root.findall("region"):
        for country in region.findall("country"):
            zones = [z.get("id") for z in country.find("timezones").findall("timezone")]
            country_hint = country.findtext("tz-hint") or (zones[0] if len(zones) == 1 else None)
            places = [(None, None, city) for city in country.findall("city")]
            for state in country.findall("state"):
                places += [(_name(state), state.findtext("tz-hint"), city)
                           for city in state.findall("city")]
            for state_name, state_hint, city in places:
                zone = city.findtext("tz-hint") or state_hint or country_hint
                text = city.findtext("coordinates")
                entry = (_name(country), state_name, _name(city))
                try:
                    latitude, longitude = (float(v) for v in text.split())
                except (AttributeError, ValueError):
                    dropped.append(entry)
                    continue
                if zone is None or not coordinates_possible(latitude, longitude):
                    dropped.append(entry)
                    continue
                cities.append(entry + (latitude, longitude, zone))
    return cities, dropped


def list_names(cities):
    """The list name of each city: "Country: Town", or "Country: Town, State" when the town
    name occurs in more than one state of the country."""
    states_of = {}
    for country, state, town, *_ in cities:
        states_of.setdefault((country, town), set()).add(state)
    names = []
    for country, state, town, *_ in cities:
        label = town
        if state and len(states_of[(country, town)]) > 1:
            label = f"{town}, {state}"
        names.append(ascii_fold(f"{country}: {label}").replace('"', "'"))
    return names


def rows():
    cities, dropped = read_cities()
    table = {}
    merged = 0
    for name, (_c, _s, _t, latitude, longitude, zone) in zip(list_names(cities), cities):
        if name == DEFAULT_OBSERVER_REPLACES:
            continue
        if name in table:
            merged += 1
            continue
        table[name] = (latitude, longitude, standard_offset_hours(zone))
    name, latitude, longitude, zone = DEFAULT_OBSERVER
    table[name] = (latitude, longitude, zone)
    ordered = sorted(table.items(), key=lambda item: item[0].lower())
    return ordered, {"read": len(cities), "dropped": dropped, "merged": merged}


def generate(output_dir):
    ordered, stats = rows()
    write_records(f"{output_dir}/cities.dat",
                  [[quoted(name), plain_number(lat, COORDINATE_DECIMALS),
                    plain_number(lon, COORDINATE_DECIMALS), plain_number(zone, 2)]
                   for name, (lat, lon, zone) in ordered])
    stats["written"] = len(ordered)
    return stats

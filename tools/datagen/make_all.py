"""Runs every data generator into one folder: python3 make_all.py OUTPUT_DIR."""

import json
import sys

import cities
import constellations
import landscape
import maps
import planets
import satellite_tables
import stars


def main(output_dir):
    for module in (stars, constellations, planets, cities, satellite_tables, maps, landscape):
        report = module.generate(output_dir)
        print(f"{module.__name__}: {json.dumps(report, default=str)}")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_all.py OUTPUT_DIR")
    main(sys.argv[1])

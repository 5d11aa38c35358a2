#!/usr/bin/env bash
# Takes the README's pictures of the world map (rectangular, orthographic over Europe and the
# polar view) with thirty real satellites from gpredict's satellites.dat, by running the world
# map's picture test under Xvfb. Needs xvfb and the gpredict package.
#   tools/worldmap-screenshots.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
folder=$(realpath -m "${1:-docs}")
cmake --build build --target worldmap_tests >/dev/null
QUORVANEL_SCREENSHOT_DIR="$folder" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24" \
    build/tests/worldmap_tests --gtest_filter='WorldMapScreenshots.*'
ls "$folder"/worldmap-*.png

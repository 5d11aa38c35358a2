#!/usr/bin/env bash
# Takes the README's picture of the tracking table and the data bar over the world map, with
# real satellites from gpredict's satellites.dat, by running the live windows' picture test
# under Xvfb. Needs xvfb and the gpredict package.
#   tools/tracking-screenshot.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
folder=$(realpath -m "${1:-docs}")
cmake --build build --target worldmap_tests >/dev/null
QUORVANEL_SCREENSHOT_DIR="$folder" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1000x24" \
    build/tests/worldmap_tests --gtest_filter='TrackingScreenshots.TableAndDataBar*'
ls "$folder"/tracking-table.png

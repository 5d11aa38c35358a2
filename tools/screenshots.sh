#!/usr/bin/env bash
# Makes every picture in docs/ again. The picture tests write into the folder that
# QUORVANEL_SCREENSHOTS names (without it they skip); the world map and the tracking windows
# are grabbed from an X screen under Xvfb, the main window from the program itself run under
# Xvfb with three satellites in a copy of the program folder, the other windows are drawn on
# the offscreen platform, and the two printouts are rendered from PDF. Fails when a picture
# is not made. Needs a build, gpredict's satellite data, xvfb, xauth, poppler-utils
# (pdftoppm), imagemagick (import), x11-utils (xwininfo) and xdotool. The pictures depend on
# the fonts installed: with ghostscript's fonts (which imagemagick recommends) the printouts'
# Courier New becomes Nimbus Mono and the monospaced texts change.
#   tools/screenshots.sh [output folder, docs/ by default]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
output=$(realpath -m "${1:-docs}")
build="$root/build"

for tool in xvfb-run pdftoppm import xwininfo xdotool; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
[ -f /usr/share/gpredict/data/satdata/satellites.dat ] ||
    { echo "screenshots: gpredict's satellite data is missing" >&2; exit 1; }

cmake --build "$build" --target quorvanel worldmap_tests skycharts_tests predictions_tests \
    mainwindow_tests dialogs_tests pass_picture >/dev/null

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
export QUORVANEL_SCREENSHOTS="$shots"

# Runs the picture tests of one test program; every one of them must pass.
pictures() {
    local program=$1 filter=$2
    "$build/tests/$program" --gtest_filter="$filter" --gtest_brief=1 ||
        { echo "screenshots: $program $filter failed" >&2; exit 1; }
}

# The world map (rectangular, globe over Europe, polar) and the tracking table with the data
# bar over the map, as the screen shows them.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24" \
    "$build/tests/worldmap_tests" --gtest_filter='WorldMapScreenshots.*' --gtest_brief=1
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1000x24" \
    "$build/tests/worldmap_tests" --gtest_filter='TrackingScreenshots.*' --gtest_brief=1

export QT_QPA_PLATFORM=offscreen
pictures skycharts_tests '*ScreenshotsForTheDocumentation:*WholeSkyScreenshotForTheDocumentation'
pictures predictions_tests '*ScreenshotOfAPassesDetails:AlmanacTest.ScreenshotsForTheDocumentation'
pictures mainwindow_tests 'TextWindowCommands.Screenshot:ListingCommands.ScreenshotOfAnEphemerisListing'
pictures dialogs_tests 'DialogScreenshots.*'
pdftoppm -png -r 100 -singlefile "$shots/localsky-print.pdf" "$shots/localsky-print"
pdftoppm -png -r 60 -singlefile "$shots/passchart-print.pdf" "$shots/passchart-print"
# Every set of gpredict's catalogue searched for visible passes over a day from Milan.
"$build/tools/pass-picture/pass_picture" "$build/bin" "$shots/pass-predictions.png" >/dev/null
unset QT_QPA_PLATFORM

# The main window with the database window open on its active list once the first ticks have
# run: English chosen and three satellites in the working set (epoch 2026 day 342.5).
work=$(mktemp -d)
trap 'rm -rf "$shots" "$work"' EXIT
cp -r "$build/bin" "$work/program"
mkdir -p "$work/config/Quorvanel"
printf '[Generali]\r\nLingua=English.ini\r\n' > "$work/config/Quorvanel/Quorvanel.ini"
printf '%s\r\n' \
    'ISS (ZARYA)' \
    '1 25544U 98067A   26342.50000000  .00012345  00000-0  21000-3 0  9993' \
    '2 25544  51.6400 123.4567 0004000  80.0000 280.0000 15.50000000500004' \
    'NOAA 19' \
    '1 33591U 09005A   26342.50000000  .00000120  00000-0  90000-4 0  9993' \
    '2 33591  99.0500  40.0000 0014000 120.0000 240.0000 14.13000000 90002' \
    'HST' \
    '1 20580U 90037B   26342.50000000  .00001000  00000-0  50000-4 0  9996' \
    '2 20580  28.4700 200.0000 0002500  90.0000 270.0000 15.28000000 80009' \
    > "$work/program/Quorvanel.ini"
XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1/program/quorvanel" &
    program=$!
    sleep 5
    window=$(xwininfo -root -tree | awk "/\"Quorvanel [0-9.]+\"/ {print \$1; exit}")
    # Satellites > Database; no primary database is recorded, so its open dialog comes first.
    xdotool windowfocus --sync "$window" key alt+s key d
    sleep 2
    xdotool key Escape
    sleep 2
    if [ -n "$window" ]; then import -window "$window" "$2"; else import -window root "$2"; fi
    kill "$program"
' capture "$work" "$shots/main-window.png"

# Every picture in docs/ must have been made again; they go to the output folder.
mkdir -p "$output"
missing=0
for picture in "$root"/docs/*.png; do
    picture=$(basename "$picture")
    if [ -f "$shots/$picture" ]; then
        cp "$shots/$picture" "$output/$picture"
    else
        echo "screenshots: $picture was not made" >&2
        missing=1
    fi
done
[ "$missing" -eq 0 ] && echo "pictures in $output"
exit "$missing"

#!/usr/bin/env bash
# Takes the README's picture of the main window: the program runs from a copy of the build
# folder under Xvfb, with English chosen and three satellites in its working set, and the
# main window is captured with the database window open on the active list once the first
# ticks have run. Needs xvfb, imagemagick, x11-utils and xdotool.
#   tools/screenshot.sh [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-docs/main-window.png}")
cmake --build build --target quorvanel >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/bin "$work/program"
mkdir -p "$work/config/Quorvanel"
printf '[Generali]\r\nLingua=English.ini\r\n' > "$work/config/Quorvanel/Quorvanel.ini"
# Three element sets in the standard two-line columns, epoch 2026 day 342.5.
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

mkdir -p "$(dirname "$output")"
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
' capture "$work" "$output"
echo "$output"

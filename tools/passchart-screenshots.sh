#!/usr/bin/env bash
# Makes docs/passchart.png and docs/passchart-print.png: the sky chart of an evening pass of
# the space station over Milan (gpredict's element set) with time labels, and its printout
# page. Needs a build with the sky-chart tests, gpredict's satellite data and pdftoppm.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
QT_QPA_PLATFORM=offscreen QUORVANEL_SCREENSHOTS="$shots" \
    "$build/tests/skycharts_tests" --gtest_filter='PassChartTest.ScreenshotsForTheDocumentation'
cp "$shots/passchart.png" "$root/docs/passchart.png"
pdftoppm -png -r 60 -singlefile "$shots/passchart-print.pdf" "$root/docs/passchart-print"

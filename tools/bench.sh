#!/usr/bin/env bash
# Builds every benchmark of bench/ (Release, in build-bench) and runs them one after the other
# with a short minimum time each, printing one line per benchmark; a whole run takes a few
# minutes. Widgets are drawn on the offscreen platform, so no display is needed.
#
#   tools/bench.sh                 every benchmark, 0.05 s minimum time each
#   tools/bench.sh 0.5             a longer minimum time for steadier figures
#   tools/bench.sh 0.05 PassSearch only the benchmark programs whose name contains PassSearch
#
# Benchmarks that fix their own iteration count (the pass searches) run that count whatever
# the minimum time. A program that fails or runs longer than 10 minutes is reported and the
# run goes on; the exit status is then 1.
set -euo pipefail
cd "$(dirname "$0")/.."

min_time=${1:-0.05}
only=${2:-}
jobs=$(nproc)

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANEL_BENCH=ON >/dev/null
programs=()
for source in bench/*.cpp; do
    name=$(basename "$source" .cpp)
    [[ -z "$only" || "$name" == *"$only"* ]] && programs+=("$name")
done
cmake --build build-bench -j "$jobs" --target "${programs[@]}" >/dev/null

export QT_QPA_PLATFORM=offscreen
status=0
printf '%-60s %14s %14s %10s  %s\n' Benchmark Time CPU Iterations Counters
for name in "${programs[@]}"; do
    program="build-bench/bench/$name"
    if [[ ! -x "$program" ]]; then
        echo "$name: not built (Google Benchmark or Qt missing)"
        status=1
        continue
    fi
    # Google Benchmark's console lines without its context and table heading; of a repeated
    # benchmark, only the median.
    if ! timeout 600 "$program" --benchmark_min_time="$min_time" --benchmark_color=false \
        2>/dev/null | grep -v -e '^-*$' -e '^Benchmark  ' -e '_mean ' -e '_stddev ' -e '_cv '; then
        echo "$name: failed or did not end within 10 minutes"
        status=1
    fi
done
exit "$status"

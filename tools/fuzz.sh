#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz/) and runs each for the given number
# of seconds (default 60) on its committed seed corpus:
#   tools/fuzz.sh [seconds] [target ...]
# named targets build and run alone, without names every target does. A finding stops the
# script with the crashing input saved in build-fuzz/findings/<target>/; reproduce it with
#   build-fuzz/tests/fuzz/<target> <file>
# Set FUZZ_JOBS to run that many processes per target (default 1), FUZZ_BUILD_JOBS to build
# with that many compilers (default: every core), FUZZ_RUNS to stop each target after that
# many inputs (the time limit still holds).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))
jobs=${FUZZ_JOBS:-1}
build=build-fuzz
targets=(ElementLinesFuzz ElementFileFuzz LanguageFileFuzz WorkingSetFuzz ReferenceDataFuzz
    HttpReplyFuzz HttpAddressFuzz TimeReplyFuzz DisplayFormatFuzz CityListFuzz TextFileFuzz
    PassChartRequestFuzz)
targets+=(HttpStreamFuzz) # the download reply as it streams in
targets+=(OptionsFileFuzz PictureFuzz LineEndRepairFuzz DialogFieldsFuzz)
build_targets=(fuzz_targets)
if [ $# -gt 0 ]; then
    targets=("$@")
    build_targets=("$@")
fi
runs=()
if [ -n "${FUZZ_RUNS:-}" ]; then
    runs=(-runs="$FUZZ_RUNS")
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVANEL_FUZZ=ON -DQUORVANEL_BENCH=OFF >/dev/null
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-$(nproc)}" --target "${build_targets[@]}"

# Small malloc fill and quarantine: the readers allocate much, and speed is what finds faults.
export ASAN_OPTIONS=detect_leaks=0:max_malloc_fill_size=0:malloc_context_size=2:quarantine_size_mb=16
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
    corpus=tests/fuzz/corpus/$target
    work=$build/corpus/$target   # grows while fuzzing; the committed corpus stays small
    findings=$build/findings/$target
    mkdir -p "$work" "$findings"
    echo "== $target: ${seconds} s"
    parallel=()
    if [ "$jobs" -gt 1 ]; then
        parallel=(-jobs="$jobs" -workers="$jobs")
    fi
    status=0
    # The reference data reach the whole star table only with a whole stars.bin after the
    # byte that chooses the file: its seed is made from the installed one.
    max_len=65536
    if [ "$target" = ReferenceDataFuzz ]; then
        max_len=$((1 + $(stat -c %s data/stars.bin)))
        [ -f "$work/stars-bin-whole" ] || { printf '\0'; cat data/stars.bin; } >"$work/stars-bin-whole"
    fi
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
        "${runs[@]}" "${parallel[@]}" "$work" "$corpus" >"$build/$target.log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)" "$build/$target.log" || true
    if [ "$status" -ne 0 ] || compgen -G "$findings/*" >/dev/null; then
        tail -n 40 "$build/$target.log" >&2
        echo "$target found a failing input: $(ls "$findings")" >&2
        exit 1
    fi
done

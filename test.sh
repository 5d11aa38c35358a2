#!/usr/bin/env bash
# Installs what is missing (Debian, as root), builds and runs every test, each case in a
# process of its own and each test program once more whole ("<program>.Whole"):
# once in a normal build (in the C locale, and again in a comma-decimal one under a time zone
# in daylight saving), once with AddressSanitizer and UndefinedBehaviorSanitizer, then every
# fuzz target for a short time (20 s each), so a reader a change broke fails here, and last the threaded code under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
. ./tools/deps.sh
install_build_deps

jobs=$(nproc)
cmake -S . -B build -G Ninja -DQUORVANEL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")
# Again under a comma-decimal locale and a time zone in daylight saving: files and
# computations must follow neither.
ensure_test_locale
summer_zone=$(summer_time_zone)
echo "Tests again under it_IT.UTF-8 and TZ=$summer_zone"
(cd build && TZ=$summer_zone LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 \
    ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -G Ninja -DQUORVANEL_WERROR=ON -DQUORVANEL_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs")

./tools/fuzz.sh 20

# ThreadSanitizer over the code that runs on worker threads: the pass-search engine and the
# pass-prediction and listing windows that drive it. Only their two test programs are built.
cmake -S . -B build-tsan -G Ninja -DQUORVANEL_WERROR=ON -DQUORVANEL_TSAN=ON \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-tsan -j "$jobs" --target predictions_engine_tests predictions_tests
(cd build-tsan && export TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/../tools/tsan.supp" &&
    ctest --output-on-failure -j "$jobs" -E '_NOT_BUILT$' -LE whole &&
    ctest --output-on-failure -j "$jobs" -R '^predictions(_engine)?_tests\.Whole$')

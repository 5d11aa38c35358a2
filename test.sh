#!/usr/bin/env bash
# Installs what is missing (Debian, as root), builds and runs every test:
# once in a normal build, once with AddressSanitizer and UndefinedBehaviorSanitizer, then
# every fuzz target for a short time (20 s each), so a reader a change broke fails here.
set -euo pipefail
cd "$(dirname "$0")"
. ./tools/deps.sh
install_build_deps

jobs=$(nproc)
cmake -S . -B build -G Ninja -DQUORVANEL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")
# Again under a comma-decimal locale: files and computations must not follow it.
ensure_test_locale
(cd build && LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -G Ninja -DQUORVANEL_WERROR=ON -DQUORVANEL_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs")

./tools/fuzz.sh 20

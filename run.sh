#!/usr/bin/env bash
# Installs what is missing (Debian, as root), builds the program and starts it from the build
# folder, where the installation data sit beside the executable. Only the program is built;
# ./test.sh (or cmake --build build) builds the tests and benchmarks as well.
set -euo pipefail
cd "$(dirname "$0")"
. ./tools/deps.sh
install_build_deps

if [ ! -f build/build.ninja ]; then
    echo "Configuring the build in $(pwd)/build ..."
fi
cmake -S . -B build -G Ninja >/dev/null
echo "Building the program (the first build takes several minutes; later ones are quick) ..."
cmake --build build -j "$(nproc)" --target quorvanel
echo "Starting $(pwd)/build/bin/quorvanel; its program folder (language file, reference data,"
echo "working set Quorvanel.ini) is $(pwd)/build/bin"
exec ./build/bin/quorvanel "$@"

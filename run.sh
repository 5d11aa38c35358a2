#!/usr/bin/env bash
# Installs what is missing (Debian, as root), builds the program and starts it from the build
# folder, where the installation data sit beside the executable.
set -euo pipefail
cd "$(dirname "$0")"
. ./tools/deps.sh
install_build_deps

cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)" --target quorvanel
exec ./build/bin/quorvanel "$@"

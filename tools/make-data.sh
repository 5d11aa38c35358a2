#!/usr/bin/env bash
# Regenerates the installation data in data/ from public catalogues shipped by Debian
# packages. Run as root on Debian 12 (bookworm): installs the packages, then the generators.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(xplanet xplanet-images kstars-data libgweather-4-common tzdata
    python3 python3-numpy python3-pil python3-astropy)
if [ "$(id -u)" -ne 0 ]; then
    echo "make-data.sh installs Debian packages: run it as root" >&2
    exit 1
fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${packages[@]}" >/dev/null

mkdir -p data
# Debian's interpreter, so that the packaged numpy, PIL and astropy are the ones found.
PYTHONPATH=tools/datagen /usr/bin/python3 tools/datagen/make_all.py data

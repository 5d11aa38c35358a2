# Packages the build, the tests and the program need on a fresh Debian machine.
QUORVANEL_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl1-mesa-dev
    libgtest-dev libgmock-dev libbenchmark-dev python3 python3-sgp4 xvfb xauth ccache clang)
# gpredict's satellite catalogue: the real element sets several tests read.
QUORVANEL_PACKAGES+=(gpredict)

install_build_deps() {
    local missing=()
    for p in "${QUORVANEL_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        if [ "$(id -u)" -ne 0 ]; then
            echo "Missing packages and not root: ${missing[*]}" >&2
            return 1
        fi
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

# locales: the comma-decimal locale the test suite runs under a second time; tzdata: the
# time zone in daylight saving that second pass runs under.
QUORVANEL_PACKAGES+=(locales tzdata)

# The comma-decimal locale the test suite runs under a second time; generated when missing.
ensure_test_locale() {
    locale -a 2>/dev/null | grep -qix 'it_IT.utf8' && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "The it_IT.UTF-8 locale is missing and not root" >&2
        return 1
    fi
    localedef -i it_IT -f UTF-8 it_IT.UTF-8
}

# A time zone in daylight saving now: Europe/Rome from the end of March to the end of
# October, Australia/Sydney from the start of October to the start of April.
summer_time_zone() {
    if [ "$(TZ=Europe/Rome date +%Z)" = "CEST" ]; then
        echo Europe/Rome
    else
        echo Australia/Sydney
    fi
}

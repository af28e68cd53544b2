#!/usr/bin/env bash
# Set-up, build, start and test of Paukomat on Debian 12.
#   scripts/paukomat.sh run    installs what is missing, builds and starts the program
#   scripts/paukomat.sh test   installs what is missing, builds plainly and with sanitizers,
#                              and runs every test in both builds
#   scripts/paukomat.sh coverage  builds with coverage, runs every test and prints the line and
#                              function coverage of src/ (main.cpp aside)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev
          qt6-translations-l10n fonts-dejavu-core fonts-urw-base35 poppler-utils libcsv-dev)
[ "${1:-}" = coverage ] && packages+=(gcovr)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# The same options for starting and testing, so switching between the two rebuilds nothing.
plain=(-DPAUKOMAT_WERROR=ON -DPAUKOMAT_BENCH=ON)

build() { # build-dir extra-cmake-args...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir"
}

case "${1:-}" in
run)
    install_missing
    build build "${plain[@]}"
    exec build/Paukomat/Paukomat
    ;;
test)
    install_missing
    export QT_QPA_PLATFORM=offscreen
    build build "${plain[@]}"
    ctest --test-dir build --output-on-failure -j2
    build build-asan -DPAUKOMAT_WERROR=ON -DPAUKOMAT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2
    ;;
coverage)
    install_missing
    export QT_QPA_PLATFORM=offscreen
    build build-coverage -DCMAKE_BUILD_TYPE=Debug -DPAUKOMAT_BENCH=OFF \
        -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
    find build-coverage -name '*.gcda' -delete
    ctest --test-dir build-coverage --output-on-failure -j2
    gcovr --root . --filter 'src/' --exclude 'src/main\.cpp' --exclude-unreachable-branches \
        --print-summary --sort-percentage -j 2 build-coverage | tail -n 4
    ;;
*)
    echo "usage: $0 run|test|coverage" >&2
    exit 2
    ;;
esac

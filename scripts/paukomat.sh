#!/usr/bin/env bash
# Set-up, build, start and test of Paukomat on Debian 12.
#   scripts/paukomat.sh run    installs what is missing, builds the program alone and starts it
#                              (options after "run" go to the program, e.g. --data-dir DIR)
#   scripts/paukomat.sh test   installs what is missing, builds plainly and with sanitizers,
#                              and runs every test in both builds
#   scripts/paukomat.sh style  checks that clang-format would change no file of src, tests and
#                              bench, and that clang-tidy finds nothing in src (.clang-tidy)
#   scripts/paukomat.sh package   builds the Debian package paukomat_1.1-1_amd64.deb here and
#                              checks it with lintian
#   scripts/paukomat.sh coverage  builds with coverage, runs every test and prints the line and
#                              function coverage of src/ (main.cpp aside)
#   scripts/paukomat.sh fuzz [SECONDS]  builds the libFuzzer targets with clang and runs each for
#                              SECONDS (default 30); fails when one finds a crash or a stall
set -euo pipefail
cd "$(dirname "$0")/.."

# Building and starting the program; the tests and benchmarks need the rest. Debian's speech
# module needs the QML integration package to be found by CMake.
run_packages=(cmake ninja-build g++ qt6-base-dev libcsv-dev qt6-speech-dev qt6-declarative-dev
              qt6-translations-l10n fonts-dejavu-core fonts-urw-base35)
packages=("${run_packages[@]}" libbenchmark-dev poppler-utils)
[ "${1:-}" = coverage ] && packages+=(gcovr)
[ "${1:-}" = fuzz ] && packages+=(clang libclang-rt-14-dev kdeedu-kvtml-data)
[ "${1:-}" = style ] && packages=("${run_packages[@]}" clang-format clang-tidy)

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

# The options of the plain test build; "run" builds its program in the same tree.
plain=(-DPAUKOMAT_WERROR=ON -DPAUKOMAT_BENCH=ON)

build() { # build-dir extra-cmake-args...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir"
}

case "${1:-}" in
run)
    packages=("${run_packages[@]}")
    install_missing
    # The program alone, in the tree the tests use, so that its data stays where it was; the
    # options "test" has set stay in the cache.
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAUKOMAT_WERROR=ON >/dev/null
    cmake --build build --target Paukomat
    exec build/Paukomat/Paukomat "${@:2}"
    ;;
package)
    packages=(build-essential debhelper cmake qt6-base-dev libcsv-dev qt6-speech-dev qt6-declarative-dev
              lintian)
    install_missing
    # dpkg-buildpackage leaves its results beside the source tree: build in a copy of it.
    rm -rf build-deb
    mkdir -p build-deb/paukomat
    tar -c --exclude=./.git --exclude='./build*' --exclude='./*.deb' . | tar -x -C build-deb/paukomat
    (cd build-deb/paukomat && dpkg-buildpackage -b -us -uc -j"$(nproc)")
    cp build-deb/paukomat_1.1-1_amd64.deb .
    lintian --fail-on error paukomat_1.1-1_amd64.deb
    ;;
test)
    install_missing
    export QT_QPA_PLATFORM=offscreen
    build build "${plain[@]}"
    ctest --test-dir build --output-on-failure -j2
    build build-asan -DPAUKOMAT_WERROR=ON -DPAUKOMAT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2
    ;;
style)
    install_missing
    # Formatting first: it takes seconds, and fails on any file clang-format would change.
    find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
        xargs -0 clang-format --dry-run --Werror
    # clang-tidy reads how each file is compiled from a configured tree; it needs no build. Any
    # warning is an error (.clang-tidy), so run-clang-tidy fails on the first file with one.
    cmake -S . -B build-tidy -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPAUKOMAT_TESTS=OFF \
        -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
    run-clang-tidy -j"$(nproc)" -quiet -p build-tidy "$PWD/src/"
    ;;
coverage)
    install_missing
    export QT_QPA_PLATFORM=offscreen
    build build-coverage -DCMAKE_BUILD_TYPE=Debug -DPAUKOMAT_BENCH=OFF \
        -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
    # Notes of objects that a former layout of the tree left behind would stop gcovr.
    ninja -C build-coverage -t cleandead >/dev/null
    find build-coverage -name '*.gcno' | while read -r notes; do
        [ -f "${notes%.gcno}.o" ] || rm -f "$notes"
    done
    find build-coverage -name '*.gcda' -delete
    ctest --test-dir build-coverage --output-on-failure -j2
    gcovr --root . --filter 'src/' --exclude 'src/main\.cpp' --exclude-unreachable-branches \
        --print-summary --sort-percentage -j 2 build-coverage | tail -n 4
    ;;
fuzz)
    install_missing
    seconds=${2:-30}
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DPAUKOMAT_FUZZ=ON -DPAUKOMAT_TESTS=OFF -DPAUKOMAT_WERROR=ON >/dev/null
    cmake --build build-fuzz --target paukomat_fuzz
    # Seeds: files the program's own writers make, and KDE's sample vocabularies (byte 0 picks
    # the name "….kvtml"). What the fuzzer finds stays in build-fuzz/corpus/TARGET.
    seeds=build-fuzz/corpus/seeds
    rm -rf "$seeds"
    build-fuzz/fuzz/fuzz_seeds "$seeds"
    dpkg -L kdeedu-kvtml-data | grep '\.kvtml$' | while read -r f; do
        { printf '\0'; cat "$f"; } >"$seeds/kvtml/kde-$(echo "$f" | md5sum | cut -c1-12)"
        cp "$f" "$seeds/xml/kde-$(echo "$f" | md5sum | cut -c1-12)"
    done
    failed=()
    for t in kvtml delimited roundtrip userlist lessonfile listfile results handoff xml boxes; do
        dict=fuzz/dict/$t.dict
        [ -f "$dict" ] || dict=fuzz/dict/stored.dict
        mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
        if ASAN_OPTIONS=detect_leaks=0 build-fuzz/fuzz/fuzz_$t "build-fuzz/corpus/$t" "$seeds/$t" \
            -dict="$dict" -max_total_time="$seconds" -max_len=262144 -timeout=10 \
            -rss_limit_mb=2048 -detect_leaks=0 -artifact_prefix="build-fuzz/findings/$t/" \
            >"build-fuzz/fuzz-$t.log" 2>&1; then
            echo "fuzz $t: $(grep -E '^#[0-9]+' "build-fuzz/fuzz-$t.log" | tail -n 1)"
        else
            failed+=("$t")
            tail -n 60 "build-fuzz/fuzz-$t.log"
            echo "fuzz $t FAILED on: $(grep -o 'build-fuzz/findings/[^ ]*' "build-fuzz/fuzz-$t.log" | tail -n 1)"
        fi
    done
    [ ${#failed[@]} -eq 0 ] || { echo "fuzz targets that failed: ${failed[*]}" >&2; exit 1; }
    ;;
*)
    echo "usage: $0 run|test|style|package|coverage|fuzz [SECONDS]" >&2
    exit 2
    ;;
esac

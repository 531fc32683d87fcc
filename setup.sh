#!/usr/bin/env bash
# Sets up a Debian 12 machine for Ventaro.2, builds it, then runs the program or every test.
#   ./setup.sh run    install what is missing, build, start the program
#   ./setup.sh test   install what is missing, build, run every test; then the core tests again
#                     under AddressSanitizer and UndefinedBehaviorSanitizer, the MIDI threading
#                     tests under ThreadSanitizer, and the core in a Release build
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build pkg-config git clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev
    librtmidi-dev libasound2-dev libjack-jackd2-dev
    librtaudio-dev libsndfile1-dev libsamplerate0-dev libsdl2-dev
    csound libcsound64-dev
    jackd2
    xvfb xauth xdotool x11-utils openbox imagemagick fonts-dejavu-core
    desktop-file-utils libxml2-utils man-db
)

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local line="apt-get install -y --no-install-recommends ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "These Debian packages are missing. Install them as root, then run this again:" >&2
        echo "  echo \"jackd2 jackd/tweak-rt-prio boolean false\" | sudo debconf-set-selections" >&2
        echo "  sudo apt-get update && sudo $line" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    echo "jackd2 jackd/tweak-rt-prio boolean false" | debconf-set-selections
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive $line
}

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
# A compiler cache, when the machine has one, makes the repeated builds of a session cheap.
command -v ccache >/dev/null 2>&1 &&
    generator+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
jobs=$(nproc 2>/dev/null || echo 2)

build() { # folder, cmake options... [-- targets...]
    local folder=$1 options=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift && targets=(--target "$@")
    cmake -S . -B "$folder" "${generator[@]}" "${options[@]}"
    cmake --build "$folder" --parallel "$jobs" "${targets[@]}"
}

case "${1:-}" in
run)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec build/ventaro "${@:2}"
    ;;
test)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure --timeout 600
    # The core once more, under the sanitizers.
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DVENTARO_CORE_ONLY=ON -DVENTARO_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-asan --output-on-failure --timeout 600
    # The input path's threads under ThreadSanitizer: any report fails the run.
    build build-tsan -DCMAKE_BUILD_TYPE=Debug -DVENTARO_CORE_ONLY=ON -DVENTARO_TSAN=ON -- midi_tests
    TSAN_OPTIONS=halt_on_error=1:abort_on_error=1:second_deadlock_stack=1 \
        ctest --test-dir build-tsan -L midi --output-on-failure --timeout 600
    # The core as packagers build it: full optimisation must build with warnings as errors too.
    build build-release -DCMAKE_BUILD_TYPE=Release -DVENTARO_CORE_ONLY=ON
    ctest --test-dir build-release --output-on-failure --timeout 600
    ;;
*)
    echo "usage: ./setup.sh run | test" >&2
    exit 2
    ;;
esac

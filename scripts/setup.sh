#!/usr/bin/env bash
# Sets Pixora up on a fresh Debian 12 machine: installs what is missing, builds,
# then either starts the editor (run) or builds and runs every test (test).
#   scripts/setup.sh run    Release build in build-release/, then starts pixora
#   scripts/setup.sh test   normal build, sanitizer build and fuzz smoke runs
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=$(nproc)

PACKAGES=(build-essential cmake ninja-build qt6-base-dev libgl1-mesa-dev libgtest-dev libgmock-dev
          libbenchmark-dev clang libclang-rt-dev)
# The fonts the tests run with (tests/fonts.conf), as a fresh machine has them.
PACKAGES+=(fonts-dejavu-core)
# The installed program's checks: desktop validators, icon rendering, file types, package dependencies.
PACKAGES+=(desktop-file-utils appstream librsvg2-bin shared-mime-info dpkg-dev)
# Qt's own French texts: file dialogs, standard buttons, text box menus.
PACKAGES+=(qt6-translations-l10n)
# The tests read the calculator pictures back with the link software's library.
PACKAGES+=(pkg-config libtifiles-dev)
# The tests compile and assemble the written sprite data for the 68000.
PACKAGES+=(gcc-m68k-linux-gnu binutils-m68k-linux-gnu)

install_missing() {
    local missing=() p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

configure_and_build() {  # dir, then extra cmake arguments
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$JOBS"
}

run_editor() {
    configure_and_build build-release -DCMAKE_BUILD_TYPE=Release -DPIXORA_TESTS=OFF -DPIXORA_BENCH=OFF
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "Pixora is built in build-release/, but it is a desktop program and no display is available" >&2
        echo "(neither DISPLAY nor WAYLAND_DISPLAY is set). Start it from a graphical session:" >&2
        echo "  build-release/pixora" >&2
        exit 1
    fi
    exec "$ROOT/build-release/pixora"
}

run_tests() {
    export QT_QPA_PLATFORM=offscreen
    # Only the fonts of a fresh machine, whatever else this one has: texts
    # measure the same everywhere.
    export FONTCONFIG_FILE=$ROOT/tests/fonts.conf
    echo "== Normal build =="
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure -j "$JOBS"

    echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DPIXORA_SANITIZE=ON -DPIXORA_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1 \
    LSAN_OPTIONS=suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$ROOT/scripts/ubsan.supp \
        ctest --test-dir build-asan --output-on-failure -j "$JOBS"

    if [ -d fuzz ]; then
        echo "== Fuzz smoke runs =="
        CC=clang CXX=clang++ cmake -S "$ROOT" -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DPIXORA_FUZZ=ON -DPIXORA_TESTS=OFF -DPIXORA_BENCH=OFF
        cmake --build build-fuzz -j "$JOBS" --target fuzz_native_file fuzz_ti_picture fuzz_image_convert fuzz_sprite_set \
            fuzz_c_arrays fuzz_layouts fuzz_draw_calls
        "$ROOT/scripts/fuzz.sh" build-fuzz "${PIXORA_FUZZ_SECONDS:-20}"
    fi
}

case "${1:-}" in
    run)  install_missing; run_editor ;;
    test) install_missing; run_tests ;;
    *)    echo "usage: $0 run|test" >&2; exit 2 ;;
esac

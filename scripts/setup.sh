#!/usr/bin/env bash
# Sets Pixora up on a fresh Debian 12 machine: installs what is missing, builds,
# then either starts the editor (run) or builds and runs every test (test), or
# cross-builds the Windows plug-ins and command and tests them under Wine (windows).
#   scripts/setup.sh run      Release build in build-release/, then starts pixora
#   scripts/setup.sh test     normal build, sanitizer build and fuzz smoke runs
#   scripts/setup.sh windows  the 32-bit Windows DLLs and pixora-export.exe in build-windows/, tested under Wine
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=$(nproc)

PACKAGES=(build-essential cmake ninja-build qt6-base-dev libgl1-mesa-dev libfontconfig-dev libgtest-dev libgmock-dev
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

# Only for the Windows command: the MinGW-w64 cross-compilers and Wine, whose
# 32-bit half needs the i386 architecture.
WINDOWS_PACKAGES=(gcc-mingw-w64-i686 g++-mingw-w64-i686 wine wine32)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

install_missing() {  # [apt-get options...] -- packages...
    local options=() missing=() p
    while [ "$1" != -- ]; do options+=("$1"); shift; done
    shift
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${options[@]}" "${missing[@]}"
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
            fuzz_c_arrays fuzz_cell_clipboard fuzz_layouts fuzz_draw_calls fuzz_map_file
        "$ROOT/scripts/fuzz.sh" build-fuzz "${PIXORA_FUZZ_SECONDS:-20}"
    fi
}

# The Windows programs are compared with the Linux ones of the normal build,
# of which only they and the test plug-ins are built here.
run_windows() {
    export QT_QPA_PLATFORM=offscreen
    echo "== Linux programs to compare with =="
    cmake -S "$ROOT" -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j "$JOBS" --target pixora-export hexplane binplane maskplane cli_probe cli_nowrite \
        fake_plug_only fake_underscored
    echo "== Windows cross-build =="
    configure_and_build build-windows -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/scripts/windows/i686-w64-mingw32.cmake" -DPIXORA_LINUX_BUILD="$ROOT/build"
    echo "== Windows programs under Wine =="
    ctest --test-dir build-windows --output-on-failure -j "$JOBS"
}

install_windows_tools() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    # Recommended packages (fonts, sound, graphics) serve no console program.
    install_missing --no-install-recommends -- "${WINDOWS_PACKAGES[@]}"
}

case "${1:-}" in
    run)     install_missing -- "${PACKAGES[@]}"; run_editor ;;
    test)    install_missing -- "${PACKAGES[@]}"; run_tests ;;
    windows) install_missing -- "${PACKAGES[@]}"; install_windows_tools; run_windows ;;
    *)       echo "usage: $0 run|test|windows" >&2; exit 2 ;;
esac

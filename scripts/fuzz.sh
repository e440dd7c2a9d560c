#!/usr/bin/env bash
# Runs each fuzzer (file readers, clipboard cells, image conversion, layout and draw-call readers) for a while
# and fails on the first crash.
#   scripts/fuzz.sh <build dir> <seconds per target>
# The build dir is one configured with CC=clang CXX=clang++ -DPIXORA_FUZZ=ON.
# Each target starts from the seeds in fuzz/corpus/<target>/ and keeps what it
# finds in <build dir>/fuzz-corpus/<target>/, so later runs go on from there;
# a crashing input is left in <build dir>/fuzz-artifacts/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:?usage: $0 <build dir> <seconds per target>}
SECONDS_PER_TARGET=${2:?usage: $0 <build dir> <seconds per target>}
case $BUILD in /*) ;; *) BUILD=$PWD/$BUILD ;; esac

declare -A MAX_LEN=([fuzz_native_file]=40000 [fuzz_ti_picture]=4200 [fuzz_image_convert]=20000 [fuzz_sprite_set]=100000
                  [fuzz_c_arrays]=16384 [fuzz_cell_clipboard]=31000 [fuzz_layouts]=16384 [fuzz_draw_calls]=16384
                  [fuzz_map_file]=20000)

for target in fuzz_native_file fuzz_ti_picture fuzz_image_convert fuzz_sprite_set fuzz_c_arrays fuzz_cell_clipboard \
              fuzz_layouts fuzz_draw_calls fuzz_map_file; do
    binary=$BUILD/fuzz/$target
    [ -x "$binary" ] || { echo "missing $binary: build with -DPIXORA_FUZZ=ON first" >&2; exit 1; }
    corpus=$BUILD/fuzz-corpus/$target
    artifacts=$BUILD/fuzz-artifacts/
    mkdir -p "$corpus" "$artifacts"
    echo "== $target, ${SECONDS_PER_TARGET} s =="
    "$binary" -max_total_time="$SECONDS_PER_TARGET" -max_len="${MAX_LEN[$target]}" -print_final_stats=1 \
        -artifact_prefix="$artifacts" "$corpus" "$ROOT/fuzz/corpus/$target"
done

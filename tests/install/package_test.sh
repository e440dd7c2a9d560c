#!/usr/bin/env bash
# Builds the Debian package as the README says and looks into it: the
# libraries found by dpkg-shlibdeps among its dependencies, the installed
# layout under /usr with relative links.
#   package_test.sh BUILD_DIR
set -euo pipefail
BUILD=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

(cd "$T" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" > cpack.log) || { cat "$T/cpack.log" >&2; exit 1; }
DEB=$(ls "$T"/pixora_*.deb)
echo "Built $(basename "$DEB")"

depends=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $depends"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ ",$depends," == *", $library "* || ",$depends," == *",$library "* ]] || fail "Depends lacks $library"
done

dpkg-deb -c "$DEB" > "$T/contents"
for entry in "./usr/bin/pixora -> ../lib/pixora/pixora" "./usr/bin/pixora-export -> ../lib/pixora/pixora-export" \
    ./usr/lib/pixora/pixora ./usr/lib/pixora/pixora-export ./usr/lib/pixora/Plugins/hexplane.so \
    ./usr/lib/pixora/pixora-export-images.so ./usr/lib/pixora/pixora.installed \
    ./usr/share/applications/fr.free.kestrune.Pixora.desktop ./usr/share/metainfo/fr.free.kestrune.Pixora.metainfo.xml \
    ./usr/share/mime/packages/fr.free.kestrune.Pixora.xml \
    ./usr/share/icons/hicolor/48x48/apps/fr.free.kestrune.Pixora.png; do
    grep -qF -- "$entry" "$T/contents" || fail "the package lacks $entry"
done
# The unpacked program finds its picture module and loads Qt for pictures only.
dpkg-deb -x "$DEB" "$T/root"
EXPORT=$T/root/usr/bin/pixora-export
printf 'static unsigned char balle[8] = {0x3C, 0x42, 0x81, 0xA5, 0x81, 0x99, 0x42, 0x3C};\n' > "$T/balle.h"
"$EXPORT" --to-pixo "$T/balle.pixo" "$T/balle.h" 2> /dev/null || fail "the packaged pixora-export reads no C"
LD_DEBUG=libs "$EXPORT" -o "$T/balle.c" "$T/balle.pixo" 2> "$T/noqt.log" || fail "the packaged pixora-export exports no .pixo"
grep -q libQt6 "$T/noqt.log" && fail "the packaged pixora-export loads Qt for a .pixo export"
"$EXPORT" --to-png "$T/balle.png" "$T/balle.pixo" || fail "the packaged pixora-export finds no picture module"

# Nothing of the tests or of the build tree goes into the package.
grep -E "test|_CPack|build" "$T/contents" && fail "the package holds test or build files"

[ "$failures" -eq 0 ] || exit 1
echo "Package checks passed"

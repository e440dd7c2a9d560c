#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed program:
# files and links, the desktop validators, pixora-export through its link, and
# the installed editor run with its folder read-only and writable (settings,
# exports and extra plug-ins in the user's folders either way), and a copy
# without the install mark (everything beside it).
#   install_test.sh BUILD_DIR DRIVER_LIBRARY
set -euo pipefail
BUILD=$1
DRIVER=$2
APP=fr.free.kestrune.Pixora
T=$(mktemp -d)
trap 'chmod -R u+w "$T"; rm -rf "$T"' EXIT
chmod 755 "$T"
P=$T/prefix
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_file() { [ -f "$1" ] || fail "missing file $1"; }
expect_absent() { [ ! -e "$1" ] || fail "should not exist: $1"; }
expect_in() {  # text, file
    grep -qF -- "$1" "$2" || { fail "'$1' not in $2:"; sed 's/^/    /' "$2" >&2; }
}

cmake --install "$BUILD" --prefix "$P" > "$T/install.log"
P=$(realpath "$P")
LIB=$P/lib/pixora

echo "== Files and links"
for program in pixora pixora-export; do
    [ -x "$LIB/$program" ] || fail "$LIB/$program is not an executable"
    [ "$(readlink "$P/bin/$program")" = "../lib/pixora/$program" ] || fail "bin/$program is not a link to ../lib/pixora/$program"
done
for plugin in hexplane binplane maskplane; do expect_file "$LIB/Plugins/$plugin.so"; done
expect_file "$P/share/applications/$APP.desktop"
expect_file "$P/share/metainfo/$APP.metainfo.xml"
expect_file "$P/share/mime/packages/$APP.xml"
expect_file "$P/share/icons/hicolor/scalable/apps/$APP.svg"
for size in 16 32 48 64 128 256; do
    png=$P/share/icons/hicolor/${size}x${size}/apps/$APP.png
    expect_file "$png"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    [ -f "$png" ] && [ "$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ')" = " 0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))" ] ||
        fail "$png is not $size x $size"
done

echo "== Validators"
desktop-file-validate "$P/share/applications/$APP.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$P/share/metainfo/$APP.metainfo.xml" || fail "appstreamcli validate"
cp -r "$P/share/mime" "$T/mime"
update-mime-database "$T/mime" > /dev/null 2>&1 || fail "update-mime-database"
expect_in "application/x-pixora-sprite:*.pixo" "$T/mime/globs2"
expect_in "application/x-pixora-sprite-set:*.pixs" "$T/mime/globs2"
grep -qa "application/x-pixora-sprite-set" "$T/mime/magic" || fail "a set is not known by its PIXS signature"
grep -q "^Exec=pixora" "$P/share/applications/$APP.desktop" || fail "the desktop entry does not start pixora"
# The menu, the software centre and the file manager must find one another's names.
grep -q "^Icon=$APP\$" "$P/share/applications/$APP.desktop" || fail "the desktop entry does not name the installed icon"
grep -q "^MimeType=application/x-pixora-sprite;application/x-pixora-sprite-set;" "$P/share/applications/$APP.desktop" ||
    fail "no .pixo or .pixs file type"
expect_in "<launchable type=\"desktop-id\">$APP.desktop</launchable>" "$P/share/metainfo/$APP.metainfo.xml"

echo "== pixora-export and its picture module"
# Qt is loaded for pictures only, from the module beside the installed program.
expect_file "$LIB/pixora-export-images.so"
printf 'static unsigned char balle[8] = {0x3C, 0x42, 0x81, 0xA5, 0x81, 0x99, 0x42, 0x3C};\n' > "$T/balle.h"
"$P/bin/pixora-export" --to-pixo "$T/balle.pixo" "$T/balle.h" 2> /dev/null || fail "pixora-export --to-pixo from C"
LD_DEBUG=libs "$P/bin/pixora-export" -o "$T/balle1.h" "$T/balle.pixo" 2> "$T/noqt.log" || fail "pixora-export of a .pixo"
grep -q libQt6 "$T/noqt.log" && fail "pixora-export loads Qt for a .pixo export"
"$P/bin/pixora-export" --to-png "$T/balle.png" "$T/balle.pixo" || fail "pixora-export --to-png"
"$P/bin/pixora-export" -o "$T/balle2.h" "$T/balle.png" || fail "pixora-export of a PNG"
cmp -s "$T/balle1.h" "$T/balle2.h" || fail "the sprite does not come back from its PNG"

# The installed editor and pixora-export run as a user who cannot write to
# the program folder; root writes anywhere, so root's runs use "nobody".
if [ "$(id -u)" -eq 0 ]; then
    run_as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"; }
    user_owns() { chown -R nobody:nogroup "$@"; }
else
    run_as_user() { "$@"; }
    user_owns() { :; }
fi
cp "$DRIVER" "$T/driver.so"
PRELOAD=$T/driver.so
# A sanitizer build's runtime must come first among preloaded libraries.
ASAN_RUNTIME=$(ldd "$LIB/pixora" | awk '/libasan/ {print $3}')
[ -z "$ASAN_RUNTIME" ] || PRELOAD=$ASAN_RUNTIME:$PRELOAD

new_home() {  # name: a fresh home folder with the XDG variables inside it
    HOME_DIR=$T/$1
    mkdir -p "$HOME_DIR/run"
    chmod 700 "$HOME_DIR/run"
    user_owns "$HOME_DIR"
}
in_home() {  # command...: run by the user, in that home
    run_as_user env HOME="$HOME_DIR" XDG_CONFIG_HOME="$HOME_DIR/.config" XDG_DATA_HOME="$HOME_DIR/.local/share" \
        XDG_CACHE_HOME="$HOME_DIR/.cache" XDG_RUNTIME_DIR="$HOME_DIR/run" "$@"
}
run_editor() {  # log file, steps
    local status=0
    in_home env QT_QPA_PLATFORM=offscreen LD_PRELOAD="$PRELOAD" PIXORA_TEST_STEPS="$2" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$P/bin/pixora" 2> "$1" || status=$?
    [ "$status" -eq 0 ] || { fail "pixora ended with status $status:"; sed 's/^/    /' "$1" >&2; }
}
messages() { grep '^PIXORA-MESSAGE: ' "$1" | sed 's/^PIXORA-MESSAGE: //' || true; }

echo "== Read-only program folder"
chmod -R a-w "$LIB"
new_home home
USER_PLUGINS=$HOME_DIR/.local/share/pixora/Plugins
mkdir -p "$USER_PLUGINS"
cp "$BUILD/Plugins/binplane.so" "$USER_PLUGINS/monbinaire.so"
printf 'pas une bibliotheque' > "$USER_PLUGINS/casse.so"
user_owns "$HOME_DIR"

in_home "$P/bin/pixora-export" --list > "$T/list.out" 2> "$T/list.err" || fail "pixora-export --list"
[ "$(cut -f1 "$T/list.out" | head -3 | sort | tr '\n' ' ')" = "binplane.so hexplane.so maskplane.so " ] ||
    fail "pixora-export does not list the program's plug-ins first: $(cat "$T/list.out")"
[ "$(cut -f1 "$T/list.out" | tail -n +4)" = "monbinaire.so" ] || fail "the user's plug-in is not listed last"
expect_in "casse.so" "$T/list.err"

run_editor "$T/readonly.log" export,close
DOCS_EXPORT=$HOME_DIR/Documents/Pixora/export
[ "$(messages "$T/readonly.log")" = "Plugin <casse.so> non valide!\\nIl est donc ignoré par le programme
Exportation réussie dans \"$DOCS_EXPORT/nomPixo.extension\"" ] || {
    fail "unexpected messages of the read-only run:"
    sed 's/^/    /' "$T/readonly.log" >&2
}
expect_file "$DOCS_EXPORT/nomPixo.extension"
expect_in "static unsigned short Sprite[] = {0x0, " "$DOCS_EXPORT/nomPixo.extension"
SETTINGS=$HOME_DIR/.config/pixora/pixora.ini
expect_file "$SETTINGS"
[ "$(grep -c '=' "$SETTINGS" 2>/dev/null)" = 14 ] || fail "$SETTINGS does not hold the fourteen keys"
expect_absent "$LIB/pixora.ini"
expect_absent "$LIB/export"

echo "== A per-user folder that cannot be made"
new_home blocked
mkdir -p "$HOME_DIR/.config"
printf 'un fichier' > "$HOME_DIR/.config/pixora"
user_owns "$HOME_DIR"
run_editor "$T/blocked.log" close
[ "$(messages "$T/blocked.log")" = "Unable to write to $HOME_DIR/.config/pixora/pixora.ini" ] || {
    fail "the unwritable settings are not reported exactly once:"
    sed 's/^/    /' "$T/blocked.log" >&2
}

echo "== Installed program folder that its user may write to (root's)"
chmod -R u+w "$LIB"
expect_file "$LIB/pixora.installed"
# The runs are the owner's, who can write to the folder.
run_as_user() { "$@"; }
new_home owner
run_editor "$T/owner.log" export,close
[ "$(messages "$T/owner.log")" = "Exportation réussie dans \"$HOME_DIR/Documents/Pixora/export/nomPixo.extension\"" ] || {
    fail "an installed copy its user may write to does not use the user's folders:"
    sed 's/^/    /' "$T/owner.log" >&2
}
expect_file "$HOME_DIR/.config/pixora/pixora.ini"
expect_absent "$LIB/pixora.ini"
expect_absent "$LIB/export"

echo "== Portable copy (no install mark)"
rm "$LIB/pixora.installed"
new_home portable
mkdir -p "$HOME_DIR/.local/share/pixora/Plugins"
cp "$BUILD/Plugins/binplane.so" "$HOME_DIR/.local/share/pixora/Plugins/monbinaire.so"
run_editor "$T/portable.log" export,close
[ "$(messages "$T/portable.log")" = "Exportation réussie dans \"$LIB/export/nomPixo.extension\"" ] || {
    fail "unexpected messages of the writable run:"
    sed 's/^/    /' "$T/portable.log" >&2
}
expect_file "$LIB/export/nomPixo.extension"
expect_file "$LIB/pixora.ini"
expect_absent "$HOME_DIR/.config/pixora"
expect_absent "$HOME_DIR/Documents"
in_home "$P/bin/pixora-export" --list | grep -q monbinaire && fail "a portable pixora-export lists the user's plug-ins"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "All install checks passed"

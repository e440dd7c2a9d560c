#!/usr/bin/env bash
# The Windows pixora-export and plug-ins under Wine, beside the Linux ones
# built from the same sources.
#   windows_test.sh PART WINDOWS_BUILD LINUX_BUILD OBJDUMP WINDOWS_TEST_PLUGINS
# PART is one of:
#   dlls      each shipped DLL is a 32-bit x86 DLL exporting the contract's
#             seven names undecorated; DLLs and program import only Windows'
#             own libraries
#   bytes     the same files as Linux for sprites of every type and size
#             through every shipped plug-in, sets, C sources read back,
#             calculator pictures, standard output
#   statuses  the same exit statuses as Linux, a refusal's reason read from
#             the plug-in's file, crashing and invalid DLLs, pictures refused
#   names     Windows-1252 letters in file, folder and plug-in names reach
#             the plug-in as Windows-1252 bytes; the program folder is the
#             program's, whatever the working folder
set -euo pipefail
PART=$1
WIN=$(realpath "$2")
LIN=$(realpath "$3")
OBJDUMP=$4
WIN_TEST_PLUGINS=$(realpath "$5")
LIN_TEST_PLUGINS=$LIN/tests/cli/test-plugins
LIN_FAKES=$LIN/tests/plugins/fakes

export WINEPREFIX=$WIN/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# The Wine folder is made, and its server kept running, by wine_server.sh
# before any part runs.
. "$(dirname "$0")/wine_check.sh"
if [ "$PART" != dlls ] && ! wine_runs_here; then
    exit "$SKIPPED"
fi

T=$(mktemp -d)
trap 'chmod -R u+w "$T"; rm -rf "$T"' EXIT
cd "$T"
mkdir in lin win
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Both sides take the same arguments: {O} is the side's output folder
# (lin or win), {P} its folder of test plug-ins, {S} its library suffix.
STATUS_LIN=0 STATUS_WIN=0
side_arguments() {  # side, arguments...
    local side=$1 argument; shift
    ARGS=()
    for argument in "$@"; do
        if [ "$side" = lin ]; then
            argument=${argument//\{P\}/lin-plugins}; argument=${argument//\{S\}/.so}
        else
            argument=${argument//\{P\}/win-plugins}; argument=${argument//\{S\}/.dll}
        fi
        ARGS+=("${argument//\{O\}/$side}")
    done
}
run_lin() {
    side_arguments lin "$@"
    set +e; "$LIN/pixora-export" "${ARGS[@]}" > lin.out 2> lin.err; STATUS_LIN=$?; set -e
}
# The Windows command's texts are Windows-1252; its text-mode stream ends lines with CR LF.
run_win() {
    side_arguments win "$@"
    set +e; wine "$WIN/pixora-export.exe" "${ARGS[@]}" > win.out 2> win.raw; STATUS_WIN=$?; set -e
    iconv -f CP1252 -t UTF-8 win.raw | tr -d '\r' > win.err
}
# Runs both; the statuses must match.
both() {
    run_lin "$@"
    run_win "$@"
    [ "$STATUS_LIN" = "$STATUS_WIN" ] || fail "status $STATUS_WIN on Windows, $STATUS_LIN on Linux: $*"$'\n'"$(cat win.err)"
}
same_file() {  # name relative to the output folders
    if [ ! -f "lin/$1" ] || [ ! -f "win/$1" ]; then
        fail "$1 not written on both sides"
    elif ! cmp -s "lin/$1" "win/$1"; then
        fail "$1 differs between Linux and Windows"
    fi
}
expect_in() {  # text, file
    grep -qF -- "$1" "$2" || fail "'$1' not in $2: $(head -c 600 "$2")"
}

# Test plug-ins on both sides, with a file that is no library at all.
make_plugin_folders() {
    mkdir -p lin-plugins win-plugins
    cp "$LIN_TEST_PLUGINS"/{probe,nowrite}.so "$LIN_FAKES"/{plug_only,underscored}/*.so lin-plugins/
    cp "$WIN_TEST_PLUGINS"/{probe,nowrite,plug_only,underscored}.dll win-plugins/
    echo "pas une bibliothèque" > lin-plugins/texte.so
    echo "pas une bibliothèque" > win-plugins/texte.dll
}

# A pseudo-random row of bits for a sprite's array.
row_bits() {  # seed, row, bits
    echo $(( (($1 * 2654435761 + ($2 + 3) * 1640531527) >> 7 ^ ($2 * 40503)) & ((1 << $3) - 1) ))
}
c_array() {  # name, height, element bits, seed, [density: "sparse" ANDs two rows]
    local keyword=char y value
    [ "$3" -gt 8 ] && keyword=short
    [ "$3" -gt 16 ] && keyword=long
    printf 'static unsigned %s %s[%d] = {' "$keyword" "$1" "$2"
    for ((y = 0; y < $2; y++)); do
        value=$(row_bits "$4" "$y" "$3")
        [ "${5:-}" = sparse ] && value=$((value & $(row_bits $(($4 + 11)) "$y" "$3")))
        printf '%s0x%X' "$([ "$y" -gt 0 ] && echo ', ')" "$value"
    done
    printf '};\n'
}
# A sprite of the given type as the plug-ins write it in C, read into a
# .pixo file by the Linux command; the type byte (offset 8) is checked.
make_sprite() {  # name, width, height, type 1 to 4
    local name=$1 width=$2 height=$3 type=$4 bits=8 seed=${#1}
    [ "$width" -gt 8 ] && bits=16
    [ "$width" -gt 16 ] && bits=32
    seed=$((seed * 7 + width * 3 + height + type))
    {
        if [ "$type" = 1 ] || [ "$type" = 3 ]; then
            c_array "$name" "$height" "$bits" "$seed"
        else
            c_array "${name}_LightPlane" "$height" "$bits" "$seed"
            c_array "${name}_DarkPlane" "$height" "$bits" $((seed + 5))
        fi
        if [ "$type" -ge 3 ]; then c_array "${name}_Mask" "$height" "$bits" $((seed + 9)) sparse; fi
    } > "in/$name.h"
    "$LIN/pixora-export" --to-pixo "in/$name.pixo" --array "$name" --width "$width" "in/$name.h" 2> /dev/null
    [ "$(od -An -tu1 -j8 -N1 "in/$name.pixo" | tr -d ' ')" = "$type" ] || fail "fixture in/$name.pixo is not of type $type"
}
make_sprites() {
    local size type
    for size in 8x8 16x16 32x32 12x20 32x128; do
        for type in 1 2 3 4; do make_sprite "s${size}_t$type" "${size%x*}" "${size#*x}" "$type"; done
    done
}

check_dlls() {
    local library names imports system="kernel32.dll msvcrt.dll"
    local contract="pluginAuteur pluginDescription pluginEnregistre pluginMail pluginNom pluginURL pluginVersion"
    for library in "$WIN"/Plugins/{hexplane,binplane,maskplane}.dll "$WIN/pixora-export.exe"; do
        [ -f "$library" ] || { fail "missing $library"; continue; }
        "$OBJDUMP" -p "$library" > pe.txt
        expect_in "file format pei-i386" pe.txt
        grep -qE "^Magic[[:space:]]+010b[[:space:]]+\(PE32\)" pe.txt || fail "$library is not a PE32 (32-bit) image"
        imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' pe.txt | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
        [ "$imports" = "$system " ] || fail "$library imports $imports(only $system wanted: no MinGW runtime DLL)"
        [ "${library##*.}" = dll ] || continue
        sed -n '/^Characteristics/,/^$/p' pe.txt | grep -qx $'\tDLL' || fail "$library is not marked as a DLL"
        # The rows of objdump's export name table: "\t[   4] pluginNom".
        names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' pe.txt | sort | tr '\n' ' ')
        [ "$names" = "$contract " ] || fail "$library exports '$names' instead of '$contract '"
    done
}

check_bytes() {
    local sprite name plugin
    make_sprites
    # Every sprite through every shipped plug-in: written, or refused by both.
    for sprite in in/*.pixo; do
        name=$(basename "$sprite" .pixo)
        for plugin in hexplane binplane maskplane; do
            both -p "$plugin" -o "{O}/$name.$plugin.h" "$sprite"
            [ "$STATUS_LIN" != 0 ] || same_file "$name.$plugin.h"
        done
    done
    # Standard output carries the bytes as written: no CR added to CR LF.
    both -p maskplane in/s16x16_t4.pixo
    cmp -s lin.out win.out || fail "standard output differs between Linux and Windows"
    # Sets, made on both sides from the same frames, and exported whole.
    both --to-pixs "{O}/set.pixs" in/s16x16_t1.pixo in/s16x16_t2.pixo in/s16x16_t1.pixo
    same_file set.pixs
    for plugin in hexplane binplane maskplane; do
        both -p "$plugin" -o "{O}/set.$plugin.h" lin/set.pixs
        same_file "set.$plugin.h"
    done
    both --to-pixs "{O}/masques.pixs" in/s12x20_t3.pixo in/s12x20_t4.pixo
    both -p maskplane -o "{O}/masques.h" lin/masques.pixs
    same_file masques.h
    # C sources read back: what the plug-ins wrote, and the fixtures' own.
    for name in s12x20_t4.maskplane s32x32_t2.hexplane s8x8_t1.binplane; do
        both --to-pixo "{O}/$name.pixo" "lin/$name.h"
        same_file "$name.pixo"
        cmp -s "win/$name.pixo" "in/${name%.*}.pixo" || fail "$name.h does not read back as in/${name%.*}.pixo"
    done
    both --to-pixs "{O}/c.pixs" --array s16x16_t3 in/s16x16_t3.h
    same_file c.pixs
    # Calculator pictures, written and read.
    both --to-ti "{O}/ecran.89i" in/s32x128_t2.pixo
    same_file ecran_l.89i
    same_file ecran_d.89i
    both --to-ti "{O}/noir.v2i" --var-name noir in/s32x32_t1.pixo
    same_file noir.v2i
    both -p hexplane -o "{O}/noir.h" lin/noir.v2i
    same_file noir.h
}

check_statuses() {
    local row expected fragment
    make_plugin_folders
    make_sprite bon 16 16 1
    make_sprite large 12 20 1
    echo "notes" > in/notes.txt
    cp in/bon.pixo in/photo.png
    cp in/bon.pixo in/photo.jpg
    mkdir in/dossier.pixo
    echo "ancien" > lin/protege.h && echo "ancien" > win/protege.h && chmod a-w lin/protege.h win/protege.h
    # Status, a part of the Windows message, the arguments.
    local rows=(
        "0|-Nom:|--info hexplane"
        "1|Les tailles supportées par un sprite TIGGC|-p hexplane -o {O}/large.h in/large.pixo"
        "1|Sprite refusé|--plugins {P} -p probe -n refus -o {O}/refus.h in/bon.pixo"
        "2|fichier introuvable|-o {O}/x.h in/absent.pixo"
        "2|extension inconnue|-o {O}/x.h in/notes.txt"
        "2|c'est un dossier|-o {O}/x.h in/dossier.pixo"
        "2|mot réservé du C|-n int -o {O}/x.h in/bon.pixo"
        "2|fichier d'entrée manquant|-o {O}/x.h"
        "2|protégé en écriture|-o {O}/protege.h in/bon.pixo"
        "2|remplacerait le sprite d'entrée|-o in/bon.pixo in/bon.pixo"
        "3|introuvable|-p absent in/bon.pixo"
        "3|non valide|--plugins {P} -p plug_only in/bon.pixo"
        "3|non valide|--plugins {P} -p texte in/bon.pixo"
        "3|fonction d'enregistrement|--plugins {P} -p nowrite -o {O}/x.h in/bon.pixo"
        "3|n'a rien écrit|--plugins {P} -p probe -n vide -o {O}/x.h in/bon.pixo"
        "3|« probe{S} » s'est arrêté brutalement|--plugins {P} -p probe -n plante -o {O}/protege2.h in/bon.pixo"
        "3|« probe{S} » s'est arrêté brutalement|--plugins {P} -p probe -n viole -o {O}/protege2.h in/bon.pixo"
    )
    echo "ancien" > lin/protege2.h && echo "ancien" > win/protege2.h
    for row in "${rows[@]}"; do
        IFS='|' read -r expected fragment arguments <<< "$row"
        read -ra arguments <<< "$arguments"
        both "${arguments[@]}"
        [ "$STATUS_WIN" = "$expected" ] || fail "status $STATUS_WIN instead of $expected: ${arguments[*]}"
        side_arguments win "$fragment"
        grep -qF -- "${ARGS[0]}" win.out win.err || fail "'${ARGS[0]}' not said for: ${arguments[*]}: $(cat win.err)"
    done
    # A crash leaves the output as it was and nothing beside it.
    [ "$(cat win/protege2.h)" = ancien ] || fail "a crashing plug-in changed its output"
    [ -z "$(find win -name '.pxtmp-*')" ] || fail "a crashing plug-in left $(find win -name '.pxtmp-*')"
    # Invalid libraries are listed as ignored; the others as on Linux.
    both --plugins "{P}" --list
    expect_in "« plug_only.dll » non valide, ignoré" win.err
    expect_in "« texte.dll » non valide, ignoré" win.err
    # Linux lists a folder in no particular order, Windows by name.
    [ "$(sed 's/\.so\t/.dll\t/' lin.out | sort)" = "$(iconv -f CP1252 -t UTF-8 win.out | tr -d '\r' | sort)" ] ||
        fail "--list differs: $(cat win.out)"
    both --plugins "{P}" -p underscored -o "{O}/souligne.h" in/bon.pixo
    same_file souligne.h
    # NUL is Windows' /dev/null: written into, never replaced.
    run_win -o NUL in/bon.pixo
    [ "$STATUS_WIN" = 0 ] || fail "status $STATUS_WIN for -o NUL: $(cat win.err)"
    [ -z "$(find . -iname nul)" ] || fail "-o NUL made a file: $(find . -iname nul)"
    # Pictures need Qt, which the Windows command has not: refused, with the reason.
    for row in "--to-png win/x.png in/bon.pixo" "-o win/x.h in/photo.png" "--to-pixo win/x.pixo in/photo.jpg"; do
        read -ra arguments <<< "$row"
        run_win "${arguments[@]}"
        [ "$STATUS_WIN" = 2 ] || fail "status $STATUS_WIN instead of 2 for the picture of: $row"
        expect_in "les images PNG, BMP, GIF et JPEG ne sont pas prises en charge par pixora-export pour Windows" win.err
    done
    [ "$(ls win | tr '\n' ' ')" = "protege.h protege2.h souligne.h " ] || fail "unexpected files in win: $(ls win)"
}

check_names() {
    make_plugin_folders
    make_sprite bon 16 16 1
    # A folder name with Windows-1252 letters reaches the plug-in in that code page.
    mkdir lin/sortie_été win/sortie_été
    both --plugins "{P}" -p probe -n chemin -o "{O}/sortie_été/chemin.h" in/bon.pixo
    [ -f win/sortie_été/chemin.h ] || fail "nothing written as sortie_été/chemin.h"
    grep -qa $'sortie_\xe9t\xe9' win/sortie_été/chemin.h || fail "the plug-in got $(cat -v win/sortie_été/chemin.h)"
    # Plug-ins found and loaded by such names, by file name and by display name.
    mkdir lin/modules_été win/modules_été
    cp lin-plugins/probe.so lin/modules_été/sondé.so
    cp win-plugins/probe.dll win/modules_été/sondé.dll
    both --plugins "{O}/modules_été" -p sondé -n s -o "{O}/sonde.h" in/bon.pixo
    same_file sonde.h
    both --plugins "{P}" -p "Sonde d'essai été" -n s -o "{O}/affiche.h" in/bon.pixo
    same_file affiche.h
    # The input's name makes the sprite's the same way on both sides.
    cp in/bon.pixo "in/balle_été.pixo"
    both -o "{O}/balle.h" "in/balle_été.pixo"
    same_file balle.h
    expect_in "balle__t_" win/balle.h
    # The program folder, with such letters, is where the plug-ins are, from any working folder.
    mkdir -p "programme_été/Plugins" ailleurs
    cp "$WIN/pixora-export.exe" "programme_été/"
    cp "$WIN"/Plugins/*.dll "programme_été/Plugins/"
    (cd ailleurs && wine "../programme_été/pixora-export.exe" -o ../win/loin.h ../in/bon.pixo) || fail "run from another folder"
    "$LIN/pixora-export" -o lin/loin.h in/bon.pixo
    same_file loin.h
}

case "$PART" in
    dlls) check_dlls ;;
    bytes) check_bytes ;;
    statuses) check_statuses ;;
    names) check_names ;;
    *) echo "usage: $0 dlls|bytes|statuses|names WINDOWS_BUILD LINUX_BUILD OBJDUMP TEST_PLUGINS" >&2; exit 2 ;;
esac
if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "windows $PART: all checks passed"

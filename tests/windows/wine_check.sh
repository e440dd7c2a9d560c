# Sourced by the Windows test scripts. Wine runs the 32-bit Windows programs
# through Linux's 32-bit x86 loader, which a machine whose kernel runs no
# 32-bit programs (IA-32 emulation off, as in some virtual machines) cannot
# start: "exec: /usr/lib/wine/wine: Exec format error", status 126. There the
# parts that run Wine are skipped, saying why, instead of failing on every
# program; the form of the DLLs is still checked.
SKIPPED=77
wine_runs_here() {
    local status=0
    wine --version >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 126 ]; then
        echo "SKIP: this machine's kernel does not run 32-bit x86 programs, so Wine cannot start here" >&2
        return 1
    fi
    return 0
}

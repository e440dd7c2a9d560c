#!/usr/bin/env bash
# One Wine server for the whole run of the Windows tests, so that the parts,
# which start Wine at once, never race a server that is still preparing the
# Wine folder or shutting down (a client then dies with "wine client error:0:
# recvmsg: Connection reset by peer").
#   wine_server.sh start WINDOWS_BUILD  prepares the Wine folder when it is new,
#                                       waits until that is over, then keeps
#                                       one server running
#   wine_server.sh stop WINDOWS_BUILD   ends that server
set -euo pipefail
ACTION=$1
export WINEPREFIX=$(realpath "$2")/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
. "$(dirname "$0")/wine_check.sh"

case "$ACTION" in
    start)
        # Nothing to start where Wine cannot run: the parts say so themselves.
        wine_runs_here || exit 0
        # A folder whose first start was cut short lacks its registry: made again.
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            wineboot --init
        fi
        # wineboot returns before its helpers are done with the folder.
        wineserver -w
        # Persistent: it stays between one part's programs and the next's.
        # It lives on after this script, so it must not hold the test's
        # output open, which ctest would wait for.
        wineserver -p </dev/null >/dev/null 2>&1
        ;;
    stop)
        wineserver -k 2>/dev/null || true
        ;;
    *) echo "usage: $0 start|stop WINDOWS_BUILD" >&2; exit 2 ;;
esac

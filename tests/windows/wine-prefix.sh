#!/bin/sh
# Makes or removes a fresh Wine prefix of its own for the Windows tests:
#   wine-prefix.sh start DIR    prefix in DIR, its log in DIR.log
#   wine-prefix.sh stop DIR     ends its wineserver and removes it
set -eu
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all

case $action in
start)
    rm -rf "$WINEPREFIX"
    # No display: nothing of the first-run setup needs one. Its helpers keep the log open,
    # not CTest's pipe.
    env -u DISPLAY wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1
    ;;
stop)
    wineserver --kill 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$WINEPREFIX.log"
    ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac

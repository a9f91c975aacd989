#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes or removes a fresh Wine prefix of its own for the Windows tests:
#   wine-prefix.sh start DIR [WxH]   prefix in DIR, its log in DIR.log; with a size, a virtual
#                                    desktop of that size, which Wine draws like the platform
#   wine-prefix.sh stop DIR          ends its wineserver and removes it
set -eu
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all

case $action in
start)
    rm -rf "$WINEPREFIX"
    # No display: nothing of the setup needs one. Its helpers keep the log open, not the
    # caller's pipe.
    exec >"$WINEPREFIX.log" 2>&1 </dev/null
    unset DISPLAY
    wineboot --init
    # Debian's Wine draws the title bar's buttons with Marlett only when the prefix has it.
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # The window's faces, as a Windows system has them, from the fonts install-deps brings.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Times New Roman" \
        /d "Liberation Serif" /f
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "ＭＳ Ｐゴシック" /d IPAPGothic /f
    if [ $# -gt 2 ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$3" /f
    fi
    # The settings take effect in the session that the next program starts.
    wineserver --wait
    ;;
stop)
    wineserver --kill 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$WINEPREFIX.log"
    ;;
*) echo "usage: $0 start DIR [WxH] | stop DIR" >&2; exit 2 ;;
esac

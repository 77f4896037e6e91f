# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the scripts that play the Windows build under Wine. With `work`
# set to a scratch folder: a Wine prefix of its own there, quiet, without the
# Mono and Gecko dialogs, on an Xvfb screen of SIZE (start_wine_session SIZE)
# with Wine's X11 driver unmanaged (no frame of its own around full-screen
# windows). The clean-up at exit kills the game (game_pid) and Wine, stops
# Xvfb and removes `work`. Returns 1 when Xvfb or the prefix did not start.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/start_xvfb.sh"
export WINEPREFIX="$work/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
xvfb_pid=""
game_pid=""
wine_cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2> /dev/null
    wineserver -k 2> /dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null && wait "$xvfb_pid" 2> /dev/null
    rm -rf "$work"
}
trap wine_cleanup EXIT
start_wine_session() {
    start_xvfb "$1" || { echo "Xvfb did not start" >&2; return 1; }
    wineboot -i > "$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log" >&2; return 1; }
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
    # Japanese in message boxes, as a Japanese Windows shows it: IPAGothic
    # linked behind the dialog font.
    ln -sf /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf "$WINEPREFIX/drive_c/windows/Fonts/ipag.ttf"
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f > /dev/null 2>&1
}

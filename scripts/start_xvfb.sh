# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the scripts that play the game under Xvfb.
#
# start_xvfb WIDTHxHEIGHT starts an Xvfb screen of that size on a display
# number the server picks itself (so scripts started side by side on a shared
# machine never race for one), waits until it accepts clients, and sets
# DISPLAY and xvfb_pid. Returns 1 when no server answered within ten seconds.
start_xvfb() {
    local number_file number=""
    number_file=$(mktemp /tmp/kabuxvfb-XXXXXX) || return 1
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3> "$number_file" > /dev/null 2>&1 &
    xvfb_pid=$!
    # The number is written, a whole line, once the server is ready.
    for _ in $(seq 100); do
        read -r number < "$number_file" && break
        number=""
        kill -0 "$xvfb_pid" 2> /dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    [ -n "$number" ] || return 1
    export DISPLAY=":$number"
}

# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the measuring scripts that play the real window full screen on a
# 1280 x 1024 Xvfb screen: the picture is 640 x 480 scaled by two there, 32
# pixels down. click X Y presses the left button on picture pixel (X, Y);
# key NAME presses a key.
click() {
    xdotool mousemove $(($1 * 2 + 1)) $(($2 * 2 + 33))
    sleep 0.15
    xdotool mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.3
}
key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; }

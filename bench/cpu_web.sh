#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The browser's processor share (all of Chromium's processes) on the market
# and on the title, each over SECONDS, first alone and then with one busy
# process beside it (`yes > /dev/null`, a whole core).
#   bench/cpu_web.sh [SITE_DIR] [SECONDS]     (default build-web/site, 60 s)
# Run after tests/web/web_test.sh, which builds the site and installs
# Chromium and puppeteer-core. The load average is printed beside each figure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
site=$(realpath "${1:-build-web/site}")
seconds=${2:-60}
work=$(mktemp -d)
busy=
finish() {
    [ -z "$busy" ] || kill "$busy" 2> /dev/null || true
    rm -rf "$work"
}
trap finish EXIT
cd tests/web
for beside in alone busy; do
    if [ "$beside" = busy ]; then
        yes > /dev/null &
        busy=$!
    fi
    for scene in market title; do
        echo -n "$beside: "
        node cpu_web.mjs "$site" "$work" "$scene" "$seconds"
    done
done

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The browser version's figures in headless Chromium on loopback (a
# 1920 x 1080 page): file sizes, what a first and a later visit load and
# their time to the first frame, the market frame's cost measured in the
# page, the delay of the storage message, and the length of a game day.
# bench/cpu_web.sh measures the browser's processor share.
#   bench/measure_web.sh [LOADS] [DAYS]      (default 7 page loads, 10 days)
# Run after tests/web/web_test.sh, which builds the site and installs
# Chromium and puppeteer-core.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd tests/web && node measure_web.mjs "$root/build-web/site" "$work" "${1:-7}" "${2:-10}")

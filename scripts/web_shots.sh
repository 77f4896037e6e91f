#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Screenshots of the browser version in docs/web/: the market at a desktop
# size and on a phone, upright and sideways.
# Run after tests/web/web_test.sh (which builds the site and installs Chromium
# and puppeteer-core).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd tests/web && node web_shots.mjs "$root/build-web/site" "$root/docs/web" "$work")
ls -la docs/web

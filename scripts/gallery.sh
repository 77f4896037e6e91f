#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Regenerates the README's screenshots: the scripted runner plays
# tests/e2e/gallery.txt headless from program start and writes docs/gallery/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -x "$build/runner" ] || scripts/setup.sh all "$build"
out=$(pwd)/docs/gallery
mkdir -p "$out"
work=$(mktemp -d /tmp/kabugallery-XXXXXX)
trap 'rm -rf "$work"' EXIT
ln -s "$(cd "$build" && pwd)/data" "$work/data"
script=$(pwd)/tests/e2e/gallery.txt
(cd "$work" && "$OLDPWD/$build/runner" --shots "$out" "$script" > /dev/null)
ls "$out"

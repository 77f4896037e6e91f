#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Every end-to-end script played twice gives the same frames, save files and
# printed values, byte for byte. Usage: replays_repeat_test.sh BUILD_DIR
set -uo pipefail
build=$(cd "${1:?usage: replays_repeat_test.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/kaburepeat-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
for run in 1 2; do "$here/replay_all.sh" "$work/$run" "$build/data" "$build/runner"; done
frames=$(find "$work/1" -name '*.png' | wc -l)
[ "$frames" -gt 40 ] || { echo "only $frames frames were played"; exit 1; }
if ! grep -q '^exit 0$' "$work"/1/*/stdout || grep -v -h '^exit 0$' <(tail -qn1 "$work"/1/*/stdout) | grep -q .; then
    tail -n3 "$work"/1/*/stdout
    echo "a script failed"
    exit 1
fi
diff -r "$work/1" "$work/2" || { echo "two runs differ"; exit 1; }
echo "replays repeat: $frames frames, $(find "$work/1" -path '*savedat/*' -type f | wc -l) save files identical"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Writes DEST as the glyph file SOURCE damaged by one byte: missing, short
# (the last byte cut), long (a byte more) or changed (the middle byte).
#   damage_glyphs.sh SOURCE DEST missing|short|long|changed
size=$(stat -c %s "$1")
middle=$(od -An -tu1 -j $((size / 2)) -N 1 "$1")
rm -f "$2"
case $3 in
    short) head -c $((size - 1)) "$1" > "$2" ;;
    long) { cat "$1"; printf 'x'; } > "$2" ;;
    changed) cp "$1" "$2" && printf "\\$(printf %o $((middle ^ 255)))" |
        dd of="$2" bs=1 seek=$((size / 2)) conv=notrunc status=none ;;
esac

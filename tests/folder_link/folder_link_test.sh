#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# A save file replaced by a link to a folder outside savedat/, empty or
# holding a file, then a new game played into the market with the scripted
# runner: the folder keeps what it held, and the saved game continued is the
# game played (a whole, current set). With the Linux runner the link is
# replaced by the file; Wine lets no Windows program remove a Unix link to a
# folder, so there the set stays committed under the file's pending name.
#
#   folder_link_test.sh DATA_DIR RUNNER [ARGS...]   (RUNNER may be `wine runner.exe`)
set -u
here=$(cd "$(dirname "$0")" && pwd)
data=$(cd "${1:?usage: folder_link_test.sh DATA_DIR RUNNER [ARGS...]}" && pwd)
shift
# The runner plays in folders of its own: paths to files are made absolute.
runner=()
for part in "$@"; do
    [ -f "$part" ] && part=$(cd "$(dirname "$part")" && pwd)/$(basename "$part")
    runner+=("$part")
done
work=$(mktemp -d /tmp/kabufolderlink-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
failures=0
fail() {
    echo "folder link: FAILED: $*"
    failures=$((failures + 1))
}
play() {  # FOLDER SCRIPT
    (cd "$1" && "${runner[@]}" --quiet "$here/$2" > "$1/$2.out" 2>&1) && return 0
    fail "$2 in $1: $(tr -d '\r' < "$1/$2.out" | grep -v '^ALSA' | tail -n 3)"
    exit 1
}

for outside in empty holding; do
    game="$work/$outside"
    mkdir -p "$game" "$work/outside-$outside"
    ln -s "$data" "$game/data"
    [ "$outside" = holding ] && echo "keep me" > "$work/outside-$outside/keep.txt"
    play "$game" new_game.txt
    rm "$game/savedat/grafu2.txt"
    ln -s "$work/outside-$outside" "$game/savedat/grafu2.txt"
    play "$game" new_game.txt
    [ -d "$work/outside-$outside" ] || fail "the $outside folder behind the link is gone"
    if [ "$outside" = holding ] && [ "$(cat "$work/outside-$outside/keep.txt" 2> /dev/null)" != "keep me" ]; then
        fail "the file in the folder behind the link is gone"
    fi
    [ "$(find "$work/outside-$outside" -mindepth 1 | wc -l)" -eq $([ "$outside" = holding ] && echo 1 || echo 0) ] ||
        fail "the $outside folder behind the link changed: $(ls -A "$work/outside-$outside")"
    play "$game" continue.txt
    if [ -L "$game/savedat/grafu2.txt" ]; then
        kept="the link kept, the file committed under grafu2.txt.new"
        [ -f "$game/savedat/save.commit" ] && [ -f "$game/savedat/grafu2.txt.new" ] || fail "no committed set beside the link"
    else
        kept="the link replaced by the file"
        [ "$(stat -c %s "$game/savedat/grafu2.txt" 2> /dev/null)" = 4932 ] || fail "grafu2.txt is not the saved file"
    fi
    ls "$game/savedat" | grep -q '\.next$' && fail "second names left behind: $(ls "$game/savedat")"
    [ "$failures" -eq 0 ] && echo "folder link ($outside): the folder is kept, the game continues as saved; $kept"
done
[ "$failures" -eq 0 ] || exit 1

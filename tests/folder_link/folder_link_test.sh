#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# A save file replaced by a link to a folder outside savedat/ (empty, or
# holding a file), then a new game played into the market with the runner:
# the folder keeps what it held, and the game continued is the game played
# (a whole, current set). The Linux runner replaces the link by the file;
# under Wine, where no Windows program can remove a Unix link to a folder,
# the set stays committed under the file's pending name.
#   folder_link_test.sh DATA_DIR RUNNER [ARGS...]   (RUNNER may be `wine runner.exe`)
set -u
here=$(cd "$(dirname "$0")" && pwd)
data=$(cd "${1:?usage: folder_link_test.sh DATA_DIR RUNNER [ARGS...]}" && pwd)
shift
runner=("$@")  # it plays in other folders: its program's path made absolute
runner[-1]=$(cd "$(dirname "${runner[-1]}")" && pwd)/$(basename "${runner[-1]}")
work=$(mktemp -d /tmp/kabufolderlink-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
play() { (cd "$1" && "${runner[@]}" --quiet "$here/$2" > "$1/$2.out" 2>&1) || { tail -n 3 "$1/$2.out"; exit 1; }; }
for outside in empty holding; do
    game="$work/$outside"
    mkdir -p "$game" "$work/outside-$outside" && ln -s "$data" "$game/data"
    [ $outside = holding ] && echo "keep me" > "$work/outside-$outside/keep.txt"
    play "$game" new_game.txt
    rm "$game/savedat/grafu2.txt" && ln -s "$work/outside-$outside" "$game/savedat/grafu2.txt"
    play "$game" new_game.txt
    play "$game" continue.txt
    kept=$(cd "$work/outside-$outside" 2> /dev/null && { grep -r . || echo nothing; })
    [ "$kept" = "$([ $outside = holding ] && echo 'keep.txt:keep me' || echo nothing)" ] || { echo "$outside: $kept"; exit 1; }
    [ -L "$game/savedat/grafu2.txt" ] && [ -f "$game/savedat/grafu2.txt.new" ] ||
        [ "$(stat -c %s "$game/savedat/grafu2.txt")" = 4932 ] || { echo "grafu2.txt is not the saved file"; exit 1; }
    echo "folder link ($outside): the folder keeps what it held; the game continues as played"
done

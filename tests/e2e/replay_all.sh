#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Plays every script of tests/e2e with a runner and keeps what each left:
# its screenshots, its save folder and its printed output (the exit code
# last). Continuing scripts play in the folder of the script they continue.
# Two such folders from any two runs or platforms must be identical.
#
#   replay_all.sh OUT_DIR DATA_DIR RUNNER [ARGS...]
#
# RUNNER may be a command with arguments (wine build-windows/runner.exe).
set -u
out=${1:?usage: replay_all.sh OUT_DIR DATA_DIR RUNNER [ARGS...]}
data=$(cd "${2:?}" && pwd)
shift 2
scripts=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

play() {  # FOLDER NAME
    mkdir -p "$out/$2/shots"
    (cd "$1" && "${runner[@]}" --shots "$out/$2/shots" "$scripts/$2.txt" > "$out/$2/stdout" 2>&1
     echo "exit $?" >> "$out/$2/stdout")
    [ -d "$1/savedat" ] && cp -r "$1/savedat" "$out/$2/savedat"
}
runner=("$@")
# The runner plays in a folder of its own: a path to it is made absolute.
[ -e "${runner[0]}" ] && runner[0]=$(cd "$(dirname "${runner[0]}")" && pwd)/$(basename "${runner[0]}")
for script in "$scripts"/*.txt; do
    name=$(basename "$script" .txt)
    case $name in a2_continue | d2_founding_after_continue) continue ;; esac
    folder=$(mktemp -d /tmp/kabureplay-XXXXXX)
    ln -s "$data" "$folder/data"
    play "$folder" "$name"
    case $name in
        a1_trade_and_save) play "$folder" a2_continue ;;
        d_bankruptcy) play "$folder" d2_founding_after_continue ;;
    esac
    rm -rf "$folder"
done

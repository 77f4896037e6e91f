#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The layers point one way and the game assumes no platform:
# - only the backend folders of src/platform/ include system headers (SDL,
#   POSIX, Windows, emscripten, ...), and each includes no other backend but
#   the host's file steps (headless: posix or win32; web: posix);
# - src/core/ includes no game folder and of src/platform/ only the seam
#   headers at its top;
# - src/platform/shared/ includes no backend and no game;
# - the game (state, market, trading, frontend, program) includes nothing of
#   src/platform/, and src/state/ no screen;
# - shipped code (src/) includes only files of src/, never a test or a tool;
# - the tools run headless: no SDL2, Win32 or browser backend.
# Then it plants one wrong include at a time in a copy of the tree and
# checks that each is caught.
#
#   layering_test.sh SOURCE_DIR
set -uo pipefail
root=$(cd "${1:?usage: layering_test.sh SOURCE_DIR}" && pwd)

BACKENDS='sdl|win32|web|headless|posix'
GAME='state|market|trading|frontend|program'
SYSTEM='SDL[^>]*|unistd\.h|fcntl\.h|sys/[^>]*|dirent\.h|iconv\.h|pthread\.h|windows\.h|shlobj\.h|io\.h|ftw\.h|X11/[^>]*|fluidsynth[^>]*|png\.h|emscripten[^>]*|ft2build\.h|fontconfig/[^>]*|time\.h|limits\.h'

# Prints every broken rule of the tree at $1; fails when there is one.
check() {
    local tree=$1 status=0 file name own other
    complain() { echo "$1"; status=1; }
    cd "$tree/src" || return 1
    while IFS= read -r line; do
        file=${line%%:*}
        [[ $line =~ \#\ *include\ *[\"\<]([^\">]+) ]] || continue
        name=${BASH_REMATCH[1]}
        if [[ $line =~ \#\ *include\ *\< ]]; then
            [[ ! $file =~ ^platform/($BACKENDS)/ && $name =~ ^($SYSTEM)$ ]] &&
                complain "$file: a system header outside the backend folders (<$name>)"
            continue
        fi
        [ -f "$name" ] || [ -f "${file%/*}/$name" ] ||
            complain "$file: \"$name\" is not a file of src/ (a test or a tool in shipped code?)"
        case $file in
            core/*)
                [[ $name =~ ^($GAME)/ ]] && complain "$file: the core includes the game ($name)"
                [[ $name =~ ^platform/.*/ ]] && complain "$file: the core includes a backend ($name)" ;;
            platform/shared/*)
                [[ $name =~ ^($GAME)/|^platform/($BACKENDS)/ ]] &&
                    complain "$file: shared backend code includes the game or a backend ($name)" ;;
            platform/*/*)
                own=${file#platform/}
                own=${own%%/*}
                if [[ $name =~ ^platform/($BACKENDS)/ ]]; then
                    other=${name#platform/}
                    other=${other%%/*}
                    case $own:$name in
                        "$own:platform/$own/"* | sdl:platform/posix/* | web:platform/posix/posix_file_steps.h | \
                            headless:platform/posix/posix_file_steps.h | headless:platform/win32/win32_file_steps.h) ;;
                        *) complain "$file: the $own backend includes the $other backend ($name)" ;;
                    esac
                fi ;;
            state/*)
                [[ $name =~ ^(market|trading|frontend|program|platform)/ ]] &&
                    complain "$file: the records include a screen or a platform ($name)" ;;
            market/* | trading/* | frontend/* | program/*)
                [[ $name =~ ^platform/ ]] && complain "$file: the game includes a platform ($name)" ;;
        esac
    done < <(grep -rE '^ *# *include' --include='*.cpp' --include='*.h' . | sed 's|^\./||')
    cd "$tree/tools" || return 1
    grep -rnE '^ *# *include *"platform/(sdl|win32|web)/' . && complain "tools: a tool includes a real backend"
    return $status
}

check "$root"
status=$?

# Each wrong include must be caught.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
PLANTED=(
    'src/core/main_loop.cpp|#include "market/market.h"'
    'src/core/devices.cpp|#include "platform/sdl/sdl_backend.h"'
    'src/core/rng.cpp|#include "platform/shared/options.h"'
    'src/market/news.cpp|#include "platform/backend.h"'
    'src/state/records.cpp|#include "frontend/award.h"'
    'src/frontend/opening.cpp|#include <unistd.h>'
    'src/platform/shared/options.cpp|#include "platform/sdl/sdl_window.h"'
    'src/platform/sdl/sdl_main.cpp|#include "platform/win32/win32_backend.h"'
    'src/platform/web/web_main.cpp|#include "support/test_support.h"'
    'src/program/program.cpp|#include "interpreter.h"'
    'tools/runner/main.cpp|#include "platform/sdl/sdl_backend.h"'
)
for planted in "${PLANTED[@]}"; do
    target=${planted%%|*}
    line=${planted#*|}
    rm -rf "$scratch/tree" && mkdir -p "$scratch/tree" && cp -r "$root/src" "$root/tools" "$scratch/tree/"
    [ -f "$scratch/tree/$target" ] || { echo "planted: $target is missing"; status=1; continue; }
    sed -i "1a $line" "$scratch/tree/$target"
    if check "$scratch/tree" > /dev/null; then
        echo "planted '$line' in $target was not caught"
        status=1
    fi
done
exit $status

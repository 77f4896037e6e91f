#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The layers point one way and the game assumes no platform: only the backend
# folders under src/platform/ include system, SDL or POSIX headers; src/core/
# includes nothing above it but the seam headers of src/platform/; and
# src/state/ includes no screen.
set -uo pipefail
src=${1:?usage: layering_test.sh SOURCE_DIR}/src
cd "$src" || exit 1
status=0
complain() { echo "$1"; status=1; }

backends='^platform/(sdl|headless|posix|win32|web)/'
forbidden='#include *<(SDL[^>]*|unistd\.h|fcntl\.h|sys/[^>]*|dirent\.h|iconv\.h|pthread\.h|windows\.h|ftw\.h|X11/[^>]*|fluidsynth[^>]*|png\.h|emscripten[^>]*|ft2build\.h|fontconfig/[^>]*|time\.h)>'
while IFS= read -r file; do
    [[ $file =~ $backends ]] && continue
    grep -HnE "$forbidden" "$file" && complain "$file: a platform header outside the backend folders"
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)

up='#include *"(state|market|trading|frontend|program|platform/[a-z]+/)'
grep -rnE "$up" core && complain "src/core includes a layer above it"
grep -rnE '#include *"(market|trading|frontend|program)/' state && complain "src/state includes a screen"
exit $status

#!/usr/bin/env bash
# The layers point one way and the game assumes no platform: only the backend
# folders under src/shell/ include system, SDL or POSIX headers, nothing in
# src/shell/ includes a layer above it, and src/state/ includes no screen.
set -uo pipefail
src=${1:?usage: layering_test.sh SOURCE_DIR}/src
cd "$src" || exit 1
status=0
complain() { echo "$1"; status=1; }

backends='^shell/(sdl|headless|posix|win32|web)/'
forbidden='#include *<(SDL[^>]*|unistd\.h|fcntl\.h|sys/[^>]*|dirent\.h|iconv\.h|pthread\.h|windows\.h|ftw\.h|X11/[^>]*|fluidsynth[^>]*|png\.h|emscripten[^>]*|ft2build\.h|fontconfig/[^>]*|time\.h)>'
while IFS= read -r file; do
    [[ $file =~ $backends ]] && continue
    grep -HnE "$forbidden" "$file" && complain "$file: a platform header outside the backend folders"
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)

up='#include *"(state|market|trading|frontend|program)/'
grep -rnE "$up" shell && complain "src/shell includes a layer above it"
grep -rnE '#include *"(market|trading|frontend|program)/' state && complain "src/state includes a screen"
exit $status

# SPDX-License-Identifier: GPL-2.0-or-later
# Steps shared by the build scripts and the platform tests; sourced.
#
#   kabu_configure DIR [-DNAME=VALUE...] [-- WRAPPER...]
#       configures the one CMake project in DIR (Ninja) when DIR is new, its
#       last configuration failed or an option given differs from its cache
#       (DIR made afresh when it was configured from another source); quiet
#       unless it fails. A wrapper (emcmake) goes in front of cmake.
#   kabu_host_build DIR
#       the Linux build in DIR with what playing needs and the host tools that
#       the Windows, browser and fuzz builds take from it; prints its path.
#   kabu_compare_replays LABEL EXPECTED ACTUAL
#       two folders of tests/e2e/replay_all.sh compared file by file; says
#       how many frames, saves and outputs agree, or which files differ.

kabu_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)

kabu_configure() {
    local dir=$1 option setting name cache wrapper=() options=()
    shift
    while [ $# -gt 0 ]; do
        if [ "$1" = -- ]; then
            shift
            wrapper=("$@")
            break
        fi
        options+=("$1")
        shift
    done
    cache=$dir/CMakeCache.txt
    local configure=0
    # The last value given for a name is the one that counts.
    local -A wanted=()
    for option in "${options[@]}"; do
        setting=${option#-D}
        name=${setting%%=*}
        wanted[${name%%:*}]=${setting#*=}
    done
    # A folder configured from another source (an older layout of the tree)
    # starts afresh.
    if [ -f "$cache" ] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$kabu_root" "$cache"; then
        rm -rf "$dir"
    fi
    if [ ! -f "$cache" ] || [ ! -f "$dir/build.ninja" ]; then
        configure=1
    else
        for name in "${!wanted[@]}"; do
            grep -q "^$name:[A-Z]*=${wanted[$name]}\$" "$cache" || configure=1
        done
    fi
    [ $configure -eq 1 ] || return 0
    mkdir -p "$dir"
    "${wrapper[@]}" cmake -S "$kabu_root" -B "$dir" -G Ninja "${options[@]}" > "$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; return 1; }
}

kabu_host_build() {
    local dir=$1
    "$kabu_root/scripts/setup.sh" play "$dir" >&2
    cmake --build "$dir" --target host_tools >&2
    (cd "$dir" && pwd)
}

kabu_compare_replays() {
    local label=$1 expected=$2 actual=$3 file total=0 differing=()
    while IFS= read -r file; do
        total=$((total + 1))
        cmp -s "$expected/$file" "$actual/$file" || differing+=("$file")
    done < <(cd "$expected" && find . -type f | sort)
    local extra
    extra=$(comm -13 <(cd "$expected" && find . -type f | sort) <(cd "$actual" && find . -type f | sort))
    if [ ${#differing[@]} -gt 0 ] || [ -n "$extra" ]; then
        printf '%s: FAILED: differs from the Linux runner: %s\n' "$label" "${differing[@]}"
        [ -z "$extra" ] || echo "$label: FAILED: files the Linux runner did not leave: $extra"
        return 1
    fi
    if grep -L '^exit 0$' "$actual"/*/stdout | grep -q .; then
        echo "$label: FAILED: a script did not pass: $(grep -L '^exit 0$' "$actual"/*/stdout | tr '\n' ' ')"
        return 1
    fi
    echo "$label: $total of $total files identical to the Linux runner's" \
        "($(cd "$expected" && find . -name '*.png' | wc -l) frames," \
        "$(cd "$expected" && find . -path '*savedat/*' -type f | wc -l) save files," \
        "$(cd "$expected" && find . -name stdout | wc -l) printed outputs)"
}

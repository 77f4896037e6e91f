#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the fuzz target (clang, libFuzzer, ASan, UBSan), checks that its texts
# carry the same code page 932 bytes as the GCC build, seeds the corpus with
# save sets written by the game and fuzzes for FUZZ_SECONDS (60 by default).
#   tests/fuzz/run_fuzz.sh [GCC_BUILD_DIR]      (default build/, must be built)
# Extra libFuzzer options can be passed in FUZZ_OPTIONS, a corpus folder to
# keep in FUZZ_CORPUS.
set -euo pipefail
cd "$(dirname "$0")/../.."
echo "== fuzzing the save and ranking files"
root=$PWD
gcc_build=$root/${1:-build}
fuzz_build=$root/build-fuzz
seconds=${FUZZ_SECONDS:-60}

for package in clang libclang-rt-14-dev; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
        "${SUDO[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
        break
    fi
done

source scripts/lib.sh
host=$(kabu_host_build "$gcc_build")
kabu_configure "$fuzz_build" -DCMAKE_CXX_COMPILER="$(command -v clang++)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKABU_FUZZ=ON -DKABU_TESTS=OFF \
    -DKABU_HOST_BUILD="$host"
cmake --build "$fuzz_build" -j2

work=$(mktemp -d)
scratch=$(mktemp -d -p /dev/shm 2> /dev/null || mktemp -d)
trap 'rm -rf "$work" "$scratch"' EXIT
export ASAN_OPTIONS=detect_leaks=0

# The same script through both runners: the same frames and the same trace.
# The founding draws from the real clock, so its frames and the later ones of
# the same run are left out.
for side in gcc fuzz; do
    mkdir -p "$work/$side"
    ln -s "$gcc_build/data" "$work/$side/data"
done
(cd "$work/gcc" && "$gcc_build/runner" --shots shots "$root/tests/e2e/gallery.txt" > trace.txt)
(cd "$work/fuzz" && "$fuzz_build/runner" --shots shots "$root/tests/e2e/gallery.txt" > trace.txt)
cmp "$work/gcc/trace.txt" "$work/fuzz/trace.txt"
for shot in "$work"/gcc/shots/*.png; do
    name=$(basename "$shot")
    case $name in founding.png | ruin.png | game_over.png) continue ;; esac
    cmp "$shot" "$work/fuzz/shots/$name" || { echo "texts differ between the builds: $name"; exit 1; }
done
echo "fuzz build draws the same texts as the GCC build"

# Seeds: the save set and ranking file each script leaves, packed as one input.
# The corpus lives in FUZZ_CORPUS when given (kept from run to run), else in a
# scratch folder, so the short run always starts from the seeds alone.
corpus=${FUZZ_CORPUS:-$work/corpus}
mkdir -p "$corpus"
corpus=$(cd "$corpus" && pwd)
sizes=(3120 620 3480 3720 4932 1072)
names=(data edit rist grafu grafu2 rank)
for script in a1_trade_and_save b_one_year d_bankruptcy c_ruin gallery; do
    folder=$work/seed-$script
    mkdir -p "$folder"
    ln -s "$gcc_build/data" "$folder/data"
    (cd "$folder" && "$gcc_build/runner" --quiet "$root/tests/e2e/$script.txt" > /dev/null)
    seed=$corpus/seed-$script
    control=""
    for i in 0 1 2 3 4 5; do
        if [ -f "$folder/savedat/${names[$i]}.txt" ]; then control+='\x00'; else control+='\x80'; fi
    done
    {
        printf "${control}"'\x05\x2a'
        for i in 0 1 2 3 4 5; do
            file=$folder/savedat/${names[$i]}.txt
            if [ -f "$file" ]; then
                head -c "${sizes[$i]}" "$file"
                pad=$((sizes[i] - $(stat -c %s "$file")))
            else
                pad=${sizes[$i]}
            fi
            if [ "$pad" -gt 0 ]; then head -c "$pad" /dev/zero; fi
        done
    } > "$seed"
done

# The fuzzer works in a folder of its own: paths given to it are absolute.
mkdir -p "$fuzz_build/artifacts"
KABU_DATA=$gcc_build/data KABU_FUZZ_WORK=$scratch "$fuzz_build/save_fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$fuzz_build/artifacts/" -print_final_stats=1 ${FUZZ_OPTIONS:-} "$corpus"

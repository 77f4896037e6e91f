#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The Windows build under Wine, in a Wine prefix of its own under Xvfb: the
# executable's imports, every unit and scene suite, the end-to-end scripts
# played by runner.exe against the Linux runner byte for byte, the game in a
# real window (from the unpacked zip), the messages and their boxes, a damaged
# glyph file, a second copy, a link to a folder, and the installer's silent
# install, start and uninstall. Screenshots go to <windows build>/screens/windows_*.png.
#
#   tests/windows/windows_test.sh [WINDOWS_BUILD [LINUX_BUILD]]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build-windows}" && pwd)
linux=$(cd "${2:-$root/build}" && pwd)
version=$(sed -n 's/^project(kabusim VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
screens="$build/screens"
mkdir -p "$screens"
work=$(mktemp -d /tmp/kabuwindows-XXXXXX)
source "$here/wine_session.sh"
source "$root/scripts/window_input.sh"
source "$root/scripts/lib.sh"
started=$(date +%s)
failures=0
game_code=""

fail() {
    echo "windows: FAILED: $*"
    failures=$((failures + 1))
}
# The id of a window named NAME that is not one of the ids in BEFORE, once
# one shows (ten seconds at most).
new_window() {  # NAME BEFORE
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --name "$1" 2> /dev/null); do
            [[ " $2 " == *" $id "* ]] || { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}
windows_named() { xdotool search --name "$1" 2> /dev/null | tr '\n' ' '; }
# The text files of a package, the notices and both licences among them, as
# Notepad reads them (UTF-8 with a byte-order mark, CR LF).
notepad_texts() {  # FOLDER WHAT
    for text in readme.txt COPYING.txt THIRD_PARTY_NOTICES.txt data/IPA_Font_License.txt; do
        [ "$(head -c 3 "$1/$text" | od -An -tx1)" = " ef bb bf" ] &&
            [ "$(tr -cd '\n' < "$1/$text" | wc -c)" = "$(tr -cd '\r' < "$1/$text" | wc -c)" ] ||
            fail "$2: $text is not as Notepad reads it"
    done
    grep -q 'Version 2, June 1991' "$1/COPYING.txt" && grep -q 'winpthreads' "$1/THIRD_PARTY_NOTICES.txt" &&
        grep -q 'IPA Font License Agreement v1.0' "$1/data/IPA_Font_License.txt" || fail "$2: no notices or licence"
}
# Waits up to five seconds for the game to end; sets game_code to its exit
# code, or to "still running".
game_end() {
    for _ in $(seq 50); do
        kill -0 "$game_pid" 2> /dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2> /dev/null; then
        game_code="still running"
        return
    fi
    wait "$game_pid"
    game_code=$?
    game_pid=""
}

# A screen of 1280 x 1024: the picture is scaled by two with 32 rows of
# border above and below. Wine's own window frame is left off (unmanaged),
# so a full-screen window covers the screen exactly.
start_wine_session 1280x1024 || { echo "windows: FAILED: no Wine session"; exit 1; }

echo "== imports and resources of kabusim.exe"
imports=$(x86_64-w64-mingw32-objdump -p "$build/kabusim.exe" | awk '/DLL Name:/ {print $3}' | tr '\n' ' ')
for dll in $imports; do
    case ${dll,,} in
        kernel32.dll | user32.dll | gdi32.dll | winmm.dll | shell32.dll | ole32.dll | msvcrt.dll) ;;
        *) fail "kabusim.exe imports $dll, which is not Windows' own" ;;
    esac
done
echo "kabusim.exe imports $imports"
resources=$(x86_64-w64-mingw32-windres -i "$build/kabusim.exe" -O rc 2> /dev/null | grep -v '^ *0x')
for resource in RT_GROUP_ICON VERSIONINFO '"FileVersion", "'"$version"'"' PerMonitorV2 asInvoker; do
    [[ $resources == *"$resource"* ]] || fail "kabusim.exe has no $resource among its resources"
done
echo "kabusim.exe carries its icon, version $version and manifest (per-monitor DPI awareness)"

echo "== unit and scene suites under Wine"
mkdir -p "$work/suites"
run_suite() {
    local name
    name=$(basename "$1" .exe)
    # A suite that hangs fails after ten minutes instead of holding the run.
    (cd "$build" && timeout 600 wine "$1" --gtest_brief=1 > "$work/suites/$name.log" 2>&1)
    echo $? > "$work/suites/$name.code"
}
# The longest first, two at a time.
suites=()
for name in state_fuzz_test hostile_replay_test file_safety_test state_crash_test e2e_scripts_test; do
    [ -f "$build/$name.exe" ] && suites+=("$build/$name.exe")
done
for exe in "$build"/*_test.exe; do
    [[ " ${suites[*]} " == *" $exe "* ]] || suites+=("$exe")
done
export -f run_suite
export work build
printf '%s\n' "${suites[@]}" | xargs -P 2 -I {} bash -c 'run_suite "$1"' _ {}
passed=0
skipped=0
failed=0
for exe in "${suites[@]}"; do
    name=$(basename "$exe" .exe)
    log="$work/suites/$name.txt"
    tr -d '\r' < "$work/suites/$name.log" | grep -v '^ALSA' > "$log"
    count() { sed -n "s/^\\[  $1 *\\] \\([0-9]*\\) tests\\{0,1\\}[.,].*/\\1/p" "$log" | head -n1 | grep . || echo 0; }
    passed=$((passed + $(count PASSED)))
    skipped=$((skipped + $(count SKIPPED)))
    failed=$((failed + $(count FAILED)))
    if [ "$(cat "$work/suites/$name.code")" != 0 ]; then
        tail -n 30 "$log"
        fail "$name"
    fi
    grep -A1 ': Skipped$' "$log" | grep -v -e ': Skipped$' -e '^--$' | sed "s/^/  skipped in $name: /"
done
echo "suites: ${#suites[@]} programs, $passed tests passed, $skipped skipped, $failed failed"

echo "== end-to-end scripts: runner.exe against the Linux runner"
"$root/tests/e2e/replay_all.sh" "$work/replay-linux" "$linux/data" "$linux/runner"
"$root/tests/e2e/replay_all.sh" "$work/replay-windows" "$build/data" wine "$build/runner.exe" 2> /dev/null
kabu_compare_replays replays "$work/replay-linux" "$work/replay-windows" || failures=$((failures + 1))

echo "== the game from the zip, in a real window"
window_test() {
    mkdir -p "$work/zip"
    (cd "$work/zip" && unzip -q "$build/kabusim-$version-windows-x64.zip") || { fail "the zip does not unpack"; return; }
    local game="$work/zip/kabusim" file
    for file in kabusim.exe readme.txt data/char.BMP data/glyphs.bin data/main.mid data/IPA_Font_License.txt; do
        [ -f "$game/$file" ] || fail "the zip has no kabusim/$file"
    done
    notepad_texts "$game" zip
    # The frame to compare with, from the headless game.
    mkdir -p "$work/frames" && ln -s "$linux/data" "$work/frames/data"
    (cd "$work/frames" && "$linux/runner" --quiet --shots "$work/frames" "$here/window_frames.txt" > /dev/null) ||
        { fail "the runner did not make the title frame"; return; }
    local before window geometry
    before=$(windows_named '^Direct X$')
    (cd "$game" && exec wine kabusim.exe > "$work/game.out" 2>&1) &
    game_pid=$!
    window=$(new_window '^Direct X$' "$before") || { fail "no window appeared"; return; }
    geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
    [ "$geometry" = 1280x1024 ] || fail "the window is $geometry, not the whole screen"
    # Picture (320, 240) is screen (641, 513).
    xdotool windowfocus "$window" 2> /dev/null
    xdotool mousemove 641 513
    sleep 1
    import -window root "$screens/windows_opening.png" 2> /dev/null
    xdotool keydown Return && sleep 0.25 && xdotool keyup Return
    sleep 1.5
    import -window root "$screens/windows_title.png" 2> /dev/null
    convert "$screens/windows_title.png" -crop 1280x960+0+32 +repage "$work/title_picture.png"
    convert "$work/frames/title.png" -sample 200% "$work/title_expected.png"
    local differing
    differing=$(compare -metric AE "$work/title_picture.png" "$work/title_expected.png" null: 2>&1)
    if [ "$differing" = 0 ]; then
        echo "real window: the title on screen equals the headless frame scaled by two"
    else
        fail "the title on screen differs from the headless frame in $differing pixels"
    fi
    [ -e "$game/savedat" ] && fail "savedat exists before any save"
    click 380 300  # start: the menu opens
    click 400 270  # a new game: the name entry
    sleep 0.5
    import -window root "$screens/windows_name_entry.png" 2> /dev/null
    xdotool keydown Return && sleep 0.25 && xdotool keyup Return
    # Into the market; its first price step saves beside the program.
    for _ in $(seq 100); do [ -s "$game/savedat/data.txt" ] && break; sleep 0.1; done
    if [ -s "$game/savedat/data.txt" ]; then
        echo "real window: a click started a new game, saved beside kabusim.exe"
    else
        fail "no save beside kabusim.exe after starting a new game"
    fi
    import -window root "$screens/windows_market.png" 2> /dev/null
    xdotool keydown Escape && sleep 0.1 && xdotool keyup Escape
    game_end
    [ "$game_code" = 0 ] && echo "real window: Escape ended the game with code 0" || fail "after Escape: $game_code"
}
window_test

echo "== messages, a damaged glyph file, a second copy, a link to a folder"
# ARGS... in FOLDER, redirected: TEXT in the file, no box, CODE; started as from
# Explorer (no standard handles nor console): a box kept as NAME, the same CODE.
says() {  # FOLDER CODE TEXT NAME ARGS...
    local folder=$1 code=$2 text=$3 name=$4 before box
    shift 4
    (cd "$folder" && timeout 20 wine kabusim.exe "$@" > "$work/said.txt")
    game_code=$?
    [ "$game_code" = "$code" ] && grep -q "$text" "$work/said.txt" ||
        fail "kabusim.exe $* > said.txt: code $game_code, $(grep -v ALSA "$work/said.txt")"
    [ -n "$name" ] || return
    before=$(windows_named '^Kabusim$')
    (cd "$folder" && exec wine start /wait /unix "$folder/kabusim.exe" "$@" > /dev/null 2>&1) &
    game_pid=$!
    box=$(new_window '^Kabusim$' "$before") && sleep 0.5 && import -window root "$screens/windows_$name.png" 2> /dev/null
    # The space bar presses OK on its release, so no key is left down.
    xdotool key --window "$box" space 2> /dev/null || fail "no message box for $name"
    game_end
    [ "$game_code" = "$code" ] || fail "$name from Explorer: code $game_code, not $code"
}
mkdir -p "$work/alone" "$work/glyphs"
cp "$build/kabusim.exe" "$work/alone/"
cp -r "$build/kabusim.exe" "$work/zip/kabusim/data" "$work/glyphs/"
says "$work/alone" 0 "^kabusim $version\$" "" --version
says "$work/alone" 0 '^Usage: kabusim.exe' help --help
says "$work/alone" 2 "unknown option '--bogus'" unknown_option --bogus
says "$work/alone" 1 'data.char.BMP' no_data
for damage in short long changed; do
    "$root/tests/damage_glyphs.sh" "$build/data/glyphs.bin" "$work/glyphs/data/glyphs.bin" $damage
    says "$work/glyphs" 1 'glyphs.bin is damaged' "$([ $damage = changed ] && echo damaged_glyphs)"
done
echo "messages: printed with no box, else in a box; a damaged glyph file named"

# A second copy changes nothing; once the first is killed, a new start plays.
second_copy_test() {
    local game="$work/zip/kabusim" before window saved first_pid
    listing() { (cd "$game" && ls -la --time-style=full-iso . savedat | grep -v savedat.lock && sha256sum savedat/*); }
    before=$(windows_named '^Direct X$')
    (cd "$game" && exec wine kabusim.exe --window > "$work/first.out" 2>&1) &
    first_pid=$!
    new_window '^Direct X$' "$before" > /dev/null || { fail "the first copy showed no window"; return; }
    saved=$(listing)
    says "$game" 1 'another copy of the game is running' "" --stats=stats.txt
    [ "$(listing)" = "$saved" ] || fail "the second copy changed the first's folder: $(listing)"
    kill -9 "$first_pid" && wait "$first_pid" 2> /dev/null
    before=$(windows_named '^Direct X$')
    (cd "$game" && exec wine kabusim.exe --window > "$work/third.out" 2>&1) &
    game_pid=$!
    window=$(new_window '^Direct X$' "$before") || fail "no start after the first was killed: $(cat "$work/third.out")"
    xdotool windowfocus "$window" key Escape 2> /dev/null
    game_end
    [ "$game_code" = 0 ] && echo "a second copy: refused, code 1, saves untouched; after a kill a new start plays" ||
        fail "the start after the kill, after Escape: $game_code"
}
second_copy_test
"$root/tests/folder_link/folder_link_test.sh" "$build/data" wine "$build/runner.exe" || fail "the folder link test"

echo "== installer: silent install, start, silent uninstall"
installer_test() {
    local setup="$build/kabusim-$version-setup.exe" folder="$WINEPREFIX/drive_c/Games/Kabusim" file key
    wine "$setup" /S '/D=C:\Games\Kabusim' > /dev/null 2>&1 || fail "the silent install failed"
    for file in kabusim.exe readme.txt uninstall.exe data/char.BMP data/glyphs.bin data/IPA_Font_License.txt; do
        [ -f "$folder/$file" ] || fail "the install has no $file"
    done
    notepad_texts "$folder" installer
    key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Kabusim'
    wine reg query "HKLM\\$key" /v UninstallString > "$work/reg.txt" 2>&1 ||
        wine reg query "HKCU\\$key" /v UninstallString > "$work/reg.txt" 2>&1 ||
        fail "no uninstaller registered"
    local shortcut
    shortcut=$(find "$WINEPREFIX/drive_c" -name 'Kabusim.lnk' | head -n1)
    [ -n "$shortcut" ] || fail "no Start-menu entry"
    local before window
    before=$(windows_named '^Direct X$')
    (cd "$work" && exec wine 'C:\Games\Kabusim\kabusim.exe' --window > "$work/installed.out" 2>&1) &
    game_pid=$!
    if window=$(new_window '^Direct X$' "$before"); then
        sleep 1
        import -window root "$screens/windows_installed_window.png" 2> /dev/null
        # A 640 x 480 picture in Wine's own frame; Alt+Enter to the whole
        # screen and back.
        local sizes
        sizes=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
        # No window manager gives it the keyboard.
        xdotool windowfocus "$window" 2> /dev/null
        xdotool mousemove --window "$window" 320 240
        for _ in 1 2; do
            xdotool keydown alt && sleep 0.1 && xdotool key Return && sleep 0.1 && xdotool keyup alt
            sleep 0.7
            sizes="$sizes $(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')"
        done
        [ "$sizes" = "648x507 1280x1024 648x507" ] && echo "installed game: --window, then Alt+Enter: $sizes" ||
            fail "--window and Alt+Enter gave the sizes $sizes"
        xdotool windowfocus "$window" 2> /dev/null
        xdotool key Escape
    else
        fail "the installed game showed no window"
    fi
    game_end
    [ "$game_code" = 0 ] || fail "the installed game, after Escape: $game_code"
    # The uninstaller copies itself away and runs from there.
    wine 'C:\Games\Kabusim\uninstall.exe' /S > /dev/null 2>&1
    for _ in $(seq 150); do
        [ -e "$folder" ] || break
        sleep 0.1
    done
    [ -e "$folder" ] && fail "the uninstall left $(cd "$folder" && find . -type f | tr '\n' ' ')"
    [ -e "$shortcut" ] && fail "the uninstall left the Start-menu entry"
    wine reg query "HKLM\\$key" > /dev/null 2>&1 && fail "the uninstall left its registry key"
    echo "installer: installed to C:\\Games\\Kabusim, started, uninstalled; no program files left"
}
installer_test

echo "windows: $(($(date +%s) - started)) s"
if [ "$failures" -gt 0 ]; then
    echo "windows: $failures FAILED"
    exit 1
fi
echo "windows: all passed"

#!/bin/sh
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the build into a temporary prefix whose name needs quoting, and
# checks the layout, the desktop entry (launched as a desktop would), the icon,
# the AppStream description and that the launcher sets up the per-user folder
# and starts the game there. Usage: install_test.sh BUILD_DIR
set -eu

build=$(readlink -f -- "${1:?usage: install_test.sh BUILD_DIR}")
work=$(mktemp -d /tmp/kabuinstall-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
prefix="$work/my \"games\" \$HOME's \`x\`"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check_file() { [ -f "$1" ] || fail "missing $1"; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

# Layout.
[ -x "$prefix/bin/kabusim" ] || fail "game not installed"
[ -x "$prefix/bin/kabusim-launcher" ] || fail "launcher not installed or not executable"
for name in gamemain.BMP char.BMP syasin.BMP uke.BMP kounyu.BMP shien.BMP hyosho.BMP over.BMP edit.BMP \
    ranking.BMP title.BMP grfback.BMP title.mid edit.mid main.mid 2ofus.MID glyphs.bin IPA_Font_License.txt; do
    check_file "$prefix/share/kabusim/data/$name"
    cmp -s "$build/data/$name" "$prefix/share/kabusim/data/$name" || fail "data/$name differs from the build"
done
[ ! -e "$prefix/share/kabusim/data/.stamp" ] || fail "build stamp installed"

# Desktop entry: runs the installed launcher, whatever the prefix.
desktop="$prefix/share/applications/kabusim.desktop"
check_file "$desktop"
grep -qx '\[Desktop Entry\]' "$desktop" || fail "desktop entry has no group header"
grep -qx 'Type=Application' "$desktop" || fail "desktop entry is not an application"
grep -qx 'Icon=kabusim' "$desktop" || fail "desktop entry does not name the icon"
if command -v desktop-file-validate > /dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v gio > /dev/null 2>&1; then
    mkdir -p "$work/gio-home"
    out=$(env -u XDG_DATA_HOME HOME="$work/gio-home" KABUSIM_LAUNCHER_DRY_RUN=1 gio launch "$desktop" 2>&1)
    [ "$out" = "$work/gio-home/.local/share/kabusim" ] || fail "the desktop entry does not start the launcher: $out"
fi

# The icon in every size, and the AppStream description.
for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/kabusim.png"
    check_file "$icon"
    file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "icon $size: $(file -b "$icon")"
done
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml 2> /dev/null | head -n 1)
[ -n "$metainfo" ] || fail "no AppStream description"
if [ -n "$metainfo" ] && command -v appstreamcli > /dev/null 2>&1; then
    appstreamcli validate --no-net "$metainfo" > "$work/appstream.log" 2>&1 || fail "appstreamcli: $(cat "$work/appstream.log")"
fi

# The launcher with a fake home: default folder, link to the data, savedat/.
home="$work/home"
mkdir -p "$home"
out=$(env -u XDG_DATA_HOME HOME="$home" KABUSIM_LAUNCHER_DRY_RUN=1 "$prefix/bin/kabusim-launcher")
folder="$home/.local/share/kabusim"
[ "$out" = "$folder" ] || fail "launcher folder is '$out', not '$folder'"
[ -L "$folder/data" ] || fail "no data link in $folder"
[ "$(readlink -f "$folder/data")" = "$(readlink -f "$prefix/share/kabusim/data")" ] || fail "data link points elsewhere"
[ -f "$folder/data/char.BMP" ] || fail "data not reachable through the link"
if [ ! -d "$folder/savedat" ] || [ ! -w "$folder/savedat" ]; then fail "no writable savedat/"; fi

# A second start keeps the folder and the saves; a stale link is repointed.
echo keep > "$folder/savedat/data.txt"
ln -sfn "$work/elsewhere" "$folder/data"
env -u XDG_DATA_HOME HOME="$home" KABUSIM_LAUNCHER_DRY_RUN=1 "$prefix/bin/kabusim-launcher" > /dev/null
[ "$(cat "$folder/savedat/data.txt")" = keep ] || fail "saves lost on a second start"
[ -f "$folder/data/char.BMP" ] || fail "stale data link not repointed"

# XDG_DATA_HOME is honoured; started through a link elsewhere it still finds its data.
mkdir -p "$work/links"
ln -s "$prefix/bin/kabusim-launcher" "$work/links/kabusim-launcher"
out=$(HOME="$home" XDG_DATA_HOME="$work/xdg" KABUSIM_LAUNCHER_DRY_RUN=1 "$work/links/kabusim-launcher")
[ "$out" = "$work/xdg/kabusim" ] || fail "XDG_DATA_HOME not used: '$out'"
[ -f "$work/xdg/kabusim/data/title.BMP" ] || fail "data not reachable under XDG_DATA_HOME"

# A data entry that is not a link is left alone.
mkdir -p "$work/xdg2/kabusim/data"
if HOME="$home" XDG_DATA_HOME="$work/xdg2" KABUSIM_LAUNCHER_DRY_RUN=1 "$prefix/bin/kabusim-launcher" \
    > /dev/null 2>&1; then
    fail "launcher went on over a real data folder"
fi

# The launcher starts the game in that folder: a copy of the tree with a game
# that reports where it runs and what it sees.
cp -a "$prefix" "$work/moved"
cat > "$work/moved/bin/kabusim" <<'STUB'
#!/bin/sh
{ pwd; [ -r data/title.BMP ] && echo data; [ -w savedat ] && echo savedat; } > "$HOME/started"
STUB
chmod +x "$work/moved/bin/kabusim"
home2="$work/home2"
mkdir -p "$home2"
env -u XDG_DATA_HOME HOME="$home2" "$work/moved/bin/kabusim-launcher"
expected=$(printf '%s\ndata\nsavedat' "$home2/.local/share/kabusim")
[ "$(cat "$home2/started" 2>/dev/null)" = "$expected" ] || fail "game not started in the per-user folder"
[ "$(readlink -f "$home2/.local/share/kabusim/data")" = "$(readlink -f "$work/moved/share/kabusim/data")" ] ||
    fail "a moved tree links to the old data"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install layout and launcher: ok"

#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: install missing Debian packages,
# configure and build. Quick when nothing changed.
set -euo pipefail

PACKAGES=(build-essential cmake pkg-config libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev libpng-dev
          libgtest-dev libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho timgm6mb-soundfont xvfb xdotool x11-apps
          imagemagick x11-utils python3)

missing=()
for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$build_dir.configure.log" 2>&1 \
    || { cat "$build_dir.configure.log"; exit 1; }
cmake --build "$build_dir" -j"$(nproc)"

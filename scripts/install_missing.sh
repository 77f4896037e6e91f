#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the Debian packages named that are not installed yet (one query
# for all; apt-get as root, or through sudo). Quick when nothing is missing.
#
#   scripts/install_missing.sh PACKAGE...
set -euo pipefail
installed=" $({ dpkg-query -W -f='${Package} ${Status}\n' "$@" 2> /dev/null || true; } |
    awk '/ ok installed$/ {print $1}' | tr '\n' ' ')"
missing=()
for package in "$@"; do
    [[ $installed == *" $package "* ]] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
# Another install on the machine (a second build started beside this one)
# holds the lock for a while: wait for it.
"${SUDO[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"

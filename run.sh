#!/usr/bin/env bash
# Installs what is missing, builds, generates data/ and starts the game in build/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
cd build
exec ./kabusim

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs what playing needs, builds the game and its data/ in build/ and
# starts it there (savedat/ is kept in build/). Options go on to the game:
# ./run.sh --window, ./run.sh --help.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh play build
cd build
exec ./kabusim "$@"

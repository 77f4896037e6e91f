#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs what is missing, builds everything, generates data/ and runs the
# whole suite: the unit and scene tests, the same tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, the real-window test under Xvfb, the
# Debian package test, the browser version in headless Chromium, the
# Windows build cross-compiled and run under Wine, and the release made from
# these builds (scripts/release.sh into dist/) with its files checked.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh all build
scripts/setup.sh all build-sanitize -DKABU_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

echo "== tests"
(cd build && ctest --output-on-failure -j"$(nproc)")
echo "== tests under sanitizers"
# Leaks are checked too, but for what the system libraries keep for good.
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0" \
    ctest --output-on-failure -j"$(nproc)")
tests/fuzz/run_fuzz.sh build
echo "== real window"
tests/window/real_window_test.sh build
echo "== Debian package"
tests/package/package_test.sh build
tests/web/web_test.sh build
echo "== Windows, cross-built and run under Wine"
scripts/build_windows.sh build-windows && tests/windows/windows_test.sh build-windows build
echo "== release"
scripts/release.sh dist
tests/release_test.sh dist "$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' build/CMakeCache.txt)"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs the whole suite headless: first the
# normal build, then the AddressSanitizer + UndefinedBehaviorSanitizer build,
# each offscreen and then its windowed suites on Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j2 -LE x11
# The windowed suites again on a real X server.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -L x11

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON >/dev/null
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j2 -LE x11
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-asan --output-on-failure -L x11

#!/usr/bin/env bash
# The everyday check, a few minutes at most: build, the unit and window tests, the format.
# tools/test.sh runs everything else too (sanitizers, fuzzing, packaging, hostile file systems).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLG_BUILD_TESTS=ON -DDLG_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)"
tools/format.sh

#!/usr/bin/env bash
# Builds the editor and opens it on the sample dialogues in examples/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLG_BUILD_TESTS=OFF -DDLG_BUILD_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)" --target dlgeditor
cd examples
exec "$root/build/src/ui/dlgeditor"

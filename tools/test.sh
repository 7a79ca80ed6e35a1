#!/usr/bin/env bash
# Builds everything and runs every test: the unit and window tests, a screenshot of the real
# window under Xvfb, the installed files and the Debian package, dlgcheck.exe under Wine, the
# seeded fuzzing runs, the hostile file system cases, and last the same unit and window tests
# again under AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh test
tools/format.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDLG_BUILD_TESTS=ON -DDLG_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
# Full disks, read-only mounts, immutable files, links: as root only, skipped otherwise.
tools/hostile_fs.sh build/tests/hostile_driver
# The editor killed at every file call of a session: no edit that reached the disk is lost.
tools/kill_test.sh build/tests/hostile_driver

tools/screenshot.sh build/src/ui/dlgeditor build/screenshots
# Installed into a DESTDIR, packaged, linted; as root also installed, run and purged.
JOBS=$jobs tools/package_test.sh build
# dlgcheck.exe cross-built for Windows with its zip; the golden cases and command-line rows run
# under Wine beside the Linux build's.
JOBS=$jobs tools/windows_test.sh build/src/dlgcheck/dlgcheck build-windows
tools/fuzz.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDLG_SANITIZE=ON -DDLG_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j "$jobs"

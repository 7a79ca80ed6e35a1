#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need; does nothing when
# they are all present. Safe to run twice.
set -euo pipefail
packages=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libxxhash-dev jq libgraphviz-dev pkg-config xvfb xauth imagemagick
  xdotool fonts-dejavu-core dpkg-dev fakeroot file man-db desktop-file-utils appstream lintian
  strace shared-mime-info)
# dlgcheck.exe: cross-built with mingw-w64 and run under Wine by tools/windows_test.sh.
packages+=(g++-mingw-w64-x86-64-posix wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

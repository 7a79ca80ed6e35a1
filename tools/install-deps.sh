#!/usr/bin/env bash
# Installs the Debian 12 packages of one purpose and does nothing when they are all present.
# Safe to run twice.
#   tools/install-deps.sh run    building and running the editor and the command-line tools
#   tools/install-deps.sh test   that, and every test: compilers, sanitizers, fuzzing, Xvfb,
#                                packaging, translation tools, the Windows build under Wine
set -euo pipefail
purpose=${1:-test}
run=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libxxhash-dev
  libgraphviz-dev libgettextpo-dev libxlsxwriter-dev fonts-dejavu-core)
test=(clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev jq xvfb xauth
  imagemagick xdotool dpkg-dev fakeroot file man-db desktop-file-utils appstream lintian strace
  shared-mime-info gettext translate-toolkit git
  # dlgcheck.exe: cross-built with mingw-w64 and run under Wine by tools/windows_test.sh.
  g++-mingw-w64-x86-64-posix wine64)
case "$purpose" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" "${test[@]}") ;;
  *) echo "usage: tools/install-deps.sh [run|test]" >&2; exit 2 ;;
esac
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

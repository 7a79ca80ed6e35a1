#!/usr/bin/env bash
# Installs the programs as users get them and checks what the desktop and Debian see: an install
# into a temporary DESTDIR (desktop entry, AppStream metadata, icons, manual pages), the Debian
# package (stripped, lintian), and, as root only, that package installed with dpkg: dlgcheck over
# the examples, dlgeditor's window under Xvfb, then the package purged again.
# Usage: tools/package_test.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
fail() {
  echo "package test: $*" >&2
  exit 1
}
for tool in cmake cpack msgen desktop-file-validate appstreamcli lintian man dpkg-deb dpkg-shlibdeps \
  fakeroot file gzip Xvfb xdotool; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done
[ -f "$build/CMakeCache.txt" ] || fail "no configured build folder at $build"

work=$(mktemp -d)
installed_pkg=
editor_pid=
xvfb_pid=
cleanup() {
  if [ -n "$editor_pid" ]; then kill "$editor_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [ -n "$installed_pkg" ]; then dpkg --purge "$installed_pkg" >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

cmake --build "$build" -j "${JOBS:-2}" --target dlg_install_files

# --- Installed into a DESTDIR ----------------------------------------------------------------
dest="$work/dest"
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
usr="$dest/usr"
[ -x "$usr/bin/dlgeditor" ] || fail "no bin/dlgeditor in the install"
desktops=("$usr"/share/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] || fail "expected one desktop entry, found ${#desktops[@]}"
[ -f "${desktops[0]}" ] || fail "no desktop entry"
app_id=$(basename "${desktops[0]}" .desktop)
[[ "$app_id" =~ ^[a-z]+(\.[a-z0-9]+)+\.[A-Za-z][A-Za-z0-9]*$ ]] || fail "$app_id: not a reverse-domain id"

out=$(desktop-file-validate "${desktops[0]}" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
metainfo="$usr/share/metainfo/$app_id.metainfo.xml"
[ -f "$metainfo" ] || fail "no metadata named after $app_id"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/appstream.log")"

# The one id everywhere: metadata id and launchable, the entry's icon and window class.
grep -q "<id>$app_id</id>" "$metainfo" || fail "metadata id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metadata does not launch $app_id.desktop"
grep -qx "Icon=$app_id" "${desktops[0]}" || fail "desktop entry's icon is not $app_id"
grep -qx "StartupWMClass=$app_id" "${desktops[0]}" || fail "desktop entry's window class is not $app_id"
# The entry opens files of the type that the package's shared-mime-info definition gives *.dlg.
grep -qx "Exec=dlgeditor %f" "${desktops[0]}" || fail "the desktop entry does not pass a file to dlgeditor"
entry_type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "${desktops[0]}")
[ -n "$entry_type" ] || fail "the desktop entry opens no type of file"
mime_xml="$usr/share/mime/packages/$app_id.xml"
[ -f "$mime_xml" ] || fail "no shared-mime-info definition at $mime_xml"
cp -r "$usr/share/mime" "$work/mime"
update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database: $(cat "$work/mime.log")"
grep -q ":$entry_type:\*\.dlg$" "$work/mime/globs2" || fail "the installed definition does not give *.dlg the type $entry_type"
grep -q "<mediatype>$entry_type</mediatype>" "$metainfo" || fail "the metadata does not name $entry_type"
for size in 16 22 24 32 48 64 128 256; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  file "$icon" | grep -q "PNG image data, $size x $size," || fail "no $size x $size icon at $icon"
done

# Every program has its manual page, gzipped without a time stamp, and man renders it cleanly.
programs=()
for bin in "$usr"/bin/*; do programs+=("$(basename "$bin")"); done
pages=()
for page in "$usr"/share/man/man1/*; do pages+=("$(basename "$page" .1.gz)"); done
[ "${programs[*]}" = "${pages[*]}" ] || fail "programs (${programs[*]}) and manual pages (${pages[*]}) differ"
for name in "${pages[@]}"; do
  page="$usr/share/man/man1/$name.1.gz"
  info=$(file "$page")
  [[ "$info" == *"gzip compressed data, max compression"* && "$info" != *"last modified"* ]] ||
    fail "$page: not gzip -9n ($info)"
  MANWIDTH=80 man --warnings -l "$page" >"$work/page.txt" 2>"$work/man.err" || fail "man -l $page failed"
  if [ -s "$work/man.err" ]; then fail "$name.1: $(cat "$work/man.err")"; fi
  grep -q "^NAME" "$work/page.txt" || fail "$name.1 renders without a NAME section"
done
echo "package test: install tree valid (${programs[*]}, id $app_id)"

# --- The Debian package ----------------------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log") || fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/deb/*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no package"
[ ${#debs[@]} -eq 1 ] || fail "cpack made ${#debs[@]} packages"
deb="${debs[0]}"
pkg=$(dpkg-deb -f "$deb" Package)
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "$pkg: dependencies not taken from the binaries"
dpkg-deb -f "$deb" Depends | grep -q "libgettextpo0" || fail "$pkg: no dependency on libgettextpo0 for dlg2po and po2dlg"
dpkg-deb -x "$deb" "$work/unpacked"
for bin in "$work"/unpacked/usr/bin/*; do
  file "$bin" | grep -q ", stripped" || fail "$bin is not stripped"
done
# Exit status 1: a tag at the failing level (an error); 2: lintian itself failed.
lintian_status=0
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
grep -v "root privileges" "$work/lintian.log" || true
[ "$lintian_status" -eq 0 ] || fail "lintian finds errors in $pkg (status $lintian_status)"
echo "package test: $(basename "$deb") made, lintian finds no error"

# --- Installed with dpkg (root only) ---------------------------------------------------------
if [ "$(id -u)" -ne 0 ]; then
  echo "package test: not root, dpkg -i skipped"
  exit 0
fi
if dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
  echo "package test: $pkg is installed on this machine already; dpkg -i skipped to leave it be"
  exit 0
fi
installed_pkg=$pkg
dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$work/dpkg.log")"

# dlgcheck is checked whenever the package holds it.
check_examples() {
  local installed_status built_status
  set +e
  /usr/bin/dlgcheck "$@" >"$work/installed.txt" 2>&1
  installed_status=$?
  set -e
  [ "$installed_status" -le 1 ] || fail "installed dlgcheck could not check $*: $(cat "$work/installed.txt")"
  tail -1 "$work/installed.txt" | grep -Eq "^[0-9]+ errors?, [0-9]+ warnings? in $# files?$" ||
    fail "dlgcheck $*: no summary line for $# files"
  # The installed program reports exactly what the one just built does.
  if [ -n "$built_check" ]; then
    set +e
    "$built_check" "$@" >"$work/built.txt" 2>&1
    built_status=$?
    set -e
    if [ "$installed_status" -ne "$built_status" ] || ! cmp -s "$work/installed.txt" "$work/built.txt"; then
      fail "installed dlgcheck reports otherwise than $built_check on $*"
    fi
  fi
}
if [ -x /usr/bin/dlgcheck ]; then
  shopt -s nullglob
  examples=("$root"/examples/*.dlg)
  [ ${#examples[@]} -gt 0 ] || fail "no examples to check"
  built_check=$(find "$build" -name dlgcheck -type f -perm -u+x -print -quit)
  for example in "${examples[@]}"; do check_examples "$example"; done
  check_examples "${examples[@]}"
  # Graphviz draws the map through plugins that only the installed libraries bring.
  for kind in "svg:<svg" "png:PNG" "dot:digraph"; do
    map="$work/map.${kind%%:*}"
    /usr/bin/dlgcheck --map "$map" "${examples[0]}" >/dev/null 2>&1 || [ $? -eq 1 ] ||
      fail "installed dlgcheck could not draw $(basename "$map")"
    head -c 1024 "$map" 2>/dev/null | grep -aq "${kind#*:}" || fail "installed dlgcheck drew no $(basename "$map")"
  done
  # (Slim Debian images drop manual pages at install: then there is nothing for man to find.)
  if [ -e /usr/share/man/man1/dlgcheck.1.gz ]; then
    man -w dlgcheck >/dev/null || fail "man dlgcheck finds no page"
  fi
  echo "package test: installed dlgcheck checks ${#examples[@]} examples and draws maps"
else
  echo "package test: the package holds no dlgcheck yet, its checks skipped"
fi

# dlgplay plays as the one just built does.
if [ -x /usr/bin/dlgplay ]; then
  built_play=$(find "$build" -name dlgplay -type f -perm -u+x -print -quit)
  set +e
  /usr/bin/dlgplay --female --int 3 "$root/examples/tavern.dlg" 13 21 >"$work/play_installed.txt" 2>&1
  play_status=$?
  "$built_play" --female --int 3 "$root/examples/tavern.dlg" 13 21 >"$work/play_built.txt" 2>&1
  set -e
  [ "$play_status" -eq 0 ] && tail -1 "$work/play_installed.txt" | grep -qx END ||
    fail "installed dlgplay did not play tavern.dlg to its end: $(cat "$work/play_installed.txt")"
  cmp -s "$work/play_installed.txt" "$work/play_built.txt" || fail "installed dlgplay plays otherwise than $built_play"
  echo "package test: installed dlgplay plays tavern.dlg to its end"
fi

# dlg2po and po2dlg take a dialogue to PO and back to the same bytes.
if [ -x /usr/bin/dlg2po ]; then
  /usr/bin/dlg2po "$root/examples/tavern.dlg" "$work/tavern.po" || fail "installed dlg2po failed"
  msgen "$work/tavern.po" -o "$work/tavern_en.po"
  /usr/bin/po2dlg -t "$root/examples/tavern.dlg" "$work/tavern_en.po" "$work/tavern_en.dlg" >/dev/null ||
    fail "installed po2dlg failed"
  cmp -s "$work/tavern_en.dlg" "$root/examples/tavern.dlg" || fail "dlg2po and po2dlg changed tavern.dlg"
  man -w dlg2po >/dev/null && man -w po2dlg >/dev/null || fail "man finds no page of dlg2po or po2dlg"
  echo "package test: installed dlg2po and po2dlg take tavern.dlg to PO and back"
fi

# The installed editor on a virtual display, found by its window class.
display=97
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1024x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
# Opened on a file, as the menu entry opens one; its settings go to a folder of the test's own.
mkdir "$work/cwd"
cp "$root/examples/ferryman.dlg" "$work/cwd/sample.dlg"
(cd "$work/cwd" && exec env QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" /usr/bin/dlgeditor sample.dlg) >"$work/editor.log" 2>&1 &
editor_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --class "$app_id" | head -1) || true
if [ -z "$window" ] || ! kill -0 "$editor_pid" 2>/dev/null; then
  fail "the installed editor showed no window of class $app_id: $(cat "$work/editor.log")"
fi
title=
for _ in $(seq 50); do
  title=$(xdotool getwindowname "$window")
  [ "$title" = "Ashgloam -DLG Editor - sample.dlg" ] && break
  sleep 0.1
done
[ "$title" = "Ashgloam -DLG Editor - sample.dlg" ] || fail "the installed editor's window is called \"$title\""
# dpkg's trigger has put the type in the system's database.
grep -q ":$entry_type:\*\.dlg$" /usr/share/mime/globs2 || fail "dpkg -i left *.dlg without the type $entry_type"
echo "package test: the installed dlgeditor shows \"$title\""
kill "$editor_pid"
editor_pid=

dpkg --purge "$pkg" >/dev/null
installed_pkg=
[ ! -e /usr/bin/dlgeditor ] || fail "purging $pkg left /usr/bin/dlgeditor"
echo "package test: $pkg installed, run and purged"

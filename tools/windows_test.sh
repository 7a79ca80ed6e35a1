#!/usr/bin/env bash
# dlgcheck.exe under Wine. Cross-builds it and its zip in BUILD (build-windows), then runs every
# golden case and every command-line row beside the Linux build LINUX_DLGCHECK: the same exit
# status, findings and messages, text in CR LF, JSON byte for byte. What only Windows does (the
# map as DOT text, pictures refused) has rows of its own. Checks that the program needs no DLL
# but Windows' own and that the zip holds what it should. The Wine prefix and every file a row
# writes live in one temporary folder, removed at the end.
# Usage: tools/windows_test.sh LINUX_DLGCHECK [BUILD]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 LINUX_DLGCHECK [BUILD]" >&2
  exit 2
fi
linux=$(realpath "$1")
build=$(realpath -m "${2:-$root/build-windows}")
cd "$root"
started=$SECONDS

# The toolchain is a first configuration's choice; named again, CMake warns that it is unused.
toolchain=()
[ -f "$build/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
cmake -S . -B "$build" -G Ninja "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}"
exe=$build/src/dlgcheck/dlgcheck.exe
version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=$build/dlgcheck-$version-windows-x86_64.zip

wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
tmp=$(mktemp -d)
cleanup() {
  # Only this prefix's server, and only once it is gone is its folder removed.
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
# One prefix for every row: Wine's first start in it takes seconds, each run after a tenth. No
# Mono, Gecko or menu entries, its server's socket under TMPDIR, and no display.
export WINEPREFIX=$tmp/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export TMPDIR=$tmp HOME=$tmp/home LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
mkdir "$HOME"

passed=0
failed=0
ran=()
fail() {
  echo "FAIL $1: $2" >&2
  failed=$((failed + 1))
}
check() { # NAME WHAT COMMAND...: counts the row's check as passed when COMMAND succeeds
  local name=$1 what=$2
  shift 2
  if "$@"; then passed=$((passed + 1)); else fail "$name" "$what"; fi
}
crlf() { sed 's/$/\r/' "$@"; }
# Succeeds when both files hold the same bytes, else shows how they differ. Either may be a
# pipe, which can be read once: both are copied first.
same_bytes() {
  cat "$1" >"$tmp/left" && cat "$2" >"$tmp/right"
  cmp -s "$tmp/left" "$tmp/right" && return 0
  diff <(cat -A "$tmp/left") <(cat -A "$tmp/right") | head -20 >&2
  [ -s "$tmp/right" ] || echo "(the second is empty)" >&2
  return 1
}

# run win|lin DIR ARGS...: one run in DIR, its output in $tmp/win.out (or $stdout_to) and
# $tmp/win.err, its status in $win_status (or lin_*).
run() {
  local side=$1 dir=$2 status=0
  shift 2
  local program=("$linux")
  [ "$side" = win ] && program=("$wine" "$exe")
  : >"$tmp/$side.out"
  local tries=2
  while :; do
    status=0
    (cd "$dir" && timeout 120 "${program[@]}" "$@") >"${stdout_to:-$tmp/$side.out}" \
      2>"$tmp/$side.err" || status=$?
    # A run that lost its Wine server, saw a fault that Wine reports in its own words, or
    # failed without a word on either stream (dlgcheck says why on every failure; seen once in
    # CI, a run with no output at all) is run again, once: the program is single-threaded and
    # reads the same bytes each time, so a fault of its own comes back on the second run and
    # fails the row; one of Wine's threads faulting once at a process's end does not.
    tries=$((tries - 1))
    [ "$side" = win ] && [ "$tries" -gt 0 ] || break
    grep -qs -e "^wine client error" -e "^wine: Unhandled" "$tmp/$side.err" "$tmp/$side.out" ||
      { [ "$status" -ne 0 ] && [ ! -s "${stdout_to:-$tmp/$side.out}" ] && [ ! -s "$tmp/$side.err" ]; } ||
      break
    echo "note: Wine run of dlgcheck $* (status $status) run again" >&2
  done
  printf -v "${side}_status" %d "$status"
}

# The three files of the Linux command-line test, in a fresh folder.
fresh() {
  rm -rf "$1"
  mkdir -p "$1"
  printf '{1}{Hi.}{}{}{}{}{}\r\n{2}{Bye.}{}{}{}{0}{}\r\n' >"$1/clean.dlg"
  printf '{1}{Hi.}{}{}{}{}{}\r\n{2}{Bye.}{}{x}{}{0}{}\r\n' >"$1/warn.dlg"
  printf '{1}{Hi.}{}{}{}{}{}\r\n{2}{Go.}{}{}{}{7}{}\r\n' >"$1/error.dlg"
}

# JSON, and the text for git (--textconv), are the same bytes on both systems.
is_json() {
  local previous=
  for a in "$@"; do
    [ "$a" = --format=json ] || [ "$a" = --textconv ] ||
      { [ "$previous" = --format ] && [ "$a" = json ]; } && return 0
    previous=$a
  done
  return 1
}

# Compares the last runs of both sides: status, standard output (JSON as is, text in CR LF) and
# standard error (in CR LF, as the C runtime writes it). With `slashes` set, the paths of files
# found in folders, which Windows joins with "\", are compared as if joined with "/".
same_as_linux() {
  local name=$1
  shift
  if [ -n "${slashes:-}" ]; then
    for stream in out err; do tr '\\' / <"$tmp/win.$stream" >"$tmp/win.$stream.tmp"; done
    for stream in out err; do mv "$tmp/win.$stream.tmp" "$tmp/win.$stream"; done
  fi
  check "$name" "exit status $win_status, on Linux $lin_status" [ "$win_status" = "$lin_status" ]
  if is_json "$@"; then
    check "$name" "JSON differs from Linux" same_bytes "$tmp/lin.out" "$tmp/win.out"
  else
    check "$name" "standard output differs from Linux" same_bytes <(crlf "$tmp/lin.out") "$tmp/win.out"
  fi
  check "$name" "standard error differs from Linux" same_bytes <(crlf "$tmp/lin.err") "$tmp/win.err"
}

# row NAME ARGS...: both builds in fresh folders of the same files (SETUP, when set, adds to
# them), compared.
row() {
  local name=$1
  shift
  ran+=("$name")
  for side in lin win; do
    fresh "$tmp/$side"
    [ -z "${setup:-}" ] || (cd "$tmp/$side" && eval "$setup")
    run "$side" "$tmp/$side" "$@"
  done
  same_as_linux "$name" "$@"
}

# The program stands alone: no DLL beyond Windows' own, so the zip needs nothing beside it.
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
check Static "needs $dlls" [ "$dlls" = "KERNEL32.dll msvcrt.dll " ]

# Wine's first start makes the prefix.
built=$SECONDS
timeout 300 "$wine" "$exe" --version >/dev/null 2>&1 || true
# Then one server for every row, kept until the end: a server that leaves between two rows can
# reset the next row's connection ("wine client error: recvmsg").
"$wineserver" -w 2>/dev/null || true
"$wineserver" -p
prefix_made=$((SECONDS - built))

# --- Every golden case, in text and in JSON, from the folder the Linux test names it from.
for folder in tests/check/golden/*/; do
  name=$(basename "$folder")
  if [[ $name == example_* ]]; then
    dir=$root file=examples/${name#example_}.dlg
  else
    dir=$root/$folder file=in.dlg
  fi
  for format in json text; do
    run lin "$dir" --format=$format "$file"
    run win "$dir" --format=$format "$file"
    same_as_linux "golden/$name/$format" --format=$format "$file"
  done
  check "golden/$name" "not expected.txt in CR LF" cmp -s <(crlf "$folder/expected.txt") "$tmp/win.out"
done

# --- The rows of tests/dlgcheck/cli_test.cpp, by the same names. The .svg maps of Linux rows
# that are about something else are .dot maps here, since Windows refuses pictures first.
row Clean clean.dlg
row WarningsAllowed warn.dlg clean.dlg
row Werror --werror warn.dlg
row SortedByFile warn.dlg error.dlg
row IgnoreDropsFindings --ignore=missing-target,int-check error.dlg warn.dlg
row Json --format json error.dlg
row JsonClean --format=json clean.dlg
row UnreadableFile none.dlg error.dlg
row NothingReadable --format=json none.dlg gone.dlg
row UnknownCheck --ignore missing-target,typo clean.dlg
row UnknownOption --fast clean.dlg
row NoFile --werror
row MissingValue clean.dlg --format
row BadFormat --format xml clean.dlg
row MapExtension --map m.svg.gif clean.dlg
row MapExtensionWithoutItsDot --map msvg clean.dlg
row MapOfOneFile --map m.dot clean.dlg warn.dlg
row MapUnwritable --map nowhere/m.dot clean.dlg
mod="mkdir -p mod/a mod/a-z mod/.git && cp error.dlg mod/b.dlg && cp clean.dlg mod/a-z/c.dlg &&
  cp warn.dlg mod/a/w.DLG && cp error.dlg mod/notes.txt && cp error.dlg mod/.git/x.dlg"
setup=$mod slashes=1 row Folder mod
setup=$mod slashes=1 row FolderAndFiles warn.dlg mod/ error.dlg
setup=$mod row MapOfAFolder --map m.dot mod/a
setup=$mod slashes=1 row Stats --stats mod
row StatsJson --stats --format=json clean.dlg
row StatsUnreadable --stats none.dlg clean.dlg
setup=$mod slashes=1 row Script --script s.csv mod
check Script "not the Linux script" same_bytes "$tmp/lin/s.csv" <(tr '\\' / <"$tmp/win/s.csv")
row ScriptCsv --script s.csv error.dlg
check ScriptCsv "not the Linux script" same_bytes "$tmp/lin/s.csv" "$tmp/win/s.csv"
# Windows has no name that is not UTF-16, so the odd file here is only one of a byte 0.
setup="printf '{1}{Hi\\000.}{}{}{}{}{}\\r\\n' >odd.dlg" row ScriptOfAnOddFile --script s.csv odd.dlg
check ScriptOfAnOddFile "not the Linux script" same_bytes "$tmp/lin/s.csv" "$tmp/win/s.csv"
# Never written over a dialogue that it reads, through a link of its name.
setup="$mod && ln -s b.dlg mod/link.csv" slashes=1 row ScriptOverADialogueRead --script mod/link.csv mod
check ScriptOverADialogueRead "the dialogue changed" cmp -s "$tmp/win/mod/b.dlg" "$tmp/win/error.dlg"
row ScriptExtension --script s.txt clean.dlg
row ScriptUnwritable --script=nowhere/s.csv clean.dlg
# The workbook is refused before its folder is looked at, or its wordings read: the ScriptWorkbook
# row below.
ran+=(ScriptWorkbookUnwritable ScriptWorkbookOfAByte0 ScriptWorkbookOfAWideCell)
stdout_to=/dev/full row SummaryToFullDisk --script s.csv clean.dlg
check SummaryToFullDisk "no script" grep -q Hi "$tmp/win/s.csv"
row Textconv --textconv error.dlg
setup=$mod row TextconvOfOneFile --textconv mod
row RunsAlone --stats --textconv clean.dlg
row MapWithStats --stats --map m.dot clean.dlg
row Against --against error.dlg clean.dlg
row AgainstJson --format=json --against error.dlg clean.dlg
row AgainstNothing --against= clean.dlg
row AgainstWithStats --stats --against error.dlg clean.dlg
# No libxlsxwriter in the zip: a workbook is refused before anything is read.
fresh "$tmp/win"
run win "$tmp/win" --script s.xlsx clean.dlg
ran+=(ScriptWorkbook)
check ScriptWorkbook "exit status $win_status" [ "$win_status" = 2 ]
check ScriptWorkbook "message" cmp -s "$tmp/win.err" <(crlf <<EOF
dlgcheck: the script 's.xlsx' needs the Linux build of dlgcheck; this one writes CSV: --script s.csv
Try 'dlgcheck --help'.
EOF
)
check ScriptWorkbook "a script written" [ ! -e "$tmp/win/s.xlsx" ]
row Version --version
stdout_to=/dev/full row HelpToFullDisk --help
# This build prints text in CR LF: the Version row above and the Help row below are the rows
# HelpInCrLf and VersionInCrLf of cli_test.cpp too.
ran+=(HelpInCrLf VersionInCrLf)
row DashDashEndsOptions -- --help
# The report in CR LF and JSON as Linux prints it: what the two CR LF rows of cli_test.cpp pin.
row ReportInCrLf error.dlg
row JsonInCrLf --format=json error.dlg
# The help names this build's map and script, and is Linux's otherwise.
ran+=(Help)
run lin "$tmp/lin" --help
run win "$tmp/win" --help
check Help "exit status $win_status" [ "$win_status" = 0 ]
check Help "the map's line" grep -qxF \
  $'  --map OUT.dot      write the conversation of the one FILE as DOT text, for Graphviz\r' \
  "$tmp/win.out"
check Help "the script's line" grep -qxF \
  $'  --script OUT.csv   write the voice-over script of every FILE as CSV\r' "$tmp/win.out"
check Help "differs from Linux beyond the map's and the script's lines" \
  cmp -s <(grep -Ev '^  --(map|script) ' "$tmp/lin.out" | crlf) \
  <(grep -Ev '^  --(map|script) ' "$tmp/win.out")

# Beyond those rows: names, bytes and files as Windows has them.
setup="cp error.dlg 'Schmied ö €.dlg'" row Utf8Name 'Schmied ö €.dlg' clean.dlg
setup="cp error.dlg 'Schmied ö €.dlg'" row Utf8NameJson --format=json 'Schmied ö €.dlg'
# A text-mode read would stop at Ctrl-Z and turn CR LF into LF.
setup="printf '{1}{Hi\\032.}{}{}{}{}{}\\r\\n{2}{A\\rB}{}{}{}{0}{}\\n' >ctrl.dlg" row BinaryRead ctrl.dlg
slashes=1 row FolderWalked . clean.dlg
row Examples "$root/examples/broken_smith.dlg" "$root/examples/ferryman.dlg" \
  "$root/examples/gatekeeper.dlg" "$root/examples/herbalist.dlg"
# A report that cannot be written is no clean run.
stdout_to=/dev/full row ReportToFullDisk clean.dlg

# The map: DOT text before layout, written whole over an old one, never over the file checked.
setup="echo old >m.dot" row Map --map m.dot error.dlg
check Map "not the DOT text" grep -q '^digraph dialogue {$' "$tmp/win/m.dot"
check Map "no red node" grep -q 'no such line' "$tmp/win/m.dot"
check Map "laid out" bash -c "! grep -q 'pos=' '$tmp/win/m.dot'"
check Map "a file left beside it" [ "$(ls "$tmp/win" | tr '\n' ' ')" = "clean.dlg error.dlg m.dot warn.dlg " ]
setup="cp clean.dlg talk.dot" row MapOverTheFileChecked --map talk.dot talk.dot
check MapOverTheFileChecked "file changed" cmp -s "$tmp/win/talk.dot" "$tmp/win/clean.dlg"
setup="ln -s clean.dlg link.dot" row MapThroughALinkToTheFileChecked --map link.dot clean.dlg
setup="cp clean.dlg talk.dot" row MapOverTheSource --map talk.dot --against talk.dot clean.dlg
check MapOverTheSource "source changed" cmp -s "$tmp/win/talk.dot" "$tmp/win/clean.dlg"
setup="ln clean.dlg hard.dot" row MapIsAHardLinkToTheFile --map hard.dot clean.dlg
check MapIsAHardLinkToTheFile "file changed" grep -q Bye "$tmp/win/clean.dlg"
# A link under the map's name is replaced by the map, never written through.
setup="echo mine >other.dot && ln -s other.dot link.dot" row MapReplacesALinkOfItsName --map link.dot clean.dlg
check MapReplacesALinkOfItsName "written through the link" grep -qx mine "$tmp/win/other.dot"
check MapReplacesALinkOfItsName "not the DOT text" grep -q '^digraph dialogue {$' "$tmp/win/link.dot"
setup="mkdir m.dot" row MapIsAFolder --map m.dot clean.dlg
check MapIsAFolder "a file left beside it" [ "$(ls "$tmp/win" | wc -l)" = 4 ]
setup="for n in \$(seq 1 1001); do printf '{%d}{Hi.}{}{}{}{}{}\\r\\n' \$n; done >long.dlg" \
  row MapOfTooManyLines --map m.dot long.dlg
check MapOfTooManyLines "map written" [ ! -e "$tmp/win/m.dot" ]
setup="printf '{1}{Hub.}{}{}{}{}{}\\r\\n' >dense.dlg; for n in \$(seq 2 6001); do printf '{%d}{Bye.}{}{}{}{0}{}\\r\\n' \$n; done >>dense.dlg" \
  row MapOfTooManyArrows --map m.dot dense.dlg
check MapOfTooManyArrows "map written" [ ! -e "$tmp/win/m.dot" ]
# A device's name, which Windows reserves in every folder: said so, not "Invalid handle".
fresh "$tmp/win"
run win "$tmp/win" CON.dlg
ran+=(ReservedName)
check ReservedName "exit status $win_status" [ "$win_status" = 2 ]
check ReservedName "message" grep -q "cannot read CON.dlg: the name CON is reserved by Windows for a device" "$tmp/win.err"
for picture in svg png; do
  fresh "$tmp/win"
  run win "$tmp/win" --map m.$picture error.dlg
  ran+=("MapAs$picture")
  check "MapAs$picture" "exit status $win_status" [ "$win_status" = 2 ]
  check "MapAs$picture" "message" cmp -s "$tmp/win.err" <(crlf <<EOF
dlgcheck: the map 'm.$picture' needs the Linux build of dlgcheck; this one writes DOT text: --map m.dot, then Graphviz's own 'dot -T$picture m.dot -o m.$picture'
Try 'dlgcheck --help'.
EOF
  )
  check "MapAs$picture" "a report" [ ! -s "$tmp/win.out" ]
  check "MapAs$picture" "a map written" [ ! -e "$tmp/win/m.$picture" ]
done

# Every row of the Linux command-line test has its Windows row.
mapfile -t linux_rows < <(sed -n '/^const CliCase kCases\[\] = {/,/^};/p' tests/dlgcheck/cli_test.cpp |
  grep -oP '^\s*\{"\K\w+(?=",)')
check Rows "no rows found in cli_test.cpp" [ "${#linux_rows[@]}" -ge 20 ]
for name in "${linux_rows[@]}"; do
  check Rows "$name has no Windows row" bash -c '[[ " $1 " == *" $2 "* ]]' _ "${ran[*]}" "$name"
done

# --- The zip: the program as built, the README's sections and the licence in CR LF.
rm -rf "$tmp/zip" && mkdir "$tmp/zip"
(cd "$tmp/zip" && cmake -E tar xf "$zip")
in_zip=$tmp/zip/dlgcheck-$version-windows-x86_64
check Zip "entries" [ "$(cd "$tmp/zip" && find . -type f | sort | tr '\n' ' ')" = \
  "./dlgcheck-$version-windows-x86_64/LICENSE.txt ./dlgcheck-$version-windows-x86_64/README.txt ./dlgcheck-$version-windows-x86_64/dlgcheck.exe " ]
check Zip "dlgcheck.exe" cmp -s "$in_zip/dlgcheck.exe" "$exe"
check Zip "LICENSE.txt" cmp -s "$in_zip/LICENSE.txt" <(crlf LICENSE)
check Zip "README.txt's first line" [ "$(head -1 "$in_zip/README.txt")" = $'## Checking a dialogue\r' ]
check Zip "README.txt's Windows section" grep -q $'^## On Windows\r$' "$in_zip/README.txt"
check Zip "README.txt's line ends" awk '!/\r$/ { exit 1 }' "$in_zip/README.txt"

echo "dlgcheck.exe: built in $((built - started)) s, Wine's prefix made in $prefix_made s," \
  "the rows run in $((SECONDS - built - prefix_made)) s"
echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

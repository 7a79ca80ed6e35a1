#!/usr/bin/env bash
# Kills the editor at every file system call in turn while it runs Load File, an edit, "Save New
# Line", an Undo of it, Save and Unload, on a file of 10,000 records and on one of 40,000 (1.4 MB, where writes
# flush on a second thread and replaced files are closed on a third), and after each kill loads
# the file in a fresh editor, which answers Yes to every question. Each time:
#   - the dialogue file is exactly the old one or the new one;
#   - a working copy left behind that differs from it is offered by the question about a copy
#     found, and after Yes it is still there byte for byte; one that holds the same text is kept
#     aside as a.dlg.bak.1, byte for byte, and the user told;
#   - the dead editor's lock blocks nothing, and no temporary file or scratch copy remains.
# strace counts the calls of each thread apart, so each kind of call is killed at every number
# up to the most calls of that kind one thread makes: the first thread to reach it dies with
# the process.
# Usage: tools/kill_test.sh <hostile_driver>
set -euo pipefail
driver=$(realpath "$1")
command -v strace >/dev/null || { echo "kill test: strace is missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dir="$work/d"
steps=(edit "KILLTEST EDIT" newline 15 "KILLTEST NEW" undo save unload)
fresh() { rm -rf "$dir" && mkdir "$dir" && cp "$work/old.dlg" "$dir/a.dlg"; }

runs=0 old=0 new=0 offered=0 aside=0 failures=0
fail() { echo "FAIL at $records records after $1 #$2: $3"; failures=$((failures + 1)); }

kills() {
  records=$1
  awk -v n="$records" 'BEGIN { for (i = 1; i <= n; i++)
    printf "{%d}{Line %d}{}{}{}{%s}{}\r\n", i * 10, i, (i % 3 == 1 ? "" : i * 10 + 10) }' \
    >"$work/old.dlg"
  # The clean run gives the new file and, for each kind of call, the most calls of it that one
  # thread makes. Loading libraries (mmap) and starting (execve) are no file operations of the
  # editor; a call that a thread switch splits in two is counted where it starts.
  fresh
  strace -f -qq -o "$work/trace" -e trace=%file,%desc \
    "$driver" load "$dir" a.dlg "${steps[@]}" >"$work/clean.out"
  cp "$dir/a.dlg" "$work/new.dlg"
  if cmp -s "$work/old.dlg" "$work/new.dlg"; then
    echo "kill test: the clean run changed nothing" >&2
    exit 1
  fi
  mapfile -t calls < <(awk '$2 !~ /^<\.\.\./ && match($2, /^[a-z0-9_]+\(/) {
      call = substr($2, 1, RLENGTH - 1)
      if (call != "mmap" && call != "execve" && ++n[$1 " " call] > most[call]) most[call]++
    } END { for (c in most) print c " " most[c] }' "$work/trace" | sort)

  for entry in "${calls[@]}"; do
    read -r call count <<<"$entry"
    for ((n = 1; n <= count; n++)); do
      fresh
      # The shell's notice of the killed job goes with the rest of the noise.
      status=$({
        strace -f -qq -o /dev/null -e trace="$call" -e inject="$call":signal=SIGKILL:when="$n" \
          "$driver" load "$dir" a.dlg "${steps[@]}" >/dev/null 2>&1
        echo $?
      } 2>/dev/null)
      runs=$((runs + 1))
      [ "$status" -eq 137 ] || fail "$call" "$n" "the editor was not killed (status $status)"
      if cmp -s "$dir/a.dlg" "$work/old.dlg"; then
        old=$((old + 1))
      elif cmp -s "$dir/a.dlg" "$work/new.dlg"; then
        new=$((new + 1))
      else
        fail "$call" "$n" "the dialogue file is neither old nor new"
        continue
      fi
      left="" listing="a.dlg a.dlg.bak "
      if [ -f "$dir/a.dlg.bak" ]; then
        cmp -s "$dir/a.dlg.bak" "$dir/a.dlg" && left=same || left=differs
        cp "$dir/a.dlg.bak" "$work/left.bak"
      fi
      out=$("$driver" load "$dir" a.dlg run "ls -A '$dir' >'$work/listing'" 2>&1)
      if grep -q "File In Use\|critical" <<<"$out"; then
        fail "$call" "$n" "the fresh editor could not load: $out"
      elif [ "$left" = differs ]; then
        if ! grep -q "Copy Found" <<<"$out"; then
          fail "$call" "$n" "the working copy left behind was not offered"
        elif ! cmp -s "$dir/a.dlg.bak" "$work/left.bak"; then
          fail "$call" "$n" "the working copy offered was not kept"
        else
          offered=$((offered + 1))
        fi
      elif [ "$left" = same ]; then
        listing="a.dlg a.dlg.bak a.dlg.bak.1 "
        if ! grep -q "Copy Kept" <<<"$out" || ! cmp -s "$dir/a.dlg.bak.1" "$work/left.bak"; then
          fail "$call" "$n" "the copy left behind was not kept aside"
        else
          aside=$((aside + 1))
        fi
      fi
      if [ "$(tr '\n' ' ' <"$work/listing")" != "$listing" ]; then
        fail "$call" "$n" "left beside the file: $(tr '\n' ' ' <"$work/listing")"
      fi
    done
  done
}

kills 10000
kills 40000
echo "kill test: $runs kills; dialogue file old $old, new $new; working copies with unsaved" \
  "edits offered and kept $offered; copies of the file's text kept aside $aside;" \
  "failures $failures"
[ "$failures" -eq 0 ]

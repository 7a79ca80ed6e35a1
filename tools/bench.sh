#!/usr/bin/env bash
# Runs the benchmarks at 10,000, 100,000 and 1,000,000 records and prints one table: each
# command's time, its yardstick measured in the same run, and their ratio (medians of the
# repetitions).
#   tools/bench.sh                      all three sizes, 3 repetitions
#   BENCH_SIZES="100000" BENCH_REPS=5 tools/bench.sh
# The 1,000,000-record files take about 125 MB each, a few of them at a time, in $TMPDIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sizes=${BENCH_SIZES:-10000 100000 1000000}
reps=${BENCH_REPS:-3}
min_time=${BENCH_MIN_TIME:-0.3}
build=${BENCH_BUILD:-build}

tools/install-deps.sh test
[ -f "$build/build.ninja" ] ||
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target reader_bench rewrite_bench commands_bench window_bench \
  translate_bench >/dev/null

# The JSON of every run stays in $BENCH_OUT when it is set.
if [ -n "${BENCH_OUT:-}" ]; then
  out=$BENCH_OUT
  mkdir -p "$out"
else
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
fi
for n in $sizes; do
  for prog in reader_bench rewrite_bench commands_bench window_bench translate_bench; do
    echo "running $prog at $n records" >&2
    DLG_BENCH_RECORDS=$n QT_QPA_PLATFORM=offscreen "$build/bench/$prog" \
      --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
      --benchmark_min_time="$min_time" \
      --benchmark_format=json >"$out/$prog-$n.json" 2>"$out/$prog-$n.log" ||
      { cat "$out/$prog-$n.log" >&2; exit 1; }
  done
done

# One row per command: program, benchmark name (the 1,000-record window run is left out),
# what the user does, the yardstick, the goal.
rows='[
  ["commands_bench", "BM_GoToLastLine/1", "\"Go to:\" the last line", "memchr", "<= 4"],
  ["commands_bench", "BM_RespondToLastLine/1", "Respond to the last line", "memchr", "<= 4"],
  ["commands_bench", "BM_JumpToLastLine/1", "\"Jump\" to the last line", "memchr", "<= 4"],
  ["commands_bench", "BM_EditLastResponse/1", "\"Edit Response\" of the last line", "memchr", "<= 4"],
  ["commands_bench", "BM_GoToLastLine/0", "\"Go to:\" the last line, copy read again (after an edit)", "memchr", "<= 4"],
  ["commands_bench", "BM_RespondToLastLine/0", "Respond, copy read again", "memchr", "<= 4"],
  ["commands_bench", "BM_JumpToLastLine/0", "\"Jump\", copy read again", "memchr", "<= 4"],
  ["commands_bench", "BM_EditLastResponse/0", "\"Edit Response\", copy read again", "memchr", "<= 4"],
  ["commands_bench", "BM_LoadFile/0", "Load File", "floor", "<= 1.25"],
  ["commands_bench", "BM_LoadFile/1", "Load File, working copy left behind", "floor", "<= 1.25"],
  ["commands_bench", "BM_RewriteOnLeave", "rewrite on leaving a box", "floor", "<= 1.25"],
  ["rewrite_bench", "BM_RewriteWorkingCopy", "RewriteWorkingCopy alone", "floor", "<= 1.25"],
  ["commands_bench", "BM_SaveNewLine", "Add Line + \"Save New Line\"", "floor", "<= 1.25"],
  ["commands_bench", "BM_UndoRedoEdit/0", "Undo of an edit", "floor", "<= 1.25"],
  ["commands_bench", "BM_UndoRedoEdit/1", "Redo of an edit", "floor", "<= 1.25"],
  ["commands_bench", "BM_Save", "Save", "floor", "<= 1.25"],
  ["commands_bench", "BM_SaveAs", "Save As", "floor", "<= 1.25"],
  ["reader_bench", "BM_ShowNpcLineWithAllReplies/1", "one NPC line, all records its replies, shown again", "reader pass", "<= 3"],
  ["reader_bench", "BM_ShowNpcLineWithAllReplies/0", "the same, first shown in a fresh editor", "reader pass", "<= 3"],
  ["reader_bench", "BM_UsedNumberScan", "used-number scan", "memchr", ""],
  ["rewrite_bench", "BM_SpliceRecords", "rewrite splice in memory", "memchr", ""],
  ["window_bench", "BM_LoadFileInWindow/N", "Load File in the window", "floor", "< 500 ms"],
  ["translate_bench", "BM_Dlg2po", "dlg2po SOURCE.dlg OUT.po (two wordings a record)", "msgcat", "<= 1"],
  ["translate_bench", "BM_Po2dlg", "po2dlg -t SOURCE.dlg IN.po OUT.dlg, all translated", "msgfmt --check", "<= 1.5"]
]'

cell() {  # program size name yardstick -> "time / ref = ratio" of the median
  local f="$out/$1-$2.json" name=$3 cpu=false
  [ "$4" != floor ] && cpu=true
  [ "$name" = "BM_LoadFileInWindow/N" ] && name="BM_LoadFileInWindow/$2"
  # The median of the repetitions; a single run has no aggregates.
  jq -r --arg n "$name" --argjson cpu "$cpu" '
    ([.benchmarks[] | select(.name == $n + "_median")] + [.benchmarks[] | select(.name == $n)])[0]
      as $b
    | if $b == null then "-"
      else (($b.cmd_ms // $b.real_time) * 10 | round / 10 | tostring) + " / "
         + ($b.ref_ms * 10 | round / 10 | tostring) + " ms = "
         + ($b.ratio * 100 | round / 100 | tostring) + "x"
         + (if $cpu and $b.cpu_ratio then " (cpu " + ($b.cpu_ratio * 100 | round / 100 | tostring)
              + "x)" else "" end)
         + (if $b.mem_ratio then ", mem " + ($b.mem_mb | round | tostring) + " MB = "
              + ($b.mem_ratio * 100 | round / 100 | tostring) + " of allowed" else "" end)
      end' "$f"
}

header="| command | yardstick | goal (ratio) |"
rule="|---|---|---|"
for n in $sizes; do
  header+=" $(sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$n") records: ms / ms = ratio |"
  rule+="---|"
done
echo "$header"
echo "$rule"
count=$(jq length <<<"$rows")
for ((i = 0; i < count; i++)); do
  prog=$(jq -r ".[$i][0]" <<<"$rows")
  name=$(jq -r ".[$i][1]" <<<"$rows")
  line="| $(jq -r ".[$i][2]" <<<"$rows") | $(jq -r ".[$i][3]" <<<"$rows") | $(jq -r ".[$i][4]" <<<"$rows") |"
  yardstick=$(jq -r ".[$i][3]" <<<"$rows")
  for n in $sizes; do line+=" $(cell "$prog" "$n" "$name" "$yardstick") |"; done
  echo "$line"
done

#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each over a copy of its seed corpus.
#   tools/fuzz.sh            the short run that tools/test.sh makes
#   tools/fuzz.sh 10000000   a long run, on demand
# Fails when a target finds an input that breaks it; the input is kept under
# build-fuzz/artifacts/<target>/ and the log under build-fuzz/logs/<target>.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-200000}
build=build-fuzz

tools/install-deps.sh test
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDLG_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1 ||
  { tail -n 40 "$build/build.log" >&2; echo "fuzz: the targets do not build" >&2; exit 1; }

targets=()
for src in fuzz/*_fuzz.cpp; do
  name=$(basename "$src" _fuzz.cpp)
  targets+=("$name")
done

failed=()
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  rm -rf "$work"
  mkdir -p "$work" "$build/artifacts/$t" "$build/logs"
  [ -d "fuzz/corpus/$t" ] && cp -r "fuzz/corpus/$t/." "$work/"
  log="$build/logs/$t.log"
  start=$SECONDS
  if "$build/fuzz/$t" -seed=1 -runs="$runs" -timeout=1 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$t/" "$work" >"$log" 2>&1; then
    summary=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    echo "$t: ok in $((SECONDS - start)) s: $summary"
  else
    echo "$t: FAILED after $((SECONDS - start)) s (log: $log)"
    grep -E 'broken:|ERROR:|Test unit written' "$log" | head -n 5 || true
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz targets that failed: ${failed[*]}"
  exit 1
fi

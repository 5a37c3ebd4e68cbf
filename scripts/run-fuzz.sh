#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target of a fuzz build tree: first the inputs that once failed
# (fuzz/crashes/<target>/) and the whole supplied data files, each once; then fuzzing from
# the starting inputs (fuzz/seeds/ and those fuzz_makeseeds writes) and what earlier runs
# found. `short` fuzzes each target for a few seconds from the starting inputs alone, `full`
# for a million inputs each, keeping what it finds in BUILD/fuzz-corpus for the next run.
# Fails on the first crash, hang, leak or undefined behaviour; what failed is kept in
# BUILD/fuzz-artifacts.
set -euo pipefail

build=${1:?usage: run-fuzz.sh BUILD-DIR short|full}
mode=${2:?usage: run-fuzz.sh BUILD-DIR short|full}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
targets=(zonefile eventfile notes currency measure settings daytime sntp eurorates ftpreply zonecompanion icalendar)

case "$mode" in
  short) budget=(-max_total_time="${FUZZ_SECONDS:-5}") corpora="$build/fuzz-corpus-short" ;;
  full) budget=(-runs="${FUZZ_RUNS:-1000000}") corpora="$build/fuzz-corpus" ;;
  *) echo "run-fuzz.sh: mode must be short or full" >&2; exit 2 ;;
esac

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1
seeds="$build/fuzz-seeds"
rm -rf "$seeds"
[[ "$mode" == short ]] && rm -rf "$corpora"
"$build/fuzz/fuzz_makeseeds" "$seeds"
mkdir -p "$build/fuzz-artifacts"

declare -A replay=([zonefile]="$source_dir/data/TIME_ZON.DAT" [currency]="$source_dir/data/CURRENCY.DAT"
                   [measure]="$source_dir/data/MEASURE.DAT"
                   [zonecompanion]="$source_dir/data/TIME_ZON.TZN")
summary=()
for t in "${targets[@]}"; do
  binary="$build/fuzz/fuzz_$t"
  corpus="$corpora/$t"
  log="$build/fuzz-artifacts/$t.log"
  mkdir -p "$corpus"
  for dir in "$seeds/$t" "$source_dir/fuzz/seeds/$t"; do
    [[ -d "$dir" ]] && cp -n "$dir"/* "$corpus"/
  done
  once=()
  [[ -n "${replay[$t]:-}" ]] && once+=("${replay[$t]}")
  if [[ -d "$source_dir/fuzz/crashes/$t" ]]; then
    once+=("$source_dir/fuzz/crashes/$t"/*)
  fi
  if ((${#once[@]} > 0)) && ! "$binary" "${once[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    echo "fuzz_$t failed on a stored input" >&2
    exit 1
  fi
  if ! "$binary" "${budget[@]}" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$t-" "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz_$t failed; the input is in $build/fuzz-artifacts/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  summary+=("$(printf '%-10s %10s inputs %6s s %8s exec/s %6s corpus' "$t" "$runs" \
    "${seconds:-?}" "$speed" "$(find "$corpus" -type f | wc -l)")")
done
printf '%s\n' "${summary[@]}"

#!/usr/bin/env bash
# Runs every libFuzzer target for a fixed time from its seed corpus and fails on any finding.
#
#   fuzz/run.sh [SECONDS]   (default 60 per target)
#
# The targets come from the asan preset's build (built here if missing). Each run starts from a
# scratch copy of corpus/<target>/, so the repository's corpus never changes; inputs that make a
# target fail are kept in build-asan/fuzz-findings/<target>/. Prints, per target, the executions
# made and the edges covered.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
targets=(raster_fill_fuzzer class_surface_fuzzer declaration_fuzzer)
build=build-asan

[[ -f $build/CMakeCache.txt ]] || cmake --preset asan >/dev/null
cmake --build --preset asan --target "${targets[@]}"

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

summary=()
failed=0
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/${target%_fuzzer}
  findings=$build/fuzz-findings/$target
  mkdir -p "$scratch/$target" "$findings"
  cp -r "$corpus"/. "$scratch/$target"/
  log=$build/fuzz-findings/$target.log
  echo "--- $target: ${seconds} s from $(ls "$corpus" | wc -l) seeds"
  options=(-max_total_time="$seconds" -timeout=30 -print_final_stats=1 -artifact_prefix="$findings/")
  # An input of the class surface is a program of host operations: short ones reach little, so
  # mutations keep the seeds' lengths from the start.
  [[ $target == class_surface_fuzzer ]] && options+=(-len_control=0)
  # -timeout: an input that runs for 30 s is a hang, and a finding like any other.
  status=0
  "$build/fuzz/$target" "${options[@]}" "$scratch/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  line="$target: ${runs:-?} executions, ${edges:-?} edges, $(ls "$scratch/$target" | wc -l) corpus entries"
  if ((status)); then
    line+=" -- FAILED (exit $status, log $log)"
    failed=1
    tail -n 60 "$log"
    ls -l "$findings"
  fi
  echo "$line"
  summary+=("$line")
done

echo "--- fuzz summary (${seconds} s per target)"
printf '%s\n' "${summary[@]}"
exit $failed

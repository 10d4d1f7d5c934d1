#!/usr/bin/env bash
# The benchmark suite: installs its anchors when they are missing (Google Benchmark, cairo,
# Boost), builds the bench preset, waits for the machine to be quiet, runs every contender
# side by side with interleaved repetitions and prints one table of medians and ratios.
#
#   bench/run.sh [benchmark flags...]      e.g. --benchmark_repetitions=31
#
# TESSALINE_BENCH_WAIT: seconds to wait at most for the load average to fall below half the
# number of CPUs (default 600; 0 runs at once).
set -euo pipefail
cd "$(dirname "$0")/.."

install_anchors() {
  local missing=() package
  for package in libbenchmark-dev libcairo2-dev libboost-dev libffi-dev pkg-config cmake ninja-build \
    g++; do
    # (dpkg-query, not dpkg -s: with several architectures installed a bare name is ambiguous)
    dpkg-query -W -f='${db:Status-Abbrev}\n' "$package:$(dpkg --print-architecture)" \
      2>/dev/null | grep -q '^ii' || dpkg-query -W -f='${db:Status-Abbrev}\n' "$package" \
      2>/dev/null | grep -q '^ii' || missing+=("$package")
  done
  ((${#missing[@]})) || return 0
  local sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  echo "Installing ${missing[*]}" >&2
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >&2
}

wait_for_quiet() {
  local limit=${TESSALINE_BENCH_WAIT:-600} waited=0 cpus load
  cpus=$(nproc)
  while :; do
    read -r load _ </proc/loadavg
    if awk -v l="$load" -v c="$cpus" 'BEGIN { exit !(l < c / 2) }'; then return 0; fi
    if ((waited >= limit)); then
      echo "The machine is busy (load average $load on $cpus CPUs); measuring anyway." >&2
      return 0
    fi
    ((waited == 0)) && echo "Waiting for a quiet machine (load average $load)..." >&2
    sleep 15
    waited=$((waited + 15))
  done
}

install_anchors
cmake --preset bench >/dev/null
cmake --build --preset bench >&2
wait_for_quiet
exec build-bench/bench/tessaline_bench "$@"

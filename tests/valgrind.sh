#!/usr/bin/env bash
# The native suite under valgrind's memcheck: every test program of the default build, and the
# tessaline program on every example script, each one process under valgrind (two at a time).
# Any invalid access, use of an undefined value, or block lost by the plug-ins, the stand-in host
# or the tests fails the run. The allocation-failure tests are left out: they put an allocator of
# their own in front of the C library's, and valgrind puts its own in front of both, so theirs
# never sees the plug-ins' calls (the asan suite runs them).
#
#   tests/valgrind.sh
#
# Uses the default preset's build (built here if needed); logs land in build/valgrind/.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$PWD/build
[[ -f $build/CMakeCache.txt ]] || cmake --preset default >/dev/null
cmake --build --preset default >/dev/null

logs=$build/valgrind
rm -rf "$logs"
mkdir -p "$logs"

# One line per run: a name for its log, then the command.
jobs=()
for program in $(find "$build/tests" -name '*_tests' -type f -executable | sort); do
  jobs+=("$(basename "$program") $program --gtest_brief=1 --gtest_filter=-AllocationFailure.*")
done
if [[ -x $build/demo/tessaline ]]; then
  for script in "$PWD"/examples/*.xojo_script; do
    jobs+=("$(basename "$script" .xojo_script) $build/demo/tessaline run $script")
  done
fi

run_one() {
  local name=$1 logs=$2
  shift 2
  local start=$SECONDS status=0
  cd "$logs" # pictures a script renders land here
  valgrind -q --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect "$@" >"$logs/$name.log" 2>&1 || status=$?
  if ((status)); then
    echo "$name: FAILED (exit $status) in $((SECONDS - start)) s"
    tail -n 40 "$logs/$name.log"
    return 1
  fi
  echo "$name: clean in $((SECONDS - start)) s"
}
export -f run_one

printf '%s\n' "${jobs[@]}" | xargs -P 2 -L 1 bash -c 'run_one "$0" '"$logs"' "${@}"'

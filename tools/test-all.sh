#!/usr/bin/env bash
# Runs every test suite of the project, installing missing Debian packages first.
# Each suite's output goes to build/logs/<suite>.log; a failing suite's log is printed in full.
set -uo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh || exit 1
mkdir -p build/logs

passed=0
failed=0
run_suite() {
  local name="$1"
  shift
  local start=$SECONDS
  if "$@" >"build/logs/$name.log" 2>&1; then
    passed=$((passed + 1))
    echo "PASS  $name ($((SECONDS - start)) s): $(grep -E 'tests passed|Done [0-9]+ runs|^format:|^sanitizers:|^reproducible:' "build/logs/$name.log" | tail -n 1)"
  else
    failed=$((failed + 1))
    echo "FAIL  $name ($((SECONDS - start)) s); its log:"
    cat "build/logs/$name.log"
  fi
}

run_suite format tools/check-format.sh
run_suite native cmake --workflow --preset default
run_suite windows cmake --workflow --preset windows
run_suite reproducible tools/check-reproducible.sh
run_suite sanitizers tools/sanitize.sh
run_suite fuzz-smoke tools/fuzz-smoke.sh 30

echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

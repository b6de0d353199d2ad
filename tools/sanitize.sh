#!/usr/bin/env bash
# Builds the native test suite under the sanitizers and runs all of it: AddressSanitizer with
# UndefinedBehaviorSanitizer in build/asan, ThreadSanitizer in build/tsan (the CMake presets of
# the same names). A sanitizer report fails the test that made it, so the script exits non-zero
# on any finding, after running every preset asked for.
#
#   tools/sanitize.sh              # both
#   tools/sanitize.sh tsan         # one
set -uo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(asan tsan)

failed=()
for preset in "${presets[@]}"; do
  echo "== $preset"
  cmake --workflow --preset "$preset" || failed+=("$preset")
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "sanitizers: findings or failures in ${failed[*]}"
  exit 1
fi
echo "sanitizers: ${presets[*]} clean"
